#pragma once

#include <stdexcept>

/// The error the dialog wrapper raises to its caller for an argument it cannot pass on.
///
/// Only cCommonDialog's dialog members throw it, always before a dialog opens and with every
/// argument left as it was. Callers in an event handler catch it there: it must not reach the
/// event loop.
class CommonDialogError : public std::runtime_error {
public:
    /// What went wrong.
    enum class Kind {
        /// An argument does not fit the dialog (a name longer than its buffer).
        InvalidArgument,
        /// A value computed for the dialog does not fit its field.
        Overflow,
    };

    /// An error of `kind` described by `message`.
    CommonDialogError(Kind kind, const char *message);

    /// What went wrong.
    Kind kind() const noexcept { return m_kind; }

private:
    Kind m_kind;
};
