#include "StatusLine.h"

#include <QTest>

namespace {

const QLocale kNorwegian(QLocale::NorwegianBokmal, QLocale::Norway);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
// Norwegian groups thousands with a no-break space.
const QString kNbsp(QChar(0x00A0));

} // namespace

/// The status line's number formats under decimal-comma and decimal-point locales.
class TestStatusLine : public QObject {
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("bitrate");
        QTest::addColumn<qint64>("bandWidth");
        QTest::addColumn<int>("progress");
        QTest::addColumn<QString>("expected");

        QTest::newRow("128k, decimal comma")
            << kNorwegian << "128000" << 128000LL << 100 << "128 kbps (16,00 kB/s) - 100%";
        QTest::newRow("128k, decimal point")
            << kEnglish << "128000" << 128000LL << 100 << "128 kbps (16.00 kB/s) - 100%";
        QTest::newRow("engine's odd figure")
            << kNorwegian << "127997" << 131072LL << 37 << "128 kbps (16,38 kB/s) - 37%";
        QTest::newRow("under half a kilobit: no digits")
            << kNorwegian << "400" << 400LL << 0 << " kbps (0,05 kB/s) - 0%";
        QTest::newRow("nothing yet") << kEnglish << "0" << 0LL << 0 << " kbps (0.00 kB/s) - 0%";
        QTest::newRow("kbps never grouped")
            << kEnglish << "1234567" << 0LL << 5 << "1235 kbps (0.00 kB/s) - 5%";
        QTest::newRow("grouped, decimal point")
            << kEnglish << "320000" << 80000000LL << 100 << "320 kbps (10,000.00 kB/s) - 100%";
        QTest::newRow("grouped, decimal comma")
            << kGerman << "320000" << 123456789LL << 100 << "320 kbps (15.432,10 kB/s) - 100%";
        QTest::newRow("grouped, no-break space") << kNorwegian << "320000" << 80000000LL << 100
                                                 << "320 kbps (10" + kNbsp + "000,00 kB/s) - 100%";
        QTest::newRow("blanks around the bitrate")
            << kEnglish << " 96000 " << 96000LL << 50 << "96 kbps (12.00 kB/s) - 50%";
        QTest::newRow("bitrate in the user's notation")
            << kNorwegian << "95500,5" << 0LL << 1 << "96 kbps (0,00 kB/s) - 1%";
    }
    void format()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, bitrate);
        QFETCH(qint64, bandWidth);
        QFETCH(int, progress);
        QFETCH(QString, expected);
        QCOMPARE(StatusLine::format(bitrate, bandWidth, progress, locale), expected);
    }

    // Halves go away from zero in both figures; a bank's rounding (to even) would show
    // 2 and 0,00 in the rows marked so.
    void halvesGoAwayFromZero_data()
    {
        QTest::addColumn<QString>("bitrate");
        QTest::addColumn<qint64>("bandWidth");
        QTest::addColumn<QString>("expected");
        QTest::newRow("499 bit/s, 39 bit/s") << "499" << 39LL << " kbps (0,00 kB/s) - 0%";
        QTest::newRow("500 bit/s, 40 bit/s") << "500" << 40LL << "1 kbps (0,01 kB/s) - 0%";
        QTest::newRow("1500 bit/s") << "1500" << 0LL << "2 kbps (0,00 kB/s) - 0%";
        QTest::newRow("2500 bit/s (even below)") << "2500" << 0LL << "3 kbps (0,00 kB/s) - 0%";
        QTest::newRow("16.005 kB/s") << "0" << 128040LL << " kbps (16,01 kB/s) - 0%";
        QTest::newRow("16.0049 kB/s") << "0" << 128039LL << " kbps (16,00 kB/s) - 0%";
        QTest::newRow("0.125 kB/s (even below)") << "0" << 1000LL << " kbps (0,13 kB/s) - 0%";
    }
    void halvesGoAwayFromZero()
    {
        QFETCH(QString, bitrate);
        QFETCH(qint64, bandWidth);
        QFETCH(QString, expected);
        QCOMPARE(StatusLine::format(bitrate, bandWidth, 0, kNorwegian), expected);
    }

    void unusableBitrate_data()
    {
        QTest::addColumn<QString>("bitrate");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "  ";
        QTest::newRow("words") << "unknown";
        QTest::newRow("trailing words") << "128000 bps";
        QTest::newRow("not a number") << "nan";
        QTest::newRow("infinite") << "inf";
        QTest::newRow("beyond any whole number") << "1e300";
    }
    void unusableBitrate()
    {
        QFETCH(QString, bitrate);
        QCOMPARE(StatusLine::format(bitrate, 128000, 100, kNorwegian), std::nullopt);
        QCOMPARE(StatusLine::format(bitrate, 128000, 100, kEnglish), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestStatusLine)
#include "tst_StatusLine.moc"
