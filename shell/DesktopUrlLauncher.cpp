#include "DesktopUrlLauncher.h"

#include <QDesktopServices>

bool DesktopUrlLauncher::open(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
