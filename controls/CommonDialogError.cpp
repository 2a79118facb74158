#include "CommonDialogError.h"

CommonDialogError::CommonDialogError(Kind kind, const char *message)
    : std::runtime_error(message)
    , m_kind(kind)
{}
