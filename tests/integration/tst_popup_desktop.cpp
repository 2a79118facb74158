#include "cAlert.h"
#include "frmGmail.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

using Phase = PopupMotion::Phase;

// The user's window behind the popups: one flat colour where the popups rise, so that
// what shows through them can be told from what they draw.
const QColor kDesk(0x2e, 0x4a, 0x62);

// Runs an X tool and returns what it printed; empty when it failed or took too long.
std::optional<QString> run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString hexId(WId id)
{
    return QStringLiteral("0x") + QString::number(id, 16);
}

// What the X server says of a window: "Absolute upper-left X:  918" and the like.
QString xwininfo(WId id)
{
    return run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), hexId(id)}).value_or(QString());
}

int field(const QString &info, const QString &name)
{
    const QRegularExpression pattern(QRegularExpression::escape(name) +
                                     QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = pattern.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : INT_MIN;
}

QPoint xPosition(WId id)
{
    const QString info = xwininfo(id);
    return {field(info, QStringLiteral("Absolute upper-left X")),
            field(info, QStringLiteral("Absolute upper-left Y"))};
}

bool viewable(WId id)
{
    return xwininfo(id).contains(QLatin1String("Map State: IsViewable"));
}

// The window that has the X keyboard focus.
qulonglong focusWindow()
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")})
        .value_or(QString())
        .trimmed()
        .toULongLong();
}

// The whole composited screen, as the user sees it.
QImage screenshot(const QString &path)
{
    if (!run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path})) {
        return {};
    }
    return QImage(path);
}

bool near(const QColor &actual, const QColor &expected, int tolerance = 4)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// `over` drawn at 230/255 over the desk colour.
QColor blended(const QColor &over)
{
    const auto mix = [](int top, int below) {
        return (230 * top + 25 * below + 127) / 255;
    };
    return QColor(mix(over.red(), kDesk.red()), mix(over.green(), kDesk.green()),
                  mix(over.blue(), kDesk.blue()));
}

QString describe(const QColor &color)
{
    return QStringLiteral("(%1, %2, %3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

// True when some pixel in `area` is dark: text drawn on a light field.
bool hasInk(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 100) {
                return true;
            }
        }
    }
    return false;
}

QList<frmGmail *> allPopups()
{
    QList<frmGmail *> popups;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *popup = qobject_cast<frmGmail *>(widget)) {
            popups.append(popup);
        }
    }
    return popups;
}

// Shows a popup held at its start until the X server has mapped it.
QPointer<frmGmail> gmailHeldAtStart(const QString &title, const QString &message)
{
    const QList<frmGmail *> before = allPopups();
    cAlert alert;
    alert.setTitle(title);
    alert.setMessage(message);
    alert.Gmail();
    frmGmail *popup = nullptr;
    for (frmGmail *candidate : allPopups()) {
        popup = before.contains(candidate) ? popup : candidate;
    }
    if (popup) {
        popup->Timer1()->stop(); // no event has run yet: it still stands at its start
    }
    return popup;
}

} // namespace

