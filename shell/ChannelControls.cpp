#include "ChannelControls.h"

#include "ChannelAdder.h"
#include "ChannelExport.h"
#include "ChannelListPopup.h"
#include "ChannelListWatcher.h"
#include "ChannelMenu.h"
#include "DropHandler.h"
#include "FileDropTarget.h"
#include "LocalMedia.h"
#include "PictureButton.h"
#include "Presets.h"
#include "frmMain.h"
#include "mnuFunk.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidgetAction>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

ChannelControls::ChannelControls(frmMain &window, ChannelMenu &menu, DropHandler &drops,
                                 LocalMedia &localMedia, ChannelExport &exporter, Presets &presets)
    : m_menu(menu)
    , m_presets(presets)
    , m_window(window)
    , m_mnuFavs(window.mnuFavs())
    , m_mainMenu(window.mnuSystray())
    , m_editEntry(window.mnuNet())
    , m_addItem(window.leggTilKanal())
    , m_model(new ChannelListModel(menu, this))
    , m_list(new ChannelListView(m_mnuFavs))
    , m_listAction(new QWidgetAction(m_mnuFavs))
    , m_dropTarget(new FileDropTarget(window.nowPlayingLabel()))
{
    connect(m_editEntry, &QAction::triggered, this, [this] { mnuNetClick(0); });
    m_mnuFavs->addSeparator()->setObjectName(QStringLiteral("mnuNetSkille"));
    m_list->setModel(m_model);
    m_listAction->setObjectName(QStringLiteral("mnuNetListe"));
    m_listAction->setDefaultWidget(m_list);
    m_mnuFavs->addAction(m_listAction);
    connect(m_list, &ChannelListView::picked, this, [this](int row) {
        // Like a menu item, a pick closes the whole menu before it acts.
        for (int open = 0; open < 8 && QApplication::activePopupWidget(); ++open) {
            QApplication::activePopupWidget()->close();
        }
        mnuNetClick(row + 1);
    });
    connect(m_mnuFavs, &QMenu::aboutToShow, this, &ChannelControls::fitList);
    m_mnuFavs->installEventFilter(this);

    connect(window.eksportkanaler(), &QAction::triggered, this,
            [&exporter] { exporter.eksportkanalerClick(); });
    connect(window.finnStasjonar(), &QAction::triggered, this,
            &ChannelControls::findStationsRequested);
    connect(window.functionsWindow(), &mnuFunk::musikkfilTriggered, this,
            [&localMedia] { localMedia.musikkfilClick(); });
    connect(m_dropTarget, &FileDropTarget::dropped, this,
            [&drops](const QStringList &files) { drops.Label4Drop(files); });
    for (int preset = 1; preset <= Presets::kCount; ++preset) {
        PictureButton *button = window.presetButton(preset);
        connect(button, &PictureButton::MouseDown, this,
                [&presets](qint16 &, qint16 &, float &, float &) { presets.mouseDown(); });
        connect(
            button, &PictureButton::MouseUp, this,
            [&presets, preset](qint16 &, qint16 &, float &, float &) { presets.mouseUp(preset); });
        // Enter or an assistive tool's press has no hold: it tunes, as a short press does.
        connect(button, &PictureButton::PressedWithoutPointer, this,
                [&presets, preset] { presets.tune(preset); });
    }
    presets.setListeners([this](const QString &text) { emit notice(text); },
                         [this](int) { showPresetTips(); });
    showPresetTips();
}

void ChannelControls::tunePreset(int preset)
{
    m_presets.tune(preset);
}

void ChannelControls::storePreset(int preset)
{
    m_presets.store(preset);
}

void ChannelControls::showPresetTips()
{
    for (int preset = 1; preset <= Presets::kCount; ++preset) {
        // Channel names come from files and streams: a word joiner after every "<" keeps
        // the tip from being taken for rich text.
        QString tip = m_presets.toolTip(preset);
        m_window.presetButton(preset)->setToolTip(
            tip.replace(QLatin1Char('<'), QStringLiteral("<\u2060")));
    }
}

ChannelControls::~ChannelControls() = default;

// The first read is part of the window's load, which shows the menu as it read it; later
// ones run on a worker thread, since a list of thousands takes a good part of a second to
// parse.
void ChannelControls::buildChannelMenu()
{
    if (!m_watcher) {
        m_watcher = new ChannelListWatcher(m_menu.listPath(), this);
        connect(m_watcher, &ChannelListWatcher::changed, this, &ChannelControls::reread);
    }
    m_model->reload();
    fitList();
    emit channelMenuRebuilt();
}

void ChannelControls::attachAdder(ChannelAdder &adder)
{
    if (!m_addItem) {
        return;
    }
    connect(m_addItem, &QAction::triggered, this, [this, &adder] {
        adder.addPlaying([controls = QPointer<ChannelControls>(this)](const QString &text) {
            if (controls) {
                emit controls->notice(text);
            }
        });
    });
    // Greyed out while nothing plays; the adder refuses then all the same.
    if (m_mainMenu) {
        connect(m_mainMenu, &QMenu::aboutToShow, this,
                [this, &adder] { m_addItem->setEnabled(adder.canAdd()); });
    }
}

void ChannelControls::mnuNetClick(int index)
{
    m_menu.mnuNetClick(index);
}

// Typing a name while the submenu itself has the keyboard (just opened, the edit entry
// active) goes to the list, whose type-ahead finds the entry.
bool ChannelControls::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mnuFavs && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.front().isPrint() && !text.front().isSpace() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
            m_list->model()->rowCount() > 0) {
            m_mnuFavs->setActiveAction(m_listAction);
            m_list->setFocus(Qt::OtherFocusReason);
            m_list->keyboardSearch(text);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ChannelControls::reread()
{
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    m_reading = true;
    auto *reading = new QFutureWatcher<QStringList>(this);
    connect(reading, &QFutureWatcherBase::finished, this, [this, reading] {
        reading->deleteLater();
        m_reading = false;
        if (std::exchange(m_readAgain, false)) {
            reread();
            return;
        }
        m_model->show(reading->result());
        fitList();
        emit channelMenuRebuilt();
    });
    reading->setFuture(QtConcurrent::run(&ChannelMenu::readCaptions, m_menu.listPath()));
}

// The submenu is no taller than the screen's free area: the edit entry, the separator and
// the menu's frame take their share, the list the rest.
void ChannelControls::fitList()
{
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) {
        screen = m_mnuFavs->screen();
    }
    const int available = screen ? screen->availableGeometry().height() : 600;
    const QStyle *style = m_mnuFavs->style();
    const int frame = 2 * (style->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, m_mnuFavs) +
                           style->pixelMetric(QStyle::PM_MenuVMargin, nullptr, m_mnuFavs));
    const int editEntry = m_editEntry ? m_mnuFavs->fontMetrics().height() + 12 : 0;
    const int separator = style->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, m_mnuFavs) + 12;
    const QSize before = m_list->size();
    m_list->fitRows(available - frame - editEntry - separator);
    if (m_list->size() != before) {
        // A changed text makes the menu lay out its items again, the list's new size with them.
        m_listAction->setText(QStringLiteral("%1x%2").arg(m_list->width()).arg(m_list->height()));
    }
}
