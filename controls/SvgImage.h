#pragma once

#include <QSvgRenderer>
#include <QWidget>

/// A picture drawn from vector artwork at the widget's size, so it stays sharp at any
/// device pixel ratio. It takes the clicks made on it, which therefore do not reach the
/// window behind it.
class SvgImage : public QWidget {
    Q_OBJECT

public:
    /// Shows the SVG file at `path` (a resource path such as ":/artwork/...").
    explicit SvgImage(const QString &path, QWidget *parent = nullptr);

    /// True when the artwork was read.
    bool isValid() const { return m_renderer.isValid(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QSvgRenderer m_renderer;
};
