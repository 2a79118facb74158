#include "StationSearchDialog.h"

#include "MainSkin.h"
#include "StationActions.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

StationSearchDialog::StationSearchDialog(DirectoryClient &directory, StationActions &actions,
                                         QWidget *parent)
    : QDialog(parent)
    , m_directory(directory)
    , m_actions(actions)
    , m_name(new QLineEdit(this))
    , m_tag(new QLineEdit(this))
    , m_country(new QLineEdit(this))
    , m_search(new QPushButton(QStringLiteral("Search"), this))
    , m_results(new QTreeWidget(this))
    , m_play(new QPushButton(QStringLiteral("Play"), this))
    , m_add(new QPushButton(QStringLiteral("Add to My Channels"), this))
    , m_preset(new QComboBox(this))
    , m_store(new QPushButton(QStringLiteral("Store on preset"), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("frmFinnStasjonar"));
    setWindowTitle(QStringLiteral("Find stations"));
    // The panel's dark face and teal highlight, as the popup menus wear them.
    setPalette(MainSkin::menuPalette(palette()));
    setAutoFillBackground(true);
    setFont(MainSkin::arialFont(9, false));
    resize(560, 420);

    m_name->setObjectName(QStringLiteral("txtNavn"));
    m_name->setPlaceholderText(QStringLiteral("Name"));
    m_tag->setObjectName(QStringLiteral("txtSjanger"));
    m_tag->setPlaceholderText(QStringLiteral("Tag, e.g. jazz"));
    m_country->setObjectName(QStringLiteral("txtLand"));
    m_country->setPlaceholderText(QStringLiteral("Country: NO"));
    m_country->setMaxLength(2);
    m_search->setObjectName(QStringLiteral("cmdSok"));

    m_results->setObjectName(QStringLiteral("lstStasjonar"));
    m_results->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Country"),
                                QStringLiteral("Codec"), QStringLiteral("kbit/s")});
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
            say(QStringLiteral("Playing %1.").arg(station->name));
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
            say(QStringLiteral("%1 is stored on preset %2.").arg(station->name).arg(preset));
        }
    });
    updateButtons();
    say(QStringLiteral("Search by name, tag or country code; the most played stations come "
                       "first."));
}

QString StationSearchDialog::statusText() const
{
    return m_status->text();
}

void StationSearchDialog::search()
{
    say(QStringLiteral("Searching…"));
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
            ? QStringLiteral("No stations found.")
            : QStringLiteral("%1 stations, the most played first.").arg(m_stations.size()));
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
