#include "ChannelAdder.h"
#include "ChannelListWatcher.h"
#include "ChannelListWriter.h"
#include "ChannelsFixture.h"
#include "ProfileReader.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(ChannelListWriter::Refusal)

namespace {

using Refusal = ChannelListWriter::Refusal;

// An old Windows list: Windows-1252, CRLF, a comment, a quoted name, a blank line between
// the sections and a section the program does not read.
const QByteArray kOldList = "; My stations\r\n"
                            "[Navn]\r\n"
                            "1=NRK P1 \xD8stlandssendingen\r\n"
                            "2=\"  Jazz  \"\r\n"
                            "\r\n"
                            "[URL]\r\n"
                            "1=http://127.0.0.1/p1\r\n"
                            "2=http://127.0.0.1/jazz\r\n"
                            "[Annet]\r\n"
                            "x=y\r\n";

QByteArray list(int entries)
{
    QByteArray names = "[Navn]\n";
    QByteArray urls = "[URL]\n";
    for (int i = 1; i <= entries; ++i) {
        names += QByteArray::number(i) + "=K" + QByteArray::number(i) + "\n";
        urls += QByteArray::number(i) + "=http://h/" + QByteArray::number(i) + "\n";
    }
    return names + urls;
}

} // namespace

/// Adding a channel to the list: the bytes the file keeps and gains, the refusals, the
/// "Add to My Channels" command, and the watch that rereads the list when it changes.
class TestChannelListWriter : public QObject {
    Q_OBJECT

private slots:
    void appendKeepsTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("readBack");

