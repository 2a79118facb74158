#include "ChannelAdder.h"

#include "MessageBox.h"
#include "PlayerState.h"

ChannelAdder::ChannelAdder(QString listPath, PlayerState &state, MessageBox &messages)
    : m_listPath(std::move(listPath))
    , m_state(state)
    , m_messages(messages)
{}

bool ChannelAdder::canAdd() const
{
    const PlayerSnapshot &now = m_state.snapshot();
    return now.transport == PlayerSnapshot::Transport::Playing && !now.channel.url.isEmpty();
}

void ChannelAdder::addPlaying()
{
    if (!canAdd()) {
        m_messages.warning(kMessageTitle,
                           QStringLiteral("Nothing is playing. Tune to a channel first, then add "
                                          "it to My Channels."));
        return;
    }
    // Success needs no box: the new entry shows in the menu as the list is reread.
    const Channel &channel = m_state.snapshot().channel;
    const ChannelListWriter::Result result = add(channel.name, channel.url);
    if (!result) {
        m_messages.warning(kMessageTitle, result.message());
    } else if (result.convertedToUtf8) {
        m_messages.information(kMessageTitle, result.message());
    }
}

ChannelListWriter::Result ChannelAdder::add(const QString &name, const QString &url)
{
    return ChannelListWriter::appendToFile(m_listPath, name, url);
}
