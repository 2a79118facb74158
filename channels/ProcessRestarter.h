#pragma once

#include "Restarter.h"

#include <functional>

/// Restarts the running executable as a detached process in the program's folder.
class ProcessRestarter final : public Restarter {
public:
    /// `closeWindow` closes the main window (its unload saves and ends the program).
    explicit ProcessRestarter(std::function<void()> closeWindow);

    /// Starts QCoreApplication::applicationFilePath() with the program's folder as its
    /// working directory.
    bool startNewInstance() override;
    /// Runs the close function given at construction.
    void closeThisInstance() override;

private:
    std::function<void()> m_closeWindow;
};
