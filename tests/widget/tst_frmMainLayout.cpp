#include "FormLifecycle.h"
#include "FormSettings.h"
#include "ImageList.h"
#include "MemorySettingsStore.h"
#include "PictureButton.h"
#include "PlayerState.h"
#include "RecordingMediaPlayer.h"
#include "RecordingTray.h"
#include "SkinImage.h"
#include "Transport.h"
#include "WiredWindow.h"
#include "frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>

namespace {

// The window as main() builds it, loaded and shown over an empty store.
struct Window : WiredWindow {
    Window()
    {
        window.attach(transport, lifecycle);
        window.load();
        window.show();
    }
    template<typename T = QWidget>
    T *control(const QString &name)
    {
        return window.findChild<T *>(name);
    }
};

// "<name> <caption>" per item, submenus indented below their entry, separators as "-".
QStringList menuTree(const QMenu *menu, const QString &indent = {})
{
    QStringList tree;
    for (const QAction *item : menu->actions()) {
        const QString caption = item->isSeparator() ? QStringLiteral("-") : item->text();
        if (const QMenu *sub = item->menu()) {
            tree.append(indent + sub->objectName() + QLatin1Char(' ') + caption);
            tree += menuTree(sub, indent + QStringLiteral("  "));
        } else {
            tree.append(indent + item->objectName() + QLatin1Char(' ') + caption);
        }
    }
    return tree;
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 96;
}

} // namespace

