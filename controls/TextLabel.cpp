#include "TextLabel.h"

#include <QLabel>

QLabel *addTextLabel(QWidget *parent, const char *name, const QRect &rect, const QFont &font,
                     const QColor &color)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette text = label->palette();
    text.setColor(QPalette::WindowText, color);
    label->setPalette(text);
    return label;
}
