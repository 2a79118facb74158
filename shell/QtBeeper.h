#pragma once

#include "Beeper.h"

/// The desktop's beep (QApplication::beep()).
class QtBeeper final : public Beeper {
public:
    /// Beeps once.
    void beep() override;
};
