#include "HistoryLogging.h"

Q_LOGGING_CATEGORY(lcHistory, "morvena.history", QtWarningMsg)
