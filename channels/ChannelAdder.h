#pragma once

#include "ChannelListWriter.h"
#include "Version.h"

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>

class MessageBox;
class PlayerState;

/// "Add to My Channels": appends the channel that plays now to the channel list, under the
/// name the title shows, and tells the user where it went or why it could not.
///
/// The list is read and written on a worker thread, one add after the other, so that a
/// list of thousands does not hold the event loop, and a second add sees the first.
class ChannelAdder {
    Q_DECLARE_TR_FUNCTIONS(ChannelAdder)

public:
    /// The title of the boxes it shows.
    static constexpr QLatin1StringView kMessageTitle{"Morvena Webradio " MORVENA_VERSION};

    /// What is done with the outcome of an add, on the thread that asked for it.
    using Done = std::function<void(const ChannelListWriter::Result &)>;

    /// Adds to the list at `listPath` the channel `state` plays, and speaks through
    /// `messages`. All must outlive it.
    ChannelAdder(QString listPath, PlayerState &state, MessageBox &messages);
    /// Waits for an add still being written: the list is never left behind half done.
    ~ChannelAdder();

    /// True while a channel is tuned and not paused, and it has an address.
    bool canAdd() const;
    /// Adds the playing channel; `notice` is told where it went, a refusal or a failure is
    /// shown in a warning box.
    void addPlaying(const std::function<void(const QString &)> &notice = {});
    /// Adds the channel `name` at `url` without a box; `done` gets the result once the list
    /// is written, unless this adder is gone by then.
    void add(const QString &name, const QString &url, Done done);

private:
    QString m_listPath;
    PlayerState &m_state;
    MessageBox &m_messages;
    // Results come back through watchers owned by this object, so none arrives after it.
    QObject m_context;
    // One thread: adds are written in the order they were asked for.
    QThreadPool m_writes;
};