        QTest::newRow("Windows-1252 CRLF stays so")
            << kOldList << QStringLiteral("Kanal \u00C6 \u20AC")
            << QByteArray("; My stations\r\n[Navn]\r\n1=NRK P1 \xD8stlandssendingen\r\n"
                          "2=\"  Jazz  \"\r\n3=Kanal \xC6 \x80\r\n\r\n[URL]\r\n"
                          "1=http://127.0.0.1/p1\r\n2=http://127.0.0.1/jazz\r\n"
                          "3=http://127.0.0.1/new\r\n[Annet]\r\nx=y\r\n")
            << QStringLiteral("Kanal \u00C6 \u20AC");
        QTest::newRow("beyond Windows-1252: the whole list becomes UTF-8")
            << kOldList << QStringLiteral("\u0420\u0430\u0434\u0438\u043E")
            << QByteArray("; My stations\r\n[Navn]\r\n1=NRK P1 \xC3\x98stlandssendingen\r\n"
                          "2=\"  Jazz  \"\r\n3=\xD0\xA0\xD0\xB0\xD0\xB4\xD0\xB8\xD0\xBE\r\n\r\n"
                          "[URL]\r\n1=http://127.0.0.1/p1\r\n2=http://127.0.0.1/jazz\r\n"
                          "3=http://127.0.0.1/new\r\n[Annet]\r\nx=y\r\n")
            << QStringLiteral("\u0420\u0430\u0434\u0438\u043E");
        QTest::newRow("Windows-1252 bytes that read as UTF-8: UTF-8")
            << QByteArray("[Navn]\n1=\xD8st\n[URL]\n1=http://a\n") << QStringLiteral("\u00C6\u20AC")
            << QByteArray("[Navn]\n1=\xC3\x98st\n2=\xC3\x86\xE2\x82\xAC\n[URL]\n1=http://a\n"
                          "2=http://127.0.0.1/new\n")
            << QStringLiteral("\u00C6\u20AC");
        QTest::newRow("blank lines of the free number are filled")
            << QByteArray("[navn]\n1=A\n 2 = \n4=D\n[url]\n1=http://a\n2=http://stale\n")
            << QStringLiteral("B")
            << QByteArray("[navn]\n1=A\n2=B\n4=D\n[url]\n1=http://a\n2=http://127.0.0.1/new\n")
            << QStringLiteral("B");
        QTest::newRow("no sections, no last line end")
            << QByteArray("; empty") << QStringLiteral("'Quoted'")
            << QByteArray("; empty\n[Navn]\n1=\"'Quoted'\"\n[URL]\n1=http://127.0.0.1/new\n")
            << QStringLiteral("'Quoted'");
        QTest::newRow("no file; a blank name takes the address")
            << QByteArray() << QStringLiteral("  ")
            << QByteArray("[Navn]\n1=http://127.0.0.1/new\n[URL]\n1=http://127.0.0.1/new\n")
            << QStringLiteral("http://127.0.0.1/new");
        QTest::newRow("blanks around a name are kept by quotes")
            << QByteArray("[Navn]\n1=A\n[URL]\n1=http://a\n") << QStringLiteral(" Lead")
            << QByteArray("[Navn]\n1=A\n2=\" Lead\"\n[URL]\n1=http://a\n"
                          "2=http://127.0.0.1/new\n")
            << QStringLiteral(" Lead");
    }
    void appendKeepsTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(QByteArray, expected);
        QFETCH(QString, readBack);
        const auto result = ChannelListWriter::append(file, name, "http://127.0.0.1/new");
        QVERIFY2(result, qPrintable(result.message()));
        QCOMPARE(*result.bytes, expected);
        const ProfileReader reader = ProfileReader::fromBytes(*result.bytes);
        const QString key = QString::number(result.number);
        QCOMPARE(reader.value("Navn", key), readBack);
        QCOMPARE(reader.value("URL", key), QStringLiteral("http://127.0.0.1/new"));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("url");
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<int>("number");
        QTest::newRow("same address")
            << kOldList << "  http://127.0.0.1/jazz " << Refusal::Duplicate << 2;
        QTest::newRow("full") << list(32767) << "http://h/new" << Refusal::Full << 0;
        QTest::newRow("no address") << kOldList << " " << Refusal::NoAddress << 0;
        QTest::newRow("line break") << kOldList << "http://a\r\n[Navn]" << Refusal::NoAddress << 0;
        QTest::newRow("too long to read back")
            << kOldList << "http://h/" + QString(250, 'a') << Refusal::TooLong << 0;
    }
    void refusals()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, url);
        QFETCH(Refusal, refusal);
        QFETCH(int, number);
        const auto result = ChannelListWriter::append(file, "Name", url);
        QCOMPARE(result.refusal, refusal);
        QCOMPARE(result.number, number);
        QVERIFY(!result.bytes);
        QVERIFY(!result.message().isEmpty());
    }

    // The command: refused while nothing plays, then the playing channel lands in the file
    // under the title's text; a second try is refused as a duplicate and leaves the file.
    void addPlaying()
    {
        ChannelsFixture f;
        QVERIFY(ChannelsFixture::write(f.listPath, kOldList));
        ChannelAdder adder(f.listPath, *f.state, *f.engine, f.messages);
        adder.addPlaying();
        QCOMPARE(f.log.take().last(), QStringLiteral("box.warning(Morvena Webradio 2.71)"));
        QVERIFY(f.messages.lastText.contains("Nothing is playing"));

        f.transport->tune(QStringLiteral("Radio \u00D8st"), QStringLiteral("http://127.0.0.1/ost"));
        f.log.take();
        adder.addPlaying();
        QVERIFY(!f.log.take().join('\n').contains("box."));
        const QByteArray after = *ChannelsFixture::read(f.listPath);
        QVERIFY(after.contains("\r\n3=Radio \xD8st\r\n"));
        QVERIFY(after.contains("\r\n3=http://127.0.0.1/ost\r\n"));
        QCOMPARE(ChannelsFixture::filesIn(f.programFolder), QStringList{"Mine Kanaler.ini"});

        adder.addPlaying();
        QCOMPARE(f.log.take().last(), QStringLiteral("box.warning(Morvena Webradio 2.71)"));
        QVERIFY(f.messages.lastText.contains("already in My Channels as channel 3"));
        QCOMPARE(*ChannelsFixture::read(f.listPath), after);
    }

    // Written in place, or replaced by a rename as many editors save: each change is told,
    // also the ones after a rename ended the watch on the old file.
    void watcherFollowsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Mine Kanaler.ini");
        QVERIFY(ChannelsFixture::write(path, "[Navn]\n1=A\n"));
        ChannelListWatcher watcher(path);
        QSignalSpy changed(&watcher, &ChannelListWatcher::changed);

        QVERIFY(ChannelsFixture::write(path, "[Navn]\n1=B\n"));
        QVERIFY(changed.wait(5000));
        for (int round = 0; round < 2; ++round) {
            const QString temp = dir.filePath(QStringLiteral(".edit%1.tmp").arg(round));
            QVERIFY(ChannelsFixture::write(temp, "[Navn]\n1=C\n"));
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::rename(temp, path));
            QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 2 + round, 5000);
        }
        QFile append(path);
        QVERIFY(append.open(QIODevice::Append));
        append.write("2=D\n");
        append.close();
        QTRY_COMPARE_WITH_TIMEOUT(changed.size(), 4, 5000);
    }
};

QTEST_GUILESS_MAIN(TestChannelListWriter)
#include "tst_ChannelListWriter.moc"
