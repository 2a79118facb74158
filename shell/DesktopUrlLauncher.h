#pragma once

#include "UrlLauncher.h"

/// Opens addresses in the desktop's own browser.
class DesktopUrlLauncher final : public UrlLauncher {
public:
    /// QDesktopServices::openUrl().
    bool open(const QUrl &url) override;
};
