// The real Qt dialogs behind the common dialog and the channel sources, answered offscreen.
#include "ChannelExport.h"
#include "CommonDialogFlags.h"
#include "LocalFileOperations.h"
#include "ModalAnswerer.h"
#include "QtCommonDialogBackend.h"
#include "QtFileDialogs.h"
#include "cCommonDialog.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace CommonDialogFlags;

namespace {

void accept(QWidget *window)
{
    qobject_cast<QDialog *>(window)->accept();
}

void reject(QWidget *window)
{
    qobject_cast<QDialog *>(window)->reject();
}

/// A file dialog action that types `name` (in the dialog's folder unless absolute) and confirms.
ModalAnswerer::Action chooseFile(const QString &name)
{
    return [name](QWidget *window) {
        // Typed rather than selectFile(): the dialog ignores that while its name field has focus.
        auto *edit = window->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (edit == nullptr) {
            return reject(window);
        }
        edit->setText(name);
        accept(window);
    };
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void openAccepted();
    void saveOverwritePrompt_data();
    void saveOverwritePrompt();
    void exportThroughTheSaveDialog();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QtCommonDialogBackend> m_backend;
    std::unique_ptr<cCommonDialog> m_dialog;
};

void TestDialogs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"tone.mp3", "two tones.mp3", "list.m3u"}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TestDialogs::init()
{
    m_dialog.reset();
    m_backend = std::make_unique<QtCommonDialogBackend>();
    m_dialog = std::make_unique<cCommonDialog>(*m_backend);
}

void TestDialogs::openAccepted()
{
    QString name;
    OpenFileArgs args;
    args.Filter = QStringLiteral("Playlists|*.m3u;*.pls|Audio: *.mp3");
    args.InitDir = m_dir.path();
    QStringList shownFilters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *fileDialog = qobject_cast<QFileDialog *>(window);
        shownFilters = fileDialog->nameFilters();
        mode = fileDialog->fileMode();
        fileDialog->selectNameFilter(shownFilters.at(1));
        chooseFile(QStringLiteral("tone.mp3"))(window);
    }});

    QVERIFY(m_dialog->VBGetOpenFileName(name, args));
    QCOMPARE(shownFilters, QStringList({QStringLiteral("Playlists (*.m3u *.pls)"),
                                        QStringLiteral("Audio (*.mp3)")}));
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QCOMPARE(name, m_dir.filePath(QStringLiteral("tone.mp3")));
    QCOMPARE(args.FileTitle, QStringLiteral("tone.mp3"));
    QCOMPARE(args.FilterIndex, 2);
    QCOMPARE(args.Filter, QStringLiteral("Audio") + QChar(u'\0') + QStringLiteral(" *.mp3"));
}

void TestDialogs::saveOverwritePrompt_data()
{
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<int>("expectedWindows");
    QTest::newRow("existing file, confirmed")
        << true << QStringLiteral("list.m3u") << QStringLiteral("list.m3u") << 2;
    QTest::newRow("existing file, no prompt")
        << false << QStringLiteral("list.m3u") << QStringLiteral("list.m3u") << 1;
    QTest::newRow("default extension added")
        << true << QStringLiteral("new") << QStringLiteral("new.m3u") << 1;
}

void TestDialogs::saveOverwritePrompt()
{
    QFETCH(bool, prompt);
    QFETCH(QString, typed);
    QFETCH(QString, expectedName);
    QFETCH(int, expectedWindows);
    QString name;
    SaveFileArgs args;
    args.OverWritePrompt = prompt;
    args.DefaultExt = QStringLiteral("m3u");
    args.InitDir = m_dir.path();
    const auto confirmReplace = [](QWidget *window) {
        qobject_cast<QMessageBox *>(window)->button(QMessageBox::Yes)->click();
    };
    ModalAnswerer answerer({chooseFile(typed), confirmReplace});

    QVERIFY(m_dialog->VBGetSaveFileName(name, args));
    QCOMPARE(name, m_dir.filePath(expectedName));
    QCOMPARE(answerer.answered(), expectedWindows);
}

// The export through the real save dialog: another name typed, no question about
// overwriting it, and the copy lands as "Mine Kanaler.ini" beside it.
void TestDialogs::exportThroughTheSaveDialog()
{
    const QString list = m_dir.filePath(QStringLiteral("program/Mine Kanaler.ini"));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("program"))));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("backup"))));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Navn]\n1=One\n");
    file.close();
    QFile existing(m_dir.filePath(QStringLiteral("backup/copy.ini")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtFileDialogs dialogs;
    LocalFileOperations files;
    ChannelExport exporter(list, dialogs, files);
    QString offered;
    bool noPrompt = false;
    ModalAnswerer answerer({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        offered = dialog ? dialog->selectedFiles().value(0).section(QLatin1Char('/'), -1) : "";
        noPrompt = dialog && dialog->testOption(QFileDialog::DontConfirmOverwrite);
        chooseFile(m_dir.filePath(QStringLiteral("backup/copy")))(modal);
    }});
    exporter.eksportkanalerClick();
    QVERIFY(!answerer.timedOut());
    QCOMPARE(offered, QStringLiteral("Mine Kanaler.ini"));
    QVERIFY(noPrompt);
    QFile copy(m_dir.filePath(QStringLiteral("backup/Mine Kanaler.ini")));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("[Navn]\n1=One\n"));
    QCOMPARE(QFileInfo(existing.fileName()).size(), 0);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
