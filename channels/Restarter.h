#pragma once

/// Restarting the program: a new instance is started, then this one closes.
class Restarter {
public:
    virtual ~Restarter() = default;

    /// Starts a new instance of the program, not waiting for it; false if it did not start.
    virtual bool startNewInstance() = 0;
    /// Closes this instance the way a close request does: the window unloads, saving the
    /// state, and the program ends.
    virtual void closeThisInstance() = 0;

protected:
    Restarter() = default;
    Restarter(const Restarter &) = default;
    Restarter &operator=(const Restarter &) = default;
};
