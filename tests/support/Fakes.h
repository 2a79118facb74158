#pragma once

// Recording fakes of every collaborator the tests replace. Each logs what it is asked
// into one shared CallLog, so a test can check the order of steps across all of them.
#include "Announcer.h"
#include "Beeper.h"
#include "Clock.h"
#include "CommonDialogBackend.h"
#include "EditorLauncher.h"
#include "FileDialogs.h"
#include "LocalFileOperations.h"
#include "MediaPlayer.h"
#include "MessageBox.h"
#include "PlayerView.h"
#include "Restarter.h"
#include "SettingsStore.h"
#include "Tray.h"

#include <QMap>
#include <QStringList>

/// What the fakes were asked to do, in order.
class CallLog {
public:
    /// Appends one step.
    void add(const QString &entry) { m_entries.append(entry); }
    /// The steps so far, emptying the log.
    QStringList take() { return std::exchange(m_entries, {}); }

private:
    QStringList m_entries;
};

/// The base of the fakes below: the interface they stand in for, and the log they write to.
template<class Interface>
class Logging : public Interface {
public:
    explicit Logging(CallLog &log)
        : m_log(log)
    {}

protected:
    CallLog &m_log;
};

/// A settings store in memory that logs each write as "store.<key>=<value>".
class MemorySettingsStore final : public SettingsStore {
public:
    explicit MemorySettingsStore(CallLog *log = nullptr)
        : m_log(log)
    {}

    bool saveSetting(const QString &app, const QString &section, const QString &key,
                     const QString &value) override
    {
        values.insert(path(app, section, key), value);
        if (m_log) {
            m_log->add(QStringLiteral("store.%1=%2").arg(key, value));
        }
        return true;
    }
    // One change is one line, "store.save(<key>=<value>, ...)", so a test sees that the
    // values were written together.
    bool saveSettings(const QString &app, const QString &section,
                      const QList<std::pair<QString, QString>> &pairs) override
    {
        QStringList written;
        for (const auto &[key, value] : pairs) {
            values.insert(path(app, section, key), value);
            written.append(key + QLatin1Char('=') + value);
        }
        if (m_log) {
            m_log->add(QStringLiteral("store.save(%1)").arg(written.join(QStringLiteral(", "))));
        }
        return true;
    }
    QString getSetting(const QString &app, const QString &section, const QString &key,
                       const QString &defaultValue) const override
    {
        return values.value(path(app, section, key), defaultValue);
    }
    bool deleteSection(const QString &app, const QString &section) override
    {
        values.removeIf([prefix = path(app, section, {})](const auto &it) {
            return it.key().startsWith(prefix);
        });
        return true;
    }

    /// Every stored value, keyed "<app>/<section>/<key>".
    QMap<QString, QString> values;

private:
    static QString path(const QString &app, const QString &section, const QString &key)
    {
        return app + QLatin1Char('/') + section + QLatin1Char('/') + key;
    }

    CallLog *m_log;
};

/// An engine that plays nothing and logs every command as "engine.<command>(<argument>)".
/// Its reads answer what a test puts in the public fields below; an absent item or an
/// empty optional is a failed read, as a real engine's with nothing to describe.
class RecordingMediaPlayer final : public Logging<MediaPlayer> {
public:
    /// Answers of itemInfo() by name ("Bitrate", "Author", "Title").
    QMap<QString, QString> items;
    /// Answer of filePosition(): empty, as for a stream.
    std::optional<std::pair<double, std::optional<double>>> filePositionValue;
    /// The station's own name the stream sends, if any.
    QString station;
    std::optional<qint64> bandWidthValue;
    std::optional<int> bufferingProgressValue;
    std::optional<int> bufferingCountValue;
    /// Answer of playback(): playing, so the reads above are what the display shows.
    Playback playbackValue = [] {
        Playback playing;
        playing.state = Playback::State::Playing;
        return playing;
    }();

    using Logging::Logging;

    QString url() const override { return m_url; }
    void setUrl(const QString &url) override
    {
        m_url = url;
        m_log.add(QStringLiteral("engine.setUrl(%1)").arg(url));
    }
    void stop() override { m_log.add(QStringLiteral("engine.stop()")); }
    void close() override { m_log.add(QStringLiteral("engine.close()")); }
    void setVolume(int percent) override
    {
        m_volume = percent;
        m_log.add(QStringLiteral("engine.setVolume(%1)").arg(percent));
    }
    int volume() const override { return m_volume; }
    std::optional<QString> itemInfo(const QString &name) const override
    {
        const auto found = items.constFind(name);
        return found == items.cend() ? std::nullopt : std::optional<QString>(*found);
    }
    // The artist and title are the "Author" and "Title" items; a station named in
    // `station` stands in for a missing author, as a real engine's does.
    std::optional<NowPlaying> nowPlaying() const override
    {
        const auto author = itemInfo(QStringLiteral("Author"));
        const auto title = itemInfo(QStringLiteral("Title"));
        if (!author || !title)
            return std::nullopt;
        return NowPlaying{*author, *title, station};
    }
    std::optional<std::pair<double, std::optional<double>>> filePosition() const override
    {
        return filePositionValue;
    }
    std::optional<qint64> bandWidth() const override { return bandWidthValue; }
    std::optional<int> bufferingProgress() const override { return bufferingProgressValue; }
    std::optional<int> bufferingCount() const override { return bufferingCountValue; }
    Playback playback() const override { return playbackValue; }

private:
    QString m_url;
    int m_volume = 50;
};

/// A tray that logs "tray.add(<icon>, <tip>)", "tray.update(...)" and "tray.remove()".
class RecordingTray final : public Logging<Tray> {
public:
    using Logging::Logging;

