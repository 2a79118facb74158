#include "CommonDialogError.h"
#include "CommonDialogFlags.h"
#include "FakeCommonDialogBackend.h"
#include "FakeDialogPrinter.h"
#include "cCommonDialog.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace CommonDialogFlags;

using DialogCall = std::function<bool(cCommonDialog &)>;
using FontChange = std::function<void(ChooseFontArgs &)>;
using PrintChange = std::function<void(PrintDlgArgs &)>;
using PageChange = std::function<void(PageSetupArgs &)>;
using Margins = QList<qint32>; // left, top, right, bottom, then the four minimums
Q_DECLARE_METATYPE(DialogCall)
Q_DECLARE_METATYPE(FontChange)
Q_DECLARE_METATYPE(PrintChange)
Q_DECLARE_METATYPE(PageChange)

namespace {

/// `text` with each '~' turned into a NUL, which a literal cannot show.
QString z(const char *text)
{
    return QString::fromUtf8(text).replace(u'~', QChar(u'\0'));
}

QString padded(const QString &text, qsizetype size = 260)
{
    return text + QString(size - text.size(), QChar(u'\0'));
}

template<class Args>
DialogCall call(const std::function<void(Args &)> &change)
{
    return [change](cCommonDialog &dialog) {
        Args args;
        change(args);
        QString name;
        DeviceContext hdc = 0;
        DialogFont font;
        if constexpr (std::is_same_v<Args, OpenFileArgs>) {
            return dialog.VBGetOpenFileName(name, args);
        } else if constexpr (std::is_same_v<Args, SaveFileArgs>) {
            return dialog.VBGetSaveFileName(name, args);
        } else if constexpr (std::is_same_v<Args, ChooseFontArgs>) {
            return dialog.VBChooseFont(font, args);
        } else if constexpr (std::is_same_v<Args, PrintDlgArgs>) {
            return dialog.VBPrintDlg(hdc, args);
        } else {
            return dialog.VBPageSetupDlg(args);
        }
    };
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

Margins marginsOf(const PageSetupArgs &a)
{
    return {a.LeftMargin,    a.TopMargin,    a.RightMargin,    a.BottomMargin,
            a.MinLeftMargin, a.MinTopMargin, a.MinRightMargin, a.MinBottomMargin};
}

constexpr qint32 kPrintBase =
    PD_HIDEPRINTTOFILE | PD_DISABLEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_RETURNDC;
constexpr qint32 kInches = PSD_MARGINS | PSD_MINMARGINS | PSD_INTHOUSANDTHSOFINCHES;
constexpr qint32 kMillimetres = PSD_MARGINS | PSD_MINMARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;

} // namespace

class TestCommonDialog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void openWithDefaults();
    void fileFlags_data();
    void fileFlags();
    void fileDialogFails_data();
    void fileDialogFails();
    void chosenFilter_data();
    void chosenFilter();
    void nameLength_data();
    void nameLength();
    void fileTitle();
    void customColors();
    void colorDialog_data();
    void colorDialog();
    void fontFlags_data();
    void fontFlags();
    void fontRequest_data();
    void fontRequest();
    void fontReply_data();
    void fontReply();
    void printFlags_data();
    void printFlags();
    void printReply_data();
    void printReply();
    void pageSetupRequest_data();
    void pageSetupRequest();
    void pageSetupReply_data();
    void pageSetupReply();
    void overflow_data();
    void overflow();

private:
    /// Fails a font dialog so that APIReturn reads 3 and ExtendedError `code`.
    void leaveFailure(qint32 code);

    std::unique_ptr<FakeCommonDialogBackend> m_backend;
    std::unique_ptr<cCommonDialog> m_dialog;
};

void TestCommonDialog::init()
{
    m_dialog.reset();
    m_backend = std::make_unique<FakeCommonDialogBackend>();
    m_dialog = std::make_unique<cCommonDialog>(*m_backend);
}

