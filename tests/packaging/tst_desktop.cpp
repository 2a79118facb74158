// The command line and the hand-over between two starts of the player, without a display.
#include "CommandLine.h"
#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Runs `work` on a thread of Qt's (its sockets need one) while the test goes on: a start
// that waits for an answer blocks, and the instance answering runs on the test's thread.
template<typename Work>
auto onThread(Work work)
{
    auto task = std::make_shared<std::packaged_task<decltype(work())()>>(std::move(work));
    auto result = task->get_future();
    QThread *thread = QThread::create([task] { (*task)(); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return result;
}

class tst_Desktop : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void laterStartHandsOverAndEnds();
    void socketLeftByACrashIsTakenOver();
    void restartWaitsForTheOldInstanceToGo();
    void restartTakesOverFromAnInstanceThatStays();

private:
    // One socket per test function, so that no test sees another's leftovers.
    QString socketName() const
    {
        return m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()));
    }

    QTemporaryDir m_dir;
};

void tst_Desktop::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode"); // -1: the program runs
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("restart");

    const auto args = [](std::initializer_list<const char *> list) {
        QStringList result{QStringLiteral("morvena-webradio")};
        for (const char *arg : list) {
            result.append(QString::fromUtf8(arg));
        }
        return result;
    };
    QTest::newRow("version") << args({"--version"}) << 0 << QString() << false;
    QTest::newRow("unknown option") << args({"--play"}) << 2 << QString() << false;
    QTest::newRow("relative file, made whole for the running instance")
        << args({"music/a b.mp3"}) << -1 << QStringLiteral("/home/u/music/a b.mp3") << false;
    QTest::newRow("file URL from a file manager") << args({"file:///srv/r%C3%B8d%20sang.ogg"}) << -1
                                                  << QStringLiteral("/srv/rød sang.ogg") << false;
    QTest::newRow("stream link kept as it is")
        << args({"http://127.0.0.1:8000/live?x=1"}) << -1
        << QStringLiteral("http://127.0.0.1:8000/live?x=1") << false;
    QTest::newRow("restart") << args({"--restart"}) << -1 << QString() << true;
}

void tst_Desktop::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, target);
    QFETCH(bool, restart);

    const CommandLine::Result result = CommandLine::parse(arguments, QStringLiteral("/home/u"));
    QCOMPARE(result.exitCode.value_or(-1), exitCode);
    QCOMPARE(result.target, target);
    QCOMPARE(result.restart, restart);
    if (arguments.contains(QStringLiteral("--version"))) {
        QCOMPARE(result.output, QStringLiteral("Morvena Webradio 2.71\n"));
    }
    QCOMPARE(CommandLine::isLink(result.target), target.startsWith(QStringLiteral("http")));
}

void tst_Desktop::laterStartHandsOverAndEnds()
{
    SingleInstance first(socketName());
    QSignalSpy requested(&first, &SingleInstance::requested);
    QVERIFY(first.claim({}));
    QVERIFY(first.isServing());

    // A line break in a file name must not cut the request short.
    const QString target = QStringLiteral("/tmp/Blå\nlyd.mp3");
    auto later = onThread([name = socketName(), target] {
        SingleInstance second(name);
        return second.claim(target);
    });
    QTRY_COMPARE_WITH_TIMEOUT(requested.count(), 1, 10000);
    QCOMPARE(requested.at(0).at(0).toString(), target);
    QCOMPARE(later.get(), false);
}

void tst_Desktop::socketLeftByACrashIsTakenOver()
{
    // A socket file nobody listens on, as a killed instance leaves it.
    const QByteArray path = socketName().toUtf8();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
    QVERIFY(QFile::exists(socketName()));

    SingleInstance start(socketName());
    QVERIFY(start.claim(QStringLiteral("/a.mp3")));
    QVERIFY(start.isServing());
}

void tst_Desktop::restartWaitsForTheOldInstanceToGo()
{
    QLocalServer old;
    QVERIFY(old.listen(socketName()));
    auto restart = onThread([name = socketName()] {
        SingleInstance next(name);
        const bool inTime = next.takeOver(60000);
        return std::pair(inTime, next.isServing());
    });
    // The new instance looks in on the old one and waits there while it still runs.
    QVERIFY(old.waitForNewConnection(10000));
    QLocalSocket *looking = old.nextPendingConnection();
    QVERIFY(looking);
    QCOMPARE(restart.wait_for(std::chrono::seconds(0)), std::future_status::timeout);

    // The old instance ends: its socket goes, and the connection with it.
    old.close();
    delete looking;
    QCOMPARE(restart.get(), std::pair(true, true));
}

void tst_Desktop::restartTakesOverFromAnInstanceThatStays()
{
    QLocalServer stays;
    QVERIFY(stays.listen(socketName()));
    SingleInstance next(socketName());
    QCOMPARE(next.takeOver(1000), false);
    QVERIFY(next.isServing());
}

QTEST_GUILESS_MAIN(tst_Desktop)
#include "tst_desktop.moc"
