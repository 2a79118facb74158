#pragma once

#include "CallLog.h"
#include "FileDialogs.h"

/// Dialogs that show nothing: each answers with nextAnswer (no answer: cancelled), logs
/// "dialog.save(<title>)" or "dialog.open(<title>)" and keeps the request.
class FakeFileDialogs final : public FileDialogs {
public:
    /// Logs into `log`.
    explicit FakeFileDialogs(CallLog &log)
        : m_log(log)
    {}

    /// The path the next dialog answers with; empty means cancelled. Used up by a dialog.
    std::optional<QString> nextAnswer;
    /// The last dialog's request.
    Request lastRequest;

    std::optional<QString> getSaveFileName(const Request &request) override
    {
        return answer(QStringLiteral("save"), request);
    }
    std::optional<QString> getOpenFileName(const Request &request) override
    {
        return answer(QStringLiteral("open"), request);
    }

private:
    std::optional<QString> answer(const QString &kind, const Request &request)
    {
        lastRequest = request;
        m_log.add(QStringLiteral("dialog.%1(%2)").arg(kind, request.title));
        return std::exchange(nextAnswer, std::nullopt);
    }

    CallLog &m_log;
};
