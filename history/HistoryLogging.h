#pragma once

#include <QLoggingCategory>

/// Diagnostics of the song history (morvena.history), off by default.
Q_DECLARE_LOGGING_CATEGORY(lcHistory)
