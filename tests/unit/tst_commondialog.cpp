#include "CommonDialogError.h"
#include "CommonDialogFlags.h"
#include "FakeCommonDialogBackend.h"
#include "FakeDialogPrinter.h"
#include "cCommonDialog.h"

#include <QtTest>

#include <functional>

using namespace CommonDialogFlags;

using OpenChange = std::function<void(OpenFileArgs &)>;
using SaveChange = std::function<void(SaveFileArgs &)>;
using PrintChange = std::function<void(PrintDlgArgs &)>;
using PageChange = std::function<void(PageSetupArgs &)>;
using DialogCall = std::function<void(cCommonDialog &)>;
Q_DECLARE_METATYPE(OpenChange)
Q_DECLARE_METATYPE(SaveChange)
Q_DECLARE_METATYPE(ChooseColorArgs)
Q_DECLARE_METATYPE(ChooseFontArgs)
Q_DECLARE_METATYPE(PrintChange)
Q_DECLARE_METATYPE(PageChange)
Q_DECLARE_METATYPE(DialogCall)

namespace {

/// `text` with each '~' turned into a NUL, which a literal cannot show.
QString z(const char *text) {
    return QString::fromUtf8(text).replace(u'~', QChar(u'\0'));
}

QString padded(const QString &text, qsizetype size) {
    return text + QString(size - text.size(), QChar(u'\0'));
}

bool throwsKind(const std::function<void()> &call, CommonDialogError::Kind kind) {
    try {
        call();
    } catch (const CommonDialogError &error) {
        return error.kind() == kind;
    }
    return false;
}

constexpr qint32 kPrintBase =
    PD_HIDEPRINTTOFILE | PD_DISABLEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_RETURNDC;

} // namespace

class TestCommonDialog : public QObject {
    Q_OBJECT

private slots:
    void openWithDefaults();
    void fileFlags_data();
    void fileFlags();
    void fileDialogFails_data();
    void fileDialogFails();
    void chosenFilter_data();
    void chosenFilter();
    void readOnlyReply_data();
    void readOnlyReply();
    void nameLength_data();
    void nameLength();
    void fileTitle_data();
    void fileTitle();
    void resultAndErrorFields();
    void customColors();
    void colorFlags_data();
    void colorFlags();
    void colorResult_data();
    void colorResult();
    void fontFlags_data();
    void fontFlags();
    void fontRequest_data();
    void fontRequest();
    void fontReply();
    void fontFails_data();
    void fontFails();
    void printFlags_data();
    void printFlags();
    void printReply_data();
    void printReply();
    void printFails_data();
    void printFails();
    void pageSetupRequest_data();
    void pageSetupRequest();
    void pageSetupRounding_data();
    void pageSetupRounding();
    void pageSetupResult_data();
    void pageSetupResult();
    void overflow_data();
    void overflow();
    void overflowLeavesArguments();
};

void TestCommonDialog::openWithDefaults() {
    FakeCommonDialogBackend backend;
    backend.answerFile = [](FileNameData &data) {
        data.file = padded(QStringLiteral("/music/tone.mp3"), data.maxFile);
        data.fileTitle = padded(QStringLiteral("tone.mp3"), data.maxFileTitle);
    };
    cCommonDialog dialog(backend);
    QString name;
    OpenFileArgs args;

    QVERIFY(dialog.VBGetOpenFileName(name, args));
    const FileNameData &asked = backend.fileRequest;
    QCOMPARE(asked.filter, z("All (*.*)~ *.*~~"));
    QCOMPARE(asked.filterIndex, 1);
    QCOMPARE(asked.flags, OFN_FILEMUSTEXIST);
    QCOMPARE(asked.file, QString(260, QChar(u'\0')));
    QCOMPARE(asked.maxFile, 260);
    QCOMPARE(asked.maxFileTitle, 260);
    QCOMPARE(asked.owner, WindowHandle{0});
    QCOMPARE(name, QStringLiteral("/music/tone.mp3"));
    QCOMPARE(args.FileTitle, QStringLiteral("tone.mp3"));
    QCOMPARE(args.Filter, z("All (*.*)~ *.*"));
    QCOMPARE(args.FilterIndex, 1);
    QCOMPARE(dialog.APIReturn(), 1);
    QCOMPARE(dialog.ExtendedError(), 0);
}

void TestCommonDialog::fileFlags_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<OpenChange>("changeOpen");
    QTest::addColumn<SaveChange>("changeSave");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<WindowHandle>("expectedOwner");
    using Open = OpenChange;
    using Save = SaveChange;
    const Open open;
    const Save save;

    QTest::newRow("open: defaults")
        << false << open << save << OFN_FILEMUSTEXIST << WindowHandle{0};
    QTest::newRow("open: no switches")
        << false << Open([](OpenFileArgs &a) { a.FileMustExist = false; }) << save << 0
        << WindowHandle{0};
    QTest::newRow("open: several files")
        << false << Open([](OpenFileArgs &a) { a.MultiSelect = true; }) << save
        << (OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT) << WindowHandle{0};
    QTest::newRow("open: read-only box ticked")
        << false << Open([](OpenFileArgs &a) { a.ReadOnly = true; }) << save
        << (OFN_FILEMUSTEXIST | OFN_READONLY) << WindowHandle{0};
    QTest::newRow("open: read-only box hidden")
        << false << Open([](OpenFileArgs &a) { a.ReadOnly = a.HideReadOnly = true; }) << save
        << (OFN_FILEMUSTEXIST | OFN_READONLY | OFN_HIDEREADONLY) << WindowHandle{0};
    QTest::newRow("open: hook and template dropped, owner kept")
        << false << Open([](OpenFileArgs &a) {
               a.flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_EXPLORER;
               a.Owner = 42;
           })
        << save << (OFN_FILEMUSTEXIST | OFN_EXPLORER) << WindowHandle{42};
    QTest::newRow("save: defaults")
        << true << open << save << (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY) << WindowHandle{0};
    QTest::newRow("save: no prompt")
        << true << open << Save([](SaveFileArgs &a) { a.OverWritePrompt = false; })
        << OFN_HIDEREADONLY << WindowHandle{0};
    QTest::newRow("save: caller's flags merged") << true << open << Save([](SaveFileArgs &a) {
        a.flags = OFN_PATHMUSTEXIST | OFN_ENABLEHOOK;
        a.Owner = 7;
    }) << (OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY)
                                                 << WindowHandle{7};
}

