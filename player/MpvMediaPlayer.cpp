// Placeholder until the libmpv adapter lands: remembers what it is told, plays nothing.
#include "MpvMediaPlayer.h"

struct MpvMediaPlayer::Private {
    QString url;
    int volume = 50;
};

QStringList MpvMediaPlayer::optionsFromEnvironment() {
    return qEnvironmentVariable("MORVENA_MPV_OPTIONS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

MpvMediaPlayer::MpvMediaPlayer(const QStringList &, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>()) {}

MpvMediaPlayer::~MpvMediaPlayer() = default;
bool MpvMediaPlayer::isValid() const {
    return false;
}
MpvMediaPlayer::Status MpvMediaPlayer::status() const {
    return Status::Idle;
}
QString MpvMediaPlayer::errorString() const {
    return {};
}
void MpvMediaPlayer::setTimings(const Timings &) {}
QString MpvMediaPlayer::url() const {
    return d->url;
}
void MpvMediaPlayer::setUrl(const QString &url) {
    d->url = url;
}
void MpvMediaPlayer::stop() {}
void MpvMediaPlayer::close() {}
void MpvMediaPlayer::setVolume(int percent) {
    d->volume = percent;
}
int MpvMediaPlayer::volume() const {
    return d->volume;
}
std::optional<QString> MpvMediaPlayer::itemInfo(const QString &) const {
    return {};
}
std::optional<qint64> MpvMediaPlayer::bandWidth() const {
    return {};
}
std::optional<int> MpvMediaPlayer::bufferingProgress() const {
    return {};
}
std::optional<int> MpvMediaPlayer::bufferingCount() const {
    return {};
}
