#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QPalette>
#include <QRect>

#include <array>

class PropertyBag;

/// The main window's look: where its image buttons sit and which artwork they wear, its
/// fonts and colours, and the colours of its popup menus.
namespace MainSkin {

/// The panel artwork's size; one pixel wider than the window, whose last column cuts it.
inline constexpr QSize kBackgroundSize{316, 184};

/// One image button: its name, place, artwork (":/buttons/<art>-normal|hover|down.svg") and
/// what a screen reader calls it (translated in context "MainSkin").
struct ButtonPlace {
    const char *name = nullptr;
    QRect rect;
    const char *art = nullptr;
    const char *accessibleName = nullptr;
};

/// The fourteen image buttons, back to front: later buttons lie above.
inline constexpr std::array<ButtonPlace, 14> kButtons{{
    {"PictureButton1", {4, 6, 30, 30}, "menu", QT_TRANSLATE_NOOP("MainSkin", "Menu")},
    {"PictureButton2", {274, 0, 29, 20}, "tray", QT_TRANSLATE_NOOP("MainSkin", "To tray")},
    {"PictureButton3", {297, 0, 17, 20}, "exit", QT_TRANSLATE_NOOP("MainSkin", "Exit")},
    {"PictureButton6", {187, 164, 17, 20}, "pause", QT_TRANSLATE_NOOP("MainSkin", "Pause")},
    {"PictureButton7", {188, 164, 17, 20}, "continue", QT_TRANSLATE_NOOP("MainSkin", "Continue")},
    // Presets: 1 to 3 on the bottom row, 7 to 9 (7, N1, N2) on the top row.
    {"PictureButton8", {195, 129, 33, 22}, "preset1", QT_TRANSLATE_NOOP("MainSkin", "Preset 1")},
    {"PictureButton9", {233, 129, 33, 22}, "preset2", QT_TRANSLATE_NOOP("MainSkin", "Preset 2")},
    {"PictureButton12", {271, 129, 33, 22}, "preset3", QT_TRANSLATE_NOOP("MainSkin", "Preset 3")},
    {"PictureButton13", {195, 102, 33, 22}, "preset4", QT_TRANSLATE_NOOP("MainSkin", "Preset 4")},
    {"PictureButton14", {233, 102, 33, 22}, "preset5", QT_TRANSLATE_NOOP("MainSkin", "Preset 5")},
    {"PictureButton15", {271, 102, 33, 22}, "preset6", QT_TRANSLATE_NOOP("MainSkin", "Preset 6")},
    {"PictureButton16", {195, 75, 33, 22}, "preset7", QT_TRANSLATE_NOOP("MainSkin", "Preset 7")},
    {"PictureButton17", {233, 75, 33, 22}, "preset8", QT_TRANSLATE_NOOP("MainSkin", "Preset N1")},
    {"PictureButton18", {271, 75, 33, 22}, "preset9", QT_TRANSLATE_NOOP("MainSkin", "Preset N2")},
}};
/// The index in kButtons of the first preset button.
inline constexpr int kFirstPreset = 5;

/// Registers the artwork, which lives in this static library's resources.
void initResources();
/// The stored layout data of a button wearing `art`: its three pictures, keyed in lower
/// case as stored layouts spell the names.
PropertyBag buttonLayout(const char *art);
/// "Arial" (or Liberation Sans, which has its metrics) at `points`.
QFont arialFont(qreal points, bool bold);
/// The title face, "Gill Sans MT Ext Condensed Bold" or Yanone Kaffeesatz Bold, 18 pt.
QFont titleFont();
/// The white of the title and the status line.
QColor textColor();
/// The teal of the now-playing text.
QColor nowPlayingColor();
/// `base` with the panel's dark colours, for the popup menus.
QPalette menuPalette(QPalette base);

} // namespace MainSkin
