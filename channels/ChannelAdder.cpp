#include "ChannelAdder.h"

#include "MessageBox.h"
#include "PlayerState.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

ChannelAdder::ChannelAdder(QString listPath, PlayerState &state, MessageBox &messages)
    : m_listPath(std::move(listPath))
    , m_state(state)
    , m_messages(messages)
{
    m_writes.setMaxThreadCount(1);
}

ChannelAdder::~ChannelAdder()
{
    m_writes.waitForDone();
}

bool ChannelAdder::canAdd() const
{
    const PlayerSnapshot &now = m_state.snapshot();
    return now.transport == PlayerSnapshot::Transport::Playing && !now.channel.url.isEmpty();
}

void ChannelAdder::addPlaying(const std::function<void(const QString &)> &notice)
{
    if (!canAdd()) {
        m_messages.warning(kMessageTitle,
                           tr("Nothing is playing. Tune to a channel first, then add "
                              "it to My Channels."));
        return;
    }
    const Channel &channel = m_state.snapshot().channel;
    add(channel.name, channel.url, [this, notice](const ChannelListWriter::Result &result) {
        if (!result) {
            m_messages.warning(kMessageTitle, result.message());
        } else if (result.convertedToUtf8) {
            // Worth a box: the listener's file changed beyond the new entry.
            m_messages.information(kMessageTitle, result.message());
        } else if (notice) {
            notice(result.message());
        }
    });
}

void ChannelAdder::add(const QString &name, const QString &url, Done done)
{
    auto *writing = new QFutureWatcher<ChannelListWriter::Result>(&m_context);
    QObject::connect(writing, &QFutureWatcherBase::finished, &m_context,
                     [writing, done = std::move(done)] {
                         writing->deleteLater();
                         if (done) {
                             done(writing->result());
                         }
                     });
    writing->setFuture(
        QtConcurrent::run(&m_writes, &ChannelListWriter::appendToFile, m_listPath, name, url));
}
