#include "PlayerFixture.h"
#include "RecordingStacking.h"
#include "WindowOptions.h"

#include <QTest>

namespace {

// The program's objects plus the window options, as main() wires them: the options exist
// before the window loads, so a restored option already moves the window.
struct Options {
    Options() { restart(); }
    void restart()
    {
        options.reset();
        f.restart();
        options = std::make_unique<WindowOptions>(*f.state, *f.settings, *f.view, stacking);
    }
    void load()
    {
        f.lifecycle->loadForm();
        f.lifecycle->finishLoad();
    }
    void run(const QString &item)
    {
        if (item == QLatin1String("vis_topp")) {
            options->vis_topp();
        } else if (item == QLatin1String("ikke_top")) {
            options->ikke_top();
        } else if (item == QLatin1String("ja_info")) {
            options->ja_info();
        } else {
            options->info_ikke();
        }
    }
    QString stored(const char *key) const
    {
        return f.memory.values.value(QStringLiteral("Morvena Webradio/2.71/") + QLatin1String(key));
    }

    PlayerFixture f;
    RecordingStacking stacking{f.log};
    std::unique_ptr<WindowOptions> options;
};

const QString kIdle = QStringLiteral("no channel selected");

} // namespace

/// The window options: each menu item's steps in order, the items' invariant over any
/// sequence of choices, the stacking reaction of chkFarge, and what a restart keeps.
class TestWindowOptions : public QObject {
    Q_OBJECT

private slots:
    void itemSteps_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("farge");
        QTest::addColumn<int>("info");
        QTest::newRow("Always") << "vis_topp"
                                << QStringList({"chkFarge=1", "stack.topmost(true)",
                                                "view.vis_topp.enabled(false)",
                                                "view.ikke_top.enabled(true)"})
                                << 1 << 0;
        QTest::newRow("Yes") << "ja_info"
                             << QStringList({"chkInfo=1", "view.ja_info.enabled(false)",
                                             "view.info_ikke.enabled(true)", "view.Timer5(true)"})
                             << 0 << 1;
    }
    void itemSteps()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, steps);
        QFETCH(int, farge);
        QFETCH(int, info);
        Options o;
        o.load();
        o.f.log.take();
        o.run(item);
        QCOMPARE(o.f.log.take(),
                 steps + PlayerFixture::saveLines({}, kIdle, kIdle, {}, farge, info));
    }

    void itemStepsBack_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("Normal") << "ikke_top"
                                << QStringList({"chkFarge=0", "stack.topmost(false)",
                                                "view.vis_topp.enabled(true)",
                                                "view.ikke_top.enabled(false)"});
        QTest::newRow("No") << "info_ikke"
                            << QStringList({"chkInfo=0", "view.ja_info.enabled(true)",
                                            "view.info_ikke.enabled(false)", "view.Timer5(false)"});
    }
    void itemStepsBack()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, steps);
        Options o;
        o.load();
        o.options->vis_topp();
        o.options->ja_info();
        o.f.log.take();
        o.run(item);
        const bool top = item == QLatin1String("ikke_top");
        QCOMPARE(o.f.log.take(),
                 steps + PlayerFixture::saveLines({}, kIdle, kIdle, {}, top ? 0 : 1, top ? 1 : 0));
    }

    // Choosing the value the option already has saves again but moves nothing.
    void sameValueLeavesTheStackingAlone()
    {
        Options o;
        o.load();
        o.options->vis_topp();
        o.f.log.take();
        o.options->vis_topp();
        const QStringList steps = o.f.log.take();
        QVERIFY(!steps.contains(QStringLiteral("stack.topmost(true)")));
        QVERIFY(steps.contains(QStringLiteral("store.ToppEllerIkke=1")));
    }

    // After the first activation and any three choices, of each pair the item that would
    // choose the current value is disabled and the other enabled; the watcher runs exactly
    // when the information view is on.
    void invariantOverEverySequence()
    {
        const QStringList items{"vis_topp", "ikke_top", "ja_info", "info_ikke"};
        for (const QString &a : items) {
            for (const QString &b : items) {
                for (const QString &c : items) {
                    Options o;
                    o.load();
                    o.f.lifecycle->activate();
                    QMap<QString, QString> last;
                    const auto record = [&last](const QStringList &steps) {
                        for (const QString &step : steps) {
                            const auto open = step.indexOf(QLatin1Char('('));
                            if (step.startsWith(QLatin1String("view.")) && open > 0) {
                                last[step.left(open)] = step.mid(open + 1).chopped(1);
                            }
                        }
                    };
                    record(o.f.log.take());
                    for (const QString &item : {a, b, c}) {
                        o.run(item);
                        record(o.f.log.take());
                        const QString context = QStringList{a, b, c}.join(QLatin1Char(' '));
                        const auto flag = [](bool on) {
                            return on ? QStringLiteral("true") : QStringLiteral("false");
                        };
                        const bool top = o.f.state->chkFarge() == 1;
                        const bool info = o.f.state->chkInfo() == 1;
                        QVERIFY2(last.value("view.vis_topp.enabled") == flag(!top) &&
                                     last.value("view.ikke_top.enabled") == flag(top) &&
                                     last.value("view.ja_info.enabled") == flag(!info) &&
                                     last.value("view.info_ikke.enabled") == flag(info) &&
                                     last.value("view.Timer5") == flag(info),
                                 qPrintable(context));
                    }
                }
            }
        }
    }

    // The options survive a restart: a saved "Always" moves the window while the settings
    // load, and the first activation sets the items and leaves the watcher as saved.
    void restartKeepsTheOptions()
    {
        Options o;
        o.load();
        o.options->vis_topp();
        o.options->ja_info();
        o.options->info_ikke();
        QCOMPARE(o.stored("ToppEllerIkke"), QStringLiteral("1"));
        QCOMPARE(o.stored("VisInfo"), QStringLiteral("0"));

        o.restart();
        o.f.log.take();
        o.load();
        const QStringList loading = o.f.log.take();
        QVERIFY(loading.indexOf(QStringLiteral("stack.topmost(true)")) >
                loading.indexOf(QStringLiteral("chkFarge=1")));
        QVERIFY(!loading.contains(QStringLiteral("chkInfo=1")));
        o.f.lifecycle->activate();
        const QStringList activation = o.f.log.take();
        QCOMPARE(activation.mid(0, 5),
                 QStringList({"view.vis_topp.enabled(false)", "view.ikke_top.enabled(true)",
                              "view.ja_info.enabled(true)", "view.info_ikke.enabled(false)",
                              "view.Timer5(false)"}));
        QVERIFY(!activation.contains(QStringLiteral("stack.topmost(true)")));
    }
};

QTEST_GUILESS_MAIN(TestWindowOptions)
#include "tst_WindowOptions.moc"
