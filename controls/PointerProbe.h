#pragma once

class QWidget;

/// Finds the widget that lies directly under the mouse pointer.
///
/// The image buttons ask it whether the pointer is still over them; tests answer instead
/// of the desktop.
class PointerProbe {
public:
    virtual ~PointerProbe() = default;

    /// The widget right under the pointer; null when the pointer is over another program's
    /// window or the desktop.
    virtual QWidget *widgetUnderPointer() const = 0;

protected:
    PointerProbe() = default;
    PointerProbe(const PointerProbe &) = default;
    PointerProbe &operator=(const PointerProbe &) = default;
};
