// Recording and the sleep timer without an engine: where songs are cut as titles arrive,
// the stream drops, the listener tunes or stops; the names songs are saved under; what the
// recorder does with the files a scripted capture writes, and with its faults; the sleep
// timer's fade, pause and cancellation on a hand-moved clock.
#include "Fakes.h"
#include "FormSettings.h"
#include "PlayerState.h"
#include "Recorder.h"
#include "RecordingNames.h"
#include "SleepTimer.h"
#include "SongCutter.h"
#include "StreamCapture.h"
#include "Volume.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Kind = SongCutter::Cut::Kind;
using Transport = PlayerSnapshot::Transport;

namespace {

const QDateTime kMidnight(QDate(2026, 12, 7), QTime(23, 0));

// Radio A (or `channel`) playing `title`, as the player's model hands it over.
PlayerSnapshot playing(const QString &title = {}, const QString &channel = QStringLiteral("A"))
{
    PlayerSnapshot now;
    now.transport = Transport::Playing;
    now.playback.state = Playback::State::Playing;
    now.channel = {QStringLiteral("Radio ") + channel, QStringLiteral("http://x/") + channel,
                   ChannelSource::List};
    now.song.title = title;
    return now;
}

// One step of a script: "A:Song@12" plays song "Song" on channel A at stream second 12
// ("A:@12": no title); "A~" the stream is reconnecting, "A." paused, "-" stopped.
PlayerSnapshot snapshotFor(const QString &step, std::optional<double> *position)
{
    position->reset();
    if (step == u"-")
        return {};
    PlayerSnapshot now = playing({}, step.left(1));
    if (step.at(1) == u'.')
        now.transport = Transport::Paused;
    if (step.at(1) == u'~')
        now.playback.state = Playback::State::Reconnecting;
    if (step.at(1) == u':') {
        const QStringList parts = step.mid(2).split(u'@');
        now.song.title = parts.at(0);
        *position = parts.at(1).toDouble();
    }
    return now;
}

// "begin Song@12 part", "end Song 12-40 whole", "break Song@12 part".
QString describe(const SongCutter::Cut &cut)
{
    const char *kind = cut.kind == Kind::Begin ? "begin" : cut.kind == Kind::End ? "end" : "break";
    const QString span = cut.kind == Kind::End
                             ? QStringLiteral(" %1-%2").arg(cut.take.start).arg(cut.end)
                             : QStringLiteral("@%1").arg(cut.take.start);
    return QStringLiteral("%1 %2%3 %4")
        .arg(QLatin1String(kind), cut.take.song.title, span,
             cut.take.whole ? QStringLiteral("whole") : QStringLiteral("part"));
}

// A capture that writes each dump's span as text and ends a continuous dump when the next
// dump starts or the test says the stream stopped, as the engine does.
class ScriptedCapture final : public StreamCapture {
public:
    QString codec = QStringLiteral("mp3");
    std::optional<double> position = 0;
    double cachedFrom = 0;
    bool failWrites = false;
    QStringList dumps;

    void setCapturing(bool on) override { capturing = on; }
    std::optional<double> capturePosition() const override { return position; }
    std::optional<double> cachedSince() const override { return cachedFrom; }
    QString captureCodec() const override { return codec; }
    void dumpCache(double start, std::optional<double> end, const QString &path,
                   DumpDone done) override
    {
        endContinuous();
        dumps.append(QStringLiteral("%1-%2").arg(start).arg(end ? QString::number(*end) : "no"));
        if (path.isEmpty()) {
            done(true);
            return;
        }
        QFile file(path);
        const bool ok = !failWrites && file.open(QIODevice::WriteOnly) &&
                        file.write(QByteArray::number(start)) > 0;
        file.close();
        if (end)
            done(ok);
        else if (!ok)
            done(false);
        else
            m_continuous = std::move(done);
    }
    void endContinuous()
    {
        if (DumpDone done = std::exchange(m_continuous, nullptr))
            done(true);
    }

