#pragma once

#include "FileDialogs.h"

#include <QLatin1StringView>
#include <QString>

class FileOperations;

/// "Export Mine Kanaler.ini": copies the channel list into a folder the user picks.
///
/// Only the folder of the name chosen in the dialog counts; the copy is always called
/// "Mine Kanaler.ini", so that dropping it on the player later installs it. Every failure
/// ends the export quietly, and a target that could not be written completely is left as
/// it was.
class ChannelExport {
public:
    /// The save dialog's title.
    static constexpr QLatin1StringView kTitle{"Velg plassering for Mine kanaler.ini"};
    /// The save dialog's one filter entry, matching only the list's name.
    static constexpr QLatin1StringView kFilter{"Lydstraum (Mine Kanaler.ini)|Mine kanaler.ini|"};
    /// The extension a typed name without one gets.
    static constexpr QLatin1StringView kDefaultExtension{".ini"};

    /// The save dialog: kTitle, the list's file name, kFilter and kDefaultExtension.
    static FileDialogs::Request saveRequest();

    /// Exports the list at the full path `listPath`; the collaborators must outlive it.
    ChannelExport(QString listPath, FileDialogs &dialogs, FileOperations &files);

    /// The click on eksportkanaler.
    void eksportkanalerClick();

private:
    QString m_listPath;
    FileDialogs &m_dialogs;
    FileOperations &m_files;
};
