#include "ChannelListLocation.h"

#include "ChannelsLogging.h"
#include "FileOperations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ChannelListLocation::userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Morvena Webradio");
}

QString ChannelListLocation::resolve(const QString &programFolder, const QString &userFolder,
                                     FileOperations &files, const QString &starterList)
{
    const QString besideProgram = QDir(programFolder).absoluteFilePath(kFileName);
    const QFileInfo folder(programFolder);
    // Installed under a prefix the user owns (~/.local, a package unpacked for a test),
    // the program's folder is writable, yet a list there would sit among programs.
    const QString installedStarter =
        QDir::cleanPath(QDir(programFolder).absoluteFilePath(kInstalledStarterList));
    const bool installed = QFileInfo::exists(installedStarter);
    const bool portable =
        !installed && (QFileInfo::exists(besideProgram) || (folder.isDir() && folder.isWritable()));
    QString path = portable ? besideProgram : QDir(userFolder).absoluteFilePath(kFileName);
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).path());
        // Not an error worth a message: without the starter the menu holds only the edit
        // entry, and the user can still drop or write a list.
        if (const auto copied = files.copyOver(installed ? installedStarter : starterList, path);
            !copied) {
            qCWarning(lcChannels).noquote() << "no starter list:" << copied.error;
        }
    }
    return path;
}
