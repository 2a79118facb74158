#include "AlertAnnouncer.h"
#include "ChannelAdder.h"
#include "ChannelControls.h"
#include "ChannelExport.h"
#include "ChannelListLocation.h"
#include "ChannelMenu.h"
#include "CommandLine.h"
#include "DesktopEditorLauncher.h"
#include "DesktopUrlLauncher.h"
#include "DirectoryClient.h"
#include "DropHandler.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "HistoryDatabase.h"
#include "HistoryRetention.h"
#include "HistoryWindow.h"
#include "InfoItems.h"
#include "IniSettingsStore.h"
#include "LocalFileOperations.h"
#include "LocalMedia.h"
#include "MediaControls.h"
#include "MprisService.h"
#include "MpvMediaPlayer.h"
#include "PlayerCore.h"
#include "PlayerState.h"
#include "Presets.h"
#include "ProcessRestarter.h"
#include "QtBeeper.h"
#include "QtFileDialogs.h"
#include "QtMessageBox.h"
#include "QtNumberPrompt.h"
#include "QtTray.h"
#include "Recorder.h"
#include "SingleInstance.h"
#include "SleepTimer.h"
#include "SongRecorder.h"
#include "StationActions.h"
#include "StationSearchDialog.h"
#include "StatusDisplay.h"
#include "SystemClock.h"
#include "Translations.h"
#include "Transport.h"
#include "UnixSignalWatcher.h"
#include "Volume.h"
#include "WindowOptions.h"
#include "WindowWiring.h"
#include "frmGmail.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// glibc raises its mmap threshold to the size of every large block freed, so after the
// first stream is closed its multi-megabyte buffers come from a thread's arena, which
// keeps the high-water mark of overlapping openings for good: zapping fast added 17 MiB.
// A fixed threshold keeps them mapped and unmapped whole. Set before the engine's threads.
void keepLargeBuffersOutOfTheHeap()
{
#if defined(__GLIBC__)
    if (mallopt(M_MMAP_THRESHOLD, 256 * 1024) != 1)
        qWarning("the malloc mmap threshold could not be set");
#endif
}

// A stream's demuxer cache and decoder buffers are freed on the engine's threads, and their
// malloc arenas keep the pages: without this, a day of zapping ratchets the resident size
// up by ten megabytes or more. Once a new stream has settled, hand them back.
void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// How long after a stream starts playing the memory the previous one freed is given back;
// a burst of tunings gives it back once.
constexpr int kTrimDelayMs = 3000;
// How long the ending waits for the engine's threads once the state is saved; a desktop
// ending a session expects a program to go at once.
constexpr std::chrono::milliseconds kEngineExitWait{5};

