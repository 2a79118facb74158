#include "frmMain.h"

#include "ChannelMenu.h"
#include "ImageList.h"
#include "KeyCommands.h"
#include "MainSkin.h"
#include "PictureButton.h"
#include "PlayerState.h"
#include "PropertyBag.h"
#include "SkinImage.h"
#include "SleepTimer.h"
#include "TextLabel.h"
#include "mnuFunk.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

namespace {

// The hidden holders sit right of the panel, outside what the window shows.
constexpr int kHiddenLeft = 330;
// The native window's property that Qt's platform plugins read to show a window without
// activating it.
constexpr char kShowWithoutActivating[] = "_q_showWithoutActivating";

} // namespace

frmMain::frmMain(PlayerState &state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_mnuFunk(new mnuFunk(this))
    , m_mnuSystray(new QMenu(QStringLiteral("Meny"), this))
    , m_tmrUpdate(new QTimer(this))
    , m_timer5(new QTimer(this))
    , m_flash(new QTimer(this))
{
    MainSkin::initResources();
    m_background = Picture::fromFile(QStringLiteral(":/skin/background.svg"));
    // NOLINTNEXTLINE(cppcoreguidelines-prefer-member-initializer): after the resources it reads
    m_imageList1 = new ImageList(this);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Morvena Webradio"));
    setAccessibleName(QStringLiteral("Morvena Webradio"));
    // The panel takes the keyboard (a click or Tab gives it the focus); keys that reach a
    // focused button go on to the panel.
    setFocusPolicy(Qt::StrongFocus);
    setFont(MainSkin::arialFont(8.25, false));
    // White as designed, though the panel artwork covers all of it.
    QPalette panel = palette();
    panel.setColor(QPalette::Window, Qt::white);
    setPalette(panel);
    setWindowIcon(m_imageList1->image(Tray::Icon::Idle));

    // Created back to front: of two overlapping controls the later one lies above.
    m_label3 = addTextLabel(this, "Label3", {11, 43, 163, 13}, MainSkin::arialFont(6.75, true),
                            MainSkin::textColor());
    m_label4 = addTextLabel(this, "Label4", {12, 62, 160, 83}, MainSkin::arialFont(6.75, true),
                            MainSkin::nowPlayingColor());
    m_label4->setWordWrap(true);
    m_label2 = addTextLabel(this, "Label2", {37, 7, 236, 35}, MainSkin::titleFont(),
                            MainSkin::textColor());
    auto *image2 = new SkinImage(Picture::fromFile(QStringLiteral(":/skin/image2.svg")), this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setGeometry(195, 163, 23, 21);
    // The bar is drawn 147 pixels wide and stretched over the whole on-air line.
    auto *image3 = new SkinImage(Picture::fromFile(QStringLiteral(":/skin/image3.svg")), this);
    image3->setObjectName(QStringLiteral("Image3"));
    image3->setGeometry(5, 150, 174, 13);
    // The on-air line shows the button-face colour until the status display first sets it.
    m_label5 = addTextLabel(this, "Label5", {6, 150, 173, 13}, MainSkin::arialFont(6.75, true),
                            palette().color(QPalette::Button));
    m_label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    addHiddenHolders();
    addPictureButtons();

    connect(m_pictureButton1, &PictureButton::Click, this,
            [this] { m_mnuSystray->popup(QCursor::pos()); });
    connect(m_pictureButton2, &PictureButton::Click, this, &frmMain::toTrayRequested);
    connect(m_pictureButton3, &PictureButton::Click, this, &frmMain::exitRequested);
    connect(m_pictureButton6, &PictureButton::Click, this, &frmMain::pauseButtonClicked);
    connect(m_pictureButton7, &PictureButton::Click, this, &frmMain::continueRequested);
    connect(m_mnuFunk, &mnuFunk::loading, this, &frmMain::functionsPopupLoading);
    connect(m_mnuFunk, &mnuFunk::pauseAvsTriggered, this, &frmMain::pauseRequested);
    connect(m_mnuFunk, &mnuFunk::fortsettAvsTriggered, this, &frmMain::continueRequested);

    m_mnuSystray->setObjectName(QStringLiteral("mnuSystray"));
    buildMainMenu();
    skinMenus();
    m_tmrUpdate->setObjectName(QStringLiteral("tmrUpdate"));
    m_tmrUpdate->setInterval(kTmrUpdateMs);
    m_timer5->setObjectName(QStringLiteral("Timer5"));
    m_timer5->setInterval(kTimer5Ms);

    m_flash->setObjectName(QStringLiteral("flash"));
    m_flash->setSingleShot(true);
    m_flash->setInterval(kFlashMs);
    connect(m_flash, &QTimer::timeout, this, [this] { m_label3->setText(m_state.Label3()); });
    connect(&m_state, &PlayerState::changed, this, &frmMain::render);
    render();

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

void frmMain::setTrayAvailable(std::function<bool()> available)
{
    m_trayAvailable = std::move(available);
}

void frmMain::flashStatus(const QString &text)
{
    m_label3->setText(text);
    m_flash->start();
}

// The status poll rewrites its line all the time; a brief notice holds the line until it
// has been read.
void frmMain::showStatusLine(const QString &text)
{
    if (!m_flash->isActive() && m_label3->text() != text) {
        m_label3->setText(text);
    }
}

void frmMain::load()
{
    // The title bar goes first, before the window exists on the desktop, so the frame
    // never shows; a running window has no title text.
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QString());
    setFixedSize(kSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    emit loading();
    runStatusPoll();
    // The panel is where the keys go whenever the window is active.
    setFocus(Qt::OtherFocusReason);
}

PictureButton *frmMain::presetButton(int number) const
{
    return number >= 1 && number <= kPresetCount ? m_presets.at(number - 1) : nullptr;
}

// The option boxes and the two never-shown labels mirror the state, outside the panel.
void frmMain::addHiddenHolders()
{
    const auto holder = [](QWidget *widget, const char *name, int top) {
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(kHiddenLeft, top, 60, 17);
        widget->hide();
    };
    // Label6 and Label1 hold a channel's name and address, which are not ours to trust.
    const auto plainLabel = [this] {
        auto *label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    m_chkFarge = new QCheckBox(this);
    holder(m_chkFarge, "chkFarge", 0);
    m_chkInfo = new QCheckBox(this);
    holder(m_chkInfo, "chkInfo", 20);
    auto *label6 = plainLabel();
    holder(label6, "Label6", 40);
    auto *label1 = plainLabel();
    holder(label1, "Label1", 60);
    connect(&m_state, &PlayerState::chkFargeChanged, m_chkFarge,
            [this](int value) { m_chkFarge->setChecked(value == 1); });
    connect(&m_state, &PlayerState::chkInfoChanged, m_chkInfo,
            [this](int value) { m_chkInfo->setChecked(value == 1); });
    m_label6 = label6;
    connect(&m_state, &PlayerState::Label1Changed, label1, &QLabel::setText);
}

// Each button reads its pictures from the layout data first; its geometry, set after, is
// the resize that draws it at its picture's size.
void frmMain::addPictureButtons()
{
    std::array<PictureButton *, MainSkin::kButtons.size()> made{};
    for (std::size_t i = 0; i < MainSkin::kButtons.size(); ++i) {
        const MainSkin::ButtonPlace &place = MainSkin::kButtons.at(i);
        auto *button = new PictureButton(m_probe, this);
        button->setObjectName(QLatin1String(place.name));
        button->setAccessibleName(QCoreApplication::translate("MainSkin", place.accessibleName));
        button->readProperties(MainSkin::buttonLayout(place.art));
        button->setGeometry(place.rect);
        made.at(i) = button;
    }
    m_pictureButton1 = made[0];
    m_pictureButton2 = made[1];
    m_pictureButton3 = made[2];
    m_pictureButton6 = made[3];
    m_pictureButton7 = made[4];
    std::copy(made.begin() + MainSkin::kFirstPreset, made.end(), m_presets.begin());
}

// The popups wear the panel's colours, and carry their titles as window names so desktop
// tools and screen readers can tell the main menu from the functions popup.
void frmMain::skinMenus()
{
    const QPalette colors = MainSkin::menuPalette(m_mnuSystray->palette());
    for (QMenu *menu : findChildren<QMenu *>()) {
        menu->setPalette(colors);
        menu->setWindowTitle(menu->title());
    }
}

QAction *frmMain::addItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void frmMain::buildMainMenu()
{
    m_mnuFavs = m_mnuSystray->addMenu(tr("My Channels"));
    m_mnuFavs->setObjectName(QStringLiteral("mnuFavs"));
    m_mnuNet = addItem(m_mnuFavs, "mnuNet", tr("\u00a6 Edit Channels"));
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("strek"));
    QMenu *functions = m_mnuSystray->addMenu(tr("Settings"));
    functions->setObjectName(QStringLiteral("Funksjoner"));
    QMenu *onTop = functions->addMenu(tr("Always on top"));
    onTop->setObjectName(QStringLiteral("alltid_topp"));
    m_visTopp = addItem(onTop, "vis_topp", tr("Always"));
    connect(m_visTopp, &QAction::triggered, this, &frmMain::visToppTriggered);
    m_ikkeTop = addItem(onTop, "ikke_top", tr("Normal"));
    connect(m_ikkeTop, &QAction::triggered, this, &frmMain::ikkeTopTriggered);
    QMenu *info = functions->addMenu(tr("Information View"));
    info->setObjectName(QStringLiteral("vis_informasjon"));
    m_jaInfo = addItem(info, "ja_info", tr("Yes"));
    connect(m_jaInfo, &QAction::triggered, this, &frmMain::jaInfoTriggered);
    m_infoIkke = addItem(info, "info_ikke", tr("No"));
    connect(m_infoIkke, &QAction::triggered, this, &frmMain::infoIkkeTriggered);
    functions->addSeparator()->setObjectName(QStringLiteral("eksport_kanaler"));
    m_eksportkanaler = addItem(functions, "eksportkanaler", tr("Export Mine Kanaler.ini"));
    functions->addSeparator()->setObjectName(QStringLiteral("skille_mkr"));
    connect(addItem(functions, "hjelp_nettr", tr("About..")), &QAction::triggered, this,
            &frmMain::aboutRequested);
    // Below Settings, so the keys that reach My Channels, Settings and the last item stay.
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("strek_stasjonar"));
    m_finnStasjonar = addItem(m_mnuSystray, "finn_stasjonar", tr("Find stations…"));
    m_leggTilKanal = addItem(m_mnuSystray, "legg_til_kanal", tr("Add to My Channels"));
    addHistoryItems();
    buildRecordSleepItems();
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("strek2"));
    connect(addItem(m_mnuSystray, "hva_spn", tr("What's On?")), &QAction::triggered, this,
            &frmMain::whatsOnRequested);
    connect(addItem(m_mnuSystray, "stopp", tr("Stop Radio")), &QAction::triggered, this,
            &frmMain::stopRequested);
}

// Between the station items and What's On, so the keys that reach My Channels, Settings
// and the last item stay as they were.
void frmMain::addHistoryItems()
{
    m_mnuSystray->addSeparator()->setObjectName(QStringLiteral("strek_historikk"));
    connect(addItem(m_mnuSystray, "stjerne", tr("Star This Song\t*")), &QAction::triggered, this,
            &frmMain::starRequested);
    connect(addItem(m_mnuSystray, "historikk", tr("Song History…\tH")), &QAction::triggered, this,
            &frmMain::historyRequested);
    connect(addItem(m_mnuSystray, "stjernemerkte", tr("Starred Songs…")), &QAction::triggered, this,
            &frmMain::starredRequested);
}

// Record and Sleep, beside the other things the player does on its own.
void frmMain::buildRecordSleepItems()
{
    m_opptak = addItem(m_mnuSystray, "opptak", tr("Record\tR"));
    m_opptak->setCheckable(true);
    connect(m_opptak, &QAction::triggered, this, [this] {
        // The item shows what the recorder says, not what the click made of it.
        m_opptak->setChecked(!m_opptak->isChecked());
        emit recordToggled();
    });
    QMenu *sleep = m_mnuSystray->addMenu(tr("Sleep"));
    sleep->setObjectName(QStringLiteral("sove"));
    m_sove = new QActionGroup(sleep);
    const auto choice = [this, sleep](const char *name, const QString &caption, int minutes) {
        QAction *item = addItem(sleep, name, caption);
        item->setCheckable(true);
        item->setData(minutes);
        m_sove->addAction(item);
        connect(item, &QAction::triggered, this, [this, minutes] { emit sleepRequested(minutes); });
    };
    choice("sove_av", tr("Off"), 0);
    for (const int minutes : SleepTimer::kChoices)
        choice("sove_min", tr("%n minute(s)", nullptr, minutes), minutes);
    choice("sove_annan", tr("Other time…\tZ"), -1);
    setSleepShown(0);
    m_recordingMark = new QLabel(QStringLiteral("REC"), this);
    m_recordingMark->setObjectName(QStringLiteral("opptak_merke"));
    m_recordingMark->setGeometry(150, 150, 28, 13);
    m_recordingMark->setFont(MainSkin::arialFont(6.75, true));
    QPalette red = m_recordingMark->palette();
    red.setColor(QPalette::WindowText, QColor(0xd0, 0x10, 0x10));
    m_recordingMark->setPalette(red);
    m_recordingMark->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_recordingMark->hide();
}

void frmMain::setRecordingShown(bool on)
{
    m_opptak->setChecked(on);
    m_recordingMark->setVisible(on);
}

void frmMain::setSleepShown(int minutes)
{
    const QList<QAction *> items = m_sove->actions();
    QAction *shown = items.last(); // a typed-in time
    for (QAction *item : items) {
        if (item->data().toInt() == minutes)
            shown = item;
    }
    shown->setChecked(true);
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
    m_mnuFunk->fortsett_avs()->setText(ChannelMenu::menuText(caption));
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
    m_pollWanted = enabled;
    runStatusPoll();
}

// The poll only feeds the status line: hidden in the tray, minimised or with nothing
// playing, its ten wake-ups a second would be the program's largest cost for nobody. The
// engine's own events keep the rest of the state current meanwhile.
void frmMain::runStatusPoll()
{
    const bool run = m_pollWanted && isVisible() && !isMinimized();
    if (run == m_tmrUpdate->isActive()) {
        return;
    }
    if (!run) {
        m_tmrUpdate->stop();
        return;
    }
    m_tmrUpdate->start();
    emit statusPollResumed();
}
void frmMain::setTimer5Enabled(bool enabled)
{
    enabled ? m_timer5->start() : m_timer5->stop();
}

void frmMain::setFormIcon(Tray::Icon icon)
{
    setWindowIcon(m_imageList1->image(icon));
}

// With a notification area the window goes straight there, hidden: minimising it on the
// desktop first and hiding it after races the window manager, which then may keep it
// minimised when it is shown again from the tray.
void frmMain::minimizeWindow()
{
    if (m_trayAvailable()) {
        hide();
        return;
    }
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
// the same activation. The show notices that come with minimising are none.
void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (isVisible() && !isMinimized()) {
        runActivation();
    }
    runStatusPoll();
}

void frmMain::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    runStatusPoll();
}

