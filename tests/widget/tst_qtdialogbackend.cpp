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
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace CommonDialogFlags;

using PrintChange = std::function<void(PrintDlgArgs &)>;
using PageChange = std::function<void(PageSetupArgs &)>;
Q_DECLARE_METATYPE(PrintChange)
Q_DECLARE_METATYPE(PageChange)

namespace {

void accept(QWidget *window)
{
    qobject_cast<QDialog *>(window)->accept();
}

void reject(QWidget *window)
{
    qobject_cast<QDialog *>(window)->reject();
}

void finish(QWidget *window, bool confirm)
{
    confirm ? accept(window) : reject(window);
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

bool pickerShown(QWidget *colorDialog)
{
    const auto children = colorDialog->findChildren<QWidget *>();
    return std::any_of(children.begin(), children.end(), [](QWidget *child) {
        return qstrcmp(child->metaObject()->className(), "QColorPicker") == 0 && child->isVisible();
    });
}

} // namespace

class TestQtDialogBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void openAccepted();
    void openReadOnlyOrCancelled_data();
    void openReadOnlyOrCancelled();
    void openSeveralFiles_data();
    void openSeveralFiles();
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
    void fileTitleAndPrinter();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QtCommonDialogBackend> m_backend;
    std::unique_ptr<cCommonDialog> m_dialog;
};

void TestQtDialogBackend::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"tone.mp3", "two tones.mp3", "list.m3u"}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TestQtDialogBackend::init()
{
    m_dialog.reset();
    m_backend = std::make_unique<QtCommonDialogBackend>();
    m_dialog = std::make_unique<cCommonDialog>(*m_backend);
}

void TestQtDialogBackend::openAccepted()
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

void TestQtDialogBackend::openReadOnlyOrCancelled_data()
{
    QTest::addColumn<bool>("hide");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("boxShown");
    QTest::addColumn<bool>("expectedReadOnly");
    QTest::newRow("read-only ticked by the user") << false << true << true << true;
    QTest::newRow("read-only box hidden") << true << true << false << false;
    QTest::newRow("cancelled") << false << false << true << false;
}

void TestQtDialogBackend::openReadOnlyOrCancelled()
{
    QFETCH(bool, hide);
    QFETCH(bool, confirm);
    QFETCH(bool, boxShown);
    QFETCH(bool, expectedReadOnly);
    QString name = m_dir.filePath(QStringLiteral("tone.mp3"));
    OpenFileArgs args;
    args.HideReadOnly = hide;
    bool shown = !boxShown;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *box = window->findChild<QCheckBox *>();
        shown = box != nullptr && box->isVisible();
        if (box != nullptr) {
            box->setChecked(true);
        }
        finish(window, confirm);
    }});

    QCOMPARE(m_dialog->VBGetOpenFileName(name, args), confirm);
    QCOMPARE(shown, boxShown);
    QCOMPARE(args.ReadOnly, expectedReadOnly);
    QCOMPARE(args.FilterIndex, confirm ? 1 : -1);
    QCOMPARE(name.isEmpty(), !confirm);
}

void TestQtDialogBackend::openSeveralFiles_data()
{
    QTest::addColumn<qint32>("flags");
    QTest::addColumn<QString>("expected");
    QTest::newRow("spaces, a name with one quoted")
        << 0 << QStringLiteral("%1 \"two tones.mp3\" tone.mp3");
    // The wrapper hands back the text before the first NUL: the folder alone.
    QTest::newRow("NULs with OFN_EXPLORER") << OFN_EXPLORER << QStringLiteral("%1");
}

void TestQtDialogBackend::openSeveralFiles()
{
    QFETCH(qint32, flags);
    QFETCH(QString, expected);
    QString name;
    OpenFileArgs args;
    args.MultiSelect = true;
    args.flags = flags;
    args.InitDir = m_dir.path();
    ModalAnswerer answerer({chooseFile(QStringLiteral("\"two tones.mp3\" \"tone.mp3\""))});

    QVERIFY(m_dialog->VBGetOpenFileName(name, args));
    QCOMPARE(name, expected.arg(m_dir.path()));
    QVERIFY(args.FileTitle.isEmpty());
}

void TestQtDialogBackend::saveOverwritePrompt_data()
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

void TestQtDialogBackend::saveOverwritePrompt()
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

void TestQtDialogBackend::color_data()
{
    QTest::addColumn<bool>("preventFullOpen");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<qint32>("expectedColor");
    QTest::newRow("chosen") << false << true << 0x00030201;
    QTest::newRow("cancelled") << false << false << -1;
    QTest::newRow("editor kept closed") << true << true << 0x00030201;
}

