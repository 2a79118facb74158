#pragma once

#include "CallLog.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "MemorySettingsStore.h"
#include "PlayerState.h"
#include "RecordingMediaPlayer.h"
#include "RecordingTray.h"
#include "Transport.h"
#include "frmMain.h"

/// The main window and the player's objects as main() wires them, over a store in memory
/// (whose writes go to `log` when asked), a recording engine and a recording tray. Tests
/// derive from it, attach what else they need and load the window.
struct WiredWindow {
    explicit WiredWindow(bool logStoreWrites = false)
        : store(logStoreWrites ? &log : nullptr)
    {}

    CallLog log;
    MemorySettingsStore store;
    RecordingMediaPlayer engine{log};
    PlayerState state;
    FormSettings settings{store, state, engine};
    RecordingTray tray{log};
    frmMain window{state};
    Transport transport{engine, state, settings, window, tray};
    FormLifecycle lifecycle{engine, state, settings, window, tray};
};
