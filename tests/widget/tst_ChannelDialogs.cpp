#include "ChannelExport.h"
#include "LocalFileOperations.h"
#include "LocalMedia.h"
#include "ModalAnswerer.h"
#include "QtFileDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

QFileDialog *fileDialog(QWidget *modal)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    if (!dialog) {
        qWarning() << "expected a file dialog, got" << modal;
    }
    return dialog;
}

// Typed rather than selectFile(): the dialog ignores that while its name field has focus.
bool typeAndAccept(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!edit) {
        dialog->reject();
        return false;
    }
    edit->setText(name);
    static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept is protected
    return true;
}

} // namespace

/// The real file dialogs behind the channel sources, answered offscreen: what the open and
/// save dialogs show and allow, and the seam that answers without showing one.
class TestChannelDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("audio") << QString(LocalMedia::kFilter)
                               << QStringList{"Audio (*.mp3 *.ogg *.wma *.m3u *.wpl *.asx *.wax)"};
        QTest::newRow("a blank in the pattern")
            << QString(ChannelExport::kFilter)
            << QStringList{"Lydstraum (Mine Kanaler.ini) (Mine?kanaler.ini)"};
        QTest::newRow("two entries")
            << "Lists|*.m3u|All|*|" << QStringList{"Lists (*.m3u)", "All (*)"};
        QTest::newRow("no trailing bar") << "Audio|*.mp3" << QStringList{"Audio (*.mp3)"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, qt);
        QCOMPARE(QtFileDialogs::nameFilters(filter), qt);
    }

    void nextAnswerSkipsTheDialog()
    {
        QtFileDialogs dialogs;
        dialogs.setNextAnswer(QStringLiteral("/music/a.mp3"));
        QCOMPARE(dialogs.getOpenFileName(LocalMedia::openRequest()),
                 std::optional<QString>("/music/a.mp3"));
        QCOMPARE(dialogs.lastRequest().title, QStringLiteral("Open playlist with audio"));
        dialogs.setNextAnswer(std::nullopt);
        QCOMPARE(dialogs.getSaveFileName(ChannelExport::saveRequest()), std::nullopt);
        QCOMPARE(dialogs.lastRequest().title,
                 QStringLiteral("Velg plassering for Mine kanaler.ini"));
    }

    void openDialogTakesExistingAudioFiles()
    {
        const QString song = m_dir.filePath(QStringLiteral("song.mp3"));
        QFile file(song);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QtFileDialogs dialogs;
        bool checked = false;
        ModalAnswerer answerer({[&](QWidget *modal) {
            QFileDialog *dialog = fileDialog(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            checked = dialog->windowTitle() == QStringLiteral("Open playlist with audio") &&
                      dialog->acceptMode() == QFileDialog::AcceptOpen &&
                      dialog->fileMode() == QFileDialog::ExistingFile &&
                      dialog->nameFilters() == QtFileDialogs::nameFilters(LocalMedia::kFilter) &&
                      dialog->selectedNameFilter() == QStringLiteral("Audio");
            typeAndAccept(dialog, song);
        }});
        QCOMPARE(dialogs.getOpenFileName(LocalMedia::openRequest()), std::optional<QString>(song));
        QVERIFY(checked);
        QVERIFY(!answerer.timedOut());
    }

    void cancelledDialogAnswersNothing()
    {
        QtFileDialogs dialogs;
        ModalAnswerer answerer({[](QWidget *modal) {
            if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                dialog->reject();
            }
        }});
        QCOMPARE(dialogs.getOpenFileName(LocalMedia::openRequest()), std::nullopt);
        QCOMPARE(answerer.answered(), 1);
    }

    // The export through the real save dialog: another name typed, no question about
    // overwriting it, and the copy lands as "Mine Kanaler.ini" beside it.
    void exportThroughTheSaveDialog()
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
        ModalAnswerer answerer({[&](QWidget *modal) {
            QFileDialog *dialog = fileDialog(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            offered = dialog->selectedFiles().value(0).section(QLatin1Char('/'), -1);
            QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(dialog->defaultSuffix(), QStringLiteral("ini"));
            typeAndAccept(dialog, m_dir.filePath(QStringLiteral("backup/copy")));
        }});
        exporter.eksportkanalerClick();
        QVERIFY(!answerer.timedOut());
        QCOMPARE(offered, QStringLiteral("Mine Kanaler.ini"));
        QFile copy(m_dir.filePath(QStringLiteral("backup/Mine Kanaler.ini")));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("[Navn]\n1=One\n"));
        QCOMPARE(QFileInfo(existing.fileName()).size(), 0);
    }
};

QTEST_MAIN(TestChannelDialogs)
#include "tst_ChannelDialogs.moc"
