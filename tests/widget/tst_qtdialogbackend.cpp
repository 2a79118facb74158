#include "CommonDialogFlags.h"
#include "ModalAnswerer.h"
#include "QtCommonDialogBackend.h"
#include "QtDialogPrinter.h"
#include "cCommonDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace CommonDialogFlags;

using PrintChange = std::function<void(PrintDlgArgs &)>;
using PageChange = std::function<void(PageSetupArgs &)>;
Q_DECLARE_METATYPE(PrintChange)
Q_DECLARE_METATYPE(PageChange)

namespace {

void accept(QWidget *window) {
    qobject_cast<QDialog *>(window)->accept();
}

void reject(QWidget *window) {
    qobject_cast<QDialog *>(window)->reject();
}

/// A file dialog action that types `name` (in the dialog's folder unless absolute) and confirms.
ModalAnswerer::Action chooseFile(const QString &name) {
    return [name](QWidget *window) {
        // Typed rather than selectFile(): the dialog ignores that while its name field has focus.
        auto *edit = window->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (edit == nullptr)
            return reject(window);
        edit->setText(name);
        accept(window);
    };
}

bool effectsVisible(QFontDialog *dialog) {
    const auto boxes = dialog->findChildren<QCheckBox *>();
    return !boxes.isEmpty() && boxes.first()->parentWidget()->isVisible();
}

} // namespace

class TestQtDialogBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void openAccepted();
    void openCancelled();
    void openSeveralFiles_data();
    void openSeveralFiles();
    void readOnlyBox_data();
    void readOnlyBox();
    void saveOverwritePrompt_data();
    void saveOverwritePrompt();
    void color_data();
    void color();
    void customColorsFromPalette();
    void fontEffects_data();
    void fontEffects();
    void fontSizeLimits();
    void print_data();
    void print();
    void pageSetup_data();
    void pageSetup();
    void ownerWindow();
    void fileTitle_data();
    void fileTitle();
    void dialogPrinter();

private:
    QTemporaryDir m_dir;
    QString m_tone;
};

void TestQtDialogBackend::initTestCase() {
    QVERIFY(m_dir.isValid());
    for (const char *name : {"tone.mp3", "two tones.mp3", "list.m3u"}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    m_tone = m_dir.filePath(QStringLiteral("tone.mp3"));
}

void TestQtDialogBackend::openAccepted() {
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QString name;
    OpenFileArgs args;
    args.Filter = QStringLiteral("Playlists|*.m3u;*.pls|Audio: *.mp3");
    args.FilterIndex = 1;
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

    QVERIFY(dialog.VBGetOpenFileName(name, args));
    QVERIFY(!answerer.timedOut());
    QCOMPARE(shownFilters, QStringList({QStringLiteral("Playlists (*.m3u *.pls)"),
                                        QStringLiteral("Audio (*.mp3)")}));
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QCOMPARE(name, m_tone);
    QCOMPARE(args.FileTitle, QStringLiteral("tone.mp3"));
    QCOMPARE(args.FilterIndex, 2);
    QCOMPARE(args.Filter, QStringLiteral("Audio") + QChar(u'\0') + QStringLiteral(" *.mp3"));
    QCOMPARE(dialog.APIReturn(), 1);
}

void TestQtDialogBackend::openCancelled() {
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QString name = m_tone;
    OpenFileArgs args;
    ModalAnswerer answerer({reject});

    QVERIFY(!dialog.VBGetOpenFileName(name, args));
    QCOMPARE(answerer.answered(), 1);
    QVERIFY(name.isEmpty());
    QCOMPARE(args.FilterIndex, -1);
    QCOMPARE(dialog.APIReturn(), 0);
}

void TestQtDialogBackend::openSeveralFiles_data() {
    QTest::addColumn<qint32>("flags");
    QTest::addColumn<QString>("expected"); // '|' stands for NUL
    QTest::newRow("spaces, a name with one quoted")
        << 0 << QStringLiteral("%1 \"two tones.mp3\" tone.mp3");
    QTest::newRow("NULs with OFN_EXPLORER") << OFN_EXPLORER << QStringLiteral("%1");
}

void TestQtDialogBackend::openSeveralFiles() {
    QFETCH(qint32, flags);
    QFETCH(QString, expected);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QString name;
    OpenFileArgs args;
    args.MultiSelect = true;
    args.flags = flags;
    args.InitDir = m_dir.path();
    ModalAnswerer answerer({chooseFile(QStringLiteral("\"two tones.mp3\" \"tone.mp3\""))});

    QVERIFY(dialog.VBGetOpenFileName(name, args));
    // The wrapper hands back the text up to its first NUL: the folder alone in the NUL form.
    QCOMPARE(name, expected.arg(m_dir.path()));
    QVERIFY(args.FileTitle.isEmpty());
}

void TestQtDialogBackend::readOnlyBox_data() {
    QTest::addColumn<bool>("hide");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("boxShown");
    QTest::addColumn<bool>("expected");
    QTest::newRow("ticked by the user") << false << true << true << true;
    QTest::newRow("left unticked") << false << false << true << false;
    QTest::newRow("hidden") << true << false << false << false;
}

void TestQtDialogBackend::readOnlyBox() {
    QFETCH(bool, hide);
    QFETCH(bool, tick);
    QFETCH(bool, boxShown);
    QFETCH(bool, expected);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QString name = m_tone;
    OpenFileArgs args;
    args.HideReadOnly = hide;
    bool shown = false;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *box = window->findChild<QCheckBox *>();
        shown = box != nullptr && box->isVisible();
        if (box != nullptr)
            box->setChecked(tick);
        accept(window);
    }});

    QVERIFY(dialog.VBGetOpenFileName(name, args));
    QCOMPARE(shown, boxShown);
    QCOMPARE(args.ReadOnly, expected);
    QCOMPARE((args.flags & OFN_READONLY) != 0, expected);
}

