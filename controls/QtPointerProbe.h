#pragma once

#include "PointerProbe.h"

/// The pointer probe of the running program: the pointer's screen position and the
/// application's widget at that position.
class QtPointerProbe final : public PointerProbe {
public:
    /// The widget under QCursor::pos(); on X11 another window stacked above ours hides it.
    QWidget *widgetUnderPointer() const override;
};
