#pragma once

#include "PlayerSnapshot.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <array>
#include <optional>

class Clock;
class NumberPrompt;

/// Falls asleep with the listener: after the time chosen, the volume fades to silence over
/// the last kFadeSeconds, the player pauses, and the listener's level is put back so that
/// the next listening starts at it.
///
/// The fade goes to the engine alone, never to the stored level. Any tuning, stop, pause or
/// volume change by the listener during the fade cancels it (the level comes back) and sets
/// the timer again for the time chosen: someone is still listening.
class SleepTimer : public QObject {
    Q_OBJECT

public:
    /// The fade to silence before the pause.
    static constexpr int kFadeSeconds = 30;
    /// How often tick() should run.
    static constexpr int kTickMs = 1000;
    /// The choices the menus offer, in minutes.
    static constexpr std::array<int, 5> kChoices{15, 30, 45, 60, 90};
    /// The longest time that can be typed in, in minutes (a day).
    static constexpr int kMaxMinutes = 24 * 60;

    /// Off, reading the time from `clock` (which must outlive it); `level` is the listener's
    /// volume in percent.
    SleepTimer(const Clock &clock, int level, QObject *parent = nullptr);

    /// True while the timer runs.
    bool isSet() const { return m_end.has_value(); }
    /// The minutes chosen; 0 when off.
    int minutes() const { return m_minutes; }
    /// True while the volume fades.
    bool isFading() const { return m_fading; }
    /// The tray tip's words: "Sleep in 25 min", "Sleep in 0:40"; empty when off.
    QString text() const;
    /// The status line's words for a choice: "Sleep in 30 min" or "Sleep timer off".
    static QString choiceText(int minutes);

    /// A choice from the menus or the key: `minutes` as set() takes them, or below 0 a time
    /// asked of the listener through `prompt`; false when the listener cancelled.
    bool choose(int minutes, NumberPrompt &prompt);

public slots:
    /// Pauses after `minutes` (0 or less: off); a running fade is cancelled.
    void set(int minutes);
    /// Moves the fade on and pauses when the time is up; a timer of kTickMs calls it.
    void tick();
    /// The player changed: a tuning, a stop or a pause by the listener cancels the fade.
    void update(const PlayerSnapshot &now);
    /// The listener set the volume to `level`: that is the level to restore, and a running
    /// fade ends.
    void listenerVolume(int level);

signals:
    /// The engine's volume should be `percent` now, for the fade or its end; never stored.
    void engineVolume(int percent);
    /// Time is up: pause the player.
    void pauseRequested();
    /// The timer was set, ran out or its text changed.
    void changed();

private:
    void cancelFade();
    void setText(const QString &text);

    const Clock &m_clock;
    int m_level;
    int m_minutes = 0;
    std::optional<QDateTime> m_end;
    bool m_fading = false;
    int m_fadeLevel = -1;
    bool m_playing = false;
    Channel m_channel;
    QString m_text;
};
