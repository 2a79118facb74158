#pragma once

#include "CallLog.h"
#include "PlayerView.h"
#include "Tray.h"

/// A view that logs every change as "view.<call>(<argument>)".
class RecordingPlayerView final : public PlayerView {
public:
    /// Logs into `log`.
    explicit RecordingPlayerView(CallLog &log);

    void setPictureButton6Visible(bool visible) override;
    void setPictureButton7Visible(bool visible) override;
    void setFortsettAvsCaption(const QString &caption) override;
    void setFortsettAvsEnabled(bool enabled) override;
    void setPauseAvsEnabled(bool enabled) override;
    void setVisToppEnabled(bool enabled) override;
    void setIkkeTopEnabled(bool enabled) override;
    void setJaInfoEnabled(bool enabled) override;
    void setInfoIkkeEnabled(bool enabled) override;
    void setTmrUpdateEnabled(bool enabled) override;
    void setTimer5Enabled(bool enabled) override;
    void setFormIcon(Tray::Icon icon) override;
    void minimizeWindow() override;
    void endProgram() override;

private:
    void add(const char *call, const QString &argument = {});
    void add(const char *call, bool argument);

    CallLog &m_log;
};

/// A tray that logs "tray.add(<icon>, <tip>)", "tray.update(...)" and "tray.remove()".
class RecordingTray final : public Tray {
public:
    /// Logs into `log`.
    explicit RecordingTray(CallLog &log);

    void add(Icon icon, const QString &tip) override;
    void update(Icon icon, const QString &tip) override;
    void remove() override;

    /// "Idle" or "Playing".
    static QString iconName(Icon icon);

private:
    CallLog &m_log;
};