int run(int argc, char *argv[])
{
    // Before the application object, so that --help, --version and a mistyped option
    // answer without a display; Qt's own options (-platform ...) are left for it. They answer
    // in the desktop's language, which needs an application object, but no display.
    const QStringList early =
        CommandLine::withoutToolkitOptions(CommandLine::arguments(argc, argv));
    if (CommandLine::parse(early, {}).exitCode) {
        const QCoreApplication terminal(argc, argv);
        Translations::install();
        if (const auto status = CommandLine::finish(CommandLine::parse(early, {}), true))
            return *status;
    }
    QApplication app(argc, argv);
    // Before anything builds a text.
    Translations::install();
    QApplication::setApplicationName(FormSettings::kAppName);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.morvena.Webradio"));
    const CommandLine::Result command =
        CommandLine::parse(QCoreApplication::arguments(), QDir::currentPath());
    if (const auto status = CommandLine::finish(command, true)) {
        return *status;
    }
    // A later start hands its location to the running player and ends; a restart after a
    // list install waits for the instance it replaces instead.
    SingleInstance instance(SingleInstance::defaultName());
    if (command.restart) {
        instance.takeOver();
    } else if (!instance.claim(command.target)) {
        return 0;
    }
    // The program ends only by the exit button or the window's unload, never because a
    // popup closed while the main window sat hidden in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    keepLargeBuffersOutOfTheHeap();

    // A logout, a kill or Ctrl+C unloads the window like a close request, so the state is
    // saved; the handlers only wake the event loop, which does the rest.
    UnixSignalWatcher signalWatcher({SIGTERM, SIGINT, SIGHUP});

    IniSettingsStore store;
    MpvMediaPlayer engine;
    PlayerState state;
    frmMain window(state);
    QtTray tray(window.ImageList1());
    QtMessageBox messageBox(&window);
    AlertAnnouncer announcer;
    SystemClock clock;
    QtBeeper beeper;
    DesktopEditorLauncher editor;
    QtFileDialogs dialogs(&window);
    // The channel list's place is settled once, before the window loads; a first start
    // copies the starter list there.
    LocalFileOperations files;
    const QString listPath = ChannelListLocation::resolve(
        QCoreApplication::applicationDirPath(), ChannelListLocation::userDataFolder(), files);
    // After a list install the new instance starts, and this one unloads like a close.
    ProcessRestarter restarter([&window] { window.close(); },
                               {QString(CommandLine::kRestartOption)});
    PlayerCore core(PlayerEdges{engine, store, state, window, tray, announcer, clock, beeper,
                                editor, files, restarter, messageBox, dialogs, listPath,
                                QLocale()});
    Transport &transport = core.transport;
    StatusDisplay &statusDisplay = core.status;
    // Before the load: the saved always-on-top option takes effect as it is restored.
    WindowOptions options(state, core.settings, window, window);
    InfoItems info(state, messageBox, announcer);
    // The engine's own events keep the state current, whether the window shows it or not.
    QObject::connect(&engine, &MpvMediaPlayer::statusChanged, &window, [&] {
        transport.playbackChanged(engine.playback());
        statusDisplay.refresh();
    });
    QObject::connect(&engine, &MpvMediaPlayer::metadataChanged, &window,
                     [&statusDisplay] { statusDisplay.refresh(); });
    QObject::connect(&state, &PlayerState::changed, &tray,
                     [&tray](const PlayerSnapshot &now) { tray.setNowPlaying(now.line); });
    QTimer trimTimer;
    trimTimer.setSingleShot(true);
    trimTimer.setInterval(kTrimDelayMs);
    QObject::connect(&trimTimer, &QTimer::timeout, &releaseFreedMemory);
    QObject::connect(&engine, &MpvMediaPlayer::audioStarted, &trimTimer,
                     qOverload<>(&QTimer::start));

    ChannelControls channels(window, core.menu, core.drops, core.localMedia, core.exporter,
                             core.presets);
    channels.attachAdder(core.adder);
    DirectoryClient directory(DirectoryClient::defaults());
    StationActions stationActions(transport, core.adder, core.presets, directory);
    StationSearchDialog stationSearch(directory, stationActions, &window);
    QObject::connect(&channels, &ChannelControls::findStationsRequested, &stationSearch, [&] {
        stationSearch.show();
        stationSearch.raise();
        stationSearch.activateWindow();
    });
    Volume volume(core.settings, engine);

    // The song history, beside the channel list in the data folder: the recorder keeps
    // what the stream names, the window shows it, the panel's star marks the song playing.
    HistoryDatabase history(
        QDir(ChannelListLocation::userDataFolder()).filePath(HistoryDatabase::kFileName),
        messageBox);
    history.open();
    SongRecorder recorder(history, clock);
    HistoryRetention retention(history, store, clock);
    retention.start();
    DesktopUrlLauncher browser;
    HistoryWindow historyWindow(history, clock, browser, dialogs, &window);
    QObject::connect(&window, &frmMain::historyRequested, &historyWindow,
                     [&] { historyWindow.showTab(HistoryWindow::Tab::All); });
    QObject::connect(&window, &frmMain::starredRequested, &historyWindow,
                     [&] { historyWindow.showTab(HistoryWindow::Tab::Starred); });
    QObject::connect(&historyWindow, &HistoryWindow::playRequested, &window,
                     [&](const QString &name, const QString &url) {
                         transport.tune(name, url, ChannelSource::History);
                     });
    QObject::connect(&window, &frmMain::starRequested, &window, [&] {
        const auto song = recorder.current();
        switch (recorder.starNow()) {
        case SongRecorder::StarResult::Starred:
            window.flashStatus(
                QCoreApplication::translate("main", "Starred: %1").arg(song->text()));
            break;
        case SongRecorder::StarResult::NoSong:
            window.flashStatus(QCoreApplication::translate("main", "No song to star"));
            break;
        case SongRecorder::StarResult::NotKept:
            window.flashStatus(QCoreApplication::translate("main", "History paused: not starred"));
            break;
        }
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &recorder, &SongRecorder::finish);
    QObject::connect(&state, &PlayerState::changed, &recorder, &SongRecorder::update);

    // The engine winds down while the state is saved (connected before the unload, which
    // saves and ends): stopping a stream costs it a tenth of a second or more.
    QObject::connect(&window, &frmMain::unloading, &engine,
                     [&engine] { engine.beginShutdown(kEngineExitWait); });
    connectWindow(
        window, {transport, core.lifecycle, statusDisplay, options, info, tray, channels, volume});

    // Recording and the sleep timer. Both follow the player's snapshots; the fade goes to the
    // engine alone, so the stored level stays the listener's.
    Recorder recording(engine, clock,
                       RecorderOptions::load(store, QString(FormSettings::kAppName),
                                             QString(FormSettings::kSection)));
    SleepTimer sleep(clock, volume.level());
    QtNumberPrompt numberPrompt(&window);
    QTimer sleepTick;
    sleepTick.setInterval(SleepTimer::kTickMs);
    QObject::connect(&sleepTick, &QTimer::timeout, &sleep, &SleepTimer::tick);
    const auto showMarks = [&] {
        QStringList marks{recording.text(), sleep.text()};
        marks.removeAll(QString());
        tray.setMarks(marks.join(QStringLiteral(" \u00b7 ")));
    };
    QObject::connect(&window, &frmMain::recordToggled, &recording, &Recorder::toggle);
    QObject::connect(&recording, &Recorder::onChanged, &window, &frmMain::setRecordingShown);
    QObject::connect(&recording, &Recorder::onChanged, &tray, showMarks);
    QObject::connect(&recording, &Recorder::failed, &window, [&](const QString &message) {
        messageBox.warning(QCoreApplication::translate("main", "Recording"), message);
    });
    QObject::connect(&window, &frmMain::sleepRequested, &sleep, [&](int minutes) {
        if (sleep.choose(minutes, numberPrompt))
            window.flashStatus(SleepTimer::choiceText(sleep.minutes()));
    });
    QObject::connect(&sleep, &SleepTimer::changed, &window, [&] {
        window.setSleepShown(sleep.minutes());
        showMarks();
        // A timer that is off wakes nobody.
        sleep.isSet() ? sleepTick.start() : sleepTick.stop();
    });
    QObject::connect(&sleep, &SleepTimer::engineVolume, &window,
                     [&engine](int percent) { engine.setVolume(percent); });
    QObject::connect(&sleep, &SleepTimer::pauseRequested, &window, [&] { transport.pause(); });
    QObject::connect(&volume, &Volume::changed, &sleep, &SleepTimer::listenerVolume);
    QObject::connect(&state, &PlayerState::changed, &recording, &Recorder::update);
    QObject::connect(&state, &PlayerState::changed, &sleep, &SleepTimer::update);

    // The desktop's media controls. Every change the desktop could show goes through a
    // refresh, which tells it only what really changed.
    MediaControls mediaControls(state, store, volume);
    QObject::connect(&state, &PlayerState::changed, &mediaControls, &MediaControls::refresh);
    QObject::connect(&volume, &Volume::changed, &mediaControls, &MediaControls::refresh);
    QObject::connect(&channels, &ChannelControls::notice, &mediaControls, &MediaControls::refresh);
    MprisService mpris(mediaControls, transport, core.presets, volume,
                       {.raise = [&window] { window.restoreFromTray(); },
                        .quit =
                            [&window] {
                                window.close();
                            }});
    QObject::connect(&signalWatcher, &UnixSignalWatcher::received, &window, &QWidget::close);
    // The session manager only closes visible windows; a window hidden in the tray must
    // still save when the session ends.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &QWidget::close);

    QObject::connect(&instance, &SingleInstance::requested, &window,
                     [&window, &core](const QString &target) {
                         window.raiseFromDesktop();
                         CommandLine::open(target, core.drops);
                     });

    window.load();
    window.show();
    mpris.start();
    CommandLine::open(command.target, core.drops);
    const int status = QApplication::exec();
    engine.beginShutdown(kEngineExitWait);
#ifndef MORVENA_FULL_TEARDOWN
    // Everything of ours is on disk by now: the settings were saved at the unload, and each
    // song went into the history as it ended, whose store takes a kill in its stride. Taking
    // the windows, the tray, the X and D-Bus connections, the history's checkpoint and the
    // engine's threads down one by one would hold the exit for tens of milliseconds; the
    // system ends them all with the process. Only the socket later starts look for is ours
    // to remove.
    instance.release();
    std::fflush(nullptr);
    std::_Exit(status);
#else
    // The sanitizer build takes everything down, so that a leak or a use after free in the
    // teardown is found. Popups still rising or holding belong to no window: they close
    // first, before the objects they were announced from go away.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *popup : windows) {
        if (qobject_cast<frmGmail *>(popup))
            delete popup;
    }
    return status;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    const int status = run(argc, argv);
    // Everything of ours is saved and closed; only the engine's threads may still be
    // winding down (a connection being retried), and waiting for them would hold the exit.
    if (MpvMediaPlayer::teardownPending()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
