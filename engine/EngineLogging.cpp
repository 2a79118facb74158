#include "EngineLogging.h"

Q_LOGGING_CATEGORY(lcEngine, "morvena.engine", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMpv, "morvena.mpv", QtWarningMsg)
