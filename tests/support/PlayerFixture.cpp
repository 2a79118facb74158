#include "PlayerFixture.h"

PlayerFixture::PlayerFixture(SettingsStore *external)
    : store(external ? *external : memory)
{
    restart();
}

PlayerFixture::~PlayerFixture() = default;

void PlayerFixture::restart()
{
    engine = std::make_unique<RecordingMediaPlayer>(log);
    state = std::make_unique<PlayerState>();
    settings = std::make_unique<FormSettings>(store, *state, *engine);
    view = std::make_unique<RecordingPlayerView>(log);
    tray = std::make_unique<RecordingTray>(log);
    transport = std::make_unique<Transport>(*engine, *state, *settings, *view, *tray);
    lifecycle = std::make_unique<FormLifecycle>(*engine, *state, *settings, *view, *tray);
    announcer = std::make_unique<RecordingAnnouncer>(log);
    status = std::make_unique<StatusDisplay>(*engine, *state, *announcer, statusLocale());
    // Every holder's change is logged through its notify signal, which is also what keeps
    // the window in step; a holder set to the value it already has logs nothing.
    PlayerState *holder = state.get();
    const auto logText = [this, holder](const char *name,
                                        void (PlayerState::*changed)(const QString &)) {
        QObject::connect(holder, changed, holder, [this, name](const QString &text) {
            log.add(QLatin1String(name) + QLatin1Char('=') + text);
        });
    };
    const auto logValue = [this, holder](const char *name, void (PlayerState::*changed)(int)) {
        QObject::connect(holder, changed, holder, [this, name](int value) {
            log.add(QLatin1String(name) + QLatin1Char('=') + QString::number(value));
        });
    };
    logText("Label1", &PlayerState::Label1Changed);
    logText("Label2", &PlayerState::Label2Changed);
    logText("Label3", &PlayerState::Label3Changed);
    logText("Label4", &PlayerState::Label4Changed);
    logText("Label5", &PlayerState::Label5Changed);
    logText("Label6", &PlayerState::Label6Changed);
    QObject::connect(holder, &PlayerState::Label5ForeColorChanged, holder, [this](quint32 argb) {
        log.add(QStringLiteral("Label5.ForeColor=#%1").arg(argb, 8, 16, QLatin1Char('0')));
    });
    logValue("chkFarge", &PlayerState::chkFargeChanged);
    logValue("chkInfo", &PlayerState::chkInfoChanged);
}

QStringList PlayerFixture::saveLines(const QString &url, const QString &title, const QString &text,
                                     const QString &saved, int farge, int info)
{
    return {QStringLiteral("store.LydstraumURL=") + url,
            QStringLiteral("store.Tittel2=") + title,
            QStringLiteral("store.KanalTekst=") + text,
            QStringLiteral("store.Siste=") + saved,
            QStringLiteral("store.ToppEllerIkke=") + QString::number(farge),
            QStringLiteral("store.VisInfo=") + QString::number(info)};
}
