#pragma once

/// The desktop's default beep.
class Beeper {
public:
    virtual ~Beeper() = default;

    /// Sounds the beep once.
    virtual void beep() = 0;

protected:
    Beeper() = default;
    Beeper(const Beeper &) = default;
    Beeper &operator=(const Beeper &) = default;
};
