#include "WindowWiring.h"

#include "ChannelControls.h"
#include "FormLifecycle.h"
#include "InfoItems.h"
#include "QtTray.h"
#include "StatusDisplay.h"
#include "Transport.h"
#include "Volume.h"
#include "WindowOptions.h"
#include "frmMain.h"

#include <QTimer>

void connectWindow(frmMain &window, const WindowPeers &peers)
{
    Transport &transport = peers.transport;
    FormLifecycle &lifecycle = peers.lifecycle;
    ChannelControls &channels = peers.channels;
    Volume &volume = peers.volume;
    QtTray &tray = peers.tray;
    QObject::connect(&window, &frmMain::loading, &window, [&lifecycle, &channels] {
        lifecycle.loadForm();
        // After the saved state, before the now-playing default, as the window always did.
        channels.buildChannelMenu();
        lifecycle.finishLoad();
    });
    QObject::connect(&window, &frmMain::activating, &window,
                     [&lifecycle] { lifecycle.activate(); });
    QObject::connect(&window, &frmMain::unloading, &window, [&lifecycle] { lifecycle.unload(); });
    QObject::connect(&window, &frmMain::functionsPopupLoading, &window,
                     [&lifecycle] { lifecycle.loadFunctionsPopup(); });

    QObject::connect(&window, &frmMain::toTrayRequested, &window,
                     [&transport] { transport.toTray(); });
    QObject::connect(&window, &frmMain::exitRequested, &window, [&transport] { transport.exit(); });
    QObject::connect(&window, &frmMain::pauseButtonClicked, &window,
                     [&transport] { transport.pauseButton(); });
    QObject::connect(&window, &frmMain::pauseRequested, &window,
                     [&transport] { transport.pause(); });
    QObject::connect(&window, &frmMain::continueRequested, &window,
                     [&transport] { transport.continuePlaying(); });
    QObject::connect(&window, &frmMain::stopRequested, &window, [&transport] { transport.stop(); });

    StatusDisplay &status = peers.status;
    QObject::connect(window.tmrUpdate(), &QTimer::timeout, &window, [&status] { status.poll(); });
    QObject::connect(&window, &frmMain::statusPollResumed, &window, [&status] { status.poll(); });
    QObject::connect(window.Timer5(), &QTimer::timeout, &window, [&status] { status.watch(); });

    WindowOptions &options = peers.options;
    QObject::connect(&window, &frmMain::visToppTriggered, &window,
                     [&options] { options.vis_topp(); });
    QObject::connect(&window, &frmMain::ikkeTopTriggered, &window,
                     [&options] { options.ikke_top(); });
    QObject::connect(&window, &frmMain::jaInfoTriggered, &window,
                     [&options] { options.ja_info(); });
    QObject::connect(&window, &frmMain::infoIkkeTriggered, &window,
                     [&options] { options.info_ikke(); });
    InfoItems &info = peers.info;
    QObject::connect(&window, &frmMain::aboutRequested, &window, [&info] { info.hjelp_nettr(); });
    QObject::connect(&window, &frmMain::whatsOnRequested, &window, [&info] { info.hva_spn(); });

    QObject::connect(&window, &frmMain::presetKey, &window, [&channels](int preset, bool store) {
        store ? channels.storePreset(preset) : channels.tunePreset(preset);
    });
    QObject::connect(&channels, &ChannelControls::notice, &window, &frmMain::flashStatus);
    QObject::connect(&window, &frmMain::volumeStepRequested, &volume, &Volume::step);
    QObject::connect(&window, &frmMain::wheelTurned, &volume, &Volume::wheel);
    QObject::connect(&volume, &Volume::changed, &window,
                     [&window](int level) { window.flashStatus(Volume::text(level)); });

    window.setTrayAvailable([&tray] { return tray.isAvailable(); });
    QObject::connect(&tray, &QtTray::leftPressed, &window, &frmMain::openFunctionsPopup);
    QObject::connect(&tray, &QtTray::rightPressed, &window, &frmMain::openMainMenuFromTray);
    QObject::connect(&tray, &QtTray::leftDoubleClicked, &window, &frmMain::restoreFromTray);
    QObject::connect(&tray, &QtTray::wheelTurned, &volume, &Volume::wheel);
    QObject::connect(&window, &frmMain::restoredFromTray, &tray, &QtTray::remove);
}