void TestQtDialogBackend::saveOverwritePrompt_data() {
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

void TestQtDialogBackend::saveOverwritePrompt() {
    QFETCH(bool, prompt);
    QFETCH(QString, typed);
    QFETCH(QString, expectedName);
    QFETCH(int, expectedWindows);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QString name;
    SaveFileArgs args;
    args.OverWritePrompt = prompt;
    args.DefaultExt = QStringLiteral("m3u");
    args.InitDir = m_dir.path();
    ModalAnswerer answerer(
        {chooseFile(typed),
         [](QWidget *window) {
             qobject_cast<QMessageBox *>(window)->button(QMessageBox::Yes)->click();
         }},
        std::chrono::seconds(3));

    QVERIFY(dialog.VBGetSaveFileName(name, args));
    QCOMPARE(name, m_dir.filePath(expectedName));
    QCOMPARE(args.FilterIndex, 1);
    QTRY_VERIFY(answerer.answered() == expectedWindows || answerer.timedOut());
    QCOMPARE(answerer.answered(), expectedWindows);
}

void TestQtDialogBackend::color_data() {
    QTest::addColumn<bool>("preventFullOpen");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("editorShown");
    QTest::addColumn<qint32>("expectedColor");
    QTest::newRow("chosen") << false << true << true << 0x00030201;
    QTest::newRow("cancelled") << false << false << true << -1;
    QTest::newRow("editor kept closed") << true << true << false << 0x00030201;
}

void TestQtDialogBackend::color() {
    QFETCH(bool, preventFullOpen);
    QFETCH(bool, confirm);
    QFETCH(bool, editorShown);
    QFETCH(qint32, expectedColor);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    ChooseColorArgs args;
    args.DisableFullOpen = preventFullOpen;
    qint32 colour = 0x00336699;
    QColor initial;
    bool shown = false;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *colorDialog = qobject_cast<QColorDialog *>(window);
        initial = colorDialog->currentColor();
        for (QWidget *child : colorDialog->findChildren<QWidget *>()) {
            if (qstrcmp(child->metaObject()->className(), "QColorPicker") == 0)
                shown = child->isVisible();
        }
        colorDialog->setCurrentColor(QColor(1, 2, 3));
        confirm ? colorDialog->accept() : colorDialog->reject();
    }});

    QCOMPARE(dialog.VBChooseColor(colour, args), confirm);
    QCOMPARE(initial, QColor(0x99, 0x66, 0x33));
    QCOMPARE(shown, editorShown);
    QCOMPARE(colour, expectedColor);
}

