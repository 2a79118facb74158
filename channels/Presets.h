#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class Beeper;
class Clock;
class PlayerState;
class SettingsStore;
class Transport;

/// The nine preset buttons: a short press tunes to the stored channel, a press held for
/// kLongPressSeconds or more stores the channel that plays now.
///
/// Press and release are timed in whole seconds of the local wall clock, as the buttons
/// always were: what counts is how far the clock's seconds moved between the two, so a
/// hold of 1.1 s across two second boundaries is long and one of 1.9 s across one is short.
class Presets {
    Q_DECLARE_TR_FUNCTIONS(Presets)

public:
    /// The number of presets.
    static constexpr int kCount = 9;
    /// A hold of this many clock seconds or more stores instead of tuning.
    static constexpr qint64 kLongPressSeconds = 2;
    /// The window's button of each preset: PictureButton8 is preset 1, …, 18 is preset 9.
    static constexpr std::array<int, kCount> kPictureButtons{8, 9, 12, 13, 14, 15, 16, 17, 18};

    /// Works on the given collaborators, which must outlive it.
    Presets(SettingsStore &store, PlayerState &state, Transport &transport, Clock &clock,
            Beeper &beeper);

    /// The settings key of preset `preset`'s name: "Knapp<preset>_Navn".
    static QString nameKey(int preset);
    /// The settings key of preset `preset`'s address: "Knapp<preset>_URL".
    static QString urlKey(int preset);
    /// The preset of button PictureButton`number`, or 0 when it is no preset button.
    static int presetOfButton(int number);

    /// The tooltip of preset `preset`: the channel it holds, or how to store one.
    QString toolTip(int preset) const;
    /// Lets `notice` show what a press did where the beep alone would say nothing: a store
    /// ("Stored on 3") or a press on an empty preset; `stored` hears of every store.
    void setListeners(std::function<void(const QString &)> notice, std::function<void(int)> stored);

    /// A short press of preset `preset`: tunes to its channel. An empty preset only says
    /// so: it must not silence the channel that plays.
    void tune(int preset);
    /// A long press of preset `preset`: stores the channel that plays now, with a beep.
    void store(int preset);

    /// A press on any preset button, with any mouse button: notes the time.
    void mouseDown();
    /// The release of preset `preset` (1…9), wherever the pointer is: stores after a long
    /// hold, tunes otherwise.
    void mouseUp(int preset);
    /// Stores the channel `name` at `url` on preset `preset` (1…9), as a long press stores
    /// the playing one; any other number is passed over.
    void storeChannel(int preset, const QString &name, const QString &url);

private:
    QDateTime wallClockSecond() const;
    QString setting(const QString &key) const;

    SettingsStore &m_store;
    PlayerState &m_state;
    Transport &m_transport;
    Clock &m_clock;
    Beeper &m_beeper;
    std::optional<QDateTime> m_pressTime;
    std::function<void(const QString &)> m_notice;
    std::function<void(int)> m_stored;
};
