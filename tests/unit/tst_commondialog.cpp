#include "CommonDialogError.h"
#include "CommonDialogFlags.h"
#include "Fakes.h"
#include "cCommonDialog.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace CommonDialogFlags;

namespace {

QString padded(const QString &text, qsizetype size = 260)
{
    return text + QString(size - text.size(), QChar(u'\0'));
}

bool throwsKind(const std::function<void()> &run, CommonDialogError::Kind kind)
{
    try {
        run();
    } catch (const CommonDialogError &error) {
        return error.kind() == kind;
    }
    return false;
}

} // namespace

// The common dialogs' length limits and what a failed or cancelled dialog clears.
class TestCommonDialog : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dialog.reset();
        m_backend = std::make_unique<FakeCommonDialogBackend>();
        m_dialog = std::make_unique<cCommonDialog>(*m_backend);
    }
    void fileDialogFails_data()
    {
        QTest::addColumn<bool>("isSave");
        QTest::addColumn<qint32>("result");
        QTest::addColumn<qint32>("expectedFilterIndex");
        QTest::addColumn<qint32>("expectedError");
        QTest::newRow("open cancelled") << false << 0 << -1 << 0;
        QTest::newRow("open failed with a code") << false << 2 << -1 << FNERR_BUFFERTOOSMALL;
        QTest::newRow("save failed with a code") << true << 0xFFFF << 0 << FNERR_BUFFERTOOSMALL;
    }
    void fileDialogFails()
    {
        QFETCH(bool, isSave);
        QFETCH(qint32, result);
        QFETCH(qint32, expectedFilterIndex);
        QFETCH(qint32, expectedError);
        leaveFailure(0x1111); // reset before the dialog: a cancel leaves 0
        m_backend->result = result;
        m_backend->errorCode = FNERR_BUFFERTOOSMALL;
        QString name = QStringLiteral("old.txt");
        OpenFileArgs open;
        open.FileTitle = QStringLiteral("title");
        open.flags = OFN_EXPLORER;
        open.ReadOnly = true;
        SaveFileArgs save;
        save.FileTitle = open.FileTitle;
        save.flags = open.flags;

        QVERIFY(!(isSave ? m_dialog->VBGetSaveFileName(name, save)
                         : m_dialog->VBGetOpenFileName(name, open)));
        QVERIFY(name.isEmpty());
        const bool cleared = isSave
                                 ? save.FileTitle.isEmpty() && save.Filter.isEmpty() && !save.flags
                                 : open.FileTitle.isEmpty() && open.Filter.isEmpty() && !open.flags;
        QVERIFY(cleared);
        QCOMPARE(isSave ? save.FilterIndex : open.FilterIndex, expectedFilterIndex);
        QVERIFY(open.ReadOnly);
        QCOMPARE(m_dialog->APIReturn(), result);
        QCOMPARE(m_dialog->ExtendedError(), expectedError);
    }
    void nameLength_data()
    {
        QTest::addColumn<bool>("isSave");
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<int>("titleLength");
        QTest::addColumn<bool>("fits");
        QTest::newRow("open: 260-character name") << false << 260 << 0 << true;
        QTest::newRow("open: 261-character name") << false << 261 << 0 << false;
        QTest::newRow("save: 260-character title") << true << 3 << 260 << true;
        QTest::newRow("save: 261-character name") << true << 261 << 0 << false;
    }
    void nameLength()
    {
        QFETCH(bool, isSave);
        QFETCH(int, nameLength);
        QFETCH(int, titleLength);
        QFETCH(bool, fits);
        leaveFailure(0x1111);
        const QString original(nameLength, u'n');
        QString name = original;
        OpenFileArgs open;
        SaveFileArgs save;
        open.FileTitle = save.FileTitle = QString(titleLength, u't');
        const auto run = [&] {
            if (isSave) {
                m_dialog->VBGetSaveFileName(name, save);
            } else {
                m_dialog->VBGetOpenFileName(name, open);
            }
        };

        if (fits) {
            run();
            QCOMPARE(m_backend->fileRequest.file, padded(original));
            QCOMPARE(m_backend->fileRequest.fileTitle, padded(QString(titleLength, u't')));
            return;
        }
        QVERIFY(throwsKind(run, CommonDialogError::Kind::InvalidArgument));
        QCOMPARE(m_backend->dialogs, 1); // the failed font dialog only
        QCOMPARE(name, original);
        QVERIFY(m_dialog->APIReturn() == 0 && m_dialog->ExtendedError() == 0);
    }

private:
    /// Fails a font dialog so that APIReturn reads 3 and ExtendedError `code`.
    void leaveFailure(qint32 code)
    {
        const qint32 result = m_backend->result;
        m_backend->result = 3;
        m_backend->errorCode = code;
        DialogFont font;
        m_dialog->VBChooseFont(font);
        m_backend->result = result;
    }

    std::unique_ptr<FakeCommonDialogBackend> m_backend;
    std::unique_ptr<cCommonDialog> m_dialog;
};

QTEST_GUILESS_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