void TestCommonDialog::leaveFailure(qint32 code)
{
    const qint32 result = m_backend->result;
    m_backend->result = 3;
    m_backend->errorCode = code;
    DialogFont font;
    m_dialog->VBChooseFont(font);
    m_backend->result = result;
}

void TestCommonDialog::openWithDefaults()
{
    m_backend->answerFile = [](FileNameData &data) {
        data.file = padded(QStringLiteral("/music/tone.mp3"));
        data.fileTitle = padded(QStringLiteral("tone.mp3"));
        data.flags |= OFN_READONLY; // ticked in the dialog
    };
    QString name;
    OpenFileArgs args;

    QVERIFY(m_dialog->VBGetOpenFileName(name, args));
    const FileNameData &asked = m_backend->fileRequest;
    QCOMPARE(asked.filter, z("All (*.*)~ *.*~~"));
    QCOMPARE(asked.filterIndex, 1);
    QCOMPARE(asked.file, padded(QString()));
    QVERIFY(asked.maxFile == 260 && asked.maxFileTitle == 260);
    QCOMPARE(name, QStringLiteral("/music/tone.mp3"));
    QCOMPARE(args.FileTitle, QStringLiteral("tone.mp3"));
    QCOMPARE(args.Filter, z("All (*.*)~ *.*"));
    QCOMPARE(args.FilterIndex, 1);
    QCOMPARE(args.flags, OFN_FILEMUSTEXIST | OFN_READONLY);
    QVERIFY(args.ReadOnly);
    QCOMPARE(m_dialog->APIReturn(), 1);
}

void TestCommonDialog::fileFlags_data()
{
    QTest::addColumn<DialogCall>("run");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<WindowHandle>("expectedOwner");
    const qint32 exist = OFN_FILEMUSTEXIST;
    using Open = std::function<void(OpenFileArgs &)>;
    using Save = std::function<void(SaveFileArgs &)>;
    QTest::newRow("open: defaults") << call(Open([](auto &) {})) << exist << WindowHandle{0};
    QTest::newRow("open: no switches")
        << call(Open([](auto &a) { a.FileMustExist = false; })) << 0 << WindowHandle{0};
    QTest::newRow("open: several files") << call(Open([](auto &a) { a.MultiSelect = true; }))
                                         << (exist | OFN_ALLOWMULTISELECT) << WindowHandle{0};
    QTest::newRow("open: read-only box hidden, ticked")
        << call(Open([](auto &a) { a.ReadOnly = a.HideReadOnly = true; }))
        << (exist | OFN_READONLY | OFN_HIDEREADONLY) << WindowHandle{0};
    QTest::newRow("open: hook and template dropped, owner kept") << call(Open([](auto &a) {
        a.flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_EXPLORER;
        a.Owner = 42;
    })) << (exist | OFN_EXPLORER) << WindowHandle{42};
    QTest::newRow("save: defaults")
        << call(Save([](auto &) {})) << (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY) << WindowHandle{0};
    QTest::newRow("save: no prompt, caller's flags") << call(Save([](auto &a) {
        a.OverWritePrompt = false;
        a.flags = OFN_PATHMUSTEXIST | OFN_ENABLEHOOK;
    })) << (OFN_PATHMUSTEXIST | OFN_HIDEREADONLY) << WindowHandle{0};
}

void TestCommonDialog::fileFlags()
{
    QFETCH(DialogCall, run);
    QFETCH(qint32, expectedFlags);
    QFETCH(WindowHandle, expectedOwner);
    run(*m_dialog);
    QCOMPARE(m_backend->fileRequest.flags, expectedFlags);
    QCOMPARE(m_backend->fileRequest.owner, expectedOwner);
}

void TestCommonDialog::fileDialogFails_data()
{
    QTest::addColumn<bool>("isSave");
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedFilterIndex");
    QTest::addColumn<qint32>("expectedError");
    QTest::newRow("open cancelled") << false << 0 << -1 << 0;
    QTest::newRow("open failed with a code") << false << 2 << -1 << FNERR_BUFFERTOOSMALL;
    QTest::newRow("save cancelled") << true << 0 << 0 << 0;
    QTest::newRow("save failed with a code") << true << 0xFFFF << 0 << FNERR_BUFFERTOOSMALL;
}

