#include "frmMain.h"

#include "ChannelControls.h"
#include "FormLifecycle.h"
#include "PlayerState.h"
#include "StatusDisplay.h"
#include "Transport.h"
#include "mnuFunk.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

// Until the panel artwork is in, a dark face keeps the white texts readable.
const QColor kPanelColor(0x1c, 0x2b, 0x3a);
const QColor kTitleColor(Qt::white);
const QColor kNowPlayingColor(0x00, 0x80, 0x80);

// The window's fonts; where a named face is missing, fontconfig's aliases and the next
// family in the list stand in (Liberation Sans for Arial, Yanone Kaffeesatz for the
// condensed display face).
QFont smallBoldFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(6.75);
    font.setBold(true);
    return font;
}

QFont titleFont()
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("Gill Sans MT Ext Condensed Bold"), QStringLiteral("Yanone Kaffeesatz")});
    font.setPointSizeF(18);
    font.setBold(true);
    return font;
}

} // namespace

frmMain::frmMain(PlayerState &state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_mnuFunk(new mnuFunk(this))
    , m_mnuSystray(new QMenu(QStringLiteral("Meny"), this))
    , m_tmrUpdate(new QTimer(this))
    , m_timer5(new QTimer(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Morvena Webradio"));
    QPalette panel = palette();
    panel.setColor(QPalette::Window, kPanelColor);
    setPalette(panel);
    setAutoFillBackground(true);
    setFormIcon(Tray::Icon::Idle);

    // Created back to front: of two overlapping controls the later one lies above.
    m_label3 = addLabel("Label3", {11, 43, 163, 13}, smallBoldFont(), kTitleColor);
    m_label4 = addLabel("Label4", {12, 62, 160, 83}, smallBoldFont(), kNowPlayingColor);
    m_label4->setWordWrap(true);
    m_label2 = addLabel("Label2", {37, 7, 236, 35}, titleFont(), kTitleColor);
    // The on-air line shows the button-face colour until the status display first sets it.
    m_label5 =
        addLabel("Label5", {6, 150, 173, 13}, smallBoldFont(), palette().color(QPalette::Button));
    m_label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto *menuButton = addButton("PictureButton1", QStringLiteral("*"), {4, 6, 30, 30});
    connect(menuButton, &QToolButton::clicked, this,
            [this] { m_mnuSystray->popup(QCursor::pos()); });
    addButton("PictureButton2", QStringLiteral("MIN"), {274, 0, 29, 20});
    addButton("PictureButton3", QStringLiteral("x"), {297, 0, 17, 20});
    m_pictureButton6 = addButton("PictureButton6", QStringLiteral("||"), {187, 164, 17, 20});
    m_pictureButton7 = addButton("PictureButton7", QStringLiteral(">"), {188, 164, 17, 20});

    m_mnuSystray->setObjectName(QStringLiteral("mnuSystray"));
    buildMainMenu();
    m_tmrUpdate->setObjectName(QStringLiteral("tmrUpdate"));
    m_tmrUpdate->setInterval(kTmrUpdateMs);
    m_timer5->setObjectName(QStringLiteral("Timer5"));
    m_timer5->setInterval(kTimer5Ms);

    connect(&m_state, &PlayerState::Label2Changed, m_label2, &QLabel::setText);
    connect(&m_state, &PlayerState::Label3Changed, m_label3, &QLabel::setText);
    connect(&m_state, &PlayerState::Label4Changed, m_label4, &QLabel::setText);
    connect(&m_state, &PlayerState::Label5Changed, m_label5, &QLabel::setText);
    connect(&m_state, &PlayerState::Label5ForeColorChanged, this, &frmMain::showLabel5ForeColor);
    m_label2->setText(m_state.Label2());
    m_label3->setText(m_state.Label3());
    m_label4->setText(m_state.Label4());
    m_label5->setText(m_state.Label5());
    showLabel5ForeColor(m_state.Label5ForeColor());

    // Activation counts when the window takes over from another window of the program;
    // coming back from another application (no focus window in between) does not.
    m_focusWatch =
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
            if (window && window != windowHandle() && window->type() != Qt::Popup &&
                window->type() != Qt::ToolTip) {
                m_activationPending = true;
            }
        });
}