// A close request from the desktop or the session is the window's unload: save, then end.
// A session's end may ask twice (its own request, then closing every window); the state is
// saved once, as it stood at the first request.
void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        emit unloading();
    }
    event->accept();
}

// Each label is set only when its text changes: the state changes far more often than
// any one of them. A colour of 0 has not been set yet: the label keeps the button-face
// colour it started with.
void frmMain::render()
{
    const auto show = [](QLabel *label, const QString &text) {
        if (label->text() != text) {
            label->setText(text);
        }
    };
    show(m_label2, m_state.Label2());
    show(m_label4, m_state.Label4());
    show(m_label5, m_state.Label5());
    show(m_label6, m_state.Label6());
    showStatusLine(m_state.Label3());
    const quint32 argb = m_state.Label5ForeColor();
    if (argb == 0 || argb == m_label5Color) {
        return;
    }
    m_label5Color = argb;
    QPalette text = m_label5->palette();
    text.setColor(QPalette::WindowText, QColor::fromRgba(argb));
    m_label5->setPalette(text);
}

void frmMain::runActivation()
{
    m_activationPending = false;
    emit activating();
    emit activated();
}

// On top without re-creating the native window: setting the hint through the widget would
// destroy and re-create the window, which flickers and loses its place.
void frmMain::setTopmost(bool on)
{
    QWindow *window = windowHandle();
    if (!window) {
        // Not on the desktop yet (the saved options are restored before the first show):
        // the hint goes with the window when it is created.
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    window->setFlag(Qt::WindowStaysOnTopHint, on);
    overrideWindowFlags(window->flags());
    if (!isVisible()) {
        // Shown without taking the focus; a window hidden after being minimised must come
        // back in its normal state, or the desktop would map it still minimised. (On X11 Qt
        // gives a window whose on-top hint changed while hidden a new native window as it
        // shows it; that happens before it is on screen, so nothing flickers.)
        // The attribute only counts for a window's first show; later shows read the native
        // window's property.
        setAttribute(Qt::WA_ShowWithoutActivating);
        window->setProperty(kShowWithoutActivating, true);
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        window->setProperty(kShowWithoutActivating, QVariant());
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

// Minimising puts the window away in the tray; without a notification area on the desktop
// it stays minimised where the desktop can still give it back. The hiding waits for the
// event loop: showMinimized() shows the window again right after this notice.
void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        runStatusPoll();
    }
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_trayAvailable()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized()) {
                    hide();
                }
            },
            Qt::QueuedConnection);
    }
}