void TestQtDialogBackend::color()
{
    QFETCH(bool, preventFullOpen);
    QFETCH(bool, confirm);
    QFETCH(qint32, expectedColor);
    ChooseColorArgs args;
    args.DisableFullOpen = preventFullOpen;
    qint32 colour = 0x00336699;
    QColor initial;
    bool editorShown = preventFullOpen;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *colorDialog = qobject_cast<QColorDialog *>(window);
        initial = colorDialog->currentColor();
        editorShown = pickerShown(colorDialog);
        colorDialog->setCurrentColor(QColor(1, 2, 3));
        finish(window, confirm);
    }});

    QCOMPARE(m_dialog->VBChooseColor(colour, args), confirm);
    QCOMPARE(initial, QColor(0x99, 0x66, 0x33));
    QCOMPARE(editorShown, !preventFullOpen);
    QCOMPARE(colour, expectedColor);
}

void TestQtDialogBackend::customColorsFromPalette()
{
    const QColor base = QApplication::palette().color(QPalette::Active, QPalette::Base);
    QCOMPARE(m_dialog->CustomColor(5), base.red() | base.green() << 8 | base.blue() << 16);
    QCOMPARE(m_backend->twipsPerPixelY(),
             1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    m_dialog->setCustomColor(6, 0x000000FF);
    QColor seen;
    qint32 colour = 0;
    // The user's custom colours stay with the wrapper, also when the dialog is cancelled.
    ModalAnswerer answerer({[&](QWidget *window) {
        seen = QColorDialog::customColor(6);
        QColorDialog::setCustomColor(7, QColor(0, 0xFF, 0));
        reject(window);
    }});

    QVERIFY(!m_dialog->VBChooseColor(colour));
    QCOMPARE(seen, QColor(Qt::red));
    QCOMPARE(m_dialog->CustomColor(7), 0x0000FF00);
}

void TestQtDialogBackend::fontEffects_data()
{
    QTest::addColumn<qint32>("color");
    QTest::newRow("colour 0: no effects") << 0;
    QTest::newRow("a colour: effects") << 0xFF;
}

void TestQtDialogBackend::fontEffects()
{
    QFETCH(qint32, color);
    const QString family = QFontDatabase::families().constFirst();
    DialogFont font{family, 12.0, false, false, true, false, 400};
    ChooseFontArgs args;
    args.Color = color;
    bool effectsShown = color == 0;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *fontDialog = qobject_cast<QFontDialog *>(window);
        const auto boxes = fontDialog->findChildren<QCheckBox *>();
        effectsShown = !boxes.isEmpty() && boxes.first()->parentWidget()->isVisible();
        QFont bold = fontDialog->currentFont();
        bold.setBold(true);
        bold.setPointSize(14);
        fontDialog->setCurrentFont(bold);
        fontDialog->accept();
    }});

    QVERIFY(m_dialog->VBChooseFont(font, args));
    QCOMPARE(effectsShown, color != 0);
    QCOMPARE(font.Name, family);
    QCOMPARE(font.Size, 14.0);
    QVERIFY(font.Bold && font.Weight == 700);
    QVERIFY(font.Underline); // kept, also where the user could not change it
    QCOMPARE(args.Color, color);
}

void TestQtDialogBackend::fontSizeLimits()
{
    DialogFont font{QFontDatabase::families().constFirst(), 20.0, false, false, false, false, 400};
    ChooseFontArgs args;
    args.MinSize = 8;
    args.MaxSize = 12;
    const auto chooseSize10 = [](QWidget *window) {
        auto *fontDialog = qobject_cast<QFontDialog *>(window);
        QFont smaller = fontDialog->currentFont();
        smaller.setPointSize(10);
        fontDialog->setCurrentFont(smaller);
        fontDialog->accept();
    };
    // 20 pt is refused with a message; the dialog stays open for another size.
    ModalAnswerer answerer({accept, accept, chooseSize10});

    QVERIFY(m_dialog->VBChooseFont(font, args));
    QCOMPARE(answerer.answered(), 3);
    QCOMPARE(font.Size, 10.0);
}

void TestQtDialogBackend::print_data()
{
    QTest::addColumn<PrintChange>("change");
    QTest::addColumn<QList<bool>>("options"); // page range, selection, print to file
    QTest::addColumn<bool>("confirm");
    QTest::newRow("defaults") << PrintChange([](auto &) {}) << QList<bool>{true, true, false}
                              << true;
    QTest::newRow("no page numbers, no selection")
        << PrintChange([](auto &a) { a.DisablePageNumbers = a.DisableSelection = true; })
        << QList<bool>{false, false, false} << true;
    QTest::newRow("print to file, pages 2 to 5") << PrintChange([](auto &a) {
        a.ShowPrintToFile = true;
        a.DisablePrintToFile = false;
        a.PrintRange = 1;
        a.FromPage = 2;
        a.ToPage = 5;
    }) << QList<bool>{true, true, true} << true;
    QTest::newRow("selection, cancelled") << PrintChange([](auto &a) { a.PrintRange = 2; })
                                          << QList<bool>{true, true, false} << false;
}