void TestCommonDialog::fileFlags() {
    QFETCH(bool, save);
    QFETCH(OpenChange, changeOpen);
    QFETCH(SaveChange, changeSave);
    QFETCH(qint32, expectedFlags);
    QFETCH(WindowHandle, expectedOwner);
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QString name;
    if (save) {
        SaveFileArgs args;
        if (changeSave)
            changeSave(args);
        dialog.VBGetSaveFileName(name, args);
    } else {
        OpenFileArgs args;
        if (changeOpen)
            changeOpen(args);
        dialog.VBGetOpenFileName(name, args);
    }
    QCOMPARE(backend.fileRequest.flags, expectedFlags);
    QCOMPARE(backend.fileRequest.owner, expectedOwner);
}

void TestCommonDialog::fileDialogFails_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedFilterIndex");
    QTest::addColumn<qint32>("expectedError");
    QTest::newRow("open cancelled") << false << 0 << -1 << 0;
    QTest::newRow("open failed with a code") << false << 2 << -1 << FNERR_BUFFERTOOSMALL;
    QTest::newRow("save cancelled") << true << 0 << 0 << 0;
    QTest::newRow("save failed with a code") << true << 0xFFFF << 0 << FNERR_BUFFERTOOSMALL;
}

void TestCommonDialog::fileDialogFails() {
    QFETCH(bool, save);
    QFETCH(qint32, result);
    QFETCH(qint32, expectedFilterIndex);
    QFETCH(qint32, expectedError);
    FakeCommonDialogBackend backend;
    backend.result = result;
    backend.errorCode = FNERR_BUFFERTOOSMALL;
    cCommonDialog dialog(backend);
    QString name = QStringLiteral("old.txt");
    OpenFileArgs open;
    open.FileTitle = QStringLiteral("title");
    open.Filter = QStringLiteral("Text|*.txt");
    open.FilterIndex = 1;
    open.flags = OFN_EXPLORER;
    open.ReadOnly = true;
    SaveFileArgs saveArgs;
    saveArgs.FileTitle = open.FileTitle;
    saveArgs.Filter = open.Filter;
    saveArgs.flags = open.flags;

    QVERIFY(
        !(save ? dialog.VBGetSaveFileName(name, saveArgs) : dialog.VBGetOpenFileName(name, open)));
    QVERIFY(name.isEmpty());
    QVERIFY((save ? saveArgs.FileTitle : open.FileTitle).isEmpty());
    QVERIFY((save ? saveArgs.Filter : open.Filter).isEmpty());
    QCOMPARE(save ? saveArgs.flags : open.flags, 0);
    QCOMPARE(save ? saveArgs.FilterIndex : open.FilterIndex, expectedFilterIndex);
    QVERIFY(open.ReadOnly);
    QCOMPARE(dialog.APIReturn(), result);
    QCOMPARE(dialog.ExtendedError(), expectedError);
}

void TestCommonDialog::chosenFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("converted");
    QTest::addColumn<qint32>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default") << QStringLiteral("All (*.*)| *.*") << z("All (*.*)~ *.*~~") << 1
                             << z("All (*.*)~ *.*");
    QTest::newRow("second of two") << QStringLiteral("Text (*.txt)|*.txt|All|*.*")
                                   << z("Text (*.txt)~*.txt~All~*.*~~") << 2 << z("All~*.*");
    QTest::newRow("colons separate like bars")
        << QStringLiteral("Text: *.txt|Audio: *.mp3") << z("Text~ *.txt~Audio~ *.mp3~~") << 2
        << z("Audio~ *.mp3");
    QTest::newRow("a colon in a description shifts the pairs")
        << QStringLiteral("Drive C:|*.*") << z("Drive C~~*.*~~") << 2 << z("*.*~");
    QTest::newRow("index past the pairs") << QStringLiteral("A|a") << z("A~a~~") << 2 << QString();
    QTest::newRow("index 0") << QStringLiteral("A|a") << z("A~a~~") << 0 << QString();
    QTest::newRow("empty filter: one empty pair") << QString() << z("~~") << 1 << z("~");
}

