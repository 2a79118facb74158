#include "LocalMedia.h"

#include "ItemText.h"
#include "MediaPlayer.h"
#include "Transport.h"

#include <QCoreApplication>

FileDialogs::Request LocalMedia::openRequest()
{
    FileDialogs::Request request;
    request.title = QCoreApplication::translate("LocalMedia", kTitle.data());
    request.filter = QCoreApplication::translate("LocalMedia", kFilter.data());
    request.filterIndex = 1;
    request.options = FileDialogs::Option::HideReadOnly | FileDialogs::Option::FileMustExist |
                      FileDialogs::Option::Explorer | FileDialogs::Option::LongNames;
    return request;
}

LocalMedia::LocalMedia(MediaPlayer &engine, Transport &transport, FileDialogs &dialogs)
    : m_engine(engine)
    , m_transport(transport)
    , m_dialogs(dialogs)
{}

void LocalMedia::musikkfilClick()
{
    const auto chosen = m_dialogs.getOpenFileName(openRequest());
    if (!chosen) {
        return;
    }
    m_engine.stop();
    m_engine.close();
    // Playlists go the same way: the engine reads them itself. The file becomes the station
    // to remember once the engine plays it.
    m_transport.playItem(itemName(*chosen), *chosen, ChannelSource::File, false);
}
