#pragma once

#include "CallLog.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "MemorySettingsStore.h"
#include "PlayerState.h"
#include "RecordingAnnouncer.h"
#include "RecordingMediaPlayer.h"
#include "RecordingPlayerView.h"
#include "RecordingTray.h"
#include "StatusDisplay.h"
#include "Transport.h"

#include <memory>

/// The player's objects wired to recording fakes around one settings store, with every
/// state change logged as "<holder>=<value>". restart() builds them anew over the same
/// store, as a second run of the program would.
class PlayerFixture {
public:
    /// Builds the objects over `external`, which must outlive the fixture, or, without one,
    /// over an in-memory store that logs its writes.
    explicit PlayerFixture(SettingsStore *external = nullptr);
    ~PlayerFixture();

    /// Throws the objects away and builds fresh ones, as a new run of the program does.
    void restart();
    /// The six lines a save of these values logs, in the order they are written.
    static QStringList saveLines(const QString &url, const QString &title, const QString &text,
                                 const QString &saved, int farge = 0, int info = 0);
    /// The locale the fixture's status display writes numbers in: Norwegian, with the
    /// decimal comma of the reset text, whatever the machine's own locale.
    static QLocale statusLocale() { return QLocale(QLocale::NorwegianBokmal, QLocale::Norway); }

    CallLog log;
    MemorySettingsStore memory{&log};
    SettingsStore &store;
    std::unique_ptr<RecordingMediaPlayer> engine;
    std::unique_ptr<PlayerState> state;
    std::unique_ptr<FormSettings> settings;
    std::unique_ptr<RecordingPlayerView> view;
    std::unique_ptr<RecordingTray> tray;
    std::unique_ptr<Transport> transport;
    std::unique_ptr<FormLifecycle> lifecycle;
    std::unique_ptr<RecordingAnnouncer> announcer;
    std::unique_ptr<StatusDisplay> status;
};