void TestQtDialogBackend::print()
{
    QFETCH(PrintChange, change);
    QFETCH(QList<bool>, options);
    QFETCH(bool, confirm);
    PrintDlgArgs args;
    change(args);
    const PrintDlgArgs before = args;
    QList<bool> shown;
    QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::CurrentPage;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *dialog = qobject_cast<QPrintDialog *>(window);
        shown = {dialog->testOption(QAbstractPrintDialog::PrintPageRange),
                 dialog->testOption(QAbstractPrintDialog::PrintSelection),
                 dialog->testOption(QAbstractPrintDialog::PrintToFile)};
        range = dialog->printRange();
        finish(window, confirm);
    }});
    DeviceContext hdc = 99;

    QCOMPARE(m_dialog->VBPrintDlg(hdc, args), confirm);
    QCOMPARE(shown, options);
    const QAbstractPrintDialog::PrintRange ranges[] = {QAbstractPrintDialog::AllPages,
                                                       QAbstractPrintDialog::PageRange,
                                                       QAbstractPrintDialog::Selection};
    QCOMPARE(range, ranges[before.PrintRange]);
    QCOMPARE(args.PrintRange, before.PrintRange);
    QVERIFY(args.FromPage == before.FromPage && args.ToPage == before.ToPage);
    QCOMPARE(hdc, DeviceContext{confirm ? 0 : 99}); // Qt has no device contexts
    QCOMPARE(int(args.Copies), confirm ? 1 : 0);
    QCOMPARE(m_backend->printer() != nullptr, confirm);
}

void TestQtDialogBackend::pageSetup_data()
{
    QTest::addColumn<PageChange>("change");
    QTest::addColumn<double>("shownLeft");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("confirm");
    QTest::newRow("one inch") << PageChange([](auto &a) { a.LeftMargin = 1; }) << 1.0
                              << QStringLiteral("in") << true;
    QTest::newRow("25 mm") << PageChange([](auto &a) {
        a.Units = 1;
        a.LeftMargin = 25;
    }) << 25.0 << QStringLiteral("mm")
                           << true;
    QTest::newRow("minimum above the margin") << PageChange([](auto &a) {
        a.LeftMargin = 1;
        a.MinLeftMargin = 2;
    }) << 2.0 << QStringLiteral("in") << true;
    QTest::newRow("margins disabled, cancelled") << PageChange([](auto &a) {
        a.LeftMargin = 1;
        a.DisableMargins = true;
    }) << 1.0 << QStringLiteral("in") << false;
}

void TestQtDialogBackend::pageSetup()
{
    QFETCH(PageChange, change);
    QFETCH(double, shownLeft);
    QFETCH(QString, suffix);
    QFETCH(bool, confirm);
    PageSetupArgs args;
    change(args);
    const PageSetupArgs before = args;
    double left = 0;
    QString shownSuffix;
    bool enabled = false;
    ModalAnswerer answerer({[&](QWidget *window) {
        auto *spin = window->findChild<QDoubleSpinBox *>(QStringLiteral("leftMargin"));
        left = spin->value();
        shownSuffix = spin->suffix();
        enabled = spin->isEnabled();
        finish(window, confirm);
    }});

    QCOMPARE(m_dialog->VBPageSetupDlg(args), confirm);
    QCOMPARE(left, shownLeft);
    QCOMPARE(shownSuffix, suffix);
    QCOMPARE(enabled, !before.DisableMargins);
    QCOMPARE(args.LeftMargin, confirm ? qint32(shownLeft) : before.LeftMargin);
    QCOMPARE(args.MinLeftMargin, before.MinLeftMargin);
    const qint32 paper = confirm ? m_backend->printer()->pageLayout().pageSize().windowsId() : 1;
    QVERIFY(args.PaperSize == paper && args.Orientation == 1);
}

void TestQtDialogBackend::ownerWindow()
{
    QWidget window;
    window.show();
    ChooseColorArgs args;
    args.Owner = QtCommonDialogBackend::ownerHandle(&window);
    QWidget *parent = nullptr;
    ModalAnswerer answerer({[&](QWidget *opened) {
        parent = opened->parentWidget();
        reject(opened);
    }});
    qint32 colour = 0;

    m_dialog->VBChooseColor(colour, args);
    QCOMPARE(parent, &window);
}

void TestQtDialogBackend::fileTitleAndPrinter()
{
    QCOMPARE(m_dialog->VBGetFileTitle(QStringLiteral("/music/tone.mp3")),
             QStringLiteral("tone.mp3"));
    QCOMPARE(m_dialog->VBGetFileTitle(QStringLiteral("/music/")), QString());
    QCOMPARE(m_dialog->VBGetFileTitle(QString(260, u'x')), QString()); // no room for the NUL

    QPrinter printer;
    QtDialogPrinter wrapped(printer);
    QVERIFY(wrapped.setCopies(3) && !wrapped.setCopies(0));
    QVERIFY(wrapped.setOrientation(DMORIENT_LANDSCAPE) && !wrapped.setOrientation(3));
    QVERIFY(wrapped.setPaperSize(9) && !wrapped.setPaperSize(30000));
    QVERIFY(wrapped.setPrintQuality(300) && !wrapped.setPrintQuality(-4));
    QCOMPARE(printer.copyCount(), 3);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.resolution(), 300);
}

QTEST_MAIN(TestQtDialogBackend)
#include "tst_qtdialogbackend.moc"
