#include "FileDropTarget.h"

#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace {

// Drags `data` onto the middle of `target` and drops it, as the desktop would; answers
// whether the drag was let in and with what the drop was answered.
std::pair<bool, Qt::DropAction> dragAndDrop(QWidget *target, QMimeData *data,
                                            Qt::DropActions actions)
{
    const QPoint middle = target->rect().center();
    QDragEnterEvent enter(middle, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(middle, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(middle), actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return {enter.isAccepted() && move.isAccepted(),
            drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction};
}

} // namespace

/// The now-playing label as a drop target: files, text and links all come through, as
/// copies, after the drop has been answered.
class TestFileDropTarget : public QObject {
    Q_OBJECT

private slots:
    void reportsDroppedFiles_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("three files")
            << QList<QUrl>{QUrl::fromLocalFile("/music/a.mp3"), QUrl::fromLocalFile("/b.ogg"),
                           QUrl::fromLocalFile("/Mine Kanaler.ini")}
            << QString() << QStringList{"/music/a.mp3", "/b.ogg", "/Mine Kanaler.ini"};
        QTest::newRow("text") << QList<QUrl>{} << "Radio Nord" << QStringList{};
        QTest::newRow("a link") << QList<QUrl>{QUrl("https://example.invalid/live.pls")}
                                << "https://example.invalid/live.pls" << QStringList{};
    }
    void reportsDroppedFiles()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QFETCH(QStringList, files);
        QLabel label;
        label.resize(160, 83);
        auto *target = new FileDropTarget(&label);
        QVERIFY(label.acceptDrops());
        QSignalSpy spy(target, &FileDropTarget::dropped);
        QMimeData data;
        if (!urls.isEmpty()) {
            data.setUrls(urls);
        }
        if (!text.isEmpty()) {
            data.setText(text);
        }
        const auto [entered, action] =
            dragAndDrop(&label, &data, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
        QVERIFY(entered);
        // A move would let a file manager delete the dragged file.
        QCOMPARE(action, Qt::CopyAction);
        QCOMPARE(spy.count(), 0); // reported only once the drop event is over
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toStringList(), files);
    }
};

QTEST_MAIN(TestFileDropTarget)
#include "tst_FileDropTarget.moc"