/// The popup on a real X server with a window manager that pulls windows back on screen
/// (openbox) and a compositing manager that shows the popup's opacity (picom).
class TestPopupDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X server");
        }
        m_shot = qEnvironmentVariable("MORVENA_SCREENSHOT", QStringLiteral("popup-desktop.png"));
        m_screen = QGuiApplication::primaryScreen()->geometry();

        m_desk.setWindowTitle(QStringLiteral("The user's window"));
        QPalette palette = m_desk.palette();
        palette.setColor(QPalette::Window, kDesk);
        palette.setColor(QPalette::WindowText, Qt::white);
        m_desk.setPalette(palette);
        m_desk.setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(&m_desk);
        auto *note = new QLabel(QStringLiteral("Typing goes on here while popups come and go."));
        note->setFont(QFont(QStringLiteral("Liberation Sans"), 14));
        layout->addWidget(note);
        m_edit = new QLineEdit;
        m_edit->setFixedWidth(400);
        layout->addWidget(m_edit);
        layout->addStretch();
        m_desk.showMaximized();
        QVERIFY(QTest::qWaitForWindowActive(&m_desk));
        m_edit->setFocus();
        QTRY_VERIFY(focusWindow() != 0);
        m_deskFocus = focusWindow();
    }

    void cleanup() { qDeleteAll(allPopups()); }

    void risesFromBelowTheEdgeWithoutTakingFocus()
    {
        QPointer<frmGmail> popup = gmailHeldAtStart(QStringLiteral("Radio Nord <b>Live</b>"),
                                                    QStringLiteral("ÅGE ALEKSANDERSEN - FIRE PILS "
                                                                   "OG EN PIZZA"));
        QVERIFY(popup);
        const WId id = popup->winId();
        QTRY_VERIFY(viewable(id));
        // Just below the screen's bottom edge, flush with its right edge: the window manager
        // has not pulled it back, because it does not manage the popup at all.
        const QPoint start(m_screen.right() + 1 - 362, m_screen.bottom() + 1);
        QCOMPARE(xPosition(id), start);
        QVERIFY(xwininfo(id).contains(QLatin1String("Override Redirect State: yes")));
        // Not a client of the window manager: no taskbar entry.
        QVERIFY(!run(QStringLiteral("xprop"),
                     {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")})
                     .value_or(QString())
                     .contains(hexId(id)));

        popup->Timer1()->start();
        QTRY_COMPARE_WITH_TIMEOUT(popup->phase(), Phase::Holding, 5000);
        const QPoint risen = start - QPoint(0, 92);
        QTRY_COMPARE(xPosition(id), risen);

        // The user's window kept the keyboard: the desktop's focus did not move, and what
        // the user types still arrives there.
        QCOMPARE(focusWindow(), m_deskFocus);
        QCOMPARE(QApplication::activeWindow(), &m_desk);
        m_edit->clear();
        QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("ok")}));
        QTRY_COMPARE(m_edit->text(), QStringLiteral("ok"));

        // And shows there on the screen, the popup still up.
        const QRect edit =
            QRect(m_edit->mapToGlobal(QPoint(0, 0)), m_edit->size()).adjusted(3, 3, -3, -3);
        QTRY_VERIFY(hasInk(screenshot(m_shot), edit));

        // Drawn at 230/255 over the window: the black band and the white face both let a
        // little of the desk colour through.
        const QImage shot = screenshot(m_shot);
        QVERIFY2(!shot.isNull(), qPrintable(m_shot));
        const QColor band = shot.pixelColor(risen + QPoint(20, 60));
        const QColor face = shot.pixelColor(risen + QPoint(200, 85));
        QVERIFY2(near(band, blended(Qt::black)), qPrintable(describe(band)));
        QVERIFY2(near(face, blended(Qt::white)), qPrintable(describe(face)));
        QVERIFY2(band != QColor(Qt::black), "no compositing: the popup is opaque");
        // Just below the popup the window shows as it is.
        QVERIFY(near(shot.pixelColor(risen + QPoint(200, 91)), kDesk, 1));

        // A click closes it.
        const QPoint centre = risen + QPoint(200, 60);
        QVERIFY(run(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QString::number(centre.x()),
                     QString::number(centre.y()), QStringLiteral("click"), QStringLiteral("1")}));
        QTRY_VERIFY(popup.isNull());
        QCOMPARE(focusWindow(), m_deskFocus);
    }

    // A second popup covers the first: the first one's longer title shows only faintly
    // through the second.
    void newestIsOnTop()
    {
        QPointer<frmGmail> older = gmailHeldAtStart(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWW"),
                                                    QStringLiteral("THE OLDER ONE"));
        QTRY_VERIFY(viewable(older->winId()));
        QPointer<frmGmail> newer =
            gmailHeldAtStart(QStringLiteral("New"), QStringLiteral("THE NEWER ONE"));
        QTRY_VERIFY(viewable(newer->winId()));
        older->Timer1()->start();
        newer->Timer1()->start();
        QTRY_COMPARE_WITH_TIMEOUT(older->phase(), Phase::Holding, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(newer->phase(), Phase::Holding, 5000);
        const QPoint risen(m_screen.right() + 1 - 362, m_screen.bottom() + 1 - 92);
        QTRY_COMPARE(xPosition(newer->winId()), risen);

        QString path = m_shot;
        path.replace(QStringLiteral(".png"), QStringLiteral("-two.png"));
        const QImage shot = screenshot(path);
        QVERIFY(!shot.isNull());
        // Darkest pixel where only the older title has ink.
        int darkest = 255;
        for (int x = 200; x < 340; ++x) {
            for (int y = 6; y < 28; ++y) {
                darkest = std::min(darkest, qGray(shot.pixel(risen + QPoint(x, y))));
            }
        }
        QVERIFY2(darkest > 200, qPrintable(QString::number(darkest)));
        QVERIFY2(darkest < 240, "the older popup does not show through at all");
    }

private:
    QWidget m_desk;
    QLineEdit *m_edit = nullptr;
    QRect m_screen;
    QString m_shot;
    qulonglong m_deskFocus = 0;
};

QTEST_MAIN(TestPopupDesktop)
#include "tst_popup_desktop.moc"