void frmMain::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0),
                       m_background.pixmap(MainSkin::kBackgroundSize, devicePixelRatioF()));
}

// Presses on the panel, the labels and the images (which pass them on) drag the window;
// the image buttons keep theirs. The window manager's move starts only once the pointer has
// gone the drag distance with the button held: started on the press, a click whose release
// comes right after it (a touchpad tap, xdotool) leaves the window manager moving the window
// after the button is up, holding the keyboard until Escape. Without a window manager that
// can move it, the window follows the pointer itself.
void frmMain::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_manualDrag = false;
    m_pressPoint = event->globalPosition().toPoint();
    m_dragOffset = m_pressPoint - pos();
}

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint point = event->globalPosition().toPoint();
    if (!m_manualDrag) {
        if ((point - m_pressPoint).manhattanLength() <
            QGuiApplication::styleHints()->startDragDistance()) {
            return;
        }
        if (windowHandle() && windowHandle()->startSystemMove()) {
            m_pressed = false;
            return;
        }
        m_manualDrag = true;
    }
    move(point - m_dragOffset);
}

void frmMain::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = false;
        m_manualDrag = false;
    }
    QWidget::mouseReleaseEvent(event);
}

// A left press on the tray icon: the functions popup, without bringing the window forward.
void frmMain::openFunctionsPopup()
{
    m_mnuFunk->hoved_mnufunk()->popup(QCursor::pos());
}

