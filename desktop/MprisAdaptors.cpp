#include "MprisAdaptors.h"

#include "MediaControls.h"
#include "MprisService.h"
#include "Volume.h"

#include <cmath>

MprisRoot::MprisRoot(MprisService &service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{}

QString MprisRoot::identity() const
{
    return QStringLiteral("Morvena Webradio");
}

QString MprisRoot::desktopEntry() const
{
    return QStringLiteral("org.morvena.Webradio");
}

void MprisRoot::Raise()
{
    m_service.raise();
}

void MprisRoot::Quit()
{
    m_service.quit();
}

MprisPlayer::MprisPlayer(MprisService &service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{}

QString MprisPlayer::playbackStatus() const
{
    return m_service.controls().playbackStatus();
}

QVariantMap MprisPlayer::metadata() const
{
    return m_service.controls().properties().value(QStringLiteral("Metadata")).toMap();
}

double MprisPlayer::volume() const
{
    return m_service.volume().level() / 100.0;
}

void MprisPlayer::setVolume(double volume)
{
    if (std::isfinite(volume)) {
        m_service.volume().set(static_cast<int>(std::lround(volume * 100.0)));
    }
}

bool MprisPlayer::canPlay() const
{
    return flag("CanPlay");
}
bool MprisPlayer::canPause() const
{
    return flag("CanPause");
}
bool MprisPlayer::canGoNext() const
{
    return flag("CanGoNext");
}
bool MprisPlayer::canGoPrevious() const
{
    return flag("CanGoPrevious");
}

void MprisPlayer::Next()
{
    m_service.step(1);
}
void MprisPlayer::Previous()
{
    m_service.step(-1);
}
void MprisPlayer::Pause()
{
    m_service.run(m_service.controls().pause());
}
void MprisPlayer::PlayPause()
{
    m_service.run(m_service.controls().playPause());
}
void MprisPlayer::Stop()
{
    m_service.run(m_service.controls().stop());
}
void MprisPlayer::Play()
{
    m_service.run(m_service.controls().play());
}
void MprisPlayer::Seek(qlonglong /*offset*/) {}
void MprisPlayer::SetPosition(const QDBusObjectPath & /*track*/, qlonglong /*position*/) {}
void MprisPlayer::OpenUri(const QString & /*uri*/) {}

bool MprisPlayer::flag(const char *name) const
{
    return m_service.controls().properties().value(QLatin1String(name)).toBool();
}