    bool capturing = false;

private:
    DumpDone m_continuous;
};

// Every file under `root` but the hidden ones, relative to it, with its content.
QStringList filesUnder(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        found.append(QDir(root).relativeFilePath(path) + u'=' + QString::fromUtf8(file.readAll()));
    }
    found.sort();
    return found;
}

} // namespace

class TestRecording : public QObject {
    Q_OBJECT

private slots:
    void cutsFollowTheStream_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("cuts");
        // "start" turns recording on at the step after it, "stop" off.
        QTest::newRow("titles arriving")
            << QStringList{"A:One@5", "start", "A:One@6", "A:Two@40", "A:Three@200", "A:Four@380"}
            << QStringList{"begin One@5 part",      "end One 5-40 part",
                           "begin Two@40 whole",    "end Two 40-200 whole",
                           "begin Three@200 whole", "end Three 200-380 whole",
                           "begin Four@380 whole"};
        QTest::newRow("a blank title between songs ends one, the next is whole")
            << QStringList{"start", "A:One@0", "A:@30", "A:Two@32", "A:Two@50"}
            << QStringList{"begin One@0 part", "end One 0-30 part", "begin Two@32 whole"};
        QTest::newRow("a drop and return inside a song")
            << QStringList{"start", "A:One@0", "A:Two@40", "A~", "A:Two@2", "A:Three@90"}
            << QStringList{"begin One@0 part",    "end One 0-40 part", "begin Two@40 whole",
                           "break Two@40 whole",  "begin Two@2 part",  "end Two 2-90 part",
                           "begin Three@90 whole"};
        QTest::newRow("a tuning in the middle")
            << QStringList{"start", "A:One@0", "A:Two@40", "B:Nyheter@3", "B:Vær@60"}
            << QStringList{"begin One@0 part",   "end One 0-40 part",    "begin Two@40 whole",
                           "break Two@40 whole", "begin Nyheter@3 part", "end Nyheter 3-60 part",
                           "begin Vær@60 whole"};
        QTest::newRow("stop, and the next start")
            << QStringList{"start", "A:One@0", "A:Two@40", "-", "A:Three@1", "A:Four@80"}
            << QStringList{"begin One@0 part",   "end One 0-40 part",  "begin Two@40 whole",
                           "break Two@40 whole", "begin Three@1 part", "end Three 1-80 part",
                           "begin Four@80 whole"};
        QTest::newRow("pause, and recording stopped by the listener")
            << QStringList{"start", "A:One@0", "A.", "A:One@1", "stop", "A:Two@9"}
            << QStringList{"begin One@0 part", "break One@0 part", "begin One@1 part",
                           "break One@1 part"};
        QTest::newRow("a stream without titles records nothing")
            << QStringList{"start", "A:@0", "A:@90", "A~", "A:@3"} << QStringList{};
    }
    void cutsFollowTheStream()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, cuts);
        SongCutter cutter;
        PlayerSnapshot now;
        std::optional<double> position;
        QStringList seen;
        for (const QString &step : steps) {
            QList<SongCutter::Cut> made;
            if (step == u"start")
                made = cutter.start(now, position);
            else if (step == u"stop")
                made = cutter.stop();
            else {
                now = snapshotFor(step, &position);
                made = cutter.update(now, position);
            }
            for (const SongCutter::Cut &cut : made)
                seen.append(describe(cut));
        }
        QCOMPARE(seen, cuts);
    }

    void namesAreSafeEverywhere_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("refused characters") << "AC/DC: Who? \"Me\" <*> |\\"
                                            << "AC_DC_ Who_ _Me_ ___ __";
        QTest::newRow("control characters") << QStringLiteral("A\tB\nC") << "A_B_C";
        QTest::newRow("dots and blanks at the ends") << " ..Hidden - Song... "
                                                     << "Hidden - Song";
        QTest::newRow("a device name") << "con"
                                       << "con_";
        QTest::newRow("nothing left") << " . "
                                      << "_";
        QTest::newRow("Norwegian stays") << "Åge Aleksandersen - Fire pils og en pizza"
                                         << "Åge Aleksandersen - Fire pils og en pizza";
    }
    void namesAreSafeEverywhere()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(RecordingNames::safeName(text), name);
    }

    void longNamesAreCutByBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("two-byte letters") << QString(150, QChar(u'ø')) << 200;
        // Four bytes each, two UTF-16 units: never a lone half.
        QTest::newRow("emoji after one letter")
            << u'a' + QString::fromUtf8("\U0001F3B5").repeated(60) << 197;
        QTest::newRow("three-byte letters") << QString(100, QChar(u'€')) << 198;
    }
    void longNamesAreCutByBytes()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        const QString name = RecordingNames::safeName(text);
        QCOMPARE(name.toUtf8().size(), bytes);
        QVERIFY(text.startsWith(name));
        QVERIFY(QString::fromUtf8(name.toUtf8()) == name); // no broken character
    }

    void songsGoWhereTheSettingsSay_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QStringList>("files");
        // Each file holds the stream second its dump began at; "old" was there before.
        QTest::newRow("keep apart")
            << true
            << QStringList{"Radio A/Artist - Two (2).aac=40", "Radio A/Artist - Two.aac=old",
                           "Radio A/Incomplete/Artist - One.aac=0",
                           "Radio A/Incomplete/Artist - Three.aac=200",
                           "Radio A/Incomplete/Artist - Two.aac=300"};
        QTest::newRow("drop") << false
                              << QStringList{"Radio A/Artist - Two (2).aac=40",
                                             "Radio A/Artist - Two.aac=old"};
    }
    void songsGoWhereTheSettingsSay()
    {
        QFETCH(bool, keep);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Radio A")));
        QFile old(dir.filePath(QStringLiteral("Radio A/Artist - Two.aac")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        ScriptedCapture capture;
        capture.codec = QStringLiteral("aac"); // a format without tags: the files hold the spans
        FakeClock clock;
        clock.time = kMidnight;
        Recorder recorder(capture, clock, {dir.path(), keep});
        QSignalSpy saved(&recorder, &Recorder::saved);
        QSignalSpy failed(&recorder, &Recorder::failed);
        const auto play = [&](const QString &title, double at) {
            PlayerSnapshot now = playing(title);
            now.song = {QStringLiteral("Artist"), title, kMidnight};
            capture.position = at;
            recorder.update(now);
        };
        play("One", 0);
        recorder.setOn(true);
        QVERIFY(capture.capturing);
        play("One", 1);
        play("Two", 40);          // One ends incomplete, Two is whole
        play("Three", 200);       // Two is saved from the cache: 40 to 200
        capture.cachedFrom = 250; // Three is longer than the cache holds
        play("Two", 300);         // ...so it is kept from its continuous dump
        // The listener stops recording in the middle of the second "Two".
        recorder.setOn(false);
        QVERIFY2(failed.isEmpty(),
                 failed.isEmpty() ? "" : qPrintable(failed.first().first().toString()));
        QCOMPARE(filesUnder(dir.path()), files);
        QVERIFY(!capture.capturing);
        QCOMPARE(saved.count(), files.size() - 1);
        QVERIFY(capture.dumps.contains("40-200"));
    }

    void faultsStopRecordingOnce_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("a format that cannot be recorded") << "flac"
                                                          << "format (flac)";
        QTest::newRow("a folder that cannot be made") << "folder"
                                                      << "cannot be written";
        QTest::newRow("a dump that fails") << "write"
                                           << "could not be written";
    }
    void faultsStopRecordingOnce()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QTemporaryDir dir;
        ScriptedCapture capture;
        FakeClock clock;
        QString folder = dir.path();
        if (fault == u"flac")
            capture.codec = QStringLiteral("flac");
        if (fault == u"folder") {
            folder = dir.filePath("file");
            QFile(folder).open(QIODevice::WriteOnly); // a file where the folder should be
        }
        capture.failWrites = fault == u"write";
        Recorder recorder(capture, clock, {folder, true});
        QSignalSpy failed(&recorder, &Recorder::failed);
        QSignalSpy onChanged(&recorder, &Recorder::onChanged);
        recorder.setOn(true);
        for (const char *title : {"One", "Two", "Three"})
            recorder.update(playing(QLatin1String(title)));
        QCOMPARE(failed.count(), 1);
        QVERIFY2(failed.first().first().toString().contains(message),
                 qPrintable(failed.first().first().toString()));
        QVERIFY(!recorder.isOn());
        QCOMPARE(onChanged.count(), 2);
        QCOMPARE(filesUnder(dir.path()).filter(QStringLiteral(".recording")), QStringList{});
    }

    // The timer wired as the program wires it: the fade reaches the engine, never the store.
    void sleepFadesThenPausesAtTheListenersLevel()
    {
        CallLog log;
        MemorySettingsStore store;
        RecordingMediaPlayer engine(log);
        PlayerState state;
        FormSettings settings(store, state, engine);
        Volume volume(settings, engine);
        volume.set(60);
        const QMap<QString, QString> stored = store.values;
        FakeClock clock;
        clock.time = kMidnight;
        SleepTimer timer(clock, volume.level());
        connect(&timer, &SleepTimer::engineVolume, this,
                [&](int level) { engine.setVolume(level); });
        connect(&timer, &SleepTimer::pauseRequested, this, [&] { log.add("pause"); });
        timer.update(playing());
        log.take();

        timer.set(15);
        QCOMPARE(timer.text(), QStringLiteral("Sleep in 15 min"));
        const auto at = [&](int secondsLeft) {
            clock.time = kMidnight.addSecs(15 * 60 - secondsLeft);
            timer.tick();
        };
        at(31);
        QCOMPARE(log.take(), QStringList{});
        QCOMPARE(timer.text(), QStringLiteral("Sleep in 0:31"));
        at(30);
        at(15);
        at(1);
        QCOMPARE(log.take(), (QStringList{"engine.setVolume(60)", "engine.setVolume(30)",
                                          "engine.setVolume(2)"}));
        at(0);
        QCOMPARE(log.take(), (QStringList{"pause", "engine.setVolume(60)"}));
        QVERIFY(!timer.isSet());
        QCOMPARE(timer.text(), QString());
        QCOMPARE(store.values, stored);
        at(-60);
        QCOMPARE(log.take(), QStringList{});
    }

    void sleepFadeCancelledByTheListener_data()
    {
        QTest::addColumn<QString>("act");
        QTest::newRow("a volume change") << "volume";
        QTest::newRow("a tuning") << "tune";
        QTest::newRow("a stop") << "stop";
    }
    void sleepFadeCancelledByTheListener()
    {
        QFETCH(QString, act);
        FakeClock clock;
        clock.time = kMidnight;
        SleepTimer timer(clock, 50);
        QSignalSpy volume(&timer, &SleepTimer::engineVolume);
        QSignalSpy pause(&timer, &SleepTimer::pauseRequested);
        PlayerSnapshot now = playing();
        timer.update(now);
        timer.set(30);
        clock.time = kMidnight.addSecs(30 * 60 - 10);
        timer.tick();
        QVERIFY(timer.isFading());
        QCOMPARE(volume.takeLast().first().toInt(), 17);
        int restored = 50;
        if (act == u"volume") {
            timer.listenerVolume(70);
            restored = 70;
        } else {
            timer.update(act == u"tune" ? playing({}, QStringLiteral("B")) : PlayerSnapshot());
        }
        QVERIFY(!timer.isFading());
        QCOMPARE(volume.takeLast().first().toInt(), restored);
        // The timer is kept, and runs the chosen time again.
        QVERIFY(timer.isSet());
        QCOMPARE(timer.text(), QStringLiteral("Sleep in 30 min"));
        clock.time = clock.time.addSecs(30 * 60);
        timer.tick();
        QCOMPARE(pause.count(), act == u"stop" ? 0 : 1);
        QVERIFY(!timer.isSet());
    }
};

QTEST_GUILESS_MAIN(TestRecording)
#include "tst_recording.moc"
