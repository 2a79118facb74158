#pragma once

#include "Announcer.h"

/// Announces in the notification popup: each announcement is a new cAlert popup.
class AlertAnnouncer final : public Announcer {
public:
    /// Shows a new popup with `title` and `message` as given; returns at once.
    void announce(const QString &title, const QString &message) override;
};
