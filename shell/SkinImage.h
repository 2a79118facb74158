#pragma once

#include "Picture.h"

#include <QWidget>

/// A picture of the skin stretched over the widget's rectangle (Image2, Image3).
///
/// It takes no pointer input of its own: presses fall through to the window, which can
/// then be dragged by them.
class SkinImage : public QWidget {
    Q_OBJECT

public:
    /// Shows `picture` stretched to the widget.
    explicit SkinImage(Picture picture, QWidget *parent = nullptr);

    /// The picture shown.
    Picture picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
};