void TestCommonDialog::chosenFilter() {
    QFETCH(QString, filter);
    QFETCH(QString, converted);
    QFETCH(qint32, chosen);
    QFETCH(QString, expected);
    FakeCommonDialogBackend backend;
    backend.answerFile = [chosen](FileNameData &data) {
        data.filterIndex = chosen;
    };
    cCommonDialog dialog(backend);
    QString name;
    SaveFileArgs args;
    args.Filter = filter;

    QVERIFY(dialog.VBGetSaveFileName(name, args));
    QCOMPARE(backend.fileRequest.filter, converted);
    QCOMPARE(args.FilterIndex, chosen);
    QCOMPARE(args.Filter, expected);
}

void TestCommonDialog::readOnlyReply_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<qint32>("returnedFlags");
    QTest::addColumn<bool>("expected");
    QTest::newRow("ticked in the dialog") << false << OFN_READONLY << true;
    QTest::newRow("left alone when not ticked") << true << 0 << true;
    QTest::newRow("stays off") << false << 0 << false;
}

void TestCommonDialog::readOnlyReply() {
    QFETCH(bool, readOnly);
    QFETCH(qint32, returnedFlags);
    QFETCH(bool, expected);
    FakeCommonDialogBackend backend;
    backend.answerFile = [returnedFlags](FileNameData &data) {
        data.flags = returnedFlags;
    };
    cCommonDialog dialog(backend);
    QString name;
    OpenFileArgs args;
    args.ReadOnly = readOnly;

    QVERIFY(dialog.VBGetOpenFileName(name, args));
    QCOMPARE(args.ReadOnly, expected);
    QCOMPARE(args.flags, returnedFlags);
}

void TestCommonDialog::nameLength_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<int>("titleLength");
    QTest::addColumn<bool>("fits");
    QTest::newRow("open: 260-character name") << false << 260 << 0 << true;
    QTest::newRow("open: 261-character name") << false << 261 << 0 << false;
    QTest::newRow("open: 261-character title") << false << 3 << 261 << false;
    QTest::newRow("save: 260-character title") << true << 3 << 260 << true;
    QTest::newRow("save: 261-character name") << true << 261 << 0 << false;
}

void TestCommonDialog::nameLength() {
    QFETCH(bool, save);
    QFETCH(int, nameLength);
    QFETCH(int, titleLength);
    QFETCH(bool, fits);
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    qint32 color = 0;
    dialog.VBChooseColor(color); // leaves APIReturn 1
    const QString original(nameLength, u'n');
    QString name = original;
    OpenFileArgs open;
    SaveFileArgs saveArgs;
    open.FileTitle = saveArgs.FileTitle = QString(titleLength, u't');
    const auto call = [&] {
        if (save)
            dialog.VBGetSaveFileName(name, saveArgs);
        else
            dialog.VBGetOpenFileName(name, open);
    };

    if (fits) {
        call();
        QCOMPARE(backend.fileRequest.file, padded(original, 260));
        QCOMPARE(backend.fileRequest.fileTitle, padded(QString(titleLength, u't'), 260));
        return;
    }
    QVERIFY(throwsKind(call, CommonDialogError::Kind::InvalidArgument));
    QCOMPARE(backend.dialogs, 1); // the colour dialog only
    QCOMPARE(name, original);
    QCOMPARE(dialog.APIReturn(), 0);
}

void TestCommonDialog::fileTitle_data() {
    QTest::addColumn<qint32>("backendResult");
    QTest::addColumn<QString>("expected");
    QTest::newRow("found") << 0 << QStringLiteral("tone.mp3");
    QTest::newRow("buffer too small") << 9 << QString();
    QTest::newRow("bad name") << -1 << QString();
}

void TestCommonDialog::fileTitle() {
    QFETCH(qint32, backendResult);
    QFETCH(QString, expected);
    FakeCommonDialogBackend backend;
    backend.result = 3;
    cCommonDialog dialog(backend);
    qint32 color = 0;
    dialog.VBChooseColor(color);
    backend.fileTitleResult = backendResult;

    QCOMPARE(dialog.VBGetFileTitle(QStringLiteral("/music/tone.mp3")), expected);
    QCOMPARE(backend.fileTitleBuffer, QString(260, QChar(u'\0')));
    QCOMPARE(dialog.APIReturn(), 3);
}

void TestCommonDialog::resultAndErrorFields() {
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    DialogFont font;
    backend.result = 7;
    backend.errorCode = 0x2002;
    QVERIFY(!dialog.VBChooseFont(font));
    QCOMPARE(dialog.APIReturn(), 7);
    QCOMPARE(dialog.ExtendedError(), 0x2002);

    // The colour dialog alone keeps the last extended error.
    qint32 color = 0;
    backend.result = 1;
    QVERIFY(dialog.VBChooseColor(color));
    QCOMPARE(dialog.APIReturn(), 1);
    QCOMPARE(dialog.ExtendedError(), 0x2002);
    backend.result = 0;
    QVERIFY(!dialog.VBChooseColor(color));
    QCOMPARE(dialog.APIReturn(), 0);
    QCOMPARE(dialog.ExtendedError(), 0x2002);

    DeviceContext hdc = 0;
    backend.result = 1;
    QVERIFY(dialog.VBPrintDlg(hdc));
    QCOMPARE(dialog.APIReturn(), 1);
    QCOMPARE(dialog.ExtendedError(), 0);
}

