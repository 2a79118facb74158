// The command line; the hand-over between two starts is e2e_secondstart's.
#include "CommandLine.h"

#include <QTest>

class tst_Desktop : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
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
        QTest::newRow("relative file, made whole for the running instance")
            << args({"music/a b.mp3"}) << -1 << QStringLiteral("/home/u/music/a b.mp3") << false;
        QTest::newRow("file URL from a file manager")
            << args({"file:///srv/r%C3%B8d%20sang.ogg"}) << -1
            << QStringLiteral("/srv/rød sang.ogg") << false;
        QTest::newRow("stream link kept as it is")
            << args({"http://127.0.0.1:8000/live?x=1"}) << -1
            << QStringLiteral("http://127.0.0.1:8000/live?x=1") << false;
        QTest::newRow("restart") << args({"--restart"}) << -1 << QString() << true;
    }
    void commandLine()
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
};

QTEST_GUILESS_MAIN(tst_Desktop)
#include "tst_desktop.moc"
