#include "StationSearchDialog.h"

#include "MainSkin.h"
#include "StationActions.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

StationSearchDialog::StationSearchDialog(DirectoryClient &directory, StationActions &actions,
                                         QWidget *parent)
    : QDialog(parent)
    , m_directory(directory)
    , m_actions(actions)
    , m_name(new QLineEdit(this))
    , m_tag(new QLineEdit(this))
    , m_country(new QLineEdit(this))
    , m_search(new QPushButton(tr("Search"), this))
    , m_results(new QTreeWidget(this))
    , m_play(new QPushButton(tr("Play"), this))
    , m_add(new QPushButton(tr("Add to My Channels"), this))
    , m_preset(new QComboBox(this))
    , m_store(new QPushButton(tr("Store on preset"), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("frmFinnStasjonar"));
    setWindowTitle(tr("Find stations"));
    // The panel's dark face and teal highlight, as the popup menus wear them.
    setPalette(MainSkin::menuPalette(palette()));
    setAutoFillBackground(true);
    setFont(MainSkin::arialFont(9, false));
    resize(560, 420);

    m_name->setObjectName(QStringLiteral("txtNavn"));
    m_name->setPlaceholderText(tr("Name"));
    m_tag->setObjectName(QStringLiteral("txtSjanger"));
    m_tag->setPlaceholderText(tr("Tag, e.g. jazz"));
    m_country->setObjectName(QStringLiteral("txtLand"));
    m_country->setPlaceholderText(tr("Country: NO"));
    m_country->setMaxLength(2);
    m_search->setObjectName(QStringLiteral("cmdSok"));

    m_results->setObjectName(QStringLiteral("lstStasjonar"));
    m_results->setHeaderLabels({tr("Name"), tr("Country"), tr("Codec"), QStringLiteral("kbit/s")});
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setAllColumnsShowFocus(true);
    m_results->header()->setStretchLastSection(false);
    m_results->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column) {
        m_results->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }

    m_play->setObjectName(QStringLiteral("cmdSpel"));
    m_add->setObjectName(QStringLiteral("cmdLeggTil"));
    m_preset->setObjectName(QStringLiteral("cboKnapp"));
    // The drop-down's list is a window of its own, which takes nothing from the dialog: it
    // would open white on the dark face.
    for (QWidget *list : {static_cast<QWidget *>(m_preset->view()), m_preset->view()->window()}) {
        list->setPalette(palette());
        list->setFont(font());
    }
    for (int preset = 1; preset <= 9; ++preset) {
        m_preset->addItem(QString::number(preset), preset);
    }
    m_store->setObjectName(QStringLiteral("cmdLagre"));
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);

    auto *query = new QHBoxLayout;
    query->addWidget(m_name, 3);
    query->addWidget(m_tag, 2);
    query->addWidget(m_country, 1);
    query->addWidget(m_search);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_play);
    buttons->addWidget(m_add);
    buttons->addStretch();
    buttons->addWidget(m_store);
    buttons->addWidget(m_preset);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(query);
    layout->addWidget(m_results, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_status);

    // Return searches in the fields and plays in the results, so no button is the
    // dialog's default: it would search again after every Return in the results.
    for (QPushButton *button : {m_search, m_play, m_add, m_store}) {
        button->setAutoDefault(false);
    }
    connect(m_search, &QPushButton::clicked, this, &StationSearchDialog::search);
    for (QLineEdit *field : {m_name, m_tag, m_country}) {
        connect(field, &QLineEdit::returnPressed, this, &StationSearchDialog::search);
    }
    connect(&m_directory, &DirectoryClient::searchFinished, this, &StationSearchDialog::showResult);
    connect(m_results, &QTreeWidget::itemSelectionChanged, this,
            &StationSearchDialog::updateButtons);
    const auto play = [this] {
        if (const Station *station = selected()) {
            m_actions.play(*station);
            say(tr("Playing %1.").arg(station->name));
        }
    };
    connect(m_results, &QTreeWidget::itemActivated, this, play);
    connect(m_play, &QPushButton::clicked, this, play);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (const Station *station = selected()) {
            m_actions.add(*station, [dialog = QPointer<StationSearchDialog>(this)](
                                        const ChannelListWriter::Result &result) {
                if (dialog) {
                    dialog->say(result.message());
                }
            });
        }
    });
    connect(m_store, &QPushButton::clicked, this, [this] {
        if (const Station *station = selected()) {
            const int preset = m_preset->currentData().toInt();
            m_actions.store(preset, *station);
            say(tr("%1 is stored on preset %2.").arg(station->name).arg(preset));
        }
    });
    updateButtons();
    say(tr("Search by name, tag or country code; the most played stations come "
           "first."));
}

