#pragma once

#include "Version.h"

#include <QLatin1StringView>
#include <QString>

#include <optional>

class MediaPlayer;
class PlayerState;
class SettingsStore;

/// Saves the player's state to the settings store and restores it at start-up.
class FormSettings {
public:
    /// The application name every caller passes.
    static constexpr QLatin1StringView kAppName{"Morvena Webradio"};
    /// The section all settings live in.
    static constexpr QLatin1StringView kSection{MORVENA_VERSION};
    /// The tuned URL.
    static constexpr QLatin1StringView kLydstraumURL{"LydstraumURL"};
    /// The title, Label2.
    static constexpr QLatin1StringView kTittel2{"Tittel2"};
    /// The now-playing text, Label4.
    static constexpr QLatin1StringView kKanalTekst{"KanalTekst"};
    /// The saved title, Label6.
    static constexpr QLatin1StringView kSiste{"Siste"};
    /// The always-on-top option, chkFarge.
    static constexpr QLatin1StringView kToppEllerIkke{"ToppEllerIkke"};
    /// The information-view option, chkInfo.
    static constexpr QLatin1StringView kVisInfo{"VisInfo"};
    /// The volume in percent, 0 to 100; 100 when never set.
    static constexpr QLatin1StringView kLydstyrke{"Lydstyrke"};
    /// The volume a first start plays at.
    static constexpr int kDefaultVolume = 100;

    /// Works on `state` and `engine`, keeping them in `store`.
    FormSettings(SettingsStore &store, PlayerState &state, MediaPlayer &engine);

    /// Writes the URL, Tittel2, KanalTekst, Siste, ToppEllerIkke and VisInfo in one change,
    /// as the state renders them: what the listener should see at the next start, never
    /// the words of a passing state.
    void SaveFormSettings(const QString &appName);
    /// Restores the channel, the transport, the texts and the options, then (outside the
    /// pause state) plays the stored URL, then sets the stored volume.
    void LoadFormSettings(const QString &appName);
    /// The stored URL, or the engine's current one when none is stored.
    QString storedUrl(const QString &appName) const;
    /// The stored volume in percent; kDefaultVolume when none or no number is stored.
    int storedVolume(const QString &appName) const;
    /// Stores the volume; its own key only, like a preset, so it never waits for a save.
    void saveVolume(const QString &appName, int percent);

private:
    QString get(const QString &appName, QLatin1StringView key, const QString &fallback) const;
    std::optional<int> loadOption(const QString &appName, QLatin1StringView key, int current) const;

    SettingsStore &m_store;
    PlayerState &m_state;
    MediaPlayer &m_engine;
};
