#include "ChannelMenu.h"

#include "EditorLauncher.h"
#include "ProfileReader.h"
#include "Transport.h"

ChannelMenu::ChannelMenu(QString listPath, Transport &transport, EditorLauncher &editor)
    : m_listPath(std::move(listPath))
    , m_transport(transport)
    , m_editor(editor)
{}

// One parse of the file, then a lookup per entry: reading the file once per entry would
// make a long list take quadratic time to start.
void ChannelMenu::BuildChannelMenu()
{
    m_captions = readCaptions(m_listPath);
}

QStringList ChannelMenu::readCaptions(const QString &listPath)
{
    const ProfileReader list = ProfileReader::fromFile(listPath);
    QStringList captions{kEditEntry};
    for (int entry = 1; entry <= kMaxEntries; ++entry) {
        QString name = list.value(kNavn, QString::number(entry));
        if (name.isEmpty()) {
            break;
        }
        captions.append(std::move(name));
    }
    return captions;
}

void ChannelMenu::setCaptions(QStringList captions)
{
    m_captions = std::move(captions);
}

void ChannelMenu::mnuNetClick(int index)
{
    if (index < 0 || index >= m_captions.size()) {
        return;
    }
    if (m_captions.at(index) == kEditEntry) {
        // The full path: a relative name would follow the working directory, which the
        // export dialog may have moved.
        m_editor.openInEditor(m_listPath);
        return;
    }
    // Read now, not at start-up, so an entry edited since then tunes to what it says now.
    const QString key = QString::number(index);
    const QString name = ReadIniValue(kNavn, key, m_listPath);
    const QString url = ReadIniValue(kURL, key, m_listPath);
    m_transport.tune(name, url);
}

QString ChannelMenu::menuText(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}
