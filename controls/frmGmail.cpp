#include "frmGmail.h"

#include "AssetResources.h"
#include "FontStandIns.h"
#include "SvgImage.h"
#include "TextLabel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

// The layout in pixels, 15 twips to a pixel.
constexpr QRect kTitleRect{64, 2, 290, 30};
constexpr QRect kTextRect{64, 42, 292, 35};
constexpr QRect kLogoRect{275, 28, 80, 14};
// The band reaches from the left edge to x = 57 over the whole height.
constexpr QRect kBandRect{0, 0, 57, frmGmail::kSize.height()};
// The separating line, one pixel high, from x = 56 to x = 354.
constexpr QRect kLineRect{56, 34, 298, 1};

const QString kLogoPath = QStringLiteral(":/artwork/morvena-logo.svg");

// The popup's face is always white: a dark desktop theme's light text colour would
// vanish on it, so such a colour gives way to black.
QColor textColor(const QPalette &palette)
{
    const QColor color = palette.color(QPalette::WindowText);
    return color.lightness() < 128 ? color : QColor(Qt::black);
}

} // namespace

frmGmail::frmGmail()
    : frmGmail(primaryWorkArea, kStepMs, kHoldMs)
{}

frmGmail::frmGmail(const ScreenSource &screen, int stepMs, int holdMs)
    : QWidget(nullptr,
              // A tool window that bypasses the window manager: some managers pull a window
              // placed below the screen's edge back onto it, and this one must start there.
              // It also keeps the popup off the taskbar and out of the focus chain.
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                  Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
    , m_motion(screen(), kSize)
    , m_timer1(new QTimer(this))
    , m_timer2(new QTimer(this))
    , m_timer3(new QTimer(this))
{
    setObjectName(QStringLiteral("frmGmail"));
    // The user goes on typing in the window they were in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setWindowOpacity(kOpacity);
    setFixedSize(kSize);
    QPalette face = palette();
    face.setColor(QPalette::Window, Qt::white);
    setPalette(face);
    setAutoFillBackground(true);

    m_lblTitle = addTextLabel(
        this, "lblTitle", kTitleRect,
        FontStandIns::font(QStringLiteral("Gill Sans MT Ext Condensed Bold"), 20.25, QFont::Normal),
        Qt::black);
    m_lblText = addTextLabel(this, "lblText", kTextRect,
                             FontStandIns::font(QStringLiteral("Tahoma"), 8.25, QFont::Bold),
                             textColor(palette()));
    // Wrapped at word boundaries; what does not fit the box is cut off at its edges.
    m_lblTitle->setWordWrap(true);
    m_lblText->setWordWrap(true);
    AssetResources::ensureLoaded();
    auto *logo = new SvgImage(kLogoPath, this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(kLogoRect);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(stepMs);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(holdMs);
    m_timer3->setObjectName(QStringLiteral("Timer3"));
    m_timer3->setInterval(stepMs);
    connect(m_timer1, &QTimer::timeout, this, &frmGmail::riseTick);
    connect(m_timer2, &QTimer::timeout, this, &frmGmail::holdTick);
    connect(m_timer3, &QTimer::timeout, this, &frmGmail::closeTick);

    move(m_motion.position());
}

QRect frmGmail::primaryWorkArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void frmGmail::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_motion.phase() == PopupMotion::Phase::Rising && !m_timer1->isActive()) {
        m_timer1->start();
    }
}

void frmGmail::riseTick()
{
    m_motion.rise();
    move(m_motion.position());
    if (m_motion.phase() != PopupMotion::Phase::Rising) {
        m_timer1->stop();
        m_timer2->start();
    }
}

void frmGmail::holdTick()
{
    m_timer2->stop();
    m_motion.holdElapsed();
    m_timer3->start();
}

void frmGmail::closeTick()
{
    if (m_motion.phase() != PopupMotion::Phase::Closing) {
        return;
    }
    m_timer3->stop();
    m_motion.closeStep();
    move(m_motion.position());
    close();
}

void frmGmail::dismiss()
{
    m_motion.dismiss();
    if (m_motion.phase() == PopupMotion::Phase::Closing) {
        m_timer1->stop();
        m_timer2->stop();
        m_timer3->start();
    }
}

void frmGmail::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(kBandRect, Qt::black);
    painter.fillRect(kLineRect, textColor(palette()));
}

// A click is a press and a release on the window, its band and line, or its two labels
// (which pass their clicks on); the logo keeps its own.
void frmGmail::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void frmGmail::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton) {
        dismiss();
    }
    m_pressed = false;
    event->accept();
}