void TestCommonDialog::fileDialogFails()
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
    const bool cleared = isSave ? save.FileTitle.isEmpty() && save.Filter.isEmpty() && !save.flags
                                : open.FileTitle.isEmpty() && open.Filter.isEmpty() && !open.flags;
    QVERIFY(cleared);
    QCOMPARE(isSave ? save.FilterIndex : open.FilterIndex, expectedFilterIndex);
    QVERIFY(open.ReadOnly);
    QCOMPARE(m_dialog->APIReturn(), result);
    QCOMPARE(m_dialog->ExtendedError(), expectedError);
}

void TestCommonDialog::chosenFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("converted");
    QTest::addColumn<qint32>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("second of two") << QStringLiteral("Text (*.txt)|*.txt|All|*.*")
                                   << z("Text (*.txt)~*.txt~All~*.*~~") << 2 << z("All~*.*");
    QTest::newRow("colons separate like bars")
        << QStringLiteral("Text: *.txt|Audio: *.mp3") << z("Text~ *.txt~Audio~ *.mp3~~") << 2
        << z("Audio~ *.mp3");
    QTest::newRow("a colon in a description shifts the pairs")
        << QStringLiteral("Drive C:|*.*") << z("Drive C~~*.*~~") << 2 << z("*.*~");
    QTest::newRow("index past the pairs") << QStringLiteral("A|a") << z("A~a~~") << 2 << QString();
    QTest::newRow("empty filter: one empty pair") << QString() << z("~~") << 1 << z("~");
}

void TestCommonDialog::chosenFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, converted);
    QFETCH(qint32, chosen);
    QFETCH(QString, expected);
    m_backend->answerFile = [chosen](FileNameData &data) {
        data.filterIndex = chosen;
    };
    QString name;
    SaveFileArgs args;
    args.Filter = filter;

    QVERIFY(m_dialog->VBGetSaveFileName(name, args));
    QCOMPARE(m_backend->fileRequest.filter, converted);
    QCOMPARE(args.FilterIndex, chosen);
    QCOMPARE(args.Filter, expected);
}

void TestCommonDialog::nameLength_data()
{
    QTest::addColumn<bool>("isSave");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("titleLength");
    QTest::addColumn<bool>("fits");
    QTest::newRow("open: 260-character name") << false << 260 << 0 << true;
    QTest::newRow("open: 261-character name") << false << 261 << 0 << false;
    QTest::newRow("open: 261-character title") << false << 3 << 261 << false;
    QTest::newRow("save: 260-character title") << true << 3 << 260 << true;
    QTest::newRow("save: 261-character name") << true << 261 << 0 << false;
}

void TestCommonDialog::nameLength()
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

void TestCommonDialog::fileTitle()
{
    leaveFailure(0x1111);
    QCOMPARE(m_dialog->VBGetFileTitle(QStringLiteral("/a/tone.mp3")), QStringLiteral("tone.mp3"));
    QCOMPARE(m_backend->fileTitleBuffer, padded(QString()));
    m_backend->fileTitleResult = 9; // the size the buffer would have needed
    QVERIFY(m_dialog->VBGetFileTitle(QStringLiteral("/a/tone.mp3")).isEmpty());
    QVERIFY(m_dialog->APIReturn() == 3 && m_dialog->ExtendedError() == 0x1111);
}

