#include "PlayerFixture.h"

#include <QTest>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:8000/nord.mp3");
using Values = QMap<QString, QString>;

void fill(PlayerFixture &f, const Values &values)
{
    for (auto it = values.begin(); it != values.end(); ++it) {
        f.memory.values.insert(QStringLiteral("Morvena Webradio/2.71/") + it.key(), it.value());
    }
}

QStringList only(const QStringList &log, const QString &prefix)
{
    QStringList kept;
    for (const QString &entry : log) {
        if (entry.startsWith(prefix)) {
            kept.append(entry);
        }
    }
    return kept;
}

} // namespace

/// Start-up, activation, saving and unloading against recording fakes.
class TestFormSettings : public QObject {
    Q_OBJECT

private slots:
    void startUpRunsInOrder()
    {
        PlayerFixture f;
        fill(f, {{"LydstraumURL", kUrl},
                 {"Tittel2", "Radio Nord"},
                 {"KanalTekst", "A - T"},
                 {"Siste", "Radio Nord"},
                 {"ToppEllerIkke", "1"},
                 {"VisInfo", "1"},
                 {"Knapp1_URL", "http://preset"}});
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(f.log.take(),
                 QStringList({"view.PictureButton7(false)", "Label2=Radio Nord",
                              "Label6=Radio Nord", "Label4=A - T", "chkFarge=1", "chkInfo=1",
                              "engine.setUrl(" + kUrl + ")", "engine.setVolume(100)"}));
        // Saving writes the six state keys and leaves the presets alone.
        f.settings->SaveFormSettings(FormSettings::kAppName);
        QCOMPARE(f.log.take(),
                 PlayerFixture::saveLines(kUrl, "Radio Nord", "A - T", "Radio Nord", 1, 1));
        QCOMPARE(f.memory.values.size(), 7);
    }

    void load_data()
    {
        QTest::addColumn<Values>("stored");
        QTest::addColumn<int>("boxesBefore");
        QTest::addColumn<QStringList>("texts"); // Label2, Label4, Label6 after the load
        QTest::addColumn<int>("farge");
        QTest::addColumn<int>("info");
        QTest::addColumn<QStringList>("engine");
        const QStringList idle = {"no channel selected", "no channel selected", ""};
        const QStringList silent = {"engine.setUrl()", "engine.setVolume(100)"};
        QTest::newRow("empty store") << Values() << 0 << idle << 0 << 0 << silent;
        QTest::newRow("pause state") << Values({{"LydstraumURL", kUrl},
                                                {"Tittel2", "Pause..."},
                                                {"KanalTekst", "Pause..."},
                                                {"Siste", "Radio Nord"}})
                                     << 0 << QStringList({"Pause...", "Pause...", "Radio Nord"})
                                     << 0 << 0 << QStringList({"engine.setVolume(100)"});
        QTest::newRow("on top") << Values({{"ToppEllerIkke", "1"}, {"VisInfo", "0"}}) << 0 << idle
                                << 1 << 0 << silent;
        QTest::newRow("padded") << Values({{"ToppEllerIkke", " 1 "}, {"VisInfo", "1"}}) << 0 << idle
                                << 1 << 1 << silent;
        QTest::newRow("garbage") << Values({{"ToppEllerIkke", "yes"}, {"VisInfo", "1x"}}) << 0
                                 << idle << 0 << 0 << silent;
        QTest::newRow("garbage keeps a set box")
            << Values({{"ToppEllerIkke", ""}, {"VisInfo", "on"}}) << 1 << idle << 1 << 1 << silent;
        QTest::newRow("out of range")
            << Values({{"ToppEllerIkke", "2"}, {"VisInfo", "-1"}}) << 1 << idle << 1 << 1 << silent;
    }
    void load()
    {
        QFETCH(Values, stored);
        QFETCH(int, boxesBefore);
        QFETCH(QStringList, texts);
        QFETCH(int, farge);
        QFETCH(int, info);
        QFETCH(QStringList, engine);
        PlayerFixture f;
        fill(f, stored);
        f.state->setChkFarge(boxesBefore);
        f.state->setChkInfo(boxesBefore);
        f.log.take();
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
        QCOMPARE(QStringList({f.state->Label2(), f.state->Label4(), f.state->Label6()}), texts);
        QCOMPARE(f.state->chkFarge(), farge);
        QCOMPARE(f.state->chkInfo(), info);
        QCOMPARE(only(f.log.take(), "engine."), engine);
        QCOMPARE(f.engine->volume(), 100);
    }