void TestCommonDialog::customColors() {
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QCOMPARE(backend.systemColorReads, 0);

    QCOMPARE(dialog.CustomColor(0), FakeCommonDialogBackend::systemColorOf(0));
    QCOMPARE(dialog.CustomColor(15), FakeCommonDialogBackend::systemColorOf(15));
    QCOMPARE(dialog.CustomColor(16), -1);
    QCOMPARE(dialog.CustomColor(-1), -1);
    dialog.setCustomColor(16, 0x123456);
    dialog.setCustomColor(-1, 0x123456);
    for (qint16 i = 0; i < 16; ++i)
        QCOMPARE(dialog.CustomColor(i), FakeCommonDialogBackend::systemColorOf(i));
    QCOMPARE(backend.systemColorReads, 16);

    dialog.setCustomColor(3, 0x0000FF);
    QCOMPARE(dialog.CustomColor(3), 0x0000FF);
    backend.answerColor = [](ChooseColorData &data) {
        data.customColors->at(5) = 0xABCDEF;
    };
    qint32 color = 0;
    dialog.VBChooseColor(color);
    QCOMPARE(backend.colorTable.at(3), 0x0000FF);
    QCOMPARE(dialog.CustomColor(5), 0xABCDEF);
    QCOMPARE(backend.systemColorReads, 16);

    // A colour dialog first thing also starts from the system colours.
    FakeCommonDialogBackend fresh;
    cCommonDialog other(fresh);
    other.VBChooseColor(color);
    QCOMPARE(fresh.colorTable.at(0), FakeCommonDialogBackend::systemColorOf(0));
    QCOMPARE(fresh.colorTable.at(15), FakeCommonDialogBackend::systemColorOf(15));
}

void TestCommonDialog::colorFlags_data() {
    QTest::addColumn<ChooseColorArgs>("args");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<WindowHandle>("expectedOwner");
    ChooseColorArgs args;
    QTest::newRow("defaults") << args << (CC_ANYCOLOR | CC_RGBINIT) << WindowHandle{0};
    args.AnyColor = false;
    QTest::newRow("solid colours") << args << (CC_SOLIDCOLOR | CC_RGBINIT) << WindowHandle{0};
    args = {};
    args.FullOpen = true;
    args.Owner = 42;
    QTest::newRow("full open, owned")
        << args << (CC_ANYCOLOR | CC_RGBINIT | CC_FULLOPEN) << WindowHandle{42};
    args = {};
    args.DisableFullOpen = true;
    args.flags = 0xFFFF;
    QTest::newRow("editor kept closed, flags ignored")
        << args << (CC_ANYCOLOR | CC_RGBINIT | CC_PREVENTFULLOPEN) << WindowHandle{0};
}

void TestCommonDialog::colorFlags() {
    QFETCH(ChooseColorArgs, args);
    QFETCH(qint32, expectedFlags);
    QFETCH(WindowHandle, expectedOwner);
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    qint32 color = 0x00336699;
    dialog.VBChooseColor(color, args);
    QCOMPARE(backend.colorRequest.flags, expectedFlags);
    QCOMPARE(backend.colorRequest.owner, expectedOwner);
    QCOMPARE(backend.colorRequest.rgbResult, 0x00336699);
}

void TestCommonDialog::colorResult_data() {
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedColor");
    QTest::addColumn<qint32>("expectedError");
    QTest::newRow("chosen") << 1 << 0x00ABCDEF << 0;
    QTest::newRow("cancelled") << 0 << -1 << 0;
    QTest::newRow("failed with a code") << 4 << -1 << CDERR_INITIALIZATION;
}

void TestCommonDialog::colorResult() {
    QFETCH(qint32, result);
    QFETCH(qint32, expectedColor);
    QFETCH(qint32, expectedError);
    FakeCommonDialogBackend backend;
    backend.result = result;
    backend.errorCode = CDERR_INITIALIZATION;
    backend.answerColor = [](ChooseColorData &data) {
        data.rgbResult = 0x00ABCDEF;
    };
    cCommonDialog dialog(backend);
    qint32 color = 0x00336699;
    QCOMPARE(dialog.VBChooseColor(color), result == 1);
    QCOMPARE(color, expectedColor);
    QCOMPARE(dialog.APIReturn(), result);
    QCOMPARE(dialog.ExtendedError(), expectedError);
}

void TestCommonDialog::fontFlags_data() {
    QTest::addColumn<ChooseFontArgs>("args");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<DeviceContext>("expectedPrinter");
    const qint32 init = CF_INITTOLOGFONTSTRUCT;
    ChooseFontArgs args;
    QTest::newRow("defaults: screen fonts, no effects")
        << args << (CF_SCREENFONTS | init) << DeviceContext{0};
    args.Color = 0xFF;
    QTest::newRow("a colour offers effects")
        << args << (CF_SCREENFONTS | CF_EFFECTS | init) << DeviceContext{0};
    args = {};
    args.MinSize = 8;
    QTest::newRow("a smallest size limits sizes")
        << args << (CF_SCREENFONTS | CF_LIMITSIZE | init) << DeviceContext{0};
    args = {};
    args.MaxSize = 72;
    QTest::newRow("a largest size limits sizes")
        << args << (CF_SCREENFONTS | CF_LIMITSIZE | init) << DeviceContext{0};
    args = {};
    args.PrinterDC = 77;
    QTest::newRow("a printer lists its fonts")
        << args << (CF_PRINTERFONTS | init) << DeviceContext{77};
    args = {};
    args.flags = CF_PRINTERFONTS;
    QTest::newRow("printer fonts use the default printer")
        << args << (CF_PRINTERFONTS | init) << DeviceContext{0x5150};
    args.flags = CF_PRINTERFONTS | CF_SCREENFONTS;
    QTest::newRow("both font lists")
        << args << (CF_PRINTERFONTS | CF_SCREENFONTS | init) << DeviceContext{0x5150};
    args.flags = CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_APPLY;
    QTest::newRow("hook, template and apply dropped")
        << args << (CF_SCREENFONTS | init) << DeviceContext{0};
    args.flags = init;
    QTest::newRow("a flag added twice carries into the next bit")
        << args << (CF_SCREENFONTS | CF_USESTYLE) << DeviceContext{0};
}

