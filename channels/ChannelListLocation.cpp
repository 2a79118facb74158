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
    const bool portable =
        QFileInfo::exists(besideProgram) || (folder.isDir() && folder.isWritable());
    const QString path = portable ? besideProgram : QDir(userFolder).absoluteFilePath(kFileName);
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).path());
        // Not an error worth a message: without the starter the menu holds only the edit
        // entry, and the user can still drop or write a list.
        if (const auto copied = files.copyOver(starterList, path); !copied) {
            qCWarning(lcChannels).noquote() << "no starter list:" << copied.error;
        }
    }
    return path;
}
