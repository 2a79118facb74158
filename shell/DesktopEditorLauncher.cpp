#include "DesktopEditorLauncher.h"

#include "ChannelsLogging.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopEditorLauncher::openInEditor(const QString &path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        qCWarning(lcChannels) << "no application to open" << path;
    }
}
