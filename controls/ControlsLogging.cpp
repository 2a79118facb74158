#include "ControlsLogging.h"

Q_LOGGING_CATEGORY(lcControls, "morvena.controls", QtWarningMsg)
