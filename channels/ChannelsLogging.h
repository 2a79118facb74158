#pragma once

#include <QLoggingCategory>

/// Diagnostics of the channel sources: list reading, export, drops (off unless enabled
/// with QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcChannels)