void TestCommonDialog::customColors()
{
    const auto system = &FakeCommonDialogBackend::systemColorOf;
    QCOMPARE(m_backend->systemColorReads, 0);
    QCOMPARE(m_dialog->CustomColor(0), system(0));
    QCOMPARE(m_dialog->CustomColor(16), -1);
    QCOMPARE(m_dialog->CustomColor(-1), -1);
    m_dialog->setCustomColor(16, 0x123456);
    m_dialog->setCustomColor(-1, 0x123456);
    for (qint16 i = 0; i < 16; ++i) {
        QCOMPARE(m_dialog->CustomColor(i), system(i));
    }

    // The colour dialog works on the table itself, filled once.
    m_dialog->setCustomColor(3, 0x0000FF);
    m_backend->answerColor = [](ChooseColorData &data) {
        data.customColors->at(5) = 0xABCDEF;
    };
    qint32 color = 0;
    m_dialog->VBChooseColor(color);
    QCOMPARE(m_backend->colorTable.at(3), 0x0000FF);
    QCOMPARE(m_dialog->CustomColor(5), 0xABCDEF);
    QCOMPARE(m_backend->systemColorReads, 16);

    FakeCommonDialogBackend fresh;
    cCommonDialog(fresh).VBChooseColor(color);
    QCOMPARE(fresh.colorTable.at(15), system(15));
}

void TestCommonDialog::colorDialog_data()
{
    QTest::addColumn<ChooseColorArgs>("args");
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<qint32>("expectedColor");
    QTest::addColumn<qint32>("expectedError");
    const qint32 any = CC_ANYCOLOR | CC_RGBINIT;
    // Unlike the other dialogs, this one keeps the last extended error (0x1111).
    QTest::newRow("defaults, chosen") << ChooseColorArgs{} << 1 << any << 0xABCDEF << 0x1111;
    QTest::newRow("solid, cancelled")
        << ChooseColorArgs{false} << 0 << (CC_SOLIDCOLOR | CC_RGBINIT) << -1 << 0x1111;
    QTest::newRow("full open, owned")
        << ChooseColorArgs{true, true, false, 42} << 1 << (any | CC_FULLOPEN) << 0xABCDEF << 0x1111;
    QTest::newRow("editor closed, flags ignored, failed")
        << ChooseColorArgs{true, false, true, kNoOwner, 0xFFFF} << 4 << (any | CC_PREVENTFULLOPEN)
        << -1 << CDERR_INITIALIZATION;
}

void TestCommonDialog::colorDialog()
{
    QFETCH(ChooseColorArgs, args);
    QFETCH(qint32, result);
    QFETCH(qint32, expectedFlags);
    QFETCH(qint32, expectedColor);
    QFETCH(qint32, expectedError);
    leaveFailure(0x1111);
    m_backend->result = result;
    m_backend->errorCode = CDERR_INITIALIZATION;
    m_backend->answerColor = [](ChooseColorData &data) {
        data.rgbResult = 0xABCDEF;
    };
    qint32 color = 0x336699;

    QCOMPARE(m_dialog->VBChooseColor(color, args), result == 1);
    QCOMPARE(m_backend->colorRequest.flags, expectedFlags);
    QCOMPARE(m_backend->colorRequest.owner, args.Owner == kNoOwner ? 0 : args.Owner);
    QCOMPARE(m_backend->colorRequest.rgbResult, 0x336699);
    QCOMPARE(color, expectedColor);
    QVERIFY(m_dialog->APIReturn() == result && m_dialog->ExtendedError() == expectedError);
}

void TestCommonDialog::fontFlags_data()
{
    QTest::addColumn<FontChange>("change");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<DeviceContext>("expectedPrinter");
    const qint32 screen = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    const auto row = [](const char *name, const FontChange &change, qint32 flags,
                        DeviceContext printer = 0) {
        QTest::newRow(name) << change << flags << printer;
    };
    row(
        "defaults: screen fonts, no effects", [](auto &) {}, screen);
    row(
        "a colour offers effects", [](auto &a) { a.Color = 0xFF; }, screen | CF_EFFECTS);
    row(
        "a smallest size", [](auto &a) { a.MinSize = 8; }, screen | CF_LIMITSIZE);
    row(
        "a largest size", [](auto &a) { a.MaxSize = 72; }, screen | CF_LIMITSIZE);
    row(
        "a printer lists its fonts", [](auto &a) { a.PrinterDC = 77; },
        CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT, 77);
    row(
        "printer fonts use the default printer", [](auto &a) { a.flags = CF_PRINTERFONTS; },
        CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT, 0x5150);
    row(
        "hook, template and apply dropped",
        [](auto &a) { a.flags = CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_APPLY; }, screen);
    row(
        "a flag added twice carries into the next bit",
        [](auto &a) { a.flags = CF_INITTOLOGFONTSTRUCT; }, CF_SCREENFONTS | CF_USESTYLE);
}

