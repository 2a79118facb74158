#pragma once

#include "CallLog.h"
#include "LocalFileOperations.h"

/// Real file operations that log "files.copy(<source> -> <target>)" and
/// "files.remove(<path>)", and fail on request without touching anything.
class FaultyFileOperations final : public FileOperations {
public:
    /// Logs into `log`.
    explicit FaultyFileOperations(CallLog &log)
        : m_log(log)
    {}

    /// Make copies fail, as a full disk would.
    bool failCopy = false;
    /// Make deletes fail, as a read-only folder would.
    bool failRemove = false;

    Result copyOver(const QString &source, const QString &target) override
    {
        m_log.add(QStringLiteral("files.copy(%1 -> %2)").arg(source, target));
        return failCopy ? Result::failure(QStringLiteral("No space left on device"))
                        : m_real.copyOver(source, target);
    }
    Result remove(const QString &path) override
    {
        m_log.add(QStringLiteral("files.remove(%1)").arg(path));
        return failRemove ? Result::failure(QStringLiteral("Read-only file system"))
                          : m_real.remove(path);
    }

private:
    CallLog &m_log;
    LocalFileOperations m_real;
};
