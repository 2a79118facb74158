#pragma once

#include <QString>

/// Shows one now-playing announcement: a title and a message, in a popup that goes away by
/// itself.
class Announcer {
public:
    virtual ~Announcer() = default;

    /// Shows `title` with `message`, and returns at once.
    virtual void announce(const QString &title, const QString &message) = 0;
};