void TestCommonDialog::fontFlags()
{
    QFETCH(FontChange, change);
    QFETCH(qint32, expectedFlags);
    QFETCH(DeviceContext, expectedPrinter);
    m_backend->result = 0; // the composed flags reach the caller before the dialog opens
    DialogFont font;
    ChooseFontArgs args;
    change(args);

    QVERIFY(!m_dialog->VBChooseFont(font, args));
    const ChooseFontData &asked = m_backend->fontRequest;
    QVERIFY(asked.flags == expectedFlags && args.flags == expectedFlags);
    QVERIFY(asked.printerDC == expectedPrinter && args.PrinterDC == expectedPrinter);
    QVERIFY(asked.color == args.Color && asked.sizeMin == args.MinSize &&
            asked.sizeMax == args.MaxSize);
}

void TestCommonDialog::fontRequest_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("twips");
    QTest::addColumn<qint32>("expectedHeight");
    QTest::addColumn<qint32>("expectedPointSize");
    QTest::newRow("12 pt at 96 dpi") << 12.0 << 15.0 << -16 << 120;
    QTest::newRow("12 pt at 120 dpi") << 12.0 << 12.0 << -20 << 120;
    QTest::newRow("10.5 px rounds down to even") << 7.875 << 15.0 << -10 << 79;
    QTest::newRow("11.5 px rounds up to even") << 8.625 << 15.0 << -12 << 86;
    QTest::newRow("102.5 tenths round to even") << 10.25 << 15.0 << -14 << 102;
}

void TestCommonDialog::fontRequest()
{
    QFETCH(double, size);
    QFETCH(double, twips);
    QFETCH(qint32, expectedHeight);
    QFETCH(qint32, expectedPointSize);
    m_backend->twips = twips;
    DialogFont font{QString(40, u'x'), size, false, true, false, true, 700};

    m_dialog->VBChooseFont(font);
    const LogicalFont &asked = m_backend->fontRequest.logFont;
    QCOMPARE(asked.height, expectedHeight);
    QCOMPARE(m_backend->fontRequest.pointSize, expectedPointSize);
    QCOMPARE(asked.faceName, QString(32, u'x'));
    QVERIFY(asked.weight == 700 && asked.italic && asked.strikeOut && !asked.underline);
}

void TestCommonDialog::fontReply_data()
{
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedError");
    QTest::newRow("chosen") << 1 << 0;
    QTest::newRow("cancelled: nothing changes") << 0 << 0;
    QTest::newRow("failed with a code: nothing changes") << 3 << 0x2002;
}

void TestCommonDialog::fontReply()
{
    QFETCH(qint32, result);
    QFETCH(qint32, expectedError);
    m_backend->result = result;
    m_backend->errorCode = 0x2002;
    m_backend->answerFont = [](ChooseFontData &data) {
        data.logFont = {-14, 400, true, true, false, z("DejaVu Serif~~~")};
        data.pointSize = 105;
        data.fontType = BOLD_FONTTYPE; // bold by type while the weight says normal
        data.color = 0x123456;
        data.flags |= CF_FIXEDPITCHONLY;
    };
    DialogFont font{QStringLiteral("Sans"), 12.0, false, false, false, true, 700};
    ChooseFontArgs args;
    args.Color = 0xFF;
    const qint32 composed = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;

    QCOMPARE(m_dialog->VBChooseFont(font, args), result == 1);
    QVERIFY(m_dialog->APIReturn() == result && m_dialog->ExtendedError() == expectedError);
    if (result != 1) {
        QVERIFY(font.Name == QStringLiteral("Sans") && font.Size == 12.0 && !font.Bold &&
                font.Strikethrough && font.Weight == 700);
        QVERIFY(args.Color == 0xFF && args.flags == composed);
        return;
    }
    QCOMPARE(font.Name, QStringLiteral("DejaVu Serif"));
    QCOMPARE(font.Size, 10.5);
    QVERIFY(font.Bold && font.Italic && font.Underline && !font.Strikethrough);
    QCOMPARE(font.Weight, 400);
    QCOMPARE(args.Color, 0x123456);
    QCOMPARE(args.flags, composed | CF_FIXEDPITCHONLY);
}

