#include "ChannelExport.h"

#include "ChannelListLocation.h"
#include "ChannelsLogging.h"
#include "FileOperations.h"

#include <QDir>
#include <QFileInfo>

FileDialogs::Request ChannelExport::saveRequest()
{
    FileDialogs::Request request;
    request.title = kTitle;
    request.fileName = ChannelListLocation::kFileName;
    request.filter = kFilter;
    request.defaultExtension = kDefaultExtension;
    return request;
}

ChannelExport::ChannelExport(QString listPath, FileDialogs &dialogs, FileOperations &files)
    : m_listPath(std::move(listPath))
    , m_dialogs(dialogs)
    , m_files(files)
{}

void ChannelExport::eksportkanalerClick()
{
    const auto chosen = m_dialogs.getSaveFileName(saveRequest());
    if (!chosen) {
        return;
    }
    const QString target =
        QFileInfo(*chosen).absoluteDir().absoluteFilePath(ChannelListLocation::kFileName);
    if (!QFileInfo(m_listPath).isFile()) {
        qCInfo(lcChannels) << "nothing to export: no list at" << m_listPath;
        return;
    }
    // Exporting into the list's own folder would copy the file onto itself.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(m_listPath).canonicalFilePath()) {
        return;
    }
    m_files.copyOver(m_listPath, target);
}
