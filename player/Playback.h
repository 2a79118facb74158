#pragma once

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QString>

/// Where the current media stands, as the engine knows it: the one account of playback
/// that the now-playing line, the status line, the tray tip and the popups render.
struct Playback {
    Q_DECLARE_TR_FUNCTIONS(Playback)

public:
    /// The phases of one media, from the URL write to its end.
    enum class State {
        Idle,         ///< nothing to play
        Connecting,   ///< opening the address, nothing heard yet
        Buffering,    ///< data arrives, the cache fills (`percent`)
        Playing,      ///< audio is being decoded
        Reconnecting, ///< a live stream dropped; next try in `secondsToRetry` (`attempt`)
        Failed,       ///< gave up; `reason` says why in plain words
        Ended,        ///< a file or a finite download played to its end
    };

    /// The now-playing line's text while connecting.
    static constexpr const char *kConnecting = QT_TRANSLATE_NOOP("Playback", "Connecting\u2026");
    /// The now-playing line's text once a file has played to its end.
    static constexpr QLatin1StringView kEnded{QT_TRANSLATE_NOOP("Playback", "Played to the end")};
    /// The now-playing line's text for a stream that plays but names nothing.
    static constexpr QLatin1StringView kNoTitle{
        QT_TRANSLATE_NOOP("Playback", "No title from the station")};

    State state = State::Idle;
    int percent = 0;        ///< how full the cache is while buffering
    int attempt = 0;        ///< reconnect attempt, 1 for the first
    int secondsToRetry = 0; ///< whole seconds until the next reconnect try; 0: trying now
    QString reason;         ///< why it failed

    /// True while sound is (or should be) coming: the figures and the title mean something.
    bool isLive() const { return state == State::Playing || state == State::Buffering; }
    /// The state in plain words for the now-playing line while no title is known; empty
    /// while idle.
    QString text() const;
    /// One of the words above as shown, in the listener's language.
    static QString shown(QLatin1StringView word) { return tr(word.data()); }
    /// kConnecting as shown.
    static QString connecting() { return tr(kConnecting); }

    bool operator==(const Playback &other) const = default;
};