    /// "Idle" or "Playing".
    static QString iconName(Icon icon)
    {
        return icon == Icon::Idle ? QStringLiteral("Idle") : QStringLiteral("Playing");
    }
    void add(Icon icon, const QString &tip) override { log("add", icon, tip); }
    void update(Icon icon, const QString &tip) override { log("update", icon, tip); }
    void remove() override { m_log.add(QStringLiteral("tray.remove()")); }

private:
    void log(const char *call, Icon icon, const QString &tip)
    {
        m_log.add(QStringLiteral("tray.%1(%2, %3)").arg(QLatin1String(call), iconName(icon), tip));
    }
};

/// A view that logs every change as "view.<control>(<value>)".
class RecordingPlayerView final : public Logging<PlayerView> {
public:
    using Logging::Logging;

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
};

/// Message boxes that log "box.information(<title>)" or "box.warning(<title>)" and keep the
/// last text shown.
class RecordingMessageBox final : public Logging<MessageBox> {
public:
    using Logging::Logging;

    void information(const QString &title, const QString &text) override
    {
        m_log.add(QStringLiteral("box.information(%1)").arg(title));
        lastText = text;
    }
    void warning(const QString &title, const QString &text) override
    {
        m_log.add(QStringLiteral("box.warning(%1)").arg(title));
        lastText = text;
    }

    /// The text of the last box shown.
    QString lastText;
};

/// An announcer that shows nothing and logs "announce(<title>, <message>)".
class RecordingAnnouncer final : public Logging<Announcer> {
public:
    using Logging::Logging;

    void announce(const QString &title, const QString &message) override
    {
        m_log.add(QStringLiteral("announce(%1, %2)").arg(title, message));
    }
};

/// A clock that shows whatever time the test sets.
class FakeClock final : public Clock {
public:
    /// The time now() reports.
    QDateTime time;

    QDateTime now() const override { return time; }
};

/// Dialogs that show nothing: each answers with nextAnswer (no answer: cancelled), logs
/// "dialog.save(<title>)" or "dialog.open(<title>)".
class FakeFileDialogs final : public Logging<FileDialogs> {
public:
    using Logging::Logging;

    /// The path the next dialog answers with; empty means cancelled. Used up by a dialog.
    std::optional<QString> nextAnswer;

    std::optional<QString> getSaveFileName(const Request &request) override
    {
        return answer(QStringLiteral("save"), request);
    }
    std::optional<QString> getOpenFileName(const Request &request) override
    {
        return answer(QStringLiteral("open"), request);
    }

private:
    std::optional<QString> answer(const QString &kind, const Request &request)
    {
        m_log.add(QStringLiteral("dialog.%1(%2)").arg(kind, request.title));
        return std::exchange(nextAnswer, std::nullopt);
    }
};

/// Real file operations that log "files.copy(<source> -> <target>)" and
/// "files.remove(<path>)", and fail on request without touching anything.
class FaultyFileOperations final : public Logging<FileOperations> {
public:
    using Logging::Logging;

    /// Make copies fail, as a full disk would.
    bool failCopy = false;
    /// Make deletes fail, as a read-only folder would.
    bool failRemove = false;

    Result copyOver(const QString &source, const QString &target) override
    {
        m_log.add(QStringLiteral("files.copy(%1 -> %2)").arg(source, target));
        return failCopy ? Result::failure(QStringLiteral("No space left on device"))
                        : m_real.copyOver(source, target);
    }
    Result remove(const QString &path) override
    {
        m_log.add(QStringLiteral("files.remove(%1)").arg(path));
        return failRemove ? Result::failure(QStringLiteral("Read-only file system"))
                          : m_real.remove(path);
    }

private:
    LocalFileOperations m_real;
};

/// A beeper that logs "beep()".
class RecordingBeeper final : public Logging<Beeper> {
public:
    using Logging::Logging;

    void beep() override { m_log.add(QStringLiteral("beep()")); }
};

/// An editor launcher that logs "editor(<path>)".
class RecordingEditorLauncher final : public Logging<EditorLauncher> {
public:
    using Logging::Logging;

    void openInEditor(const QString &path) override
    {
        m_log.add(QStringLiteral("editor(%1)").arg(path));
    }
};

/// A restarter that starts nothing and logs "restart.start()" and "restart.close()".
class RecordingRestarter final : public Logging<Restarter> {
public:
    using Logging::Logging;

    bool startNewInstance() override
    {
        m_log.add(QStringLiteral("restart.start()"));
        return true;
    }
    void closeThisInstance() override { m_log.add(QStringLiteral("restart.close()")); }
};

/// A common dialog backend whose dialogs return `result` at once, counting them and keeping
/// the last file request.
class FakeCommonDialogBackend : public CommonDialogBackend {
public:
    qint32 result = 1;
    qint32 errorCode = 0;
    int dialogs = 0;
    FileNameData fileRequest;

    qint32 getOpenFileName(FileNameData &data) override { return answer(&data); }
    qint32 getSaveFileName(FileNameData &data) override { return answer(&data); }
    qint32 getFileTitle(const QString &, QString &, qint32) override { return 0; }
    qint32 chooseColor(ChooseColorData &) override { return answer(); }
    qint32 chooseFont(ChooseFontData &) override { return answer(); }
    qint32 printDlg(PrintDialogData &) override { return answer(); }
    qint32 pageSetupDlg(PageSetupData &) override { return answer(); }
    qint32 extendedError() const override { return errorCode; }
    qint32 systemColor(int index) const override { return 0x00102030 + index; }
    double twipsPerPixelY() const override { return 15.0; }
    DeviceContext defaultPrinterDeviceContext() override { return 0x5150; }

private:
    qint32 answer(FileNameData *file = nullptr)
    {
        ++dialogs;
        if (file)
            fileRequest = *file;
        return result;
    }
};
