#include "ProfileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray navn(const QByteArray &entries)
{
    return "[Navn]\n" + entries + "\n[URL]\n1=http://127.0.0.1/\n";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

/// The channel list reader: each reading rule, the list's two encodings, and the same answer
/// from one parse, from a single lookup and from the file read anew.
class TestProfileReader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        const QString n = QStringLiteral("Navn");
        QTest::newRow("plain") << navn("1=NRK P1") << n << "1"
                               << "NRK P1";
        QTest::newRow("second key") << navn("1=a\n2=b") << n << "2"
                                    << "b";
        QTest::newRow("other section") << navn("1=a") << "URL"
                                       << "1"
                                       << "http://127.0.0.1/";
        // Names: case and blanks around them do not count.
        QTest::newRow("section in lower case") << QByteArray("[navn]\n1=a") << n << "1"
                                               << "a";
        QTest::newRow("query in upper case") << navn("1=a") << "NAVN"
                                             << "1"
                                             << "a";
        QTest::newRow("key case") << QByteArray("[S]\nStation=x") << "s"
                                  << "sTATION"
                                  << "x";
        QTest::newRow("number with a leading blank") << navn("1=a") << n << " 1"
                                                     << "a";
        QTest::newRow("blanks around the equals sign") << navn("  1   =   a b  ") << n << "1"
                                                       << "a b";
        QTest::newRow("blanks in the header") << QByteArray("  [ Navn ]  \n1=a") << n << "1"
                                              << "a";
        QTest::newRow("tabs") << QByteArray("[Navn]\n\t1\t=\ta\t") << n << "1"
                              << "a";
        QTest::newRow("01 is not 1") << navn("01=a") << n << "1"
                                     << "";
        QTest::newRow("non-ASCII key case") << QByteArray("[\xC3\x98st]\n\xC3\xA6=x") << "\u00F8ST"
                                            << "\u00C6"
                                            << "x";
        // Values: one pair of enclosing quotes goes, blanks inside quotes stay.
        QTest::newRow("double quotes") << navn("1=\"  padded  \"") << n << "1"
                                       << "  padded  ";
        QTest::newRow("single quotes") << navn("1='x'") << n << "1"
                                       << "x";
        QTest::newRow("one pair only") << navn("1=\"\"x\"\"") << n << "1"
                                       << "\"x\"";
        QTest::newRow("mismatched quotes stay") << navn("1=\"x'") << n << "1"
                                                << "\"x'";
        QTest::newRow("a lone quote stays") << navn("1=\"") << n << "1"
                                            << "\"";
        QTest::newRow("empty quotes") << navn("1=\"\"") << n << "1"
                                      << "";
        QTest::newRow("inner quotes stay") << navn("1=Radio \"Nord\"") << n << "1"
                                           << "Radio \"Nord\"";
        QTest::newRow("equals in the value") << navn("1=http://h/?a=b&c=d") << n << "1"
                                             << "http://h/?a=b&c=d";
        QTest::newRow("semicolon in the value") << navn("1=a ; b") << n << "1"
                                                << "a ; b";
        // Length: 254 characters at most, counted after the quotes went.
        QTest::newRow("300 characters")
            << navn("1=" + QByteArray(300, 'x')) << n << "1" << QString(254, u'x');
        QTest::newRow("254 characters")
            << navn("1=" + QByteArray(254, 'x')) << n << "1" << QString(254, u'x');
        QTest::newRow("quoted 300 characters")
            << navn("1=\"" + QByteArray(300, 'y') + "\"") << n << "1" << QString(254, u'y');
        QTest::newRow("no half surrogate pair")
            << navn("1=" + QByteArray(253, 'z') + "\xF0\x9F\x93\xBB") << n << "1"
            << QString(253, u'z');
        // Missing things read as empty.
        QTest::newRow("missing key") << navn("1=a") << n << "3"
                                     << "";
        QTest::newRow("missing section") << navn("1=a") << "Favoritter"
                                         << "1"
                                         << "";
        QTest::newRow("empty value") << navn("1=") << n << "1"
                                     << "";
        QTest::newRow("blank value") << navn("1=    ") << n << "1"
                                     << "";
        QTest::newRow("empty file") << QByteArray() << n << "1"
                                    << "";
        QTest::newRow("empty section name asked") << navn("1=a") << ""
                                                  << "1"
                                                  << "";
        QTest::newRow("empty key asked") << navn("1=a") << n << " "
                                         << "";
        // Duplicates: the first section of a name, and the first key in it, count.
        QTest::newRow("first key wins") << navn("1=first\n1=second") << n << "1"
                                        << "first";
        QTest::newRow("first section wins")
            << QByteArray("[Navn]\n1=a\n[URL]\n1=u\n[navn]\n1=b\n2=c") << n << "2"
            << "";
        // Lines that are no header and no entry are passed over.
        QTest::newRow("comment") << navn(";1=commented\n2=b") << n << "1"
                                 << "";
        QTest::newRow("line without equals") << navn("1\n1=a") << n << "1"
                                             << "a";
        QTest::newRow("entry before any section") << QByteArray("1=a\n[Navn]\n2=b") << n << "1"
                                                  << "";
        QTest::newRow("header without bracket") << QByteArray("[URL]\n1=u\n[Navn\n1=a") << n << "1"
                                                << "";
        QTest::newRow("text after the bracket") << QByteArray("[Navn] ; mine\n1=a") << n << "1"
                                                << "a";
        QTest::newRow("empty name") << navn("=a\n1=b") << n << "1"
                                    << "b";
        // Line ends and encodings.
        QTest::newRow("CRLF") << QByteArray("[Navn]\r\n1=a\r\n2=b\r\n") << n << "1"
                              << "a";
        QTest::newRow("Ctrl+Z at the end") << QByteArray("[Navn]\r\n1=a\r\n\x1A") << n << "1"
                                           << "a";
        QTest::newRow("Windows-1252") << navn("1=NRK P1 \xD8stlandssendingen") << n << "1"
                                      << "NRK P1 \u00D8stlandssendingen";
        QTest::newRow("Windows-1252 dash and quotes")
            << navn("1=\x93P4\x94 \x96 Lyden av Norge") << n << "1"
            << "\u201CP4\u201D \u2013 Lyden av Norge";
        QTest::newRow("UTF-8") << navn("1=NRK P1 \xC3\x98stlandssendingen") << n << "1"
                               << "NRK P1 \u00D8stlandssendingen";
        QTest::newRow("UTF-8 with BOM before the header")
            << QByteArray("\xEF\xBB\xBF[Navn]\r\n1=\xC3\xA6\xC3\xB8\xC3\xA5") << n << "1"
            << "\u00E6\u00F8\u00E5";
        QTest::newRow("each line its own encoding") << navn("1=Bl\xE5\n2=Bl\xC3\xA5") << n << "2"
                                                    << "Bl\u00E5";
        QTest::newRow("binary junk between the lines")
            << QByteArrayLiteral("[Navn]\n\x00\xFF\xFE\x80junk\n\xC3\x28=\x00\x01\n1=a\n\x7F\x1B[")
            << n << "1"
            << "a";
    }

    void readingRules()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(ProfileReader::fromBytes(bytes).value(section, key), value);
        QCOMPARE(ProfileReader::find(bytes, section, key), value);
        const QString path = m_dir.filePath(QStringLiteral("list.ini"));
        QVERIFY(writeFile(path, bytes));
        QCOMPARE(ReadIniValue(section, key, path), value);
    }

    void missingFileReadsEmpty()
    {
        const QString path = m_dir.filePath(QStringLiteral("no such list.ini"));
        QCOMPARE(ReadIniValue("Navn", "1", path), QString());
        QCOMPARE(ProfileReader::fromFile(path).sectionCount(), 0);
        QCOMPARE(ReadIniValue("Navn", "1", m_dir.path()), QString()); // a folder
    }

    // Nothing is cached: a change to the file shows at the very next read.
    void everyReadReadsTheFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("edited.ini"));
        QVERIFY(writeFile(path, navn("1=before")));
        QCOMPARE(ReadIniValue("Navn", "1", path), QStringLiteral("before"));
        QVERIFY(writeFile(path, navn("1=after")));
        QCOMPARE(ReadIniValue("Navn", "1", path), QStringLiteral("after"));
    }
};

QTEST_GUILESS_MAIN(TestProfileReader)
#include "tst_ProfileReader.moc"
