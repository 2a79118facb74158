#include "ChannelControls.h"

#include "ChannelExport.h"
#include "ChannelMenu.h"
#include "DropHandler.h"
#include "FileDropTarget.h"
#include "LocalMedia.h"
#include "PictureButton.h"
#include "Presets.h"
#include "mnuFunk.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

ChannelControls::ChannelControls(QWidget &window, ChannelMenu &menu, DropHandler &drops,
                                 LocalMedia &localMedia, ChannelExport &exporter, Presets &presets)
    : m_menu(menu)
    , m_presets(presets)
    , m_window(window)
    , m_mnuFavs(window.findChild<QMenu *>(QStringLiteral("mnuFavs")))
{
    Q_ASSERT_X(m_mnuFavs, "ChannelControls", "the window has no mnuFavs");
    m_mnuNet.append(m_mnuFavs->findChild<QAction *>(QStringLiteral("mnuNet")));
    connectElement(m_mnuNet.constFirst(), 0);
    connect(m_mnuFavs, &QMenu::aboutToShow, this, &ChannelControls::addEntries);
    if (auto *eksport = window.findChild<QAction *>(QStringLiteral("eksportkanaler"))) {
        connect(eksport, &QAction::triggered, this,
                [&exporter] { exporter.eksportkanalerClick(); });
    }
    if (auto *functions = window.findChild<mnuFunk *>()) {
        connect(functions, &mnuFunk::musikkfilTriggered, this,
                [&localMedia] { localMedia.musikkfilClick(); });
    }
    if (auto *label4 = window.findChild<QLabel *>(QStringLiteral("Label4"))) {
        m_dropTarget = new FileDropTarget(label4);
        connect(m_dropTarget, &FileDropTarget::dropped, this,
                [&drops](const QStringList &files) { drops.Label4Drop(files); });
    }
    for (int preset = 1; preset <= Presets::kCount; ++preset) {
        const int number = Presets::kPictureButtons.at(preset - 1);
        auto *button =
            window.findChild<PictureButton *>(QStringLiteral("PictureButton%1").arg(number));
        if (!button) {
            continue;
        }
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
        const int number = Presets::kPictureButtons.at(preset - 1);
        if (auto *button = m_window.findChild<PictureButton *>(
                QStringLiteral("PictureButton%1").arg(number))) {
            // Channel names come from files and streams: a word joiner after every "<" keeps
            // the tip from being taken for rich text.
            QString tip = m_presets.toolTip(preset);
            button->setToolTip(tip.replace(QLatin1Char('<'), QStringLiteral("<\u2060")));
        }
    }
}

void ChannelControls::buildChannelMenu()
{
    m_menu.BuildChannelMenu();
    m_entriesAdded = false;
}

QAction *ChannelControls::mnuNet(int index)
{
    addEntries();
    return m_mnuNet.value(index);
}

void ChannelControls::addEntries()
{
    if (m_entriesAdded) {
        return;
    }
    m_entriesAdded = true;
    const QStringList &captions = m_menu.captions();
    for (int index = 1; index < captions.size(); ++index) {
        auto *element = new QAction(ChannelMenu::menuText(captions.at(index)), m_mnuFavs);
        element->setObjectName(QStringLiteral("mnuNet"));
        m_mnuFavs->addAction(element);
        m_mnuNet.append(element);
        connectElement(element, index);
    }
}

void ChannelControls::connectElement(QAction *element, int index)
{
    if (!element) {
        return;
    }
    element->setData(index);
    connect(element, &QAction::triggered, this, [this, index] { m_menu.mnuNetClick(index); });
}
