#include "HistoryRetention.h"

#include "Clock.h"
#include "FormSettings.h"
#include "HistoryDatabase.h"
#include "HistoryLogging.h"
#include "SettingsStore.h"

int HistoryRetention::daysFrom(const QString &value)
{
    bool ok = false;
    const int days = value.trimmed().toInt(&ok);
    return ok && days >= 1 ? days : kDefaultDays;
}

HistoryRetention::HistoryRetention(HistoryDatabase &history, const SettingsStore &settings,
                                   const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_history(history)
    , m_settings(settings)
    , m_clock(clock)
{
    m_daily.setInterval(kIntervalMs);
    connect(&m_daily, &QTimer::timeout, this, &HistoryRetention::prune);
}

void HistoryRetention::start()
{
    prune();
    m_daily.start();
}

// The setting is read each time, so an edit takes effect by the next day's prune.
int HistoryRetention::prune()
{
    const int days = daysFrom(
        m_settings.getSetting(FormSettings::kAppName, FormSettings::kSection, kKey, QString()));
    const int removed = m_history.prune(m_clock.now().addDays(-days));
    qCDebug(lcHistory) << "kept" << days << "days, forgot" << removed << "songs";
    return removed;
}
