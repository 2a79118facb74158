#include "AlertAnnouncer.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "IniSettingsStore.h"
#include "MpvMediaPlayer.h"
#include "NullTray.h"
#include "PlayerState.h"
#include "StatusDisplay.h"
#include "Transport.h"
#include "UnixSignalWatcher.h"
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
    NullTray tray;
    frmMain window(state);
    Transport transport(engine, state, settings, window, tray);
    FormLifecycle lifecycle(engine, state, settings, window, tray);
    window.attach(transport, lifecycle);
    AlertAnnouncer announcer;
    StatusDisplay statusDisplay(engine, state, announcer);
    window.attachStatusDisplay(statusDisplay);
    QObject::connect(&signalWatcher, &UnixSignalWatcher::received, &window, &QWidget::close);
    // The session manager only closes visible windows; a window hidden in the tray must
    // still save when the session ends.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &QWidget::close);

    window.load();
    window.show();
    return QApplication::exec();
}
