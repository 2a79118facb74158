#pragma once

#include <QString>

/// Makes a now-playing announcement: the notification popup in the program, a recorder in
/// tests.
class Announcer {
public:
    virtual ~Announcer() = default;

    /// Announces `message` under `title`; returns at once, the announcement runs by itself.
    virtual void announce(const QString &title, const QString &message) = 0;

protected:
    Announcer() = default;
    Announcer(const Announcer &) = default;
    Announcer &operator=(const Announcer &) = default;
};