QString StationSearchDialog::statusText() const
{
    return m_status->text();
}

QPoint StationSearchDialog::placeBeside(const QRect &panel, const QSize &size,
                                        const QRect &available)
{
    constexpr int kGap = 8;
    const int top = panel.top();
    const QList<QPoint> choices = {
        {panel.right() + 1 + kGap, top},
        {panel.left() - kGap - size.width(), top},
        {panel.left(), panel.bottom() + 1 + kGap},
        {panel.left(), panel.top() - kGap - size.height()},
    };
    const auto fits = [&](const QPoint &at, bool across) {
        return across
                   ? at.x() >= available.left() && at.x() + size.width() <= available.right() + 1
                   : at.y() >= available.top() && at.y() + size.height() <= available.bottom() + 1;
    };
    QPoint at = choices.first();
    for (qsizetype i = 0; i < choices.size(); ++i) {
        if (fits(choices.at(i), i < 2)) {
            at = choices.at(i);
            break;
        }
    }
    // Inside the free area; a dialog larger than the screen keeps its title bar in sight.
    at.setX(std::max(available.left(), std::min(at.x(), available.right() + 1 - size.width())));
    at.setY(std::max(available.top(), std::min(at.y(), available.bottom() + 1 - size.height())));
    return at;
}

// Opened over the panel, the dialog would hide what it is about to change; beside it, the
// listener sees a station start playing or land on a preset.
void StationSearchDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QWidget *panel = parentWidget();
    if (event->spontaneous() || !panel || !panel->isVisible()) {
        return;
    }
    const QScreen *screen = panel->screen();
    if (!screen) {
        return;
    }
    // The window manager's frame is known only once the window has been shown; until then
    // the frame is taken as the panel's own frame is taken, none.
    move(placeBeside(panel->frameGeometry(), frameGeometry().size(), screen->availableGeometry()));
}

void StationSearchDialog::search()
{
    say(tr("Searching…"));
    m_directory.search({m_name->text(), m_tag->text(), m_country->text()});
}

void StationSearchDialog::showResult(const StationSearch &result)
{
    m_results->clear();
    m_stations.clear();
    if (!result) {
        say(result.error);
        updateButtons();
        return;
    }
    m_stations = *result.stations;
    QList<QTreeWidgetItem *> rows;
    rows.reserve(m_stations.size());
    for (const Station &station : std::as_const(m_stations)) {
        auto *row = new QTreeWidgetItem(
            {station.name, station.country.isEmpty() ? station.countryCode : station.country,
             station.codec, station.bitrate > 0 ? QString::number(station.bitrate) : QString()});
        row->setToolTip(0, station.tags.isEmpty() ? station.name
                                                  : station.name + u'\n' + station.tags);
        row->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        rows.append(row);
    }
    m_results->addTopLevelItems(rows);
    if (!rows.isEmpty()) {
        m_results->setCurrentItem(rows.first());
    }
    say(m_stations.isEmpty()
            ? tr("No stations found.")
            : tr("%n station(s), the most played first.", nullptr, int(m_stations.size())));
    updateButtons();
}

void StationSearchDialog::updateButtons()
{
    const bool any = selected() != nullptr;
    for (QWidget *button : {static_cast<QWidget *>(m_play), static_cast<QWidget *>(m_add),
                            static_cast<QWidget *>(m_store), static_cast<QWidget *>(m_preset)}) {
        button->setEnabled(any);
    }
}

const Station *StationSearchDialog::selected() const
{
    const int row = m_results->indexOfTopLevelItem(m_results->currentItem());
    return row >= 0 && row < m_stations.size() ? &m_stations.at(row) : nullptr;
}

void StationSearchDialog::say(const QString &text)
{
    m_status->setText(text);
}
