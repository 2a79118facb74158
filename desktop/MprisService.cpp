#include "MprisService.h"

#include "MprisAdaptors.h"
#include "Presets.h"
#include "Transport.h"
#include "Volume.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcMpris, "morvena.mpris", QtInfoMsg)

QString orUnknown(const QString &reason)
{
    return reason.isEmpty() ? QStringLiteral("no reason given") : reason;
}

} // namespace

QString MprisService::instanceName(qint64 pid)
{
    return QLatin1String(kServiceName) + QStringLiteral(".instance%1").arg(pid);
}

MprisService::MprisService(MediaControls &controls, Transport &transport, Presets &presets,
                           Volume &volume, Window window, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_transport(transport)
    , m_presets(presets)
    , m_volume(volume)
    , m_window(std::move(window))
{
    new MprisRoot(*this);
    new MprisPlayer(*this);
    connect(&m_controls, &MediaControls::propertiesChanged, this, &MprisService::sendChanged);
}

bool MprisService::start()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcMpris) << "no session bus: the desktop's media controls cannot reach the player";
        return false;
    }
    if (!bus.registerObject(QLatin1String(kObjectPath), this, QDBusConnection::ExportAdaptors)) {
        qCWarning(lcMpris).noquote() << "cannot put the media controls on the session bus:"
                                     << orUnknown(bus.lastError().message());
        return false;
    }
    // A second player on the same bus (another profile, a test) takes a name of its own,
    // as the media player convention provides for, so each has media controls.
    const QString plain = QLatin1String(kServiceName);
    const QString suffixed = instanceName(QCoreApplication::applicationPid());
    QString why;
    for (const QString &name : {plain, suffixed}) {
        // registerService() says only true or false; the bus daemon's reply says why.
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                             QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            m_serviceName = name;
            break;
        }
        why += QStringLiteral("%1%2: %3")
                   .arg(why.isEmpty() ? QString() : QStringLiteral("; "), name,
                        reply.isValid() ? QStringLiteral("the name is taken")
                                        : orUnknown(reply.error().message()));
    }
    if (m_serviceName.isEmpty()) {
        qCWarning(lcMpris).noquote() << "cannot register on the session bus:" << why;
        bus.unregisterObject(QLatin1String(kObjectPath));
        return false;
    }
    // The first refresh sets the baseline; only later changes are news to the desktop.
    m_controls.refresh();
    m_started = true;
    return true;
}

void MprisService::raise() const
{
    if (m_window.raise) {
        m_window.raise();
    }
}

void MprisService::quit() const
{
    if (m_window.quit) {
        m_window.quit();
    }
}

void MprisService::step(int direction)
{
    if (const int preset = m_controls.presetFor(direction)) {
        m_presets.tune(preset);
    }
}

void MprisService::run(MediaControls::Command command)
{
    switch (command) {
    case MediaControls::Command::None:
        break;
    case MediaControls::Command::Pause:
        m_transport.pause();
        break;
    case MediaControls::Command::Continue:
        m_transport.continuePlaying();
        break;
    case MediaControls::Command::Stop:
        m_transport.stop();
        break;
    case MediaControls::Command::Tune:
        step(1);
        break;
    }
}

void MprisService::sendChanged(const QVariantMap &changed) const
{
    if (!m_started) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        QLatin1String(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}
