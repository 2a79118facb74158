#pragma once

#include "ChannelAdder.h"

class DirectoryClient;
class Presets;
class Transport;
struct Station;

/// What the station search does with a station it found: play it, add it to My Channels,
/// or store it on a preset, through the same paths the menu and the buttons use.
class StationActions {
public:
    /// Works on the given collaborators, which must outlive it.
    StationActions(Transport &transport, ChannelAdder &adder, Presets &presets,
                   DirectoryClient &directory);

    /// Tunes to `station` as a menu entry does, and reports the click to the directory.
    void play(const Station &station);
    /// Adds `station` to My Channels; `done` gets the result once the list is written.
    void add(const Station &station, ChannelAdder::Done done);
    /// Stores `station` on preset `preset` (1…9).
    void store(int preset, const Station &station);

private:
    Transport &m_transport;
    ChannelAdder &m_adder;
    Presets &m_presets;
    DirectoryClient &m_directory;
};
