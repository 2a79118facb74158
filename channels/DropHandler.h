#pragma once

#include "Version.h"

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class FileOperations;
class FormSettings;
class MediaPlayer;
class MessageBox;
class Restarter;
class Transport;
class Tray;

/// What a drop on the now-playing text does: a channel list named like "Mine Kanaler.ini"
/// replaces the user's list and the program restarts to show it; anything else is played.
///
/// The user's list is never put at risk: the dropped list is copied beside it and renamed
/// over it only when complete, the dropped file is deleted only after that, and on failure
/// the old list stays, the program keeps running and a message says what went wrong. A list
/// given on the command line is copied and stays where it was.
class DropHandler {
    Q_DECLARE_TR_FUNCTIONS(DropHandler)

public:
    /// The title of the drop's message boxes.
    static constexpr QLatin1StringView kMessageTitle{"Morvena Webradio " MORVENA_VERSION};
    /// The stem that makes a dropped file a channel list (case counts).
    static constexpr QLatin1StringView kListStem{"Mine Kanaler"};

    /// Installs lists at the full path `listPath`; the collaborators must outlive it.
    DropHandler(QString listPath, MediaPlayer &engine, Transport &transport, FormSettings &settings,
                Tray &tray, FileOperations &files, Restarter &restarter, MessageBox &messages);

    /// The local files among dropped `urls`, in order; links and text carry none.
    static QStringList localFiles(const QList<QUrl> &urls);
    /// The part of `path` after its last separator (a trailing one ignored).
    static QString fileName(const QString &path);
    /// True when the stem of `path`'s file name, the part before its first ".", is
    /// kListStem exactly; a name without "." is its own stem.
    static bool isChannelList(const QString &path);

    /// What becomes of a channel list's own file once the list is installed.
    enum class ListFile {
        Move, ///< removed from its folder: a dropped list is moved, as a file drop is
        Copy, ///< left where it was: a list opened from a file manager stays the listener's
    };

    /// The drop on Label4 of `files` (full paths; only the first counts, and none at all
    /// when text or a link was dropped); a channel list among them is installed as `list`
    /// says.
    void Label4Drop(const QStringList &files, ListFile list = ListFile::Move);
    /// Plays the link `url` the way a dropped file is played. Links cannot be dropped
    /// (Label4Drop() refuses them), but one handed to the program from outside, on its
    /// command line, is meant to play.
    void playLink(const QString &url);

private:
    void installList(const QString &path, ListFile list);
    void play(const QString &path, QString failure);

    QString m_listPath;
    MediaPlayer &m_engine;
    Transport &m_transport;
    FormSettings &m_settings;
    Tray &m_tray;
    FileOperations &m_files;
    Restarter &m_restarter;
    MessageBox &m_messages;
};
