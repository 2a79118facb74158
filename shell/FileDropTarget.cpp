#include "FileDropTarget.h"

#include "DropHandler.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

void acceptAsCopy(QDropEvent *event)
{
    if (event->possibleActions().testFlag(Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

} // namespace

FileDropTarget::FileDropTarget(QWidget *target)
    : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        acceptAsCopy(static_cast<QDropEvent *>(event));
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QMimeData *data = drop->mimeData();
        const QStringList files =
            data && data->hasUrls() ? DropHandler::localFiles(data->urls()) : QStringList();
        acceptAsCopy(drop);
        QMetaObject::invokeMethod(
            this, [this, files] { emit dropped(files); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
