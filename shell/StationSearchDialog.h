#pragma once

#include "DirectoryClient.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class StationActions;

/// "Find stations…": searches the public station directory by name, tag and country code
/// and shows what it found, most played first, with buttons that play a station, add it
/// to My Channels or store it on a preset. It only shows: the searching is the
/// directory client's, the acting the station actions'.
class StationSearchDialog : public QDialog {
    Q_OBJECT

public:
    /// Searches through `directory` and acts through `actions`, which must outlive it.
    StationSearchDialog(DirectoryClient &directory, StationActions &actions,
                        QWidget *parent = nullptr);

    /// The line under the results that tells what happened last.
    QString statusText() const;

    /// Where a window of `size` goes beside `panel` without covering it: to its right, else
    /// to its left, else below or above it, moved inside `available` (the screen's free
    /// area) as far as it has to be.
    static QPoint placeBeside(const QRect &panel, const QSize &size, const QRect &available);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void search();
    void showResult(const StationSearch &result);
    void updateButtons();
    const Station *selected() const;
    void say(const QString &text);

    DirectoryClient &m_directory;
    StationActions &m_actions;
    QList<Station> m_stations;
    QLineEdit *m_name;
    QLineEdit *m_tag;
    QLineEdit *m_country;
    QPushButton *m_search;
    QTreeWidget *m_results;
    QPushButton *m_play;
    QPushButton *m_add;
    QComboBox *m_preset;
    QPushButton *m_store;
    QLabel *m_status;
};
