#pragma once

#include <QString>

#include <optional>

/// Asks the listener for a whole number; behind an interface so that tests never block on a
/// dialog.
class NumberPrompt {
public:
    virtual ~NumberPrompt() = default;

    /// Asks with `title` and `label`, offering `value` within `min`..`max`; empty when the
    /// listener cancels.
    virtual std::optional<int> askNumber(const QString &title, const QString &label, int value,
                                         int min, int max) = 0;

protected:
    NumberPrompt() = default;
    NumberPrompt(const NumberPrompt &) = default;
    NumberPrompt &operator=(const NumberPrompt &) = default;
};
