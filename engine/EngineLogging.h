#pragma once

#include <QLoggingCategory>

/// Diagnostics of the playback engine adapter (off unless enabled with QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcEngine)
/// mpv's own log, routed here (off unless enabled with QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcMpv)
