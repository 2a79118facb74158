#pragma once

#include "CallLog.h"
#include "MediaPlayer.h"

#include <QMap>

/// An engine that plays nothing and logs every command as "engine.<command>(<argument>)".
/// Its reads answer what a test puts in the public fields below; an absent item or an
/// empty optional is a failed read, as a real engine's with nothing to describe.
class RecordingMediaPlayer final : public MediaPlayer {
public:
    /// Answers of itemInfo() by name ("Bitrate", "Author", "Title").
    QMap<QString, QString> items;
    /// Answer of bandWidth().
    std::optional<qint64> bandWidthValue;
    /// Answer of bufferingProgress().
    std::optional<int> bufferingProgressValue;
    /// Answer of bufferingCount().
    std::optional<int> bufferingCountValue;

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
    std::optional<QString> itemInfo(const QString &name) const override
    {
        const auto found = items.constFind(name);
        return found == items.cend() ? std::nullopt : std::optional<QString>(*found);
    }
    std::optional<qint64> bandWidth() const override { return bandWidthValue; }
    std::optional<int> bufferingProgress() const override { return bufferingProgressValue; }
    std::optional<int> bufferingCount() const override { return bufferingCountValue; }

private:
    CallLog &m_log;
    QString m_url;
    int m_volume = 50;
};
