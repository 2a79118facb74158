#pragma once

#include <QLoggingCategory>

/// Diagnostics of the reusable controls and dialogs (off unless enabled with QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcControls)