/// The main window's layout: every control's place, stacking, look and visibility at
/// start, the menu tree, the icons, and dragging by the panel.
class TestFrmMainLayout : public QObject {
    Q_OBJECT

private slots:
    void window()
    {
        Window w;
        QCOMPARE(w.window.size(), QSize(315, 184));
        QVERIFY(w.window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(w.window.windowTitle().isEmpty());
        const QRect screen = w.window.screen()->availableGeometry();
        QVERIFY(qAbs(w.window.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(w.window.geometry().center().y() - screen.center().y()) <= 1);
        // The artwork covers the white window: the display and the panel are dark.
        const QImage shot = w.window.grab().toImage();
        QVERIFY(isDark(shot.pixel(100, 100)));
        QVERIFY(isDark(shot.pixel(250, 170)));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("shown");
        const auto row = [](const char *name, QRect rect, bool shown = true) {
            QTest::newRow(name) << QString::fromLatin1(name) << rect << shown;
        };
        row("PictureButton18", {271, 75, 33, 22});
        row("PictureButton17", {233, 75, 33, 22});
        row("PictureButton16", {195, 75, 33, 22});
        row("PictureButton15", {271, 102, 33, 22});
        row("PictureButton14", {233, 102, 33, 22});
        row("PictureButton13", {195, 102, 33, 22});
        row("PictureButton12", {271, 129, 33, 22});
        row("PictureButton9", {233, 129, 33, 22});
        row("PictureButton8", {195, 129, 33, 22});
        row("PictureButton7", {188, 164, 17, 20}, false);
        row("PictureButton6", {187, 164, 17, 20});
        row("PictureButton3", {297, 0, 17, 20});
        row("PictureButton2", {274, 0, 29, 20});
        row("PictureButton1", {4, 6, 30, 30});
        row("Label5", {6, 150, 173, 13});
        row("Image3", {5, 150, 174, 13});
        row("Image2", {195, 163, 23, 21});
        row("Label2", {37, 7, 236, 35});
        row("Label4", {12, 62, 160, 83});
        row("Label3", {11, 43, 163, 13});
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(bool, shown);
        Window w;
        QWidget *control = w.control(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), rect);
        QCOMPARE(control->isVisibleTo(&w.window), shown);
        // Every image button has three pictures of its own size, so it keeps its place.
        if (auto *button = qobject_cast<PictureButton *>(control)) {
            for (const Picture &picture :
                 {button->picture(), button->pictureHover(), button->pictureDown()}) {
                QCOMPARE(picture.size(), rect.size());
            }
            // Drawn by the first resize it receives, which a hidden button gets when shown.
            QVERIFY(button->drawnPicture() == (shown ? button->picture() : Picture()));
            QVERIFY(!button->accessibleName().isEmpty());
        }
    }

    // Listed from front to back; the image buttons lie above every label and image.
    void stacking()
    {
        Window w;
        const QStringList frontToBack{
            "PictureButton18", "PictureButton17", "PictureButton16", "PictureButton15",
            "PictureButton14", "PictureButton13", "PictureButton12", "PictureButton9",
            "PictureButton8",  "PictureButton7",  "PictureButton6",  "PictureButton3",
            "PictureButton2",  "PictureButton1",  "Label5",          "Image3",
            "Image2",          "Label2",          "Label4",          "Label3"};
        QStringList stacked; // back to front, as the window stacks its children
        for (const QObject *child : w.window.children()) {
            if (frontToBack.contains(child->objectName())) {
                stacked.prepend(child->objectName());
            }
        }
        QCOMPARE(stacked, frontToBack);
    }

    void presetsAndNames()
    {
        Window w;
        const QStringList buttons{"PictureButton8",  "PictureButton9",  "PictureButton12",
                                  "PictureButton13", "PictureButton14", "PictureButton15",
                                  "PictureButton16", "PictureButton17", "PictureButton18"};
        for (int number = 1; number <= frmMain::kPresetCount; ++number) {
            QCOMPARE(w.window.presetButton(number)->objectName(), buttons.at(number - 1));
        }
        QVERIFY(!w.window.presetButton(0) && !w.window.presetButton(10));
        // A screen reader tells every button apart.
        QSet<QString> names;
        const auto all = w.window.findChildren<PictureButton *>();
        for (const PictureButton *button : all) {
            names.insert(button->accessibleName());
        }
        QCOMPARE(all.size(), 14);
        QCOMPARE(names.size(), 14);
        QCOMPARE(w.control("PictureButton17")->accessibleName(), QStringLiteral("Preset N1"));
        QCOMPARE(w.control("PictureButton2")->accessibleName(), QStringLiteral("To tray"));
    }

    void looks()
    {
        Window w;
        auto *title = w.control<QLabel>(QStringLiteral("Label2"));
        QCOMPARE(QFontInfo(title->font()).family(), QStringLiteral("Yanone Kaffeesatz"));
        QCOMPARE(title->font().pointSizeF(), 18.0);
        QVERIFY(title->font().bold());
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(title->text(), QStringLiteral("no channel selected"));
        for (const char *name : {"Label3", "Label4", "Label5"}) {
            auto *label = w.control<QLabel>(QLatin1String(name));
            QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(label->font().pointSizeF(), 6.75);
            QVERIFY(label->font().bold());
            QVERIFY(!label->autoFillBackground());
        }
        auto *nowPlaying = w.control<QLabel>(QStringLiteral("Label4"));
        QVERIFY(nowPlaying->wordWrap());
        QCOMPARE(nowPlaying->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x80));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label3"))->palette().color(QPalette::WindowText),
                 QColor(Qt::white));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label5"))->alignment() & Qt::AlignHCenter,
                 Qt::AlignHCenter);
        QCOMPARE(QFontInfo(w.window.font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(w.window.font().pointSizeF(), 8.25);
    }

    // The holders are never shown and sit outside the panel; they follow the state.
    void hiddenHolders()
    {
        Window w;
        for (const char *name : {"chkFarge", "chkInfo", "Label6", "Label1"}) {
            QWidget *holder = w.control(QLatin1String(name));
            QVERIFY2(holder, name);
            QVERIFY(!holder->isVisibleTo(&w.window));
            QVERIFY(!w.window.rect().intersects(holder->geometry()));
        }
        auto *chkFarge = w.control<QCheckBox>(QStringLiteral("chkFarge"));
        QVERIFY(!chkFarge->isChecked());
        w.state.setChkFarge(1);
        QVERIFY(chkFarge->isChecked());
        w.state.setChkInfo(1);
        QVERIFY(w.control<QCheckBox>(QStringLiteral("chkInfo"))->isChecked());
        w.state.setLabel6(QStringLiteral("Radio Nord"));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label6"))->text(), QStringLiteral("Radio Nord"));
        w.state.setLabel1(QStringLiteral("Artist - Song"));
        QCOMPARE(w.control<QLabel>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Artist - Song"));
    }

    void mainMenu()
    {
        Window w;
        QCOMPARE(w.window.mnuSystray()->objectName(), QStringLiteral("mnuSystray"));
        QCOMPARE(w.window.mnuSystray()->title(), QStringLiteral("Meny"));
        QCOMPARE(menuTree(w.window.mnuSystray()),
                 QStringList({"mnuFavs My Channels",
                              "  mnuNet ¦ Edit Channels",
                              "strek -",
                              "Funksjoner Settings",
                              "  alltid_topp Always on top",
                              "    vis_topp Always",
                              "    ikke_top Normal",
                              "  vis_informasjon Information View",
                              "    ja_info Yes",
                              "    info_ikke No",
                              "  eksport_kanaler -",
                              "  eksportkanaler Export Mine Kanaler.ini",
                              "  skille_mkr -",
                              "  hjelp_nettr About..",
                              "strek_stasjonar -",
                              "finn_stasjonar Find stations…",
                              "legg_til_kanal Add to My Channels",
                              "strek2 -",
                              "hva_spn What's On?",
                              "stopp Stop Radio"}));
    }

    // The star button opens the main menu at the pointer.
    void starOpensTheMenu()
    {
        Window w;
        QTest::mouseClick(w.control(QStringLiteral("PictureButton1")), Qt::LeftButton);
        QTRY_VERIFY(w.window.mnuSystray()->isVisible());
        w.window.mnuSystray()->hide();
    }

    void icons()
    {
        Window w;
        const ImageList &images = w.window.ImageList1();
        QCOMPARE(images.objectName(), QStringLiteral("ImageList1"));
        QCOMPARE(images.count(), 2);
        const QImage idle = images.image(Tray::Icon::Idle).pixmap(16, 16).toImage();
        const QImage playing = images.image(Tray::Icon::Playing).pixmap(16, 16).toImage();
        QCOMPARE(idle.size(), QSize(16, 16));
        QCOMPARE(playing.size(), QSize(16, 16));
        QVERIFY(idle != playing);
        // Sharp on a double-density screen too: the icons are drawn, not scaled up.
        QCOMPARE(images.image(Tray::Icon::Playing).pixmap(QSize(16, 16), 2.0).size(),
                 QSize(32, 32));
        QCOMPARE(w.window.formIcon(), Tray::Icon::Idle);
        QCOMPARE(w.window.windowIcon().pixmap(16, 16).toImage(), idle);
    }

    // Where the desktop cannot move the window, it follows a drag from the panel, a label
    // or an image; a press on an image button is the button's own.
    void dragByThePanel_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("moves");
        QTest::newRow("title") << "Label2" << true;
        QTest::newRow("now playing") << "Label4" << true;
        QTest::newRow("on-air bar") << "Image3" << true;
        QTest::newRow("panel") << "frmMain" << true;
        QTest::newRow("preset") << "PictureButton8" << false;
        QTest::newRow("star") << "PictureButton1" << false;
    }
    void dragByThePanel()
    {
        QFETCH(QString, from);
        QFETCH(bool, moves);
        Window w;
        QWidget *handle = from == QLatin1String("frmMain") ? &w.window : w.control(from);
        const QPoint start = w.window.pos();
        const QPoint at(4, 4);
        QTest::mousePress(handle, Qt::LeftButton, {}, at);
        QMouseEvent drag(QEvent::MouseMove, QPointF(at + QPoint(30, 12)),
                         QPointF(handle->mapToGlobal(at + QPoint(30, 12))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &drag);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, at + QPoint(30, 12));
        QCOMPARE(w.window.pos(), moves ? start + QPoint(30, 12) : start);
    }
};

QTEST_MAIN(TestFrmMainLayout)
#include "tst_frmMainLayout.moc"
