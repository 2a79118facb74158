#include "HistoryWindow.h"

#include "FileDialogs.h"
#include "HistoryCsv.h"
#include "HistoryModel.h"
#include "MainSkin.h"
#include "UrlLauncher.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTreeView>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace {

QPushButton *historyButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    // Return in the filter field must not press a button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

HistoryWindow::HistoryWindow(HistoryDatabase &history, const Clock &clock, UrlLauncher &browser,
                             FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_history(history)
    , m_browser(browser)
    , m_dialogs(dialogs)
    , m_ask([this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    })
    , m_model(new HistoryModel(history, clock, this))
    , m_tabs(new QTabBar(this))
    , m_filter(new QLineEdit(this))
    , m_list(new QTreeView(this))
    , m_menu(new QMenu(this))
    , m_play(historyButton(tr("Play channel"), "cmdSpelKanal", this))
    , m_search(historyButton(tr("Search the web"), "cmdSokNett", this))
    , m_star(historyButton(tr("Star"), "cmdStjerne", this))
    , m_delete(historyButton(tr("Delete"), "cmdSlett", this))
    , m_export(historyButton(tr("Export…"), "cmdEksport", this))
    , m_clear(historyButton(tr("Clear all…"), "cmdTomAlt", this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("frmHistorikk"));
    setWindowTitle(tr("Song history"));
    // The panel's dark face and teal highlight, as the station search wears them.
    setPalette(MainSkin::menuPalette(palette()));
    setAutoFillBackground(true);
    setFont(MainSkin::arialFont(9, false));
    resize(640, 460);

    m_tabs->setObjectName(QStringLiteral("fanar"));
    m_tabs->addTab(tr("History"));
    m_tabs->addTab(tr("Starred"));
    m_tabs->setDrawBase(false);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(tr("Filter by artist, title or channel"));
    m_filter->setClearButtonEnabled(true);

    m_list->setObjectName(QStringLiteral("lstSongar"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    // Fixed widths: fitting columns to their contents would read every row loaded.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(HistoryModel::Title, QHeaderView::Stretch);
    header->resizeSection(HistoryModel::Time, 70);
    header->resizeSection(HistoryModel::Artist, 170);
    header->resizeSection(HistoryModel::Channel, 140);
    header->resizeSection(HistoryModel::Star, 28);

    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setTextFormat(Qt::PlainText);

    auto *top = new QHBoxLayout;
    top->addWidget(m_tabs);
    top->addWidget(m_filter, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {m_play, m_search, m_star, m_delete})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(m_clear);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_status);

    // The list's own keys: in the filter field Ctrl+C and Delete keep their text meaning.
    const auto listAction = [this](const QString &text, const QKeySequence &key, auto slot) {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        m_menu->addAction(action);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_list->addAction(action);
        return action;
    };
    listAction(tr("Copy"), QKeySequence::Copy, &HistoryWindow::copySelected);
    listAction(tr("Search the web"), {}, &HistoryWindow::searchWeb);
    listAction(tr("Play channel"), {}, &HistoryWindow::playChannel);
    m_starAction =
        listAction(tr("Star"), QKeySequence(Qt::Key_Asterisk), &HistoryWindow::toggleStar);
    listAction(tr("Delete"), QKeySequence::Delete, &HistoryWindow::deleteSelected);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });

    connect(m_play, &QPushButton::clicked, this, &HistoryWindow::playChannel);
    connect(m_list, &QAbstractItemView::activated, this, &HistoryWindow::playChannel);
    connect(m_search, &QPushButton::clicked, this, &HistoryWindow::searchWeb);
    connect(m_star, &QPushButton::clicked, this, &HistoryWindow::toggleStar);
    connect(m_delete, &QPushButton::clicked, this, &HistoryWindow::deleteSelected);
    connect(m_export, &QPushButton::clicked, this, &HistoryWindow::exportCsv);
    connect(m_clear, &QPushButton::clicked, this, &HistoryWindow::clearAll);
    connect(m_filter, &QLineEdit::textChanged, this, &HistoryWindow::applyView);
    connect(m_tabs, &QTabBar::currentChanged, this, &HistoryWindow::applyView);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryWindow::updateActions);
    connect(m_model, &QAbstractItemModel::modelReset, this, &HistoryWindow::updateActions);
    // A song begun or ended while the window is away is read when it shows again.
    connect(&m_history, &HistoryDatabase::changed, this, [this] {
        if (isVisible())
            reloadKeepingSelection();
        else
            m_stale = true;
    });
    updateActions();
    say(m_history.isPaused() ? tr("The song history is paused.") : QString());
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::setConfirmation(std::function<bool(const QString &)> ask)
{
    m_ask = std::move(ask);
}

void HistoryWindow::showTab(Tab tab)
{
    m_tabs->setCurrentIndex(tab == Tab::Starred ? 1 : 0);
    show();
    raise();
    activateWindow();
}

void HistoryWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (std::exchange(m_stale, false))
        applyView();
    m_list->setFocus();
}

