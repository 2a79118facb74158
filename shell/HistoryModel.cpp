#include "HistoryModel.h"

#include "Clock.h"
#include "MainSkin.h"
#include "Translations.h"

#include <QBrush>
#include <QFont>
#include <QLocale>

HistoryModel::HistoryModel(const HistoryDatabase &history, const Clock &clock, QObject *parent)
    : QAbstractTableModel(parent)
    , m_history(history)
    , m_clock(clock)
{}

void HistoryModel::setView(const HistoryDatabase::View &view)
{
    m_view = view;
    reload();
}

void HistoryModel::reload()
{
    beginResetModel();
    m_rows.clear();
    m_last.reset();
    m_complete = false;
    m_rows = nextPage();
    endResetModel();
}

QList<HistoryModel::Row> HistoryModel::nextPage()
{
    const QList<HeardSong> songs = m_history.page(m_view, m_last, kPageSize);
    m_complete = songs.size() < kPageSize;
    QList<Row> rows;
    QDate day = m_last ? m_last->started.date() : QDate();
    for (const HeardSong &song : songs) {
        const QDate songDay = song.started.date();
        if (songDay != day) {
            rows.append({songDay, std::nullopt});
            day = songDay;
        }
        rows.append({songDay, song});
    }
    if (!songs.isEmpty())
        m_last = songs.last();
    return rows;
}

std::optional<HeardSong> HistoryModel::songAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).song : std::nullopt;
}

// The dates speak the window's language, whatever the desktop's formats say.
QString HistoryModel::dayText(const QDate &day) const
{
    const QDate today = m_clock.now().date();
    if (day == today)
        return tr("Today");
    if (day == today.addDays(-1))
        return tr("Yesterday");
    return Translations::locale().toString(day, tr("dddd d MMMM yyyy", "a day's heading"));
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    if (!row.song) {
        if (role == Qt::DisplayRole && index.column() == Time)
            return dayText(row.day);
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        // A heading is disabled so the keyboard passes over it; it still reads as a title.
        if (role == Qt::ForegroundRole)
            return QBrush(MainSkin::nowPlayingColor());
        return {};
    }
    const HeardSong &song = *row.song;
    if (role == Qt::ToolTipRole) {
        const QLocale language = Translations::locale();
        const QString from =
            language.toString(song.started, tr("d MMM yyyy HH:mm:ss", "when a song started"));
        const QString to = song.ended.isValid()
                               ? language.toString(song.ended.time(), QStringLiteral("HH:mm:ss"))
                               : QStringLiteral("?");
        return tr("%1\n%2 to %3 on %4\n%5").arg(song.text(), from, to, song.channel, song.url);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Time:
        return song.started.toString(QStringLiteral("HH:mm"));
    case Artist:
        return song.artist;
    case Title:
        return song.title;
    case Channel:
        return song.channel;
    case Star:
        return song.starred ? kStarMark.toString() : QString();
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Time:
        return tr("Time");
    case Artist:
        return tr("Artist");
    case Title:
        return tr("Title");
    case Channel:
        return tr("Channel");
    case Star:
        return kStarMark.toString();
    default:
        return {};
    }
}

// A day's heading is read, not chosen: copying or starring it would mean nothing, and the
// cursor keys step over it.
Qt::ItemFlags HistoryModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !songAt(index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool HistoryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_complete;
}

void HistoryModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || m_complete)
        return;
    const QList<Row> rows = nextPage();
    if (rows.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    m_rows += rows;
    endInsertRows();
}
