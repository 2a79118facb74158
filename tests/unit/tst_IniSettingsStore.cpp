#include "IniSettingsStore.h"
#include "PlayerFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kApp = QStringLiteral("Morvena Webradio");
const QString kSection = QStringLiteral("2.71");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

/// The settings file on disk, and the player's state kept in it across a restart.
class TestIniSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_file;

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        m_file = m_home.path() + QStringLiteral("/Morvena Webradio/settings.ini");
    }
    void init() { QDir(m_home.path()).removeRecursively(); }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "Radio Nord";
        QTest::newRow("commas") << "a,b, c,";
        QTest::newRow("quotes") << "\"quoted\" and 'single'";
        QTest::newRow("equals and query") << "http://x/play?a=1&b=2;c=3";
        QTest::newRow("non-ASCII") << "Ørland nærradio – “Bølge” ☃";
        QTest::newRow("blanks") << "  padded  ";
        QTest::newRow("empty") << "";
        QTest::newRow("looks like a variant") << "@Variant(\\0\\0\\0\\x7f)";
        QTest::newRow("comment and section marks") << "#x ;y [2.71]";
        QTest::newRow("backslashes and breaks") << "C:\\Music\\a.m3u\r\nnext\tline";
        QTest::newRow("2,000 characters") << "http://example.invalid/" + QString(1977, u'x');
    }
    void roundTrip()
    {
        QFETCH(QString, value);
        QVERIFY(IniSettingsStore().saveSetting(kApp, kSection, "LydstraumURL", value));
        QCOMPARE(IniSettingsStore().getSetting(kApp, kSection, "LydstraumURL", "default"), value);
        const QByteArray file = readAll(m_file);
        QVERIFY(file.startsWith("[2.71]\n"));
        QVERIFY(file.contains("\nLydstraumURL="));
        // The rename leaves no temporary file behind.
        QCOMPARE(QDir(QFileInfo(m_file).path()).entryList(QDir::Files),
                 QStringList({"settings.ini"}));
    }

    void missingGivesDefaultAndDeleteRemovesSection()
    {
        IniSettingsStore store(m_home.path());
        QCOMPARE(store.getSetting(kApp, kSection, "Tittel2", "dflt"), QStringLiteral("dflt"));
        QVERIFY(store.saveSetting(kApp, kSection, "Tittel2", "x"));
        QVERIFY(store.saveSetting(kApp, "2.70", "Tittel2", "old"));
        QCOMPARE(store.getSetting(kApp, kSection, "Siste", "dflt"), QStringLiteral("dflt"));
        QVERIFY(store.deleteSection(kApp, kSection));
        QCOMPARE(store.getSetting(kApp, kSection, "Tittel2", "dflt"), QStringLiteral("dflt"));
        QCOMPARE(store.getSetting(kApp, "2.70", "Tittel2", {}), QStringLiteral("old"));
    }

    void seesChangesOfAnotherInstance()
    {
        IniSettingsStore store;
        QVERIFY(store.saveSetting(kApp, kSection, "Tittel2", "mine"));
        writeAll(m_file, "\xef\xbb\xbf[2.71]\nTittel2=theirs\n"); // with a BOM, as editors save it
        QCOMPARE(store.getSetting(kApp, kSection, "Tittel2", {}), QStringLiteral("theirs"));
    }

    void brokenFileIsReadAsDefaultsAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("open section") << QByteArray("[2.71\nTittel2=x\n");
        QTest::newRow("line without value") << QByteArray("[2.71]\nTittel2=x\nhalf a line\n");
        QTest::newRow("NUL bytes") << QByteArray("[2.71]\nTittel2=x\n\0\0\0", 21);
        QTest::newRow("not UTF-8") << QByteArray("[2.71]\nTittel2=\xff\xfe\n");
    }
    void brokenFileIsReadAsDefaultsAndKept()
    {
        QFETCH(QByteArray, content);
        writeAll(m_file, content);
        IniSettingsStore store;
        QCOMPARE(store.getSetting(kApp, kSection, "Tittel2", "dflt"), QStringLiteral("dflt"));
        QVERIFY(!store.saveSetting(kApp, kSection, "Tittel2", "new"));
        QVERIFY(!store.deleteSection(kApp, kSection));
        QCOMPARE(readAll(m_file), content);
    }

    void unreadableFileGivesDefaults()
    {
        QVERIFY(QDir().mkpath(m_file)); // a folder where the file should be
        IniSettingsStore store;
        QCOMPARE(store.getSetting(kApp, kSection, "Tittel2", "dflt"), QStringLiteral("dflt"));
        QVERIFY(!store.saveSetting(kApp, kSection, "Tittel2", "new"));
    }

    // The whole program's memory: what one run leaves, the next run starts from.
    void stateSurvivesRestarts()
    {
        IniSettingsStore store;
        PlayerFixture f(&store);
        const QString url = QStringLiteral("http://127.0.0.1:8000/nord.mp3?a=1,b=2");
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        f.transport->tune(QStringLiteral("Radio Nord"), url);
        f.state->setLabel4(QStringLiteral("Artist - Song"));
        f.state->setChkInfo(1);
        f.lifecycle->unload();

        f.restart();
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.engine->url(), url);
        QCOMPARE(f.state->Label2(), QStringLiteral("Radio Nord"));
        QCOMPARE(f.state->Label4(), QStringLiteral("Artist - Song"));
        QCOMPARE(f.state->Label6(), QStringLiteral("Radio Nord"));
        QCOMPARE(f.state->chkInfo(), 1);

        // Paused, restarted, and quit again before continuing: the stream is still there.
        f.transport->pause();
        f.lifecycle->unload();
        for (int run = 0; run < 2; ++run) {
            f.restart();
            f.lifecycle->loadForm();
            f.lifecycle->finishLoad();
            QCOMPARE(f.engine->url(), QString());
            QCOMPARE(f.state->Label2(), QStringLiteral("Pause..."));
            f.lifecycle->unload();
        }
        f.transport->continuePlaying();
        QCOMPARE(f.engine->url(), url);
        QCOMPARE(f.state->Label2(), QStringLiteral("Radio Nord"));
    }
};

QTEST_GUILESS_MAIN(TestIniSettingsStore)
#include "tst_IniSettingsStore.moc"
