#pragma once

#include "CallLog.h"
#include "EditorLauncher.h"

/// An editor launcher that logs "editor(<path>)".
class RecordingEditorLauncher final : public EditorLauncher {
public:
    /// Logs into `log`.
    explicit RecordingEditorLauncher(CallLog &log)
        : m_log(log)
    {}

    void openInEditor(const QString &path) override
    {
        m_log.add(QStringLiteral("editor(%1)").arg(path));
    }

private:
    CallLog &m_log;
};
