#include "RecordingPlayerView.h"

RecordingPlayerView::RecordingPlayerView(CallLog &log)
    : m_log(log) {}

void RecordingPlayerView::add(const char *call, const QString &argument) {
    m_log.add(QStringLiteral("view.%1(%2)").arg(QLatin1String(call), argument));
}
void RecordingPlayerView::add(const char *call, bool argument) {
    add(call, argument ? QStringLiteral("true") : QStringLiteral("false"));
}

void RecordingPlayerView::setPictureButton6Visible(bool visible) {
    add("PictureButton6", visible);
}
void RecordingPlayerView::setPictureButton7Visible(bool visible) {
    add("PictureButton7", visible);
}
void RecordingPlayerView::setFortsettAvsCaption(const QString &caption) {
    add("fortsett_avs.caption", caption);
}
void RecordingPlayerView::setFortsettAvsEnabled(bool enabled) {
    add("fortsett_avs.enabled", enabled);
}
void RecordingPlayerView::setPauseAvsEnabled(bool enabled) {
    add("pause_avs.enabled", enabled);
}
void RecordingPlayerView::setVisToppEnabled(bool enabled) {
    add("vis_topp.enabled", enabled);
}
void RecordingPlayerView::setIkkeTopEnabled(bool enabled) {
    add("ikke_top.enabled", enabled);
}
void RecordingPlayerView::setJaInfoEnabled(bool enabled) {
    add("ja_info.enabled", enabled);
}
void RecordingPlayerView::setInfoIkkeEnabled(bool enabled) {
    add("info_ikke.enabled", enabled);
}
void RecordingPlayerView::setTmrUpdateEnabled(bool enabled) {
    add("tmrUpdate", enabled);
}
void RecordingPlayerView::setTimer5Enabled(bool enabled) {
    add("Timer5", enabled);
}
void RecordingPlayerView::setFormIcon(Tray::Icon icon) {
    add("icon", RecordingTray::iconName(icon));
}
void RecordingPlayerView::minimizeWindow() {
    add("minimize");
}
void RecordingPlayerView::endProgram() {
    add("end");
}

RecordingTray::RecordingTray(CallLog &log)
    : m_log(log) {}

QString RecordingTray::iconName(Icon icon) {
    return icon == Icon::Idle ? QStringLiteral("Idle") : QStringLiteral("Playing");
}
void RecordingTray::add(Icon icon, const QString &tip) {
    m_log.add(QStringLiteral("tray.add(%1, %2)").arg(iconName(icon), tip));
}
void RecordingTray::update(Icon icon, const QString &tip) {
    m_log.add(QStringLiteral("tray.update(%1, %2)").arg(iconName(icon), tip));
}
void RecordingTray::remove() {
    m_log.add(QStringLiteral("tray.remove()"));
}