void TestCommonDialog::fontFlags() {
    QFETCH(ChooseFontArgs, args);
    QFETCH(qint32, expectedFlags);
    QFETCH(DeviceContext, expectedPrinter);
    FakeCommonDialogBackend backend;
    backend.result = 0; // the composed flags go back to the caller before the dialog opens
    cCommonDialog dialog(backend);
    DialogFont font;

    QVERIFY(!dialog.VBChooseFont(font, args));
    QCOMPARE(backend.fontRequest.flags, expectedFlags);
    QCOMPARE(backend.fontRequest.printerDC, expectedPrinter);
    QCOMPARE(args.flags, expectedFlags);
    QCOMPARE(args.PrinterDC, expectedPrinter);
    QCOMPARE(backend.fontRequest.color, args.Color);
    QCOMPARE(backend.fontRequest.sizeMin, args.MinSize);
    QCOMPARE(backend.fontRequest.sizeMax, args.MaxSize);
}

void TestCommonDialog::fontRequest_data() {
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("twips");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint32>("expectedHeight");
    QTest::addColumn<qint32>("expectedPointSize");
    QTest::addColumn<QString>("expectedFace");
    const QString sans = QStringLiteral("Liberation Sans");
    const QString longName(40, u'x');
    QTest::newRow("12 pt at 96 dpi") << 12.0 << 15.0 << sans << -16 << 120 << padded(sans, 32);
    QTest::newRow("12 pt at 120 dpi") << 12.0 << 12.0 << sans << -20 << 120 << padded(sans, 32);
    QTest::newRow("10.5 px rounds down to even")
        << 7.875 << 15.0 << sans << -10 << 79 << padded(sans, 32);
    QTest::newRow("11.5 px rounds up to even")
        << 8.625 << 15.0 << sans << -12 << 86 << padded(sans, 32);
    QTest::newRow("102.5 tenths round to even")
        << 10.25 << 15.0 << sans << -14 << 102 << padded(sans, 32);
    QTest::newRow("long face name cut")
        << 12.0 << 15.0 << longName << -16 << 120 << QString(32, u'x');
}

void TestCommonDialog::fontRequest() {
    QFETCH(double, size);
    QFETCH(double, twips);
    QFETCH(QString, name);
    QFETCH(qint32, expectedHeight);
    QFETCH(qint32, expectedPointSize);
    QFETCH(QString, expectedFace);
    FakeCommonDialogBackend backend;
    backend.twips = twips;
    cCommonDialog dialog(backend);
    DialogFont font{name, size, false, true, false, true, 700};

    dialog.VBChooseFont(font);
    const ChooseFontData &asked = backend.fontRequest;
    QCOMPARE(asked.logFont.height, expectedHeight);
    QCOMPARE(asked.pointSize, expectedPointSize);
    QCOMPARE(asked.logFont.faceName, expectedFace);
    QCOMPARE(asked.logFont.weight, 700);
    QVERIFY(asked.logFont.italic && asked.logFont.strikeOut && !asked.logFont.underline);
}

void TestCommonDialog::fontReply() {
    FakeCommonDialogBackend backend;
    backend.answerFont = [](ChooseFontData &data) {
        data.logFont = {-14, 400, true, true, false, z("DejaVu Serif~~~")};
        data.pointSize = 105;
        data.fontType = BOLD_FONTTYPE; // bold by type while the weight says normal
        data.color = 0x123456;
        data.flags |= CF_FIXEDPITCHONLY;
    };
    cCommonDialog dialog(backend);
    DialogFont font{QStringLiteral("Liberation Sans"), 12.0, false, false, false, true, 700};
    ChooseFontArgs args;
    args.Color = 0xFF;

    QVERIFY(dialog.VBChooseFont(font, args));
    QCOMPARE(font.Name, QStringLiteral("DejaVu Serif"));
    QCOMPARE(font.Size, 10.5);
    QVERIFY(font.Bold);
    QCOMPARE(font.Weight, 400);
    QVERIFY(font.Italic && font.Underline && !font.Strikethrough);
    QCOMPARE(args.Color, 0x123456);
    QCOMPARE(args.flags, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY);
}

void TestCommonDialog::fontFails_data() {
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedError");
    QTest::newRow("cancelled") << 0 << 0;
    QTest::newRow("failed with a code") << 3 << 0x2002;
}

void TestCommonDialog::fontFails() {
    QFETCH(qint32, result);
    QFETCH(qint32, expectedError);
    FakeCommonDialogBackend backend;
    backend.result = result;
    backend.errorCode = 0x2002;
    backend.answerFont = [](ChooseFontData &data) {
        data.logFont.faceName = QStringLiteral("Other");
        data.color = 1;
    };
    cCommonDialog dialog(backend);
    DialogFont font{QStringLiteral("Liberation Sans"), 12.0, true, false, true, false, 700};
    ChooseFontArgs args;
    args.Color = 0xFF;

    QVERIFY(!dialog.VBChooseFont(font, args));
    QCOMPARE(font.Name, QStringLiteral("Liberation Sans"));
    QCOMPARE(font.Size, 12.0);
    QVERIFY(font.Bold && font.Underline && !font.Italic);
    QCOMPARE(args.Color, 0xFF);
    QCOMPARE(dialog.APIReturn(), result);
    QCOMPARE(dialog.ExtendedError(), expectedError);
}

