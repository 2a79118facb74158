#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

class EditorLauncher;
class Transport;

/// The "My Channels" submenu as a list of captions, and what choosing one of them does.
///
/// Element 0 is the edit entry; element i stands for entry i of the channel list. The
/// captions are the names as read, so that the edit entry is recognised by its exact text;
/// menuText() turns one into the text a menu shows.
class ChannelMenu {
public:
    /// The caption of the edit entry, element 0 (U+00A6 BROKEN BAR, a blank, the words).
    static constexpr QLatin1StringView kEditEntry{"\xA6 Edit Channels"};
    /// The list's section of channel names.
    static constexpr QLatin1StringView kNavn{"Navn"};
    /// The list's section of channel addresses.
    static constexpr QLatin1StringView kURL{"URL"};
    /// The most entries the menu lists: its counter was a 16-bit signed number.
    static constexpr int kMaxEntries = 32767;

    /// A menu over the list at the full path `listPath`; tunes through `transport` and
    /// opens the list through `editor`, both of which must outlive it.
    ChannelMenu(QString listPath, Transport &transport, EditorLauncher &editor);

    /// The list's full path, fixed for the menu's life.
    const QString &listPath() const { return m_listPath; }
    /// The captions: the edit entry, then the names of entries 1…N.
    const QStringList &captions() const { return m_captions; }

    /// Reads the list once and makes the captions: entries from 1 up to the first one
    /// without a name, at most kMaxEntries.
    void BuildChannelMenu();
    /// The captions BuildChannelMenu() makes of the list at `listPath`; touches nothing
    /// else, so it may run on any thread.
    static QStringList readCaptions(const QString &listPath);
    /// Takes `captions` as read by readCaptions() of this menu's list.
    void setCaptions(QStringList captions);
    /// Choosing element `index`: the edit entry's caption opens the list in the editor;
    /// any other element reads its entry's name and address now and tunes to them.
    void mnuNetClick(int index);

    /// The text a menu shows for `caption`: "&" stays a plain character, not a mnemonic,
    /// and a tab does not split off a shortcut column.
    static QString menuText(const QString &caption);

private:
    QString m_listPath;
    Transport &m_transport;
    EditorLauncher &m_editor;
    QStringList m_captions{kEditEntry};
};