void TestCommonDialog::printFlags_data()
{
    QTest::addColumn<PrintChange>("change");
    QTest::addColumn<qint32>("expectedFlags");
    const auto row = [](const char *name, const PrintChange &change, qint32 flags) {
        QTest::newRow(name) << change << flags;
    };
    row(
        "defaults", [](auto &) {}, kPrintBase);
    row(
        "no page numbers", [](auto &a) { a.DisablePageNumbers = true; },
        kPrintBase | PD_NOPAGENUMS);
    row(
        "no selection", [](auto &a) { a.DisableSelection = true; }, kPrintBase | PD_NOSELECTION);
    row(
        "print to file shown", [](auto &a) { a.ShowPrintToFile = true; },
        kPrintBase & ~PD_HIDEPRINTTOFILE);
    row(
        "print to file enabled", [](auto &a) { a.DisablePrintToFile = false; },
        kPrintBase & ~PD_DISABLEPRINTTOFILE);
    row(
        "print to file", [](auto &a) { a.PrintToFile = true; }, kPrintBase | PD_PRINTTOFILE);
    row(
        "collate", [](auto &a) { a.Collate = true; }, kPrintBase | PD_COLLATE);
    row(
        "no warning", [](auto &a) { a.PreventWarning = true; }, kPrintBase | PD_NOWARNING);
    row(
        "page range", [](auto &a) { a.PrintRange = 1; }, kPrintBase | PD_PAGENUMS);
    row(
        "selection", [](auto &a) { a.PrintRange = 2; }, kPrintBase | PD_SELECTION);
    row(
        "unknown range", [](auto &a) { a.PrintRange = 3; }, kPrintBase);
    row(
        "flags argument ignored", [](auto &a) { a.flags = 0xF000 | PD_NOPAGENUMS; }, kPrintBase);
}

void TestCommonDialog::printFlags()
{
    QFETCH(PrintChange, change);
    QFETCH(qint32, expectedFlags);
    PrintDlgArgs args;
    args.Owner = -1; // passed as it is, unlike the other dialogs' owner
    change(args);
    DeviceContext hdc = 0;

    m_dialog->VBPrintDlg(hdc, args);
    const PrintDialogData &asked = m_backend->printRequest;
    QCOMPARE(asked.flags, expectedFlags);
    QCOMPARE(asked.fromPage, quint16{1});
    QCOMPARE(asked.toPage, quint16{65535}); // -1 as a 16-bit page number
    QVERIFY(asked.minPage == 1 && asked.maxPage == 65535 && asked.owner == -1);
}

void TestCommonDialog::printReply_data()
{
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("returnedFlags");
    QTest::addColumn<qint16>("collate");
    QTest::addColumn<qint32>("expectedRange");
    QTest::newRow("all pages, collated") << 1 << kPrintBase << DMCOLLATE_TRUE << 0;
    QTest::newRow("page numbers") << 1 << (kPrintBase | PD_PAGENUMS) << DMCOLLATE_FALSE << 1;
    QTest::newRow("selection, to a file")
        << 1 << (PD_SELECTION | PD_PRINTTOFILE) << DMCOLLATE_FALSE << 2;
    QTest::newRow("page numbers win over selection")
        << 1 << (PD_PAGENUMS | PD_SELECTION) << DMCOLLATE_FALSE << 1;
    QTest::newRow("cancelled: nothing changes") << 0 << PD_PAGENUMS << DMCOLLATE_TRUE << 0;
    QTest::newRow("failed: nothing changes") << 6 << PD_PAGENUMS << DMCOLLATE_TRUE << 0;
}