void TestCommonDialog::printFlags_data() {
    QTest::addColumn<PrintChange>("change");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<quint16>("expectedFrom");
    QTest::addColumn<quint16>("expectedTo");
    const auto row = [](const char *name, const PrintChange &change, qint32 flags) {
        QTest::newRow(name) << change << flags << quint16{1} << quint16{65535};
    };
    row(
        "defaults", [](PrintDlgArgs &) {}, kPrintBase);
    row(
        "no page numbers", [](PrintDlgArgs &a) { a.DisablePageNumbers = true; },
        kPrintBase | PD_NOPAGENUMS);
    row(
        "no selection", [](PrintDlgArgs &a) { a.DisableSelection = true; },
        kPrintBase | PD_NOSELECTION);
    row(
        "print to file shown", [](PrintDlgArgs &a) { a.ShowPrintToFile = true; },
        kPrintBase & ~PD_HIDEPRINTTOFILE);
    row(
        "print to file enabled", [](PrintDlgArgs &a) { a.DisablePrintToFile = false; },
        kPrintBase & ~PD_DISABLEPRINTTOFILE);
    row(
        "print to file", [](PrintDlgArgs &a) { a.PrintToFile = true; },
        kPrintBase | PD_PRINTTOFILE);
    row(
        "collate", [](PrintDlgArgs &a) { a.Collate = true; }, kPrintBase | PD_COLLATE);
    row(
        "no warning", [](PrintDlgArgs &a) { a.PreventWarning = true; }, kPrintBase | PD_NOWARNING);
    row(
        "page range", [](PrintDlgArgs &a) { a.PrintRange = 1; }, kPrintBase | PD_PAGENUMS);
    row(
        "selection", [](PrintDlgArgs &a) { a.PrintRange = 2; }, kPrintBase | PD_SELECTION);
    row(
        "unknown range", [](PrintDlgArgs &a) { a.PrintRange = 3; }, kPrintBase);
    row(
        "flags argument ignored", [](PrintDlgArgs &a) { a.flags = 0xF000 | PD_NOPAGENUMS; },
        kPrintBase);
    QTest::newRow("pages at the 16-bit limits") << PrintChange([](PrintDlgArgs &a) {
        a.FromPage = 32767;
        a.ToPage = -32768;
    }) << kPrintBase << quint16{32767} << quint16{32768};
}

void TestCommonDialog::printFlags() {
    QFETCH(PrintChange, change);
    QFETCH(qint32, expectedFlags);
    QFETCH(quint16, expectedFrom);
    QFETCH(quint16, expectedTo);
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    PrintDlgArgs args;
    args.Owner = -1; // passed as it is, unlike the other dialogs' owner
    change(args);
    DeviceContext hdc = 0;

    dialog.VBPrintDlg(hdc, args);
    const PrintDialogData &asked = backend.printRequest;
    QCOMPARE(asked.flags, expectedFlags);
    QCOMPARE(asked.fromPage, expectedFrom);
    QCOMPARE(asked.toPage, expectedTo);
    QCOMPARE(asked.minPage, quint16{1});
    QCOMPARE(asked.maxPage, quint16{65535});
    QCOMPARE(asked.owner, WindowHandle{-1});
}

void TestCommonDialog::printReply_data() {
    QTest::addColumn<qint32>("returnedFlags");
    QTest::addColumn<qint16>("collate");
    QTest::addColumn<qint32>("expectedRange");
    QTest::addColumn<bool>("expectedToFile");
    QTest::newRow("all pages, collated") << kPrintBase << DMCOLLATE_TRUE << 0 << false;
    QTest::newRow("page numbers") << (kPrintBase | PD_PAGENUMS) << DMCOLLATE_FALSE << 1 << false;
    QTest::newRow("selection") << (kPrintBase | PD_SELECTION) << DMCOLLATE_FALSE << 2 << false;
    QTest::newRow("page numbers win over selection")
        << (PD_PAGENUMS | PD_SELECTION) << DMCOLLATE_FALSE << 1 << false;
    QTest::newRow("to a file") << (kPrintBase | PD_PRINTTOFILE) << DMCOLLATE_FALSE << 0 << true;
}

void TestCommonDialog::printReply() {
    QFETCH(qint32, returnedFlags);
    QFETCH(qint16, collate);
    QFETCH(qint32, expectedRange);
    QFETCH(bool, expectedToFile);
    FakeCommonDialogBackend backend;
    backend.answerPrint = [&](PrintDialogData &data) {
        data.flags = returnedFlags;
        data.deviceContext = 0x1234;
        data.fromPage = 4;
        data.toPage = 65535;
        data.deviceMode = {DMORIENT_LANDSCAPE, 9, 3, 600, collate};
    };
    cCommonDialog dialog(backend);
    FakeDialogPrinter printer;
    printer.refuse = QStringList{QStringLiteral("copies")};
    PrintDlgArgs args;
    args.Printer = &printer;
    args.Collate = collate == DMCOLLATE_FALSE;
    DeviceContext hdc = 0;

    QVERIFY(dialog.VBPrintDlg(hdc, args));
    QCOMPARE(hdc, DeviceContext{0x1234});
    QCOMPARE(args.PrintRange, expectedRange);
    QCOMPARE(args.PrintToFile, expectedToFile);
    QCOMPARE(args.FromPage, 4);
    QCOMPARE(args.ToPage, -1);
    QCOMPARE(args.Copies, qint16{3});
    QCOMPARE(args.Collate, collate == DMCOLLATE_TRUE);
    QCOMPARE(printer.offered,
             QStringList({QStringLiteral("copies=3"), QStringLiteral("orientation=2"),
                          QStringLiteral("paper=9"), QStringLiteral("quality=600")}));
}

