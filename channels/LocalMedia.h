#pragma once

#include "FileDialogs.h"

#include <QCoreApplication>
#include <QLatin1StringView>

class MediaPlayer;
class Transport;

/// "Playlist <..>" in the functions popup: plays a local audio file or playlist chosen in
/// an open dialog.
///
/// Unlike tuning, opening a file neither sets the volume nor restarts the status poll nor
/// saves: after a restart the program comes back to the channel it saved last.
class LocalMedia {
public:
    /// The open dialog's title.
    static constexpr QLatin1StringView kTitle{
        QT_TRANSLATE_NOOP("LocalMedia", "Open playlist with audio")};
    /// The open dialog's one filter entry, "Audio", with seven patterns.
    static constexpr QLatin1StringView kFilter{
        QT_TRANSLATE_NOOP("LocalMedia", "Audio|*.mp3;*.ogg;*.wma;*.m3u;*.wpl;*.asx;*.wax|")};

    /// The open dialog: kTitle, kFilter (entry 1), an existing file only, no read-only box.
    static FileDialogs::Request openRequest();

    /// Works on the given collaborators, which must outlive it.
    LocalMedia(MediaPlayer &engine, Transport &transport, FileDialogs &dialogs);

    /// The click on musikkfil: asks for a file and plays it; a cancelled dialog changes
    /// nothing.
    void musikkfilClick();

private:
    MediaPlayer &m_engine;
    Transport &m_transport;
    FileDialogs &m_dialogs;
};
