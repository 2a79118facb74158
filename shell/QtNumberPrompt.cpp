#include "QtNumberPrompt.h"

#include <QInputDialog>

std::optional<int> QtNumberPrompt::askNumber(const QString &title, const QString &label, int value,
                                             int min, int max)
{
    bool ok = false;
    const int number = QInputDialog::getInt(m_parent, title, label, value, min, max, 1, &ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}
