#include "ChannelListPopup.h"

#include "ChannelMenu.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>

#include <algorithm>

namespace {

// Names are measured only this far down the list: enough for the width, and cheap.
constexpr int kMeasuredRows = 300;
constexpr int kMinWidth = 200;
constexpr int kMaxWidth = 420;

} // namespace

ChannelListModel::ChannelListModel(ChannelMenu &menu, QObject *parent)
    : QAbstractListModel(parent)
    , m_menu(menu)
{}

void ChannelListModel::reload()
{
    beginResetModel();
    m_menu.BuildChannelMenu();
    endResetModel();
}

void ChannelListModel::show(QStringList captions)
{
    beginResetModel();
    m_menu.setCaptions(std::move(captions));
    endResetModel();
}

int ChannelListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_menu.captions().size()) - 1;
}

QVariant ChannelListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) {
        return m_menu.captions().at(index.row() + 1);
    }
    if (role == Qt::DecorationRole) {
        // An empty picture the size of a menu's check column, so the names line up with
        // the edit entry's caption above them.
        static const QPixmap indent = [] {
            QPixmap blank(16, 16);
            blank.fill(Qt::transparent);
            return blank;
        }();
        return indent;
    }
    return {};
}

ChannelListView::ChannelListView(QWidget *parent)
    : QListView(parent)
{
    setObjectName(QStringLiteral("mnuNetList"));
    setAccessibleName(tr("Channels"));
    // Every row has the same height, so the view never measures rows it does not show.
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
}

void ChannelListView::fitRows(int maxHeight)
{
    const int rows = model() ? model()->rowCount() : 0;
    const int rowHeight = rows > 0 ? std::max(1, sizeHintForRow(0)) : fontMetrics().height() + 4;
    const int height = std::clamp(rows * rowHeight, rowHeight, std::max(rowHeight, maxHeight));
    int width = kMinWidth;
    for (int row = 0; row < std::min(rows, kMeasuredRows); ++row) {
        width = std::max(width, sizeHintForIndex(model()->index(row, 0)).width() + 24);
    }
    if (rows * rowHeight > height) {
        width += verticalScrollBar()->sizeHint().width();
    }
    // Whole rows only, so the last one is never half hidden.
    setFixedSize(std::min(width, kMaxWidth), height - height % rowHeight);
}

void ChannelListView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit picked(currentIndex().row());
        event->accept();
        return;
    }
    // Keys the list has no use for (Left, Escape, Up on the first row) go on to the menu.
    QListView::keyPressEvent(event);
}

void ChannelListView::mouseMoveEvent(QMouseEvent *event)
{
    const QModelIndex under = indexAt(event->position().toPoint());
    if (under.isValid() && under != currentIndex()) {
        setCurrentIndex(under);
    }
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    QListView::mouseMoveEvent(event);
}

void ChannelListView::mouseReleaseEvent(QMouseEvent *event)
{
    const QModelIndex under = indexAt(event->position().toPoint());
    if (under.isValid() &&
        (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
        emit picked(under.row());
        event->accept();
        return;
    }
    QListView::mouseReleaseEvent(event);
}
