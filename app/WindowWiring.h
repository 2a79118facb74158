#pragma once

class ChannelControls;
class FormLifecycle;
class InfoItems;
class QtTray;
class StatusDisplay;
class Transport;
class Volume;
class WindowOptions;
class frmMain;

/// The operations the main window's controls, keys, timers and tray icon run.
struct WindowPeers {
    Transport &transport;
    FormLifecycle &lifecycle;
    StatusDisplay &status;
    WindowOptions &options;
    InfoItems &info;
    QtTray &tray;
    ChannelControls &channels;
    Volume &volume;
};

/// Connects the window's signals to the operations they run, and the tray icon's clicks
/// and wheel to the window; the program and the tests of the wired window use this one
/// wiring. Everything in `peers` must outlive the window's connections.
void connectWindow(frmMain &window, const WindowPeers &peers);
