#pragma once

#include "HistoryDatabase.h"

#include <QAbstractTableModel>
#include <QDate>

#include <optional>

class Clock;

/// The song history as a table, newest first, a heading row before each day's songs. It
/// reads the database a page at a time as the view scrolls, so it opens at once with any
/// number of songs.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    /// The columns.
    enum Column { Time, Artist, Title, Channel, Star, ColumnCount };
    /// How many songs one page reads.
    static constexpr int kPageSize = 200;
    /// The mark of a starred song in the Star column.
    static constexpr QStringView kStarMark{u"\u2605"};

    /// Lists songs of `history`, naming today and yesterday by `clock`; both must outlive it.
    HistoryModel(const HistoryDatabase &history, const Clock &clock, QObject *parent = nullptr);

    /// Shows the songs of `view` from the newest.
    void setView(const HistoryDatabase::View &view);
    /// The songs shown now.
    const HistoryDatabase::View &view() const { return m_view; }
    /// Reads the first page again (the history changed).
    void reload();
    /// The song in `row`; nothing for a day's heading.
    std::optional<HeardSong> songAt(int row) const;
    /// The heading of a day: "Today", "Yesterday" or the date written out.
    QString dayText(const QDate &day) const;

    // QAbstractTableModel: the rows loaded so far, and the next page when the view asks.
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    struct Row {
        QDate day;
        std::optional<HeardSong> song; ///< none: the day's heading
    };
    QList<Row> nextPage();

    const HistoryDatabase &m_history;
    const Clock &m_clock;
    HistoryDatabase::View m_view;
    QList<Row> m_rows;
    std::optional<HeardSong> m_last;
    bool m_complete = false;
};
