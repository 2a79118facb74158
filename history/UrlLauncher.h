#pragma once

#include <QUrl>

/// Opens a web address in the desktop's browser, so tests can see the address instead.
class UrlLauncher {
public:
    virtual ~UrlLauncher() = default;

    /// Opens `url`, without waiting for the browser; false when nothing could open it.
    virtual bool open(const QUrl &url) = 0;

protected:
    UrlLauncher() = default;
    UrlLauncher(const UrlLauncher &) = default;
    UrlLauncher &operator=(const UrlLauncher &) = default;
};