// The focus watch must go before the members it touches: the application may report a
// focus change while the widgets are being torn down.
frmMain::~frmMain()
{
    disconnect(m_focusWatch);
}

void frmMain::attach(Transport &transport, FormLifecycle &lifecycle)
{
    m_transport = &transport;
    m_lifecycle = &lifecycle;
    const auto onClick = [this](const char *name, auto operation) {
        connect(findChild<QToolButton *>(QLatin1String(name)), &QToolButton::clicked, this,
                operation);
    };
    onClick("PictureButton2", [&transport] { transport.toTray(); });
    onClick("PictureButton3", [&transport] { transport.exit(); });
    onClick("PictureButton6", [&transport] { transport.pauseButton(); });
    onClick("PictureButton7", [&transport] { transport.continuePlaying(); });
    connect(m_mnuFunk, &mnuFunk::loading, this, [&lifecycle] { lifecycle.loadFunctionsPopup(); });
    connect(m_mnuFunk, &mnuFunk::pauseAvsTriggered, this, [&transport] { transport.pause(); });
    connect(m_mnuFunk, &mnuFunk::fortsettAvsTriggered, this,
            [&transport] { transport.continuePlaying(); });
    connect(findChild<QAction *>(QStringLiteral("stopp")), &QAction::triggered, this,
            [&transport] { transport.stop(); });
}

void frmMain::attachStatusDisplay(StatusDisplay &display)
{
    connect(m_tmrUpdate, &QTimer::timeout, this, [&display] { display.poll(); });
    connect(m_timer5, &QTimer::timeout, this, [&display] { display.watch(); });
}

void frmMain::attachChannels(ChannelControls &channels)
{
    m_channels = &channels;
}

void frmMain::load()
{
    Q_ASSERT_X(m_lifecycle, "frmMain::load", "attach() first");
    setFixedSize(kSize);
    m_lifecycle->loadForm();
    // After the saved state, before the now-playing default, as the window always did.
    if (m_channels) {
        m_channels->buildChannelMenu();
    }
    m_lifecycle->finishLoad();
    m_tmrUpdate->start();
}

QLabel *frmMain::addLabel(const char *name, const QRect &rect, const QFont &font,
                          const QColor &color)
{
    auto *label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    label->setFont(font);
    // Channel names and stream titles come from outside: never let them read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette text = label->palette();
    text.setColor(QPalette::WindowText, color);
    label->setPalette(text);
    return label;
}

QToolButton *frmMain::addButton(const char *name, const QString &text, const QRect &rect)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setGeometry(rect);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    QPalette colors = button->palette();
    colors.setColor(QPalette::ButtonText, kTitleColor);
    button->setPalette(colors);
    return button;
}

QAction *frmMain::addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void frmMain::buildMainMenu()
{
    QMenu *favs = m_mnuSystray->addMenu(QStringLiteral("My Channels"));
    favs->setObjectName(QStringLiteral("mnuFavs"));
    addItem(favs, "mnuNet", QStringLiteral("¦ Edit Channels"));
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("strek"));
    QMenu *functions = m_mnuSystray->addMenu(QStringLiteral("Settings"));
    functions->setObjectName(QStringLiteral("Funksjoner"));
    QMenu *onTop = functions->addMenu(QStringLiteral("Always on top"));
    onTop->setObjectName(QStringLiteral("alltid_topp"));
    m_visTopp = addItem(onTop, "vis_topp", QStringLiteral("Always"));
    m_ikkeTop = addItem(onTop, "ikke_top", QStringLiteral("Normal"));
    QMenu *info = functions->addMenu(QStringLiteral("Information View"));
    info->setObjectName(QStringLiteral("vis_informasjon"));
    m_jaInfo = addItem(info, "ja_info", QStringLiteral("Yes"));
    m_infoIkke = addItem(info, "info_ikke", QStringLiteral("No"));
    functions->addSeparator()->setObjectName(QStringLiteral("eksport_kanaler"));
    addItem(functions, "eksportkanaler", QStringLiteral("Export Mine Kanaler.ini"));
    functions->addSeparator()->setObjectName(QStringLiteral("skille_mkr"));
    addItem(functions, "hjelp_nettr", QStringLiteral("About.."));
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("strek2"));
    addItem(m_mnuSystray, "hva_spn", QStringLiteral("What's On?"));
    addItem(m_mnuSystray, "stopp", QStringLiteral("Stop Radio"));
}

