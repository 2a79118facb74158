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
    core.reset();
    engine = std::make_unique<RecordingMediaPlayer>(log);
    state = std::make_unique<PlayerState>();
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
    // Norwegian, with the decimal comma of the reset text, whatever the machine's locale.
    core = std::make_unique<PlayerCore>(
        PlayerEdges{*engine, store, *state, *shownBy, *trayIcon, announcer, clock, beeper, editor,
                    files, restarter, messages, dialogs, listPath,
                    QLocale(QLocale::NorwegianBokmal, QLocale::Norway)});
    settings = &core->settings;
    transport = &core->transport;
    lifecycle = &core->lifecycle;
    status = &core->status;
    menu = &core->menu;
    presets = &core->presets;
    drops = &core->drops;
    localMedia = &core->localMedia;
    exporter = &core->exporter;
    adder = &core->adder;
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
    // Every change of a text the window shows is logged, label by label, as the window
    // renders it from the state; a change that leaves a text as it was logs nothing for it.
    PlayerState *holder = state.get();
    const auto rendered = [holder] {
        return QList<std::pair<QString, QString>>{
            {QStringLiteral("Label2"), holder->Label2()},
            {QStringLiteral("Label3"), holder->Label3()},
            {QStringLiteral("Label4"), holder->Label4()},
            {QStringLiteral("Label5"), holder->Label5()},
            {QStringLiteral("Label5.ForeColor"),
             QStringLiteral("#%1").arg(holder->Label5ForeColor(), 8, 16, QLatin1Char('0'))},
            {QStringLiteral("Label6"), holder->Label6()}};
    };
    QObject::connect(holder, &PlayerState::changed, holder,
                     [this, rendered, shown = rendered()]() mutable {
                         const auto now = rendered();
                         for (qsizetype i = 0; i < now.size(); ++i) {
                             if (now[i].second != shown[i].second)
                                 log.add(now[i].first + QLatin1Char('=') + now[i].second);
                         }
                         shown = now;
                     });
    QObject::connect(holder, &PlayerState::Label1Changed, holder,
                     [this](const QString &text) { log.add(QStringLiteral("Label1=") + text); });
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