void HistoryWindow::applyView()
{
    m_stale = false;
    m_model->setView({m_filter->text(), m_tabs->currentIndex() == 1});
}

void HistoryWindow::reloadKeepingSelection()
{
    QSet<qint64> ids;
    for (const HeardSong &song : selectedSongs())
        ids.insert(song.id);
    m_model->reload();
    QItemSelection keep;
    for (int row = 0; row < m_model->rowCount() && !ids.isEmpty(); ++row) {
        if (const auto song = m_model->songAt(row); song && ids.contains(song->id)) {
            keep.select(m_model->index(row, 0), m_model->index(row, HistoryModel::ColumnCount - 1));
        }
    }
    m_list->selectionModel()->select(keep, QItemSelectionModel::Select);
}

QList<HeardSong> HistoryWindow::selectedSongs() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QList<HeardSong> songs;
    for (const int row : rows) {
        if (const auto song = m_model->songAt(row))
            songs.append(*song);
    }
    return songs;
}

void HistoryWindow::updateActions()
{
    const QList<HeardSong> songs = selectedSongs();
    const bool allStarred =
        !songs.isEmpty() &&
        std::all_of(songs.begin(), songs.end(), [](const auto &s) { return s.starred; });
    const QString starText = allStarred ? tr("Unstar") : tr("Star");
    m_star->setText(starText);
    m_starAction->setText(starText);
    for (QWidget *needsSong : {m_play, m_search, m_star, m_delete})
        needsSong->setEnabled(!songs.isEmpty());
    for (QAction *action : m_menu->actions())
        action->setEnabled(!songs.isEmpty());
}

void HistoryWindow::copySelected()
{
    const QList<HeardSong> songs = selectedSongs();
    if (songs.isEmpty())
        return;
    QStringList lines;
    for (const HeardSong &song : songs)
        lines.append(song.text());
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
    say(songs.size() == 1 ? tr("Copied: %1").arg(lines.first())
                          : tr("Copied %1 songs.").arg(songs.size()));
}

void HistoryWindow::toggleStar()
{
    const QList<HeardSong> songs = selectedSongs();
    if (songs.isEmpty())
        return;
    const bool star = !std::all_of(songs.begin(), songs.end(),
                                   [](const HeardSong &song) { return song.starred; });
    QList<qint64> ids;
    for (const HeardSong &song : songs)
        ids.append(song.id);
    if (!m_history.setStarred(ids, star))
        return;
    reloadKeepingSelection();
    const QString what =
        songs.size() == 1 ? songs.first().text() : tr("%1 songs").arg(songs.size());
    say(star ? tr("Starred: %1").arg(what) : tr("Unstarred: %1").arg(what));
}

void HistoryWindow::searchWeb()
{
    const auto song = m_model->songAt(m_list->currentIndex().row());
    if (!song)
        return;
    QUrl url{QString(kSearchUrl)};
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("q"),
                       (song->artist + QLatin1Char(' ') + song->title).trimmed());
    url.setQuery(query);
    say(m_browser.open(url) ? tr("Searching the web for %1").arg(song->text())
                            : tr("No web browser could be opened."));
}

void HistoryWindow::playChannel()
{
    const auto song = m_model->songAt(m_list->currentIndex().row());
    if (!song || song->url.isEmpty())
        return;
    emit playRequested(song->channel, song->url);
    say(tr("Playing %1").arg(song->channel));
}

void HistoryWindow::deleteSelected()
{
    QList<qint64> ids;
    for (const HeardSong &song : selectedSongs())
        ids.append(song.id);
    if (ids.isEmpty() || !m_history.remove(ids))
        return;
    m_model->reload();
    say(ids.size() == 1 ? tr("Deleted one song.") : tr("Deleted %1 songs.").arg(ids.size()));
}

void HistoryWindow::clearAll()
{
    if (!m_ask(tr("Forget every song in the history, the starred ones too?")))
        return;
    if (m_history.clear()) {
        m_model->reload();
        say(tr("The history is empty."));
    }
}

void HistoryWindow::exportCsv()
{
    const bool starred = m_tabs->currentIndex() == 1;
    FileDialogs::Request request;
    request.title = starred ? tr("Export starred songs") : tr("Export song history");
    request.fileName = starred ? tr("Starred songs.csv") : tr("Song history.csv");
    request.filter = tr("CSV files (*.csv)|*.csv|All files (*.*)|*.*|");
    request.defaultExtension = QStringLiteral(".csv");
    request.options = FileDialogs::Option::Explorer | FileDialogs::Option::HideReadOnly |
                      FileDialogs::Option::LongNames;
    const auto path = m_dialogs.getSaveFileName(request);
    if (!path)
        return;
    const QString error = HistoryCsv::save(*path, m_history, m_model->view());
    say(error.isEmpty() ? tr("Saved %1").arg(*path) : tr("Not saved: %1").arg(error));
}

QString HistoryWindow::statusText() const
{
    return m_status->text();
}

void HistoryWindow::say(const QString &text)
{
    m_status->setText(text);
}
