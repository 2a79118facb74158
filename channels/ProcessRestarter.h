#pragma once

#include "Restarter.h"

#include <QStringList>

#include <functional>

/// Restarts the running executable as a detached process in the program's folder.
class ProcessRestarter final : public Restarter {
public:
    /// `closeWindow` closes the main window (its unload saves and ends the program);
    /// `arguments` go to the new instance.
    explicit ProcessRestarter(std::function<void()> closeWindow, QStringList arguments = {});

    /// Starts QCoreApplication::applicationFilePath() with the given arguments and the
    /// program's folder as its working directory.
    bool startNewInstance() override;
    /// Runs the close function given at construction.
    void closeThisInstance() override;

private:
    std::function<void()> m_closeWindow;
    QStringList m_arguments;
};
