#pragma once

#include "CallLog.h"
#include "PlayerView.h"
#include "RecordingTray.h"

/// A view that logs every change as "view.<control>(<value>)".
class RecordingPlayerView final : public PlayerView {
public:
    /// Logs into `log`.
    explicit RecordingPlayerView(CallLog &log)
        : m_log(log)
    {}

    void setPictureButton6Visible(bool on) override { log("PictureButton6", on); }
    void setPictureButton7Visible(bool on) override { log("PictureButton7", on); }
    void setFortsettAvsCaption(const QString &text) override { log("fortsett_avs.caption", text); }
    void setFortsettAvsEnabled(bool on) override { log("fortsett_avs.enabled", on); }
    void setPauseAvsEnabled(bool on) override { log("pause_avs.enabled", on); }
    void setVisToppEnabled(bool on) override { log("vis_topp.enabled", on); }
    void setIkkeTopEnabled(bool on) override { log("ikke_top.enabled", on); }
    void setJaInfoEnabled(bool on) override { log("ja_info.enabled", on); }
    void setInfoIkkeEnabled(bool on) override { log("info_ikke.enabled", on); }
    void setTmrUpdateEnabled(bool on) override { log("tmrUpdate", on); }
    void setTimer5Enabled(bool on) override { log("Timer5", on); }
    void setFormIcon(Tray::Icon icon) override { log("icon", RecordingTray::iconName(icon)); }
    void minimizeWindow() override { log("minimize", QString()); }
    void endProgram() override { log("end", QString()); }

private:
    void log(const char *call, const QString &value)
    {
        m_log.add(QStringLiteral("view.%1(%2)").arg(QLatin1String(call), value));
    }
    void log(const char *call, bool value)
    {
        log(call, value ? QStringLiteral("true") : QStringLiteral("false"));
    }

    CallLog &m_log;
};
