// A tiny window that starts a real drag of files when pressed, for end-to-end drops:
// xdotool presses on it, carries the drag to the target window and releases there.
//   morvena-dragsource FILE...
// Prints the drop action the target answered ("copy", "move", "link" or "none") when the
// drag is over, and runs on until killed: on X11 the target fetches the dragged data after
// the drop, from the dragging program.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>

namespace {

const char *actionName(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction:
        return "copy";
    case Qt::MoveAction:
        return "move";
    case Qt::LinkAction:
        return "link";
    default:
        return "none";
    }
}

class DragSource : public QLabel {
public:
    explicit DragSource(QList<QUrl> urls)
        : QLabel(QStringLiteral("drag me"))
        , m_urls(std::move(urls))
    {
        setWindowTitle(QStringLiteral("Morvena drag source"));
        setAlignment(Qt::AlignCenter);
        setFixedSize(160, 80);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton) {
            return;
        }
        auto *drag = new QDrag(this);
        auto *mime = new QMimeData;
        mime->setUrls(m_urls);
        drag->setMimeData(mime);
        // Offered as a move too, as file managers do: the target must answer with a copy.
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        std::printf("%s\n", actionName(action));
        std::fflush(stdout);
    }

private:
    QList<QUrl> m_urls;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString &file : QApplication::arguments().mid(1)) {
        urls.append(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    }
    if (urls.isEmpty()) {
        std::fprintf(stderr, "usage: morvena-dragsource FILE...\n");
        return 2;
    }
    DragSource source(urls);
    source.move(40, 600);
    source.show();
    return QApplication::exec();
}
