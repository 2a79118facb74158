#pragma once

#include "CallLog.h"
#include "MediaPlayer.h"

/// An engine that plays nothing and logs every command as "engine.<command>(<argument>)".
class RecordingMediaPlayer final : public MediaPlayer {
public:
    /// Logs into `log`.
    explicit RecordingMediaPlayer(CallLog &log)
        : m_log(log)
    {}

    QString url() const override { return m_url; }
    void setUrl(const QString &url) override
    {
        m_url = url;
        m_log.add(QStringLiteral("engine.setUrl(%1)").arg(url));
    }
    void stop() override { m_log.add(QStringLiteral("engine.stop()")); }
    void close() override { m_log.add(QStringLiteral("engine.close()")); }
    void setVolume(int percent) override
    {
        m_volume = percent;
        m_log.add(QStringLiteral("engine.setVolume(%1)").arg(percent));
    }
    int volume() const override { return m_volume; }
    std::optional<QString> itemInfo(const QString &) const override { return {}; }
    std::optional<qint64> bandWidth() const override { return {}; }
    std::optional<int> bufferingProgress() const override { return {}; }
    std::optional<int> bufferingCount() const override { return {}; }

private:
    CallLog &m_log;
    QString m_url;
    int m_volume = 50;
};