void frmMain::setPictureButton6Visible(bool visible)
{
    m_pictureButton6->setVisible(visible);
}
void frmMain::setPictureButton7Visible(bool visible)
{
    m_pictureButton7->setVisible(visible);
}
void frmMain::setFortsettAvsCaption(const QString &caption)
{
    m_mnuFunk->fortsett_avs()->setText(caption);
}
void frmMain::setFortsettAvsEnabled(bool enabled)
{
    m_mnuFunk->fortsett_avs()->setEnabled(enabled);
}
void frmMain::setPauseAvsEnabled(bool enabled)
{
    m_mnuFunk->pause_avs()->setEnabled(enabled);
}
void frmMain::setVisToppEnabled(bool enabled)
{
    m_visTopp->setEnabled(enabled);
}
void frmMain::setIkkeTopEnabled(bool enabled)
{
    m_ikkeTop->setEnabled(enabled);
}
void frmMain::setJaInfoEnabled(bool enabled)
{
    m_jaInfo->setEnabled(enabled);
}
void frmMain::setInfoIkkeEnabled(bool enabled)
{
    m_infoIkke->setEnabled(enabled);
}
void frmMain::setTmrUpdateEnabled(bool enabled)
{
    enabled ? m_tmrUpdate->start() : m_tmrUpdate->stop();
}
void frmMain::setTimer5Enabled(bool enabled)
{
    enabled ? m_timer5->start() : m_timer5->stop();
}

// Stand-in images until the artwork's idle and playing icons are in the resources.
void frmMain::setFormIcon(Tray::Icon icon)
{
    m_formIcon = icon;
    setWindowIcon(style()->standardIcon(icon == Tray::Icon::Idle ? QStyle::SP_MediaStop
                                                                 : QStyle::SP_MediaPlay));
}

void frmMain::minimizeWindow()
{
    showMinimized();
}

// exit(), not quit(): quit() would first close the windows, and closing this one saves,
// which the exit button must not do.
void frmMain::endProgram()
{
    QCoreApplication::exit(0);
}

bool frmMain::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && m_activationPending) {
        runActivation();
    }
    return QWidget::event(event);
}

// Being shown (the first display, or back from the tray) is an activation even where the
// desktop does not hand the window the focus; the WindowActivate that may follow is then
// the same activation.
void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    runActivation();
}

// A close request from the desktop or the session is the window's unload: save, then end.
// A session's end may ask twice (its own request, then closing every window); the state is
// saved once, as it stood at the first request.
void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_lifecycle && !m_unloaded) {
        m_unloaded = true;
        m_lifecycle->unload();
    }
    event->accept();
}

// A colour of 0 has not been set yet: the label keeps the button-face colour it started with.
void frmMain::showLabel5ForeColor(quint32 argb)
{
    if (argb == 0) {
        return;
    }
    QPalette text = m_label5->palette();
    text.setColor(QPalette::WindowText, QColor::fromRgba(argb));
    m_label5->setPalette(text);
}

void frmMain::runActivation()
{
    m_activationPending = false;
    if (m_lifecycle) {
        m_lifecycle->activate();
    }
    emit activated();
}
