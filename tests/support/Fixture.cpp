#include "Fixture.h"

#include "WindowWiring.h"
#include "mnuFunk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

Fixture::Fixture(With with_, const QMap<QString, QString> &saved, SettingsStore *external)
    : with(with_)
    , programFolder(dir.filePath(QStringLiteral("program")))
    , listPath(programFolder + QStringLiteral("/Mine Kanaler.ini"))
    , store(external ? *external : memory)
{
    QDir().mkpath(programFolder);
    for (auto it = saved.begin(); it != saved.end(); ++it)
        memory.values.insert(key(it.key()), it.value());
    restart();
}

Fixture::~Fixture()
{
    if (window) {
        window->mnuSystray()->hide();
        window->functionsWindow()->hoved_mnufunk()->hide();
    }
    // The window refers to everything else; it goes first.
    controls.reset();
    qtTray.reset();
    window.reset();
}

QString Fixture::key(QStringView name)
{
    return FormSettings::kAppName + QLatin1Char('/') + FormSettings::kSection + QLatin1Char('/') +
           name.toString();
}

QString Fixture::stored(QStringView name) const
{
    return memory.values.value(key(name));
}

void Fixture::restart()
{
    controls.reset();
    qtTray.reset();
    window.reset();
    engine = std::make_unique<RecordingMediaPlayer>(log);
    state = std::make_unique<PlayerState>();
    settings = std::make_unique<FormSettings>(store, *state, *engine);
    PlayerView *shownBy = nullptr;
    Tray *trayIcon = nullptr;
    if (with == With::Window) {
        window = std::make_unique<frmMain>(*state);
        qtTray = std::make_unique<QtTray>(window->ImageList1(), [this] { return hasTrayHost; });
        shownBy = window.get();
        trayIcon = qtTray.get();
    } else {
        view = std::make_unique<RecordingPlayerView>(log);
        tray = std::make_unique<RecordingTray>(log);
        shownBy = view.get();
        trayIcon = tray.get();
    }
    transport = std::make_unique<Transport>(*engine, *state, *settings, *shownBy, *trayIcon);
    lifecycle = std::make_unique<FormLifecycle>(*engine, *state, *settings, *shownBy, *trayIcon);
    // Norwegian, with the decimal comma of the reset text, whatever the machine's locale.
    status = std::make_unique<StatusDisplay>(*engine, *state, announcer,
                                             QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
    menu = std::make_unique<ChannelMenu>(listPath, *transport, editor);
    presets = std::make_unique<Presets>(store, *state, *engine, *transport, clock, beeper);
    drops = std::make_unique<DropHandler>(listPath, *engine, *state, *settings, *shownBy, *trayIcon,
                                          files, restarter, messages);
    localMedia = std::make_unique<LocalMedia>(*engine, *state, *shownBy, *trayIcon, dialogs);
    exporter = std::make_unique<ChannelExport>(listPath, dialogs, files);
    adder = std::make_unique<ChannelAdder>(listPath, *state, *engine, messages);
    if (window) {
        options = std::make_unique<WindowOptions>(*state, *settings, *window, *window);
        info = std::make_unique<InfoItems>(*state, messages, announcer);
        controls = std::make_unique<ChannelControls>(*window, *menu, *drops, *localMedia, *exporter,
                                                     *presets);
        volume = std::make_unique<Volume>(*settings, *engine);
        connectWindow(*window, {*transport, *lifecycle, *status, *options, *info, *qtTray,
                                *controls, *volume});
        controls->attachAdder(*adder);
        window->load();
        window->show();
        return;
    }
    // Every holder's change is logged through its notify signal, which is also what keeps
    // the window in step; a holder set to the value it already has logs nothing.
    PlayerState *holder = state.get();
    using P = PlayerState;
    for (auto [name, changed] : {std::pair{"Label1", &P::Label1Changed},
                                 {"Label2", &P::Label2Changed},
                                 {"Label3", &P::Label3Changed},
                                 {"Label4", &P::Label4Changed},
                                 {"Label5", &P::Label5Changed},
                                 {"Label6", &P::Label6Changed}}) {
        QObject::connect(holder, changed, holder, [this, name](const QString &text) {
            log.add(QLatin1String(name) + QLatin1Char('=') + text);
        });
    }
    QObject::connect(holder, &PlayerState::Label5ForeColorChanged, holder, [this](quint32 argb) {
        log.add(QStringLiteral("Label5.ForeColor=#%1").arg(argb, 8, 16, QLatin1Char('0')));
    });
    for (auto [name, changed] : {std::pair{"chkFarge", &PlayerState::chkFargeChanged},
                                 std::pair{"chkInfo", &PlayerState::chkInfoChanged}}) {
        QObject::connect(holder, changed, holder, [this, name](int value) {
            log.add(QLatin1String(name) + QLatin1Char('=') + QString::number(value));
        });
    }
}

QStringList Fixture::saveLines(const QString &url, const QString &title, const QString &text,
                               const QString &saved, int farge, int info)
{
    return {QStringLiteral("store.save(LydstraumURL=%1, Tittel2=%2, KanalTekst=%3, Siste=%4, "
                           "ToppEllerIkke=%5, VisInfo=%6)")
                .arg(url, title, text, saved, QString::number(farge), QString::number(info))};
}

bool Fixture::write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

std::optional<QByteArray> Fixture::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QStringList Fixture::filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
