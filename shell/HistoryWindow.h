#pragma once

#include "HistoryDatabase.h"

#include <QDialog>

#include <functional>

class Clock;
class FileDialogs;
class HistoryModel;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTreeView;
class UrlLauncher;

/// "Song history": the songs heard, newest first and grouped by day, or the starred ones
/// alone, filtered as the listener types. The selected songs can be copied, looked up on
/// the web, starred, forgotten or exported, and their channel played again. It only shows
/// and forwards: the reading and writing is the database's.
class HistoryWindow : public QDialog {
    Q_OBJECT

public:
    /// The tabs: every song, or the starred ones.
    enum class Tab { All, Starred };
    /// The web search a song is looked up with; the words follow as the query.
    static constexpr QLatin1StringView kSearchUrl{"https://duckduckgo.com/"};

    /// Shows `history`, dated by `clock`, opening searches through `browser` and asking
    /// for export files through `dialogs`; all must outlive it.
    HistoryWindow(HistoryDatabase &history, const Clock &clock, UrlLauncher &browser,
                  FileDialogs &dialogs, QWidget *parent = nullptr);
    ~HistoryWindow() override;

    /// How a question is put to the listener (clearing all); a test answers it instead.
    void setConfirmation(std::function<bool(const QString &)> ask);
    /// Brings the window up on `tab`, reading the newest songs.
    void showTab(Tab tab);

    /// The filter field.
    QLineEdit *filterField() const { return m_filter; }
    /// The list of songs.
    QTreeView *songList() const { return m_list; }
    /// The table behind the list.
    HistoryModel &model() const { return *m_model; }
    /// The line under the list that tells what happened last.
    QString statusText() const;
    /// The songs selected, in the list's order.
    QList<HeardSong> selectedSongs() const;

    /// Copies the selected songs to the clipboard, one "Artist - Title" a line.
    void copySelected();
    /// Stars the selected songs, or unstars them when all of them are starred.
    void toggleStar();
    /// Looks the current song up with the web search.
    void searchWeb();
    /// Plays the current song's channel again (playRequested).
    void playChannel();
    /// Forgets the selected songs.
    void deleteSelected();
    /// Forgets every song, once the listener agrees.
    void clearAll();
    /// Saves the songs of the tab (and filter) shown as CSV, where the listener chooses.
    void exportCsv();

signals:
    /// Play channel `name` at `url`, as a choice from My Channels would.
    void playRequested(const QString &name, const QString &url);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyView();
    void reloadKeepingSelection();
    void updateActions();
    void say(const QString &text);

    HistoryDatabase &m_history;
    UrlLauncher &m_browser;
    FileDialogs &m_dialogs;
    std::function<bool(const QString &)> m_ask;
    HistoryModel *m_model;
    QTabBar *m_tabs;
    QLineEdit *m_filter;
    QTreeView *m_list;
    QMenu *m_menu;
    QPushButton *m_play;
    QPushButton *m_search;
    QPushButton *m_star;
    QPushButton *m_delete;
    QPushButton *m_export;
    QPushButton *m_clear;
    QLabel *m_status;
    QAction *m_starAction = nullptr;
    bool m_stale = true;
};