    // After a start in the pause state the engine has no URL; a save before continuing
    // (an option change, or quitting) must keep the stream, so continue still finds it.
    void saveWhilePausedKeepsStoredUrl()
    {
        PlayerFixture f;
        fill(f, {{"LydstraumURL", kUrl},
                 {"Tittel2", "Pause..."},
                 {"KanalTekst", "Pause..."},
                 {"Siste", "Radio Nord"}});
        f.lifecycle->loadForm();
        f.state->setChkInfo(1);
        f.log.take();
        f.settings->SaveFormSettings(FormSettings::kAppName);
        QCOMPARE(f.log.take(),
                 PlayerFixture::saveLines(kUrl, "Pause...", "Pause...", "Radio Nord", 0, 1));
        f.transport->continuePlaying();
        QCOMPARE(f.engine->url(), kUrl);
    }

    void activate_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QStringList>("expected");
        const QStringList off = {"view.vis_topp.enabled(true)", "view.ikke_top.enabled(false)",
                                 "view.ja_info.enabled(true)", "view.info_ikke.enabled(false)",
                                 "view.Timer5(false)"};
        QTest::newRow("options off") << 0 << false << off;
        QTest::newRow("options on")
            << 1 << false
            << QStringList({"view.vis_topp.enabled(false)", "view.ikke_top.enabled(true)",
                            "view.ja_info.enabled(false)", "view.info_ikke.enabled(true)",
                            "view.Timer5(true)"});
        QTest::newRow("pause state")
            << 0 << true
            << off +
                   QStringList({"view.PictureButton6(false)", "view.PictureButton7(true)",
                                "view.fortsett_avs.caption(Continue (Radio Nord))",
                                "view.fortsett_avs.enabled(true)", "view.pause_avs.enabled(false)",
                                "tray.update(Idle, Pause...)", "view.icon(Idle)"});
    }
    void activate()
    {
        QFETCH(int, options);
        QFETCH(bool, paused);
        QFETCH(QStringList, expected);
        PlayerFixture f;
        f.state->setChkFarge(options);
        f.state->setChkInfo(options);
        f.state->setLabel6(QStringLiteral("Radio Nord"));
        f.state->setLabel2(paused ? QStringLiteral("Pause...") : QStringLiteral("Radio Nord"));
        f.log.take();
        // Every activation does it all again.
        for (int i = 0; i < 2; ++i) {
            f.lifecycle->activate();
            QCOMPARE(f.log.take(), expected);
        }
    }

    void loadFunctionsPopup_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no URL") << QString()
                                << QStringList({"view.pause_avs.enabled(false)",
                                                "view.fortsett_avs.enabled(false)"});
        QTest::newRow("URL") << kUrl << QStringList({"view.fortsett_avs.enabled(false)"});
    }
    void loadFunctionsPopup()
    {
        QFETCH(QString, url);
        QFETCH(QStringList, expected);
        PlayerFixture f;
        f.engine->setUrl(url);
        f.log.take();
        f.lifecycle->loadFunctionsPopup();
        QCOMPARE(f.log.take(), expected);
    }

    void unloadSavesThenEnds()
    {
        PlayerFixture f;
        f.transport->tune(QStringLiteral("Radio Nord"), kUrl);
        f.state->setLabel4(QStringLiteral("A - T"));
        f.log.take();
        f.lifecycle->unload();
        QCOMPARE(f.log.take(), PlayerFixture::saveLines(kUrl, "Radio Nord", "A - T", "Radio Nord") +
                                   QStringList({"view.end()"}));
    }

    void deleteRemovesOnlyItsSection()
    {
        PlayerFixture f;
        f.memory.values = {{"Morvena Webradio/2.71/Tittel2", "x"},
                           {"Morvena Webradio/2.71/Knapp1_URL", "y"},
                           {"Morvena Webradio/2.70/Tittel2", "old"},
                           {"Other/2.71/Tittel2", "other"}};
        f.settings->DeleteFormSettings(FormSettings::kAppName);
        QCOMPARE(f.memory.values.keys(),
                 QStringList({"Morvena Webradio/2.70/Tittel2", "Other/2.71/Tittel2"}));
    }
};

QTEST_GUILESS_MAIN(TestFormSettings)
#include "tst_FormSettings.moc"
