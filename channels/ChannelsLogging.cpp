#include "ChannelsLogging.h"

Q_LOGGING_CATEGORY(lcChannels, "morvena.channels", QtWarningMsg)
