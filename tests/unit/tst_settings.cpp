// The settings: start-up, saving and unloading against recording fakes, and the settings
// file on disk across restarts.
#include "Fixture.h"
#include "IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
using Values = QMap<QString, QString>;
const Values kPaused = {{"LydstraumURL", kUrl},
                        {"Tittel2", "Pause..."},
                        {"KanalTekst", "Pause..."},
                        {"Siste", "Radio Nord"}};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject {
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

    void startUpRunsInOrder()
    {
        Fixture f(Fixture::With::Fakes, {{"LydstraumURL", kUrl},
                                         {"Tittel2", "Radio Nord"},
                                         {"KanalTekst", "A - T"},
                                         {"Siste", "Radio Nord"},
                                         {"ToppEllerIkke", "1"},
                                         {"VisInfo", "1"},
                                         {"Knapp1_URL", "http://preset"}});
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(
            f.log.take(),
            QStringList({"Label3=0 kbps (0,00kB/s) - 0%", "view.PictureButton7(false)",
                         "Label2=Radio Nord", "Label6=Radio Nord", "Label4=A - T", "chkFarge=1",
                         "chkInfo=1", "engine.setUrl(" + kUrl + ")", "engine.setVolume(100)"}));
        // Saving writes the six state keys and leaves the presets alone.
        f.settings->SaveFormSettings(FormSettings::kAppName);
        QCOMPARE(f.log.take(), Fixture::saveLines(kUrl, "Radio Nord", "A - T", "Radio Nord", 1, 1));
        QCOMPARE(f.stored(u"Knapp1_URL"), QStringLiteral("http://preset"));
    }

    // Options as a hand-edited file may hold them: only "1" and "0" (blanks aside) count;
    // anything else leaves the box as it was.
    void loadWithGarbageOptions_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("farge");
        QTest::addColumn<int>("info");
        QTest::newRow("padded") << Values({{"ToppEllerIkke", " 1 "}, {"VisInfo", "1"}}) << 0 << 1
                                << 1;
        QTest::newRow("garbage") << Values({{"ToppEllerIkke", "yes"}, {"VisInfo", "1x"}}) << 0 << 0
                                 << 0;
        QTest::newRow("garbage keeps a set box")
            << Values({{"ToppEllerIkke", ""}, {"VisInfo", "on"}}) << 1 << 1 << 1;
        QTest::newRow("out of range")
            << Values({{"ToppEllerIkke", "2"}, {"VisInfo", "-1"}}) << 1 << 1 << 1;
    }
    void loadWithGarbageOptions()
    {
        QFETCH(Values, stored);
        QFETCH(int, before);
        QFETCH(int, farge);
        QFETCH(int, info);
        Fixture f(Fixture::With::Fakes, stored);
        f.state->setChkFarge(before);
        f.state->setChkInfo(before);
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.state->Label2(), QStringLiteral("no channel selected"));
        QCOMPARE(f.state->chkFarge(), farge);
        QCOMPARE(f.state->chkInfo(), info);
        QCOMPARE(f.engine->url(), QString());
    }

    // After a start in the pause state the engine has no URL; a save before continuing
    // (an option change, or quitting) must keep the stream, so continue still finds it.
    void pauseStateKeepsItsUrl()
    {
        Fixture f(Fixture::With::Fakes, kPaused);
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.engine->url(), QString());
        QCOMPARE(f.state->Label6(), QStringLiteral("Radio Nord"));
        f.state->setChkInfo(1);
        f.log.take();
        f.settings->SaveFormSettings(FormSettings::kAppName);
        QCOMPARE(f.log.take(),
                 Fixture::saveLines(kUrl, "Pause...", "Pause...", "Radio Nord", 0, 1));
        f.transport->continuePlaying();
        QCOMPARE(f.engine->url(), kUrl);
    }

    // Unloading saves first, then ends the program.
    void unloadSavesBeforeItEnds()
    {
        Fixture f;
        f.transport->tune(QStringLiteral("Radio Nord"), kUrl);
        f.state->setLabel4(QStringLiteral("A - T"));
        f.log.take();
        f.lifecycle->unload();
        QCOMPARE(f.log.take(), Fixture::saveLines(kUrl, "Radio Nord", "A - T", "Radio Nord") +
                                   QStringList({"view.end()"}));
    }

    // A file we cannot read whole is the user's: defaults are read, nothing is written.
    void brokenFileIsReadAsDefaultsAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("open section") << QByteArray("[2.71\nTittel2=x\n");
        QTest::newRow("not UTF-8") << QByteArray("[2.71]\nTittel2=\xff\xfe\n");
        QTest::newRow("a folder in its place") << QByteArray();
    }
    void brokenFileIsReadAsDefaultsAndKept()
    {
        QFETCH(QByteArray, content);
        QVERIFY(content.isEmpty() ? QDir().mkpath(m_file) : Fixture::write(m_file, content));
        IniSettingsStore store;
        const auto app = FormSettings::kAppName;
        QCOMPARE(store.getSetting(app, FormSettings::kSection, "Tittel2", "-"),
                 QStringLiteral("-"));
        QVERIFY(!store.saveSetting(app, FormSettings::kSection, "Tittel2", "new"));
        QVERIFY(!store.deleteSection(app, FormSettings::kSection));
        QCOMPARE(readAll(m_file), content);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
