#include "LocalMedia.h"

#include "ItemText.h"
#include "MediaPlayer.h"
#include "PlayerState.h"
#include "PlayerView.h"
#include "Transport.h"
#include "Tray.h"

FileDialogs::Request LocalMedia::openRequest()
{
    FileDialogs::Request request;
    request.title = kTitle;
    request.filter = kFilter;
    request.filterIndex = 1;
    request.options = FileDialogs::Option::HideReadOnly | FileDialogs::Option::FileMustExist |
                      FileDialogs::Option::Explorer | FileDialogs::Option::LongNames;
    return request;
}

LocalMedia::LocalMedia(MediaPlayer &engine, PlayerState &state, PlayerView &view, Tray &tray,
                       FileDialogs &dialogs)
    : m_engine(engine)
    , m_state(state)
    , m_view(view)
    , m_tray(tray)
    , m_dialogs(dialogs)
{}

void LocalMedia::musikkfilClick()
{
    const auto chosen = m_dialogs.getOpenFileName(openRequest());
    if (!chosen) {
        return;
    }
    m_state.setLabel3(Transport::kStatusReset);
    m_engine.stop();
    m_engine.close();
    // Playlists go the same way: the engine reads them itself.
    m_engine.setUrl(*chosen);
    const QString text = authorAndTitle(m_engine);
    m_state.setLabel2(text);
    m_state.setLabel4(text);
    m_tray.update(Tray::Icon::Playing, m_state.Label2());
    m_view.setFormIcon(Tray::Icon::Playing);
    m_view.setPauseAvsEnabled(true);
    m_view.setFortsettAvsEnabled(false);
    m_view.setFortsettAvsCaption(Transport::kContinue);
    m_view.setPictureButton7Visible(false);
    m_view.setPictureButton6Visible(true);
}
