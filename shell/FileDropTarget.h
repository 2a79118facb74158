#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

/// Makes a widget take drops: of local files, and of anything else (text, a link), which
/// carries no file and is reported with none.
///
/// A drop is answered as a copy, so the dragging program never deletes its file; moving a
/// dropped list is the handler's business, done only once the copy is safe. The drop is
/// reported after the drop event has been answered, so that a message box the handler
/// shows does not keep the dragging program waiting for the end of the drop.
class FileDropTarget : public QObject {
    Q_OBJECT

public:
    /// Watches `target`, which then accepts drops; the target owns this object.
    explicit FileDropTarget(QWidget *target);

signals:
    /// Something was dropped: the full paths of its local files, in order, or none.
    void dropped(const QStringList &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