// A right press on the tray icon: the window comes forward (if it is shown), then the menu.
void frmMain::openMainMenuFromTray()
{
    if (isVisible()) {
        raise();
        activateWindow();
    }
    m_mnuSystray->popup(QCursor::pos());
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    using KeyCommands::Command;
    const KeyCommands::Action action = KeyCommands::forKey(event->key(), event->modifiers());
    if (action.command == Command::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A held key repeats: only the volume should follow it; a held Space would flicker
    // between pause and continue, a held Ctrl+3 store and beep again and again.
    const bool isVolume =
        action.command == Command::VolumeUp || action.command == Command::VolumeDown;
    if (event->isAutoRepeat() && !isVolume) {
        event->accept();
        return;
    }
    switch (action.command) {
    case Command::PauseOrContinue:
        m_pictureButton7->isHidden() ? emit pauseButtonClicked() : emit continueRequested();
        break;
    case Command::Stop:
        emit stopRequested();
        break;
    case Command::TunePreset:
    case Command::StorePreset:
        emit presetKey(action.preset, action.command == Command::StorePreset);
        break;
    case Command::MainMenu:
        m_mnuSystray->popup(m_pictureButton1->mapToGlobal(QPoint(0, m_pictureButton1->height())));
        break;
    case Command::ToTray:
        emit toTrayRequested();
        break;
    case Command::VolumeUp:
    case Command::VolumeDown:
        emit volumeStepRequested(action.command == Command::VolumeUp ? 1 : -1);
        break;
    case Command::History:
        emit historyRequested();
        break;
    case Command::StarSong:
        emit starRequested();
        break;
    case Command::Record:
        emit recordToggled();
        break;
    case Command::Sleep:
        emit sleepRequested(-1);
        break;
    case Command::None:
        break;
    }
    event->accept();
}

void frmMain::wheelEvent(QWheelEvent *event)
{
    emit wheelTurned(event->angleDelta().y());
    event->accept();
}

// A left double-click on the tray icon (or the desktop's Raise): the window back in its
// normal state, in front, and the icon gone.
void frmMain::restoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
    emit restoredFromTray();
}

void frmMain::raiseFromDesktop()
{
    restoreFromTray();
}
