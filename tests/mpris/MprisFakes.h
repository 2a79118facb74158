#pragma once

#include "MediaPlayer.h"
#include "SettingsStore.h"

#include <QMap>

/// An engine that plays nothing: it holds the URL, the volume and the playback it is given.
class StubEngine final : public MediaPlayer {
public:
    QString url() const override { return m_url; }
    void setUrl(const QString &url) override { m_url = url; }
    void stop() override {}
    void close() override {}
    void setVolume(int percent) override { m_volume = percent; }
    int volume() const override { return m_volume; }
    std::optional<QString> itemInfo(const QString &) const override { return {}; }
    std::optional<qint64> bandWidth() const override { return {}; }
    std::optional<int> bufferingProgress() const override { return {}; }
    std::optional<int> bufferingCount() const override { return {}; }
    Playback playback() const override { return m_playback; }

    QString m_url;
    int m_volume = -1;
    Playback m_playback;
};

/// Settings in memory, keyed by key alone (one application, one section).
class MapStore final : public SettingsStore {
public:
    bool saveSetting(const QString &, const QString &, const QString &key,
                     const QString &value) override
    {
        values.insert(key, value);
        return true;
    }
    QString getSetting(const QString &, const QString &, const QString &key,
                       const QString &fallback) const override
    {
        return values.value(key, fallback);
    }
    bool deleteSection(const QString &, const QString &) override
    {
        values.clear();
        return true;
    }

    QMap<QString, QString> values;
};
