#pragma once

#include "Tray.h"

/// A tray that shows nothing: stands in until the desktop's tray is wired up.
class NullTray final : public Tray {
public:
    /// Does nothing.
    void add(Icon, const QString &) override {}
    /// Does nothing.
    void update(Icon, const QString &) override {}
    /// Does nothing.
    void remove() override {}
};
