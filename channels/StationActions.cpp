#include "StationActions.h"

#include "ChannelAdder.h"
#include "DirectoryClient.h"
#include "Presets.h"
#include "Transport.h"

StationActions::StationActions(Transport &transport, ChannelAdder &adder, Presets &presets,
                               DirectoryClient &directory)
    : m_transport(transport)
    , m_adder(adder)
    , m_presets(presets)
    , m_directory(directory)
{}

void StationActions::play(const Station &station)
{
    m_transport.tune(station.name, station.playUrl(), ChannelSource::Directory);
    m_directory.reportClick(station.uuid);
}

void StationActions::add(const Station &station, ChannelAdder::Done done)
{
    m_adder.add(station.name, station.playUrl(), std::move(done));
}

void StationActions::store(int preset, const Station &station)
{
    m_presets.storeChannel(preset, station.name, station.playUrl());
}
