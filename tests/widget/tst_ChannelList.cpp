#include "ChannelAdder.h"
#include "ChannelControls.h"
#include "ChannelListPopup.h"
#include "ChannelsFixture.h"
#include "WiredWindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray list(int entries, const QByteArray &prefix = "Kanal ")
{
    QByteArray names = "[Navn]\r\n";
    QByteArray urls = "[URL]\r\n";
    for (int i = 1; i <= entries; ++i) {
        const QByteArray number = QByteArray::number(i);
        names += number + "=" + prefix + number + "\r\n";
        urls += number + "=http://127.0.0.1/" + number + "\r\n";
    }
    return names + urls;
}

// The window as main() wires it, over a list of `entries` channels.
struct Program : WiredWindow {
    explicit Program(int entries)
    {
        ChannelsFixture::write(f.listPath, list(entries));
        window.attach(transport, lifecycle);
        window.attachChannels(controls);
        controls.attachAdder(adder);
        window.load();
        window.show();
    }
    QMenu *favs() { return window.findChild<QMenu *>(QStringLiteral("mnuFavs")); }
    ChannelListView *view() { return controls.channelList(); }
    int rows() { return view()->model()->rowCount(); }

    ChannelsFixture f;
    ChannelMenu menu{f.listPath, transport, f.editor};
    ChannelAdder adder{f.listPath, state, engine, f.messages};
    ChannelControls controls{window, menu, *f.drops, *f.localMedia, *f.exporter, *f.presets};
};

} // namespace

/// "My Channels" with a long list: one column that fits the screen, the keys that reach
/// every entry, and a menu that follows the file.
class TestChannelList : public QObject {
    Q_OBJECT

private slots:
    void longListFitsAndEveryEntryIsReached()
    {
        Program p(5000);
        QCOMPARE(p.rows(), 5000);
        p.window.mnuSystray()->popup({10, 10});
        p.favs()->popup({200, 10});
        QVERIFY(QTest::qWaitForWindowExposed(p.favs()));
        const QRect screen = p.favs()->screen()->availableGeometry();
        QVERIFY2(p.favs()->height() <= screen.height(),
                 qPrintable(QString::number(p.favs()->height())));
        QVERIFY(p.favs()->width() < screen.width() / 2);
        QVERIFY(p.view()->isVisible());

        // Typing a name as the submenu opens finds the entry in the list; from the edit
        // entry, Down goes into the list.
        auto *editEntry = p.window.findChild<QAction *>(QStringLiteral("mnuNet"));
        p.favs()->setActiveAction(editEntry);
        QTest::keyClick(p.favs(), 'k');
        QTRY_VERIFY(p.view()->hasFocus());
        QTest::keyClicks(p.view(), QStringLiteral("anal 421"));
        QCOMPARE(p.view()->currentIndex().data().toString(), QStringLiteral("Kanal 421"));
        p.favs()->setActiveAction(editEntry);
        p.favs()->setFocus();
        QTest::keyClick(p.favs(), Qt::Key_Down);
        QTRY_VERIFY(p.view()->hasFocus());
        QTest::keyClick(p.view(), Qt::Key_End);
        QCOMPARE(p.view()->currentIndex().row(), 4999);
        QTest::keyClick(p.view(), Qt::Key_Home);
        QCOMPARE(p.view()->currentIndex().row(), 0);
        QTest::keyClick(p.view(), Qt::Key_PageDown);
        QVERIFY(p.view()->currentIndex().row() > 5);

        QTest::keyClick(p.view(), Qt::Key_End);
        QTest::keyClick(p.view(), Qt::Key_Return);
        QCOMPARE(p.engine.url(), QStringLiteral("http://127.0.0.1/5000"));
        QCOMPARE(p.state.Label2(), QStringLiteral("Kanal 5000"));
        QTRY_VERIFY(!p.favs()->isVisible() && !p.window.mnuSystray()->isVisible());
    }

    // Written by an editor or by "Add to My Channels": the menu shows the list as it is now.
    void menuFollowsTheFile()
    {
        Program p(3);
        QSignalSpy rebuilt(&p.controls, &ChannelControls::channelMenuRebuilt);
        QVERIFY(ChannelsFixture::write(p.f.listPath, list(2, "Radio ")));
        QVERIFY(rebuilt.wait(5000));
        QCOMPARE(p.rows(), 2);
        QCOMPARE(p.view()->model()->index(1, 0).data().toString(), QStringLiteral("Radio 2"));

        auto *add = p.window.findChild<QAction *>(QStringLiteral("legg_til_kanal"));
        emit p.window.mnuSystray()->aboutToShow();
        QVERIFY(!add->isEnabled());
        p.transport.tune(QStringLiteral("Live"), QStringLiteral("http://127.0.0.1/live"));
        emit p.window.mnuSystray()->aboutToShow();
        QVERIFY(add->isEnabled());
        add->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(p.rows(), 3, 5000);
        QCOMPARE(p.view()->model()->index(2, 0).data().toString(), QStringLiteral("Live"));
    }
};

QTEST_MAIN(TestChannelList)
#include "tst_ChannelList.moc"