void TestQtDialogBackend::customColorsFromPalette() {
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    QCOMPARE(dialog.CustomColor(5), base.red() | base.green() << 8 | base.blue() << 16);
    QCOMPARE(backend.twipsPerPixelY(),
             1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    dialog.setCustomColor(6, 0x000000FF);
    QColor seen;
    qint32 colour = 0;
    // The user's custom colours stay with the wrapper, also when the dialog is cancelled.
    ModalAnswerer answerer({[&](QWidget *window) {
        seen = QColorDialog::customColor(6);
        QColorDialog::setCustomColor(7, QColor(0, 0xFF, 0));
        reject(window);
    }});

    QVERIFY(!dialog.VBChooseColor(colour));
    QCOMPARE(seen, QColor(Qt::red));
    QCOMPARE(dialog.CustomColor(7), 0x0000FF00);
}

void TestQtDialogBackend::fontEffects_data() {
    QTest::addColumn<qint32>("color");
    QTest::addColumn<bool>("expected");
    QTest::newRow("colour 0: no effects") << 0 << false;
    QTest::newRow("a colour: effects") << 0xFF << true;
}

void TestQtDialogBackend::fontEffects() {
    QFETCH(qint32, color);
    QFETCH(bool, expected);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    const QString family = QFontDatabase::families().constFirst();
    DialogFont font{family, 12.0, false, false, true, false, 400};
    ChooseFontArgs args;
    args.Color = color;
    bool shown = !expected;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *fontDialog = qobject_cast<QFontDialog *>(window);
        shown = effectsVisible(fontDialog);
        QFont bold = fontDialog->currentFont();
        bold.setBold(true);
        bold.setPointSize(14);
        fontDialog->setCurrentFont(bold);
        fontDialog->accept();
    }});

    QVERIFY(dialog.VBChooseFont(font, args));
    QCOMPARE(shown, expected);
    QCOMPARE(font.Name, family);
    QCOMPARE(font.Size, 14.0);
    QVERIFY(font.Bold);
    QCOMPARE(font.Weight, 700);
    QVERIFY(font.Underline);
    QCOMPARE(args.Color, color);
}

void TestQtDialogBackend::fontSizeLimits() {
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    DialogFont font{QFontDatabase::families().constFirst(), 20.0, false, false, false, false, 400};
    ChooseFontArgs args;
    args.MinSize = 8;
    args.MaxSize = 12;
    // A size outside the limits is refused with a message; the dialog stays open for another.
    ModalAnswerer answerer({accept, accept, [](QWidget *window) {
                                auto *fontDialog = qobject_cast<QFontDialog *>(window);
                                QFont smaller = fontDialog->currentFont();
                                smaller.setPointSize(10);
                                fontDialog->setCurrentFont(smaller);
                                fontDialog->accept();
                            }});

    QVERIFY(dialog.VBChooseFont(font, args));
    QCOMPARE(answerer.answered(), 3);
    QCOMPARE(font.Size, 10.0);
}

void TestQtDialogBackend::print_data() {
    QTest::addColumn<PrintChange>("change");
    QTest::addColumn<QList<bool>>("options"); // page range, selection, print to file
    QTest::addColumn<bool>("confirm");
    QTest::newRow("defaults") << PrintChange([](PrintDlgArgs &) {})
                              << QList<bool>{true, true, false} << true;
    QTest::newRow("no page numbers, no selection")
        << PrintChange([](PrintDlgArgs &a) { a.DisablePageNumbers = a.DisableSelection = true; })
        << QList<bool>{false, false, false} << true;
    QTest::newRow("print to file offered") << PrintChange([](PrintDlgArgs &a) {
        a.ShowPrintToFile = true;
        a.DisablePrintToFile = false;
    }) << QList<bool>{true, true, true} << true;
    QTest::newRow("page range") << PrintChange([](PrintDlgArgs &a) {
        a.PrintRange = 1;
        a.FromPage = 2;
        a.ToPage = 5;
    }) << QList<bool>{true, true, false}
                                << true;
    QTest::newRow("cancelled") << PrintChange([](PrintDlgArgs &a) { a.PrintRange = 2; })
                               << QList<bool>{true, true, false} << false;
}

void TestQtDialogBackend::print() {
    QFETCH(PrintChange, change);
    QFETCH(QList<bool>, options);
    QFETCH(bool, confirm);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    PrintDlgArgs args;
    change(args);
    const PrintDlgArgs before = args;
    QList<bool> shownOptions;
    QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::AllPages;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *printDialog = qobject_cast<QPrintDialog *>(window);
        shownOptions = {printDialog->testOption(QAbstractPrintDialog::PrintPageRange),
                        printDialog->testOption(QAbstractPrintDialog::PrintSelection),
                        printDialog->testOption(QAbstractPrintDialog::PrintToFile)};
        range = printDialog->printRange();
        confirm ? printDialog->accept() : printDialog->reject();
    }});
    DeviceContext hdc = 99;

    QCOMPARE(dialog.VBPrintDlg(hdc, args), confirm);
    QCOMPARE(shownOptions, options);
    const auto expectedRange = before.PrintRange == 1   ? QAbstractPrintDialog::PageRange
                               : before.PrintRange == 2 ? QAbstractPrintDialog::Selection
                                                        : QAbstractPrintDialog::AllPages;
    QCOMPARE(range, expectedRange);
    if (!confirm) {
        QCOMPARE(hdc, DeviceContext{99});
        QCOMPARE(args.PrintRange, before.PrintRange);
        QVERIFY(backend.printer() == nullptr);
        return;
    }
    QCOMPARE(hdc, DeviceContext{0});
    QCOMPARE(args.PrintRange, before.PrintRange);
    QCOMPARE(args.FromPage, before.FromPage);
    QCOMPARE(args.ToPage, before.ToPage);
    QVERIFY(args.Copies >= 1);
    QVERIFY(backend.printer() != nullptr);
}

