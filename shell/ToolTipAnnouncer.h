#pragma once

#include "Announcer.h"

/// A plain stand-in for the slide-in popup: shows the announcement as a tool tip in the
/// bottom right corner of the screen for a few seconds.
class ToolTipAnnouncer final : public Announcer {
public:
    /// How long the tip stays up.
    static constexpr int kShowMs = 6000;

    /// Shows "title" over "message" near the bottom right of the primary screen.
    void announce(const QString &title, const QString &message) override;
};
