#pragma once

/// Where the main window lies among the desktop's windows.
class WindowStacking {
public:
    virtual ~WindowStacking() = default;

    /// Keeps the window above all windows that are not themselves on top (`on`), or stacks
    /// it normally. The window keeps its place and size, is shown if it was hidden, and is
    /// not activated.
    virtual void setTopmost(bool on) = 0;

protected:
    WindowStacking() = default;
    WindowStacking(const WindowStacking &) = default;
    WindowStacking &operator=(const WindowStacking &) = default;
};
