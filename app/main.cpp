#include "AlertAnnouncer.h"
#include "ChannelAdder.h"
#include "ChannelControls.h"
#include "ChannelExport.h"
#include "ChannelListLocation.h"
#include "ChannelMenu.h"
#include "DesktopEditorLauncher.h"
#include "DirectoryClient.h"
#include "DropHandler.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "InfoItems.h"
#include "IniSettingsStore.h"
#include "LocalFileOperations.h"
#include "LocalMedia.h"
#include "MpvMediaPlayer.h"
#include "PlayerState.h"
#include "Presets.h"
#include "ProcessRestarter.h"
#include "QtBeeper.h"
#include "QtFileDialogs.h"
#include "QtMessageBox.h"
#include "QtTray.h"
#include "StationActions.h"
#include "StationSearchDialog.h"
#include "StatusDisplay.h"
#include "SystemClock.h"
#include "Transport.h"
#include "UnixSignalWatcher.h"
#include "WindowOptions.h"
#include "frmGmail.h"
#include "frmMain.h"

#include <QApplication>

#include <clocale>
#include <csignal>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(FormSettings::kAppName);
    // The program ends only by the exit button or the window's unload, never because a
    // popup closed while the main window sat hidden in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    // libmpv refuses to start unless numbers are formatted the C way.
    std::setlocale(LC_NUMERIC, "C");

    // A logout, a kill or Ctrl+C unloads the window like a close request, so the state is
    // saved; the handlers only wake the event loop, which does the rest.
    UnixSignalWatcher signalWatcher({SIGTERM, SIGINT, SIGHUP});

    IniSettingsStore store;
    MpvMediaPlayer engine;
    PlayerState state;
    FormSettings settings(store, state, engine);
    frmMain window(state);
    QtTray tray(window.ImageList1());
    QtMessageBox messageBox(&window);
    AlertAnnouncer announcer;
    Transport transport(engine, state, settings, window, tray);
    FormLifecycle lifecycle(engine, state, settings, window, tray);
    // Before the load: the saved always-on-top option takes effect as it is restored.
    WindowOptions options(state, settings, window, window);
    InfoItems info(state, messageBox, announcer);
    window.attach(transport, lifecycle);
    StatusDisplay statusDisplay(engine, state, announcer);
    window.attachStatusDisplay(statusDisplay);

    // The channel sources. The list's place is settled once, before the window loads; a
    // first start copies the starter list there.
    LocalFileOperations files;
    const QString listPath = ChannelListLocation::resolve(
        QCoreApplication::applicationDirPath(), ChannelListLocation::userDataFolder(), files);
    DesktopEditorLauncher editor;
    QtFileDialogs dialogs(&window);
    // After a list install the new instance starts, and this one unloads like a close.
    ProcessRestarter restarter([&window] { window.close(); });
    ChannelMenu channelMenu(listPath, transport, editor);
    DropHandler drops(listPath, engine, state, settings, window, tray, files, restarter,
                      messageBox);
    LocalMedia localMedia(engine, state, window, tray, dialogs);
    ChannelExport exporter(listPath, dialogs, files);
    SystemClock clock;
    QtBeeper beeper;
    Presets presets(store, state, engine, transport, clock, beeper);
    ChannelControls channels(window, channelMenu, drops, localMedia, exporter, presets);
    window.attachChannels(channels);
    ChannelAdder adder(listPath, state, engine, messageBox);
    channels.attachAdder(adder);
    DirectoryClient directory(DirectoryClient::defaults());
    StationActions stationActions(transport, adder, presets, directory);
    StationSearchDialog stationSearch(directory, stationActions, &window);
    QObject::connect(&channels, &ChannelControls::findStationsRequested, &stationSearch, [&] {
        stationSearch.show();
        stationSearch.raise();
        stationSearch.activateWindow();
    });
    window.attachShell(options, info, tray);
    QObject::connect(&signalWatcher, &UnixSignalWatcher::received, &window, &QWidget::close);
    // The session manager only closes visible windows; a window hidden in the tray must
    // still save when the session ends.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &QWidget::close);

    window.load();
    window.show();
    const int status = QApplication::exec();
    // Popups still rising or holding when the program ends belong to no window: close them
    // here, before the objects they were announced from go away.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *popup : windows) {
        if (qobject_cast<frmGmail *>(popup))
            delete popup;
    }
    return status;
}