void TestCommonDialog::printReply()
{
    QFETCH(qint32, result);
    QFETCH(qint32, returnedFlags);
    QFETCH(qint16, collate);
    QFETCH(qint32, expectedRange);
    leaveFailure(0x1111);
    m_backend->result = result;
    m_backend->errorCode = 0x1008;
    m_backend->answerPrint = [&](PrintDialogData &data) {
        data.flags = returnedFlags;
        data.deviceContext = 0x1234;
        data.fromPage = 4;
        data.toPage = 65535;
        data.deviceMode = {DMORIENT_LANDSCAPE, 9, 3, 600, collate};
    };
    FakeDialogPrinter printer;
    printer.refuse = QStringList{QStringLiteral("copies")};
    PrintDlgArgs args;
    args.Printer = &printer;
    args.Collate = collate == DMCOLLATE_FALSE;
    DeviceContext hdc = 99;

    QCOMPARE(m_dialog->VBPrintDlg(hdc, args), result == 1);
    QVERIFY(m_dialog->APIReturn() == result &&
            m_dialog->ExtendedError() == (result > 1 ? 0x1008 : 0));
    QCOMPARE(args.PrintRange, expectedRange);
    QCOMPARE(args.PrintToFile, result == 1 && (returnedFlags & PD_PRINTTOFILE) != 0);
    if (result != 1) {
        QVERIFY(hdc == 99 && args.FromPage == 1 && args.Copies == 0 && !args.Collate);
        QVERIFY(printer.offered.isEmpty());
        return;
    }
    QCOMPARE(hdc, DeviceContext{0x1234});
    QVERIFY(args.FromPage == 4 && args.ToPage == -1 && args.Copies == 3);
    QCOMPARE(args.Collate, collate == DMCOLLATE_TRUE);
    // The refused copies cost neither the other settings nor the call.
    QCOMPARE(printer.offered.join(u' '),
             QStringLiteral("copies=3 orientation=2 paper=9 quality=600"));
}

