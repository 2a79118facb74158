#pragma once

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QString>

class Announcer;
class MessageBox;
class PlayerState;

/// The two information items of the main menu: "About.." (hjelp_nettr), a message box
/// about the program, and "What's On?" (hva_spn), an announcement of the channel and its
/// now-playing text on demand.
class InfoItems {
    Q_DECLARE_TR_FUNCTIONS(InfoItems)

public:
    /// The About box's title.
    static constexpr QLatin1StringView kAboutTitle{QT_TRANSLATE_NOOP("InfoItems", "About..")};

    /// Works on the given collaborators, which must outlive it.
    InfoItems(PlayerState &state, MessageBox &messageBox, Announcer &announcer);

    /// The About box's text, one line per line of the box.
    static QString aboutText();

    /// "About..": shows the About box and returns when it is closed. With always on top on,
    /// the window leaves the top for as long as the box is open, so the box cannot end up
    /// behind it; the option's items and the saved settings stay as they were.
    void hjelp_nettr();
    /// "What's On?": announces the title with the now-playing text in capitals, whether the
    /// information view is on or not, and without counting as the last announcement.
    void hva_spn();

private:
    PlayerState &m_state;
    MessageBox &m_messageBox;
    Announcer &m_announcer;
};