void TestCommonDialog::printFails_data() {
    QTest::addColumn<qint32>("result");
    QTest::addColumn<qint32>("expectedError");
    QTest::newRow("cancelled") << 0 << 0;
    QTest::newRow("failed with a code") << 6 << 0x1008;
}

void TestCommonDialog::printFails() {
    QFETCH(qint32, result);
    QFETCH(qint32, expectedError);
    FakeCommonDialogBackend backend;
    backend.result = result;
    backend.errorCode = 0x1008;
    backend.answerPrint = [](PrintDialogData &data) {
        data.flags = PD_PAGENUMS | PD_PRINTTOFILE;
        data.deviceContext = 0x1234;
        data.deviceMode.copies = 3;
    };
    cCommonDialog dialog(backend);
    FakeDialogPrinter printer;
    PrintDlgArgs args;
    args.Printer = &printer;
    DeviceContext hdc = 99;

    QVERIFY(!dialog.VBPrintDlg(hdc, args));
    QCOMPARE(hdc, DeviceContext{99});
    QCOMPARE(args.PrintRange, 0);
    QVERIFY(!args.PrintToFile);
    QCOMPARE(args.Copies, qint16{0});
    QVERIFY(printer.offered.isEmpty());
    QCOMPARE(dialog.APIReturn(), result);
    QCOMPARE(dialog.ExtendedError(), expectedError);
}

