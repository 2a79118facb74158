#pragma once

#include "NumberPrompt.h"

class QWidget;

/// The number prompt as Qt's input dialog, over `parent`.
class QtNumberPrompt final : public NumberPrompt {
public:
    /// Dialogs open over `parent` (may be null).
    explicit QtNumberPrompt(QWidget *parent)
        : m_parent(parent)
    {}

    std::optional<int> askNumber(const QString &title, const QString &label, int value, int min,
                                 int max) override;

private:
    QWidget *m_parent;
};
