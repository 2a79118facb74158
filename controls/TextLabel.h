#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

class QLabel;
class QWidget;

/// Adds to `parent` a transparent, top-left aligned label named `name` at `rect` that shows
/// its text as plain text: channel names and stream titles come from outside and must
/// never be read as markup ("<b>Live</b>" is shown as written).
QLabel *addTextLabel(QWidget *parent, const char *name, const QRect &rect, const QFont &font,
                     const QColor &color);
