#pragma once

#include "ChannelAdder.h"
#include "ChannelControls.h"
#include "ChannelExport.h"
#include "ChannelMenu.h"
#include "DropHandler.h"
#include "Fakes.h"
#include "FormLifecycle.h"
#include "FormSettings.h"
#include "InfoItems.h"
#include "LocalMedia.h"
#include "PlayerCore.h"
#include "PlayerState.h"
#include "Presets.h"
#include "QtTray.h"
#include "StatusDisplay.h"
#include "Transport.h"
#include "Volume.h"
#include "WindowOptions.h"
#include "frmMain.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>

/// The program's objects as main() wires them, over a store in memory that logs its writes
/// as "store.<key>=<value>", a recording engine and fakes of the desktop, all logging into
/// one CallLog, with the program folder in a fresh temporary folder.
///
/// With Fakes, a recording view and tray stand in for the window; restart() builds the
/// objects anew over the same store, as a second run of the program does. With Window, the
/// real main window and tray icon (on the offscreen platform) are attached, loaded and shown.
class Fixture {
public:
    enum class With { Fakes, Window };

    /// `saved` are settings values by key name ("Tittel2"), in the program's own section;
    /// `external`, when given, is the store used instead of the one in memory.
    explicit Fixture(With with = With::Fakes, const QMap<QString, QString> &saved = {},
                     SettingsStore *external = nullptr);
    ~Fixture();

    /// The store's full key of `name` in the program's section.
    static QString key(QStringView name);
    /// The stored value of `name`, or "" when unset.
    QString stored(QStringView name) const;
    /// Throws the objects away and builds fresh ones (Fakes only).
    void restart();
    /// The six lines a save of these values logs, in the order they are written.
    static QStringList saveLines(const QString &url, const QString &title, const QString &text,
                                 const QString &saved, int farge = 0, int info = 0);
    /// The full path of `relative` inside the temporary folder.
    QString path(const QString &relative) const { return dir.filePath(relative); }
    /// Writes `bytes` to `path`, creating its folder; false on failure.
    static bool write(const QString &path, const QByteArray &bytes);
    /// The bytes of the file at `path`, or none when it cannot be read.
    static std::optional<QByteArray> read(const QString &path);
    /// The names of the files in `folder`, sorted.
    static QStringList filesIn(const QString &folder);

    const With with;
    QTemporaryDir dir;
    QString programFolder;
    QString listPath;
    CallLog log;
    MemorySettingsStore memory{&log};
    SettingsStore &store;
    bool hasTrayHost = true;
    FakeClock clock;
    RecordingBeeper beeper{log};
    RecordingMessageBox messages{log};
    RecordingEditorLauncher editor{log};
    RecordingRestarter restarter{log};
    FakeFileDialogs dialogs{log};
    FaultyFileOperations files{log};
    RecordingAnnouncer announcer{log};
    std::unique_ptr<RecordingMediaPlayer> engine;
    std::unique_ptr<PlayerState> state;
    std::unique_ptr<PlayerCore> core;
    FormSettings *settings = nullptr;
    std::unique_ptr<RecordingPlayerView> view; // Fakes
    std::unique_ptr<RecordingTray> tray;       // Fakes
    std::unique_ptr<frmMain> window;           // Window
    std::unique_ptr<QtTray> qtTray;            // Window
    Transport *transport = nullptr;
    FormLifecycle *lifecycle = nullptr;
    StatusDisplay *status = nullptr;
    ChannelMenu *menu = nullptr;
    Presets *presets = nullptr;
    DropHandler *drops = nullptr;
    LocalMedia *localMedia = nullptr;
    ChannelExport *exporter = nullptr;
    ChannelAdder *adder = nullptr;
    std::unique_ptr<WindowOptions> options;    // Window
    std::unique_ptr<InfoItems> info;           // Window
    std::unique_ptr<ChannelControls> controls; // Window
    std::unique_ptr<Volume> volume;            // Window
};
