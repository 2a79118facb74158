#pragma once

#include "Tray.h"

#include <QIcon>
#include <QObject>

/// ImageList1: the program's two 16 by 16 icons, image 1 idle (also the window's own icon)
/// and image 2 playing (a pair of headphones), for the tray and the window.
class ImageList : public QObject {
    Q_OBJECT

public:
    /// The size the icons are drawn for.
    static constexpr QSize kImageSize{16, 16};

    /// Loads both icons from the program's resources.
    explicit ImageList(QObject *parent = nullptr);

    /// Image 1 for Tray::Icon::Idle, image 2 for Tray::Icon::Playing.
    QIcon image(Tray::Icon icon) const;
    /// The number of images: 2.
    int count() const { return 2; }

private:
    QIcon m_idle;
    QIcon m_playing;
};