void TestCommonDialog::pageSetupRequest_data()
{
    QTest::addColumn<PageChange>("change");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<Margins>("expectedMargins");
    const Margins none(8, 0);
    QTest::newRow("one-inch left margin") << PageChange([](auto &a) { a.LeftMargin = 1; })
                                          << kInches << Margins{1000, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("millimetres") << PageChange([](auto &a) {
        a.Units = 1;
        a.TopMargin = 25;
        a.MinBottomMargin = 5;
    }) << kMillimetres << Margins{0, 2500, 0, 0, 0, 0, 0, 500};
    QTest::newRow("any other unit is millimetres")
        << PageChange([](auto &a) { a.Units = -3; }) << kMillimetres << none;
    QTest::newRow("largest inch margin that fits")
        << PageChange([](auto &a) { a.MinRightMargin = 2147483; }) << kInches
        << Margins{0, 0, 0, 0, 0, 0, 2147483000, 0};
    QTest::newRow("switches, flags argument ignored")
        << PageChange([](auto &a) {
               a.DisableMargins = a.DisableOrientation = a.DisablePaper = a.DisablePrinter = true;
               a.flags = 0xFFFF;
           })
        << (kInches | PSD_DISABLEMARGINS | PSD_DISABLEORIENTATION | PSD_DISABLEPAPER |
            PSD_DISABLEPRINTER)
        << none;
}

void TestCommonDialog::pageSetupRequest()
{
    QFETCH(PageChange, change);
    QFETCH(qint32, expectedFlags);
    QFETCH(Margins, expectedMargins);
    PageSetupArgs args;
    change(args);

    m_dialog->VBPageSetupDlg(args);
    const PageMargins &m = m_backend->pageSetupRequest.margins;
    const PageMargins &n = m_backend->pageSetupRequest.minMargins;
    QCOMPARE(m_backend->pageSetupRequest.flags, expectedFlags);
    QCOMPARE(Margins({m.left, m.top, m.right, m.bottom, n.left, n.top, n.right, n.bottom}),
             expectedMargins);
}

void TestCommonDialog::pageSetupReply_data()
{
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("units");
    QTest::addColumn<qint32>("returned");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("in: 1.5 up to 2") << 1 << 0 << 1500 << 2;
    QTest::newRow("in: 2.5 down to 2") << 1 << 0 << 2500 << 2;
    QTest::newRow("in: 1.499 down") << 1 << 0 << 1499 << 1;
    QTest::newRow("mm: 3.5 up to 4") << 1 << 1 << 350 << 4;
    QTest::newRow("mm: 2.51 up") << 1 << 1 << 251 << 3;
    QTest::newRow("mm: -2.5 to -2") << 1 << 1 << -250 << -2;
    QTest::newRow("any non-zero result is success") << 5 << 0 << 3000 << 3;
    QTest::newRow("cancelled: nothing changes") << 0 << 0 << 3000 << 0;
}

void TestCommonDialog::pageSetupReply()
{
    QFETCH(qint32, result);
    QFETCH(qint32, units);
    QFETCH(qint32, returned);
    QFETCH(qint32, expected);
    leaveFailure(0x1009);
    m_backend->result = result;
    m_backend->answerPageSetup = [returned](PageSetupData &data) {
        data.margins = data.minMargins = {returned, returned, returned, returned};
        data.deviceMode = {DMORIENT_LANDSCAPE, 9, 2, 300, DMCOLLATE_FALSE};
    };
    FakeDialogPrinter printer;
    PageSetupArgs args;
    args.Units = units;
    args.Printer = &printer;

    QCOMPARE(m_dialog->VBPageSetupDlg(args), result != 0);
    QVERIFY(m_dialog->APIReturn() == 0 && m_dialog->ExtendedError() == 0);
    QCOMPARE(marginsOf(args), Margins(8, expected));
    const Margins paper = result == 0 ? Margins{1, 1, -1} : Margins{9, 2, 300};
    QCOMPARE(Margins({args.PaperSize, args.Orientation, args.PrintQuality}), paper);
    QCOMPARE(printer.offered.size(), result == 0 ? 0 : 4);
}

void TestCommonDialog::overflow_data()
{
    QTest::addColumn<DialogCall>("run");
    QTest::newRow("font flags") << call(FontChange([](auto &a) { a.flags = 0x7FFFFFFF; }));
    QTest::newRow("font flags with a printer") << call(FontChange([](auto &a) {
        a.flags = 0x7FFFFFFE;
        a.PrinterDC = 5;
    }));
    QTest::newRow("left margin in inches")
        << call(PageChange([](auto &a) { a.LeftMargin = 2147484; }));
    QTest::newRow("negative top margin")
        << call(PageChange([](auto &a) { a.TopMargin = -2147484; }));
    QTest::newRow("smallest bottom margin in mm") << call(PageChange([](auto &a) {
        a.Units = 1;
        a.MinBottomMargin = 21474837;
    }));
    QTest::newRow("first page") << call(PrintChange([](auto &a) { a.FromPage = 32768; }));
    QTest::newRow("last page") << call(PrintChange([](auto &a) { a.ToPage = -32769; }));
    QTest::newRow("font size") << DialogCall([](cCommonDialog &dialog) {
        DialogFont font;
        font.Size = 1e12;
        return dialog.VBChooseFont(font);
    });
}

void TestCommonDialog::overflow()
{
    QFETCH(DialogCall, run);
    QVERIFY(throwsKind([&] { run(*m_dialog); }, CommonDialogError::Kind::Overflow));
    QCOMPARE(m_backend->dialogs, 0);

    // Nothing the caller passed is touched.
    DialogFont font;
    ChooseFontArgs args;
    args.flags = 0x7FFFFFFF;
    QVERIFY(
        throwsKind([&] { m_dialog->VBChooseFont(font, args); }, CommonDialogError::Kind::Overflow));
    QVERIFY(args.flags == 0x7FFFFFFF && args.PrinterDC == -1);
}

QTEST_GUILESS_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
