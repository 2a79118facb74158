#pragma once

#include <QLatin1StringView>
#include <QObject>
#include <QTimer>

class Clock;
class HistoryDatabase;
class SettingsStore;

/// How long the history keeps songs: starred ones for ever, the others for the number of
/// days in the settings file (HistorikkDager). Prunes at start and once a day after.
class HistoryRetention : public QObject {
    Q_OBJECT

public:
    /// The settings key in the program's section.
    static constexpr QLatin1StringView kKey{"HistorikkDager"};
    /// The days kept when the key is missing or holds no whole number of at least 1.
    static constexpr int kDefaultDays = 90;
    /// How often a running program prunes again.
    static constexpr int kIntervalMs = 24 * 60 * 60 * 1000;

    /// The days to keep for the setting's text `value`.
    static int daysFrom(const QString &value);

    /// Prunes `history` by the setting in `settings` at the times `clock` gives; all must
    /// outlive it.
    HistoryRetention(HistoryDatabase &history, const SettingsStore &settings, const Clock &clock,
                     QObject *parent = nullptr);

    /// Prunes now and starts the daily prune.
    void start();
    /// Forgets the songs past the days to keep; how many.
    int prune();

private:
    HistoryDatabase &m_history;
    const SettingsStore &m_settings;
    const Clock &m_clock;
    QTimer m_daily;
};
