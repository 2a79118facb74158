#include "RecordingMediaPlayer.h"

RecordingMediaPlayer::RecordingMediaPlayer(CallLog &log)
    : m_log(log) {}

void RecordingMediaPlayer::setUrl(const QString &url) {
    m_url = url;
    m_log.add(QStringLiteral("engine.setUrl(%1)").arg(url));
}
void RecordingMediaPlayer::stop() {
    m_log.add(QStringLiteral("engine.stop()"));
}
void RecordingMediaPlayer::close() {
    m_log.add(QStringLiteral("engine.close()"));
}
void RecordingMediaPlayer::setVolume(int percent) {
    m_volume = percent;
    m_log.add(QStringLiteral("engine.setVolume(%1)").arg(percent));
}
