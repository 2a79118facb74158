#pragma once

#include "PlayerSnapshot.h"

#include <QObject>
#include <QString>

#include <functional>

/// What the player is doing, as one typed snapshot, and the two window options.
///
/// A change is made in one step through update(), and announced once with the new
/// snapshot, however many of its fields changed; a step that changes nothing announces
/// nothing. The texts the window's labels show (the form's Label2 to Label6) are rendered
/// from the snapshot: no decision reads them.
class PlayerState : public QObject {
    Q_OBJECT

public:
    /// The title while nothing is tuned; also the initial title.
    static constexpr QLatin1StringView kNoChannelSelected = PlayerSnapshot::kNoChannelSelected;
    /// The title and now-playing text in the pause state.
    static constexpr QLatin1StringView kPause = PlayerSnapshot::kPause;
    /// The indicator's text while nothing has been buffered.
    static constexpr QLatin1StringView kNoStream{QT_TRANSLATE_NOOP("PlayerState", "no stream")};
    /// The indicator's text once the stream's first data is buffered.
    static constexpr QLatin1StringView kOnAir{
        QT_TRANSLATE_NOOP("PlayerState", "channel is on-air")};
    /// The indicator's colour with kNoStream (0xAARRGGBB): red 255, green 224, blue 192.
    static constexpr quint32 kNoStreamColor = 0xFFFFE0C0;
    /// The indicator's colour with kOnAir: white.
    static constexpr quint32 kOnAirColor = 0xFFFFFFFF;

    /// The state of a freshly started program: idle, nothing tuned, all texts empty.
    explicit PlayerState(QObject *parent = nullptr);

    /// The player's state now.
    const PlayerSnapshot &snapshot() const { return m_now; }
    /// Changes the state in one step: `edit` changes a copy, which then replaces the
    /// state; changed() follows once if anything changed.
    void update(const std::function<void(PlayerSnapshot &)> &edit);

    /// Last announced now-playing text (never shown).
    QString Label1() const { return m_label1; }
    /// Title: the tuned channel's name, kNoChannelSelected or kPause.
    QString Label2() const { return m_now.titleText(); }
    /// Status line: bitrate, bandwidth and buffering.
    QString Label3() const { return m_now.status; }
    /// Now-playing text.
    QString Label4() const { return m_now.line; }
    /// On-air indicator; empty until first set.
    QString Label5() const;
    /// On-air indicator's text colour as 0xAARRGGBB; 0 (transparent) until first set, while
    /// the window keeps the label's starting colour.
    quint32 Label5ForeColor() const;
    /// Saved title (never shown): the name of the channel to continue.
    QString Label6() const { return m_now.channel.name; }
    /// Always-on-top option, 0 or 1.
    int chkFarge() const { return m_chkFarge; }
    /// Information-view option, 0 or 1.
    int chkInfo() const { return m_chkInfo; }

    /// True in the pause state.
    bool isPaused() const { return m_now.transport == PlayerSnapshot::Transport::Paused; }

    /// Sets Label1; notifies only on a change.
    void setLabel1(const QString &text);
    /// Sets chkFarge; notifies only on a change, which is when the window's stacking follows.
    void setChkFarge(int value);
    /// Sets chkInfo; notifies only on a change.
    void setChkInfo(int value);

signals:
    /// The state changed; `now` is the new state.
    void changed(const PlayerSnapshot &now);
    /// Label1 changed.
    void Label1Changed(const QString &text);
    /// chkFarge changed.
    void chkFargeChanged(int value);
    /// chkInfo changed.
    void chkInfoChanged(int value);

private:
    PlayerSnapshot m_now;
    QString m_label1;
    int m_chkFarge = 0;
    int m_chkInfo = 0;
};
