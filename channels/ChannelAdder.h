#pragma once

#include "ChannelListWriter.h"
#include "Version.h"

#include <QLatin1StringView>
#include <QString>

class MessageBox;
class PlayerState;

/// "Add to My Channels": appends the channel that plays now to the channel list, under the
/// name the title shows, and tells the user when it cannot.
class ChannelAdder {
public:
    /// The title of the boxes it shows.
    static constexpr QLatin1StringView kMessageTitle{"Morvena Webradio " MORVENA_VERSION};

    /// Adds to the list at `listPath` the channel `state` plays, and speaks through
    /// `messages`. All must outlive it.
    ChannelAdder(QString listPath, PlayerState &state, MessageBox &messages);

    /// True while a channel is tuned and not paused, and it has an address.
    bool canAdd() const;
    /// Adds the playing channel; a refusal or a failure is shown in a warning box.
    void addPlaying();
    /// Adds the channel `name` at `url`, without a box: the caller shows the result.
    ChannelListWriter::Result add(const QString &name, const QString &url);

private:
    QString m_listPath;
    PlayerState &m_state;
    MessageBox &m_messages;
};
