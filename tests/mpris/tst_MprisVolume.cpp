// The remembered volume and the panel's key table.
#include "FormSettings.h"
#include "KeyCommands.h"
#include "MprisFakes.h"
#include "PlayerState.h"
#include "Volume.h"

#include <QSignalSpy>
#include <QTest>

using KeyCommands::Action;
using KeyCommands::Command;

Q_DECLARE_METATYPE(KeyCommands::Action)

class tst_MprisVolume : public QObject {
    Q_OBJECT

private slots:
    void stepsAndWheel_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("wheel"); // angle deltas; empty: one step() of +1
        QTest::addColumn<int>("level");
        QTest::newRow("first start is full") << QString() << QList<int>{-120} << 95;
        QTest::newRow("garbage reads as full") << "loud" << QList<int>{-120} << 95;
        QTest::newRow("stored level is the start") << "40" << QList<int>{120} << 45;
        QTest::newRow("off the grid: up lands on it") << "42" << QList<int>{} << 45;
        QTest::newRow("off the grid: down lands on it") << "42" << QList<int>{-120} << 40;
        QTest::newRow("never past 100") << "100" << QList<int>{120, 120} << 100;
        QTest::newRow("never below 0") << "5" << QList<int>{-360} << 0;
        QTest::newRow("touchpad fractions add up") << "50" << QList<int>{40, 40, 40, 40} << 55;
        QTest::newRow("stored out of range is cut") << "250" << QList<int>{-120} << 95;
    }
    void stepsAndWheel()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, wheel);
        QFETCH(int, level);
        MapStore store;
        if (!stored.isNull()) {
            store.values.insert(FormSettings::kLydstyrke, stored);
        }
        StubEngine engine;
        PlayerState state;
        FormSettings settings(store, state, engine);
        Volume volume(settings, engine);
        if (wheel.isEmpty()) {
            volume.step(1);
        }
        for (const int delta : wheel) {
            volume.wheel(delta);
        }
        QCOMPARE(volume.level(), level);
        // A restart reads what the change stored.
        QCOMPARE(Volume(settings, engine).level(), level);
    }

    void changeIsAppliedStoredAndAnnouncedOnce()
    {
        MapStore store;
        StubEngine engine;
        PlayerState state;
        FormSettings settings(store, state, engine);
        Volume volume(settings, engine);
        QSignalSpy changed(&volume, &Volume::changed);
        volume.set(30);
        volume.set(30);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(engine.volume(), 30);
        QCOMPARE(store.values.value(FormSettings::kLydstyrke), QStringLiteral("30"));
    }

    // A start plays at the remembered level, not at full volume.
    void startAppliesTheStoredLevel()
    {
        MapStore store;
        store.values.insert(FormSettings::kLydstyrke, QStringLiteral("35"));
        StubEngine engine;
        PlayerState state;
        FormSettings settings(store, state, engine);
        settings.LoadFormSettings(FormSettings::kAppName);
        QCOMPARE(engine.volume(), 35);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<Action>("action");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        QTest::newRow("space") << int(Qt::Key_Space) << none << Action{Command::PauseOrContinue};
        QTest::newRow("s") << int(Qt::Key_S) << none << Action{Command::Stop};
        QTest::newRow("1") << int(Qt::Key_1) << none << Action{Command::TunePreset, 1};
        QTest::newRow("keypad 9") << int(Qt::Key_9) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << Action{Command::TunePreset, 9};
        QTest::newRow("ctrl+3") << int(Qt::Key_3) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << Action{Command::StorePreset, 3};
        QTest::newRow("alt+3") << int(Qt::Key_3) << Qt::KeyboardModifiers(Qt::AltModifier)
                               << Action{};
        QTest::newRow("0 is no preset") << int(Qt::Key_0) << none << Action{};
        QTest::newRow("m") << int(Qt::Key_M) << none << Action{Command::MainMenu};
        QTest::newRow("f10") << int(Qt::Key_F10) << none << Action{Command::MainMenu};
        QTest::newRow("menu") << int(Qt::Key_Menu) << none << Action{Command::MainMenu};
        QTest::newRow("ctrl+m") << int(Qt::Key_M) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << Action{};
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << Action{Command::ToTray};
        QTest::newRow("shift+plus") << int(Qt::Key_Plus) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                    << Action{Command::VolumeUp};
        QTest::newRow("equal") << int(Qt::Key_Equal) << none << Action{Command::VolumeUp};
        QTest::newRow("keypad minus")
            << int(Qt::Key_Minus) << Qt::KeyboardModifiers(Qt::KeypadModifier)
            << Action{Command::VolumeDown};
        QTest::newRow("tab is left to focus") << int(Qt::Key_Tab) << none << Action{};
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(Action, action);
        const Action got = KeyCommands::forKey(key, modifiers);
        QCOMPARE(int(got.command), int(action.command));
        QCOMPARE(got.preset, action.preset);
    }
};

QTEST_GUILESS_MAIN(tst_MprisVolume)
#include "tst_MprisVolume.moc"