void TestCommonDialog::pageSetupRequest_data() {
    QTest::addColumn<PageChange>("change");
    QTest::addColumn<qint32>("expectedFlags");
    QTest::addColumn<QList<qint32>>("expectedMargins"); // left, top, right, bottom, then minimums
    const qint32 inches = PSD_MARGINS | PSD_MINMARGINS | PSD_INTHOUSANDTHSOFINCHES;
    const qint32 mm = PSD_MARGINS | PSD_MINMARGINS | PSD_INHUNDREDTHSOFMILLIMETERS;
    const QList<qint32> none(8, 0);
    QTest::newRow("one-inch left margin") << PageChange([](PageSetupArgs &a) { a.LeftMargin = 1; })
                                          << inches << QList<qint32>{1000, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("millimetres") << PageChange([](PageSetupArgs &a) {
        a.Units = 1;
        a.TopMargin = 25;
        a.RightMargin = 10;
        a.MinBottomMargin = 5;
    }) << mm << QList<qint32>{0, 2500, 1000, 0, 0, 0, 0, 500};
    QTest::newRow("any other unit is millimetres")
        << PageChange([](PageSetupArgs &a) { a.Units = -3; }) << mm << none;
    QTest::newRow("largest inch margin that fits")
        << PageChange([](PageSetupArgs &a) { a.MinLeftMargin = 2147483; }) << inches
        << QList<qint32>{0, 0, 0, 0, 2147483000, 0, 0, 0};
    QTest::newRow("switches") << PageChange([](PageSetupArgs &a) {
        a.DisableMargins = a.DisableOrientation = a.DisablePaper = a.DisablePrinter = true;
    })
                              << (inches | PSD_DISABLEMARGINS | PSD_DISABLEORIENTATION |
                                  PSD_DISABLEPAPER | PSD_DISABLEPRINTER)
                              << none;
    QTest::newRow("flags argument ignored")
        << PageChange([](PageSetupArgs &a) { a.flags = 0xFFFF; }) << inches << none;
}

void TestCommonDialog::pageSetupRequest() {
    QFETCH(PageChange, change);
    QFETCH(qint32, expectedFlags);
    QFETCH(QList<qint32>, expectedMargins);
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    PageSetupArgs args;
    change(args);

    dialog.VBPageSetupDlg(args);
    const PageSetupData &asked = backend.pageSetupRequest;
    QCOMPARE(asked.flags, expectedFlags);
    const PageMargins &m = asked.margins;
    const PageMargins &min = asked.minMargins;
    QCOMPARE(
        QList<qint32>({m.left, m.top, m.right, m.bottom, min.left, min.top, min.right, min.bottom}),
        expectedMargins);
}

void TestCommonDialog::pageSetupRounding_data() {
    QTest::addColumn<qint32>("units");
    QTest::addColumn<qint32>("returned");
    QTest::addColumn<qint32>("expected");
    QTest::newRow("in: 1.5 up to 2") << 0 << 1500 << 2;
    QTest::newRow("in: 2.5 down to 2") << 0 << 2500 << 2;
    QTest::newRow("in: 3.5 up to 4") << 0 << 3500 << 4;
    QTest::newRow("in: 1.499 down") << 0 << 1499 << 1;
    QTest::newRow("in: 1.501 up") << 0 << 1501 << 2;
    QTest::newRow("mm: 2.5 down to 2") << 1 << 250 << 2;
    QTest::newRow("mm: 3.5 up to 4") << 1 << 350 << 4;
    QTest::newRow("mm: 2.51 up") << 1 << 251 << 3;
    QTest::newRow("mm: -2.5 to -2") << 1 << -250 << -2;
}

void TestCommonDialog::pageSetupRounding() {
    QFETCH(qint32, units);
    QFETCH(qint32, returned);
    QFETCH(qint32, expected);
    FakeCommonDialogBackend backend;
    backend.answerPageSetup = [returned](PageSetupData &data) {
        data.margins = {returned, returned, returned, returned};
        data.minMargins = data.margins;
        data.deviceMode = {DMORIENT_LANDSCAPE, 9, 2, 300, DMCOLLATE_FALSE};
    };
    cCommonDialog dialog(backend);
    FakeDialogPrinter printer;
    PageSetupArgs args;
    args.Units = units;
    args.Printer = &printer;

    QVERIFY(dialog.VBPageSetupDlg(args));
    QCOMPARE(QList<qint32>({args.LeftMargin, args.TopMargin, args.RightMargin, args.BottomMargin,
                            args.MinLeftMargin, args.MinTopMargin, args.MinRightMargin,
                            args.MinBottomMargin}),
             QList<qint32>(8, expected));
    QCOMPARE(args.PaperSize, 9);
    QCOMPARE(args.Orientation, 2);
    QCOMPARE(args.PrintQuality, 300);
    QCOMPARE(printer.offered.size(), 4);
}

void TestCommonDialog::pageSetupResult_data() {
    QTest::addColumn<qint32>("result");
    QTest::newRow("cancelled") << 0;
    QTest::newRow("confirmed") << 1;
    QTest::newRow("any other value counts as confirmed") << 5;
}

void TestCommonDialog::pageSetupResult() {
    QFETCH(qint32, result);
    FakeCommonDialogBackend backend;
    backend.result = 3;
    backend.errorCode = 0x1009;
    cCommonDialog dialog(backend);
    DialogFont font;
    dialog.VBChooseFont(font); // leaves APIReturn 3 and an extended error
    backend.result = result;
    backend.answerPageSetup = [](PageSetupData &data) {
        data.deviceMode.paperSize = 9;
    };
    PageSetupArgs args;

    QCOMPARE(dialog.VBPageSetupDlg(args), result != 0);
    QCOMPARE(args.PaperSize, result != 0 ? 9 : 1);
    QCOMPARE(dialog.APIReturn(), 0);
    QCOMPARE(dialog.ExtendedError(), 0);
}

void TestCommonDialog::overflow_data() {
    QTest::addColumn<DialogCall>("call");
    QTest::newRow("font flags") << DialogCall([](cCommonDialog &d) {
        DialogFont font;
        ChooseFontArgs args;
        args.flags = 0x7FFFFFFF;
        d.VBChooseFont(font, args);
    });
    QTest::newRow("font flags with a printer") << DialogCall([](cCommonDialog &d) {
        DialogFont font;
        ChooseFontArgs args;
        args.flags = 0x7FFFFFFE;
        args.PrinterDC = 5;
        d.VBChooseFont(font, args);
    });
    QTest::newRow("font size") << DialogCall([](cCommonDialog &d) {
        DialogFont font;
        font.Size = 1e12;
        d.VBChooseFont(font);
    });
    QTest::newRow("left margin in inches") << DialogCall([](cCommonDialog &d) {
        PageSetupArgs args;
        args.LeftMargin = 2147484;
        d.VBPageSetupDlg(args);
    });
    QTest::newRow("negative top margin") << DialogCall([](cCommonDialog &d) {
        PageSetupArgs args;
        args.TopMargin = -2147484;
        d.VBPageSetupDlg(args);
    });
    QTest::newRow("smallest bottom margin in mm") << DialogCall([](cCommonDialog &d) {
        PageSetupArgs args;
        args.Units = 1;
        args.MinBottomMargin = 21474837;
        d.VBPageSetupDlg(args);
    });
    QTest::newRow("first page") << DialogCall([](cCommonDialog &d) {
        DeviceContext hdc = 0;
        PrintDlgArgs args;
        args.FromPage = 32768;
        d.VBPrintDlg(hdc, args);
    });
    QTest::newRow("last page") << DialogCall([](cCommonDialog &d) {
        DeviceContext hdc = 0;
        PrintDlgArgs args;
        args.ToPage = -32769;
        d.VBPrintDlg(hdc, args);
    });
}

void TestCommonDialog::overflow() {
    QFETCH(DialogCall, call);
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    QVERIFY(throwsKind([&] { call(dialog); }, CommonDialogError::Kind::Overflow));
    QCOMPARE(backend.dialogs, 0);
}

void TestCommonDialog::overflowLeavesArguments() {
    FakeCommonDialogBackend backend;
    cCommonDialog dialog(backend);
    DialogFont font;
    font.Size = 9.0;
    ChooseFontArgs args;
    args.flags = 0x7FFFFFFF;
    args.Color = 0xFF;
    QVERIFY(
        throwsKind([&] { dialog.VBChooseFont(font, args); }, CommonDialogError::Kind::Overflow));
    QCOMPARE(args.flags, 0x7FFFFFFF);
    QCOMPARE(args.PrinterDC, DeviceContext{-1});
    QCOMPARE(args.Color, 0xFF);
    QCOMPARE(font.Size, 9.0);
}

QTEST_GUILESS_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