void TestQtDialogBackend::pageSetup_data() {
    QTest::addColumn<PageChange>("change");
    QTest::addColumn<double>("shownLeft");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("marginsEnabled");
    QTest::addColumn<bool>("confirm");
    QTest::newRow("one inch") << PageChange([](PageSetupArgs &a) { a.LeftMargin = 1; }) << 1.0
                              << QStringLiteral("in") << true << true;
    QTest::newRow("25 mm") << PageChange([](PageSetupArgs &a) {
        a.Units = 1;
        a.LeftMargin = 25;
    }) << 25.0 << QStringLiteral("mm")
                           << true << true;
    QTest::newRow("minimum above the margin") << PageChange([](PageSetupArgs &a) {
        a.LeftMargin = 1;
        a.MinLeftMargin = 2;
    }) << 2.0 << QStringLiteral("in") << true << true;
    QTest::newRow("margins disabled, cancelled") << PageChange([](PageSetupArgs &a) {
        a.LeftMargin = 1;
        a.DisableMargins = true;
    }) << 1.0 << QStringLiteral("in") << false << false;
}

void TestQtDialogBackend::pageSetup() {
    QFETCH(PageChange, change);
    QFETCH(double, shownLeft);
    QFETCH(QString, suffix);
    QFETCH(bool, marginsEnabled);
    QFETCH(bool, confirm);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    PageSetupArgs args;
    change(args);
    const PageSetupArgs before = args;
    double left = 0;
    QString shownSuffix;
    bool enabled = !marginsEnabled;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *spin = window->findChild<QDoubleSpinBox *>(QStringLiteral("leftMargin"));
        left = spin->value();
        shownSuffix = spin->suffix();
        enabled = spin->isEnabled();
        confirm ? accept(window) : reject(window);
    }});

    QCOMPARE(dialog.VBPageSetupDlg(args), confirm);
    QCOMPARE(left, shownLeft);
    QCOMPARE(shownSuffix, suffix);
    QCOMPARE(enabled, marginsEnabled);
    QCOMPARE(args.LeftMargin, confirm ? qint32(shownLeft) : before.LeftMargin);
    QCOMPARE(args.MinLeftMargin, before.MinLeftMargin);
    QCOMPARE(args.Orientation, confirm ? 1 : before.Orientation);
    QCOMPARE(args.PaperSize,
             confirm ? backend.printer()->pageLayout().pageSize().windowsId() : before.PaperSize);
}

void TestQtDialogBackend::ownerWindow() {
    QWidget window;
    window.show();
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    ChooseColorArgs args;
    args.Owner = QtCommonDialogBackend::ownerHandle(&window);
    QWidget *parent = nullptr;
    ModalAnswerer answerer({[&](QWidget *opened) {
        parent = opened->parentWidget();
        reject(opened);
    }});
    qint32 colour = 0;

    dialog.VBChooseColor(colour, args);
    QCOMPARE(parent, &window);
}

void TestQtDialogBackend::fileTitle_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("path") << QStringLiteral("/music/tone.mp3") << QStringLiteral("tone.mp3");
    QTest::newRow("name alone") << QStringLiteral("tone.mp3") << QStringLiteral("tone.mp3");
    QTest::newRow("folder") << QStringLiteral("/music/") << QString();
    QTest::newRow("260 characters") << QString(260, u'x') << QString();
}

void TestQtDialogBackend::fileTitle() {
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QtCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QCOMPARE(dialog.VBGetFileTitle(file), expected);
}

void TestQtDialogBackend::dialogPrinter() {
    QPrinter printer;
    QtDialogPrinter wrapped(printer);
    QVERIFY(wrapped.setCopies(3));
    QCOMPARE(printer.copyCount(), 3);
    QVERIFY(!wrapped.setCopies(0));
    QVERIFY(wrapped.setOrientation(DMORIENT_LANDSCAPE));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(!wrapped.setOrientation(3));
    QVERIFY(wrapped.setPaperSize(9));
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QVERIFY(!wrapped.setPaperSize(30000));
    QVERIFY(wrapped.setPrintQuality(300));
    QCOMPARE(printer.resolution(), 300);
    QVERIFY(!wrapped.setPrintQuality(-4));
}

QTEST_MAIN(TestQtDialogBackend)
#include "tst_qtdialogbackend.moc"
