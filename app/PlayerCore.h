#pragma once

#include "ChannelAdder.h"
#include "ChannelExport.h"
#include "ChannelMenu.h"
#include "DropHandler.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "LocalMedia.h"
#include "Presets.h"
#include "StatusDisplay.h"
#include "Transport.h"

#include <QLocale>
#include <QString>

class Announcer;
class Beeper;
class Clock;
class EditorLauncher;
class FileDialogs;
class FileOperations;
class MediaPlayer;
class MessageBox;
class PlayerState;
class PlayerView;
class Restarter;
class SettingsStore;
class Tray;

/// What the player's operations work through: the engine, the store, the window (as a
/// view and a tray) and the desktop. The program passes the real ones, the tests fakes.
struct PlayerEdges {
    MediaPlayer &engine;
    SettingsStore &store;
    PlayerState &state;
    PlayerView &view;
    Tray &tray;
    Announcer &announcer;
    Clock &clock;
    Beeper &beeper;
    EditorLauncher &editor;
    FileOperations &files;
    Restarter &restarter;
    MessageBox &messages;
    FileDialogs &dialogs;
    QString listPath; ///< the channel list's full path
    QLocale locale;   ///< how the status line writes numbers
};

/// The player's operations, built and tied to each other in one place that the program
/// and the test fixture share. Everything in the edges must outlive it.
class PlayerCore {
public:
    /// Builds the operations over `edges`; nothing is read or played until the window loads.
    explicit PlayerCore(const PlayerEdges &edges);

    FormSettings settings;
    Transport transport;
    FormLifecycle lifecycle;
    StatusDisplay status;
    ChannelMenu menu;
    Presets presets;
    DropHandler drops;
    LocalMedia localMedia;
    ChannelExport exporter;
    ChannelAdder adder;
};
