#include "PlayerCore.h"

PlayerCore::PlayerCore(const PlayerEdges &e)
    : settings(e.store, e.state, e.engine)
    , transport(e.engine, e.state, settings, e.view, e.tray)
    , lifecycle(e.state, settings, e.view, transport)
    , status(e.engine, e.state, e.announcer, e.clock, e.locale)
    , menu(e.listPath, transport, e.editor)
    , presets(e.store, e.state, transport, e.clock, e.beeper)
    , drops(e.listPath, e.engine, transport, settings, e.tray, e.files, e.restarter, e.messages)
    , localMedia(e.engine, transport, e.dialogs)
    , exporter(e.listPath, e.dialogs, e.files)
    , adder(e.listPath, e.state, e.messages)
{}
