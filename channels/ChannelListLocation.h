#pragma once

#include <QLatin1StringView>
#include <QString>

class FileOperations;

/// Where the user's channel list "Mine Kanaler.ini" lives.
///
/// A portable install (and the build tree) keeps it beside the executable. A system-wide
/// install cannot write there, so the list then lives in the user's data folder. Wherever
/// it lives, a missing list is made from the starter list that comes with the program, so
/// that a first start has something to play. Editing, export and installing a dropped list
/// all use the one path resolved here.
class ChannelListLocation {
public:
    /// The list's file name.
    static constexpr QLatin1StringView kFileName{"Mine Kanaler.ini"};
    /// The starter list, built into the program as a resource.
    static constexpr QLatin1StringView kStarterList{":/starter/Mine Kanaler.ini"};
    /// The starter list an installed program ships, relative to the program's folder.
    static constexpr QLatin1StringView kInstalledStarterList{
        "../share/morvena-webradio/Mine Kanaler.ini"};

    /// The per-user folder: "$XDG_DATA_HOME/Morvena Webradio".
    static QString userDataFolder();

    /// The list's full path: in `programFolder` when the list is there or the folder is
    /// writable, otherwise in `userFolder`. An installed program (kInstalledStarterList is
    /// there) always uses `userFolder`. A missing list is copied from the installed starter
    /// list, or else from `starterList`, first (creating `userFolder` if need be); failing
    /// that, the path is returned all the same and the menu simply starts empty.
    static QString resolve(const QString &programFolder, const QString &userFolder,
                           FileOperations &files, const QString &starterList = kStarterList);
};
