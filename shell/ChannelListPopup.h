#pragma once

#include <QAbstractListModel>
#include <QListView>

class ChannelMenu;

/// The entries of the channel menu (its captions after the edit entry) as rows of a model,
/// read straight from the menu: a list of any length costs nothing until rows are shown.
class ChannelListModel : public QAbstractListModel {
    Q_OBJECT

public:
    /// Shows the captions of `menu`, which must outlive the model.
    explicit ChannelListModel(ChannelMenu &menu, QObject *parent = nullptr);

    /// Reads the list anew and shows its entries.
    void reload();
    /// Shows `captions`, read from the menu's list elsewhere (ChannelMenu::readCaptions()).
    void show(QStringList captions);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    ChannelMenu &m_menu;
};

/// The scrolling, single-column list of channels inside "My Channels": it behaves like the
/// rest of the menu (the row under the pointer is the current one, a click or Return picks
/// it) and adds what a long list needs: wheel, Page Up/Down, Home, End, and typing the
/// start of a name to jump to the next entry that starts with it.
class ChannelListView : public QListView {
    Q_OBJECT

public:
    explicit ChannelListView(QWidget *parent = nullptr);

    /// Sizes the list to show every row it can within `maxHeight` pixels.
    void fitRows(int maxHeight);

signals:
    /// The entry at `row` was picked with the mouse or the keyboard.
    void picked(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
