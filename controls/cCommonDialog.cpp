#include "cCommonDialog.h"

#include "CommonDialogBackend.h"
#include "CommonDialogError.h"
#include "CommonDialogFilter.h"
#include "CommonDialogFlags.h"
#include "DialogPrinter.h"

#include <cmath>
#include <limits>

using namespace CommonDialogFlags;

namespace {

/// Characters in each file dialog's name and title buffer, terminating NUL included.
constexpr qint32 kMaxPath = 260;
constexpr qint32 kFileHookAndTemplate = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
constexpr qint32 kFontHookTemplateAndApply = CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_APPLY;
constexpr qint32 kPrintHooksAndTemplates =
    PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPTEMPLATE;
constexpr double kTwipsPerPoint = 20.0;
constexpr quint16 kFirstPage = 1;
constexpr quint16 kLastPage = 65535;
constexpr qint32 kPageNumbersRange = 1;
constexpr qint32 kSelectionRange = 2;
constexpr qint16 kCustomColorCount = 16;

[[noreturn]] void throwOverflow(const char *what)
{
    throw CommonDialogError(CommonDialogError::Kind::Overflow, what);
}

qint32 toInt32(qint64 value, const char *what)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max()) {
        throwOverflow(what);
    }
    return static_cast<qint32>(value);
}

qint32 checkedAdd(qint32 flags, qint32 flag)
{
    return toInt32(qint64{flags} + flag, "font dialog flags overflow 32 bits");
}

qint32 checkedMultiply(qint32 value, qint32 factor)
{
    return toInt32(qint64{value} * factor, "margin overflows 32 bits in the dialog's unit");
}

/// `value` rounded to the nearest integer, halves to the even neighbour (as the dialog
/// structures' integer fields have always been filled).
qint32 roundHalfToEven(double value, const char *what)
{
    if (!std::isfinite(value)) {
        throwOverflow(what);
    }
    double rounded = std::round(value); // halves away from zero
    if (std::abs(value - std::trunc(value)) == 0.5) {
        rounded = 2.0 * std::round(value / 2.0);
    }
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max()) {
        throwOverflow(what);
    }
    return static_cast<qint32>(rounded);
}

/// `value` / `divisor` (> 0) rounded to the nearest integer, halves to even; exact in integers.
qint32 divideRoundingHalfToEven(qint32 value, qint32 divisor)
{
    qint32 quotient = value / divisor;
    const qint64 twiceRemainder = 2 * std::abs(qint64{value % divisor});
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0)) {
        quotient += value < 0 ? -1 : 1;
    }
    return quotient;
}

/// A page number as the print dialog's 16-bit field holds it: -1 is page 65535.
quint16 toPageField(qint32 page)
{
    if (page < std::numeric_limits<qint16>::min() || page > std::numeric_limits<qint16>::max()) {
        throwOverflow("page number does not fit 16 bits");
    }
    return static_cast<quint16>(static_cast<qint16>(page));
}

/// `text` NUL-padded to a file dialog buffer.
QString toFileBuffer(const QString &text)
{
    if (text.size() > kMaxPath) {
        throw CommonDialogError(CommonDialogError::Kind::InvalidArgument,
                                "file name longer than 260 characters");
    }
    return text + QString(kMaxPath - text.size(), QChar(u'\0'));
}

/// The request both file dialogs share.
template<class Args>
FileNameData fileRequest(const QString &Filename, const Args &args, qint32 switches)
{
    FileNameData data;
    data.file = toFileBuffer(Filename);
    data.maxFile = kMaxPath;
    data.fileTitle = toFileBuffer(args.FileTitle);
    data.maxFileTitle = kMaxPath;
    data.flags = switches | (args.flags & ~kFileHookAndTemplate);
    if (args.Owner != kNoOwner) {
        data.owner = args.Owner;
    }
    data.filter = CommonDialogFilter::toDialogFilter(args.Filter);
    data.filterIndex = args.FilterIndex;
    data.initialDir = args.InitDir;
    data.title = args.DlgTitle;
    data.defaultExt = args.DefaultExt;
    return data;
}

template<class Args>
void takeFileReply(QString &Filename, Args &args, const FileNameData &data,
                   const QString &dialogFilter)
{
    // Several chosen files come back in the backend's own form; nothing here splits them.
    Filename = textBeforeNul(data.file);
    args.FileTitle = textBeforeNul(data.fileTitle);
    args.flags = data.flags;
    args.FilterIndex = data.filterIndex;
    // Index 0 and indices past the last pair give empty text.
    const QStringList pairs = CommonDialogFilter::pairs(dialogFilter);
    args.Filter = data.filterIndex >= 1 && data.filterIndex <= pairs.size()
                      ? pairs.at(data.filterIndex - 1)
                      : QString();
}

template<class Args>
void clearFileReply(QString &Filename, Args &args, qint32 failedFilterIndex)
{
    Filename.clear();
    args.FileTitle.clear();
    args.Filter.clear();
    args.flags = 0;
    args.FilterIndex = failedFilterIndex;
}

/// Hands the chosen settings to the caller's printer; a setting it refuses is skipped, so one
/// bad value never costs the others or the call.
void passToPrinter(DialogPrinter *printer, const DeviceMode &mode)
{
    if (printer == nullptr) {
        return;
    }
    printer->setCopies(mode.copies);
    printer->setOrientation(mode.orientation);
    printer->setPaperSize(mode.paperSize);
    printer->setPrintQuality(mode.printQuality);
}

} // namespace

cCommonDialog::cCommonDialog(CommonDialogBackend &backend)
    : m_backend(backend)
{}

bool cCommonDialog::VBGetOpenFileName(QString &Filename, OpenFileArgs &args)
{
    resetResult();
    qint32 switches = 0;
    if (args.FileMustExist) {
        switches |= OFN_FILEMUSTEXIST;
    }
    if (args.MultiSelect) {
        switches |= OFN_ALLOWMULTISELECT;
    }
    if (args.ReadOnly) {
        switches |= OFN_READONLY;
    }
    if (args.HideReadOnly) {
        switches |= OFN_HIDEREADONLY;
    }
    FileNameData data = fileRequest(Filename, args, switches);
    const QString dialogFilter = data.filter;

    if (!acceptResult(m_backend.getOpenFileName(data))) {
        clearFileReply(Filename, args, -1);
        return false;
    }
    takeFileReply(Filename, args, data, dialogFilter);
    if ((data.flags & OFN_READONLY) != 0) {
        args.ReadOnly = true;
    }
    return true;
}

bool cCommonDialog::VBGetOpenFileName(QString &Filename)
{
    OpenFileArgs args;
    return VBGetOpenFileName(Filename, args);
}

bool cCommonDialog::VBGetSaveFileName(QString &Filename, SaveFileArgs &args)
{
    resetResult();
    qint32 switches = OFN_HIDEREADONLY;
    if (args.OverWritePrompt) {
        switches |= OFN_OVERWRITEPROMPT;
    }
    FileNameData data = fileRequest(Filename, args, switches);
    const QString dialogFilter = data.filter;

    if (!acceptResult(m_backend.getSaveFileName(data))) {
        clearFileReply(Filename, args, 0);
        return false;
    }
    takeFileReply(Filename, args, data, dialogFilter);
    return true;
}

bool cCommonDialog::VBGetSaveFileName(QString &Filename)
{
    SaveFileArgs args;
    return VBGetSaveFileName(Filename, args);
}

QString cCommonDialog::VBGetFileTitle(const QString &sFile)
{
    QString buffer(kMaxPath, QChar(u'\0'));
    if (m_backend.getFileTitle(sFile, buffer, kMaxPath) != 0) {
        return {};
    }
    return textBeforeNul(buffer);
}

bool cCommonDialog::VBChooseColor(qint32 &Color, const ChooseColorArgs &args)
{
    // Unlike the other dialogs this one keeps the previous extended error when it succeeds
    // or is cancelled.
    ensureCustomColors();
    ChooseColorData data;
    data.flags = (args.AnyColor ? CC_ANYCOLOR : CC_SOLIDCOLOR) | CC_RGBINIT;
    if (args.FullOpen) {
        data.flags |= CC_FULLOPEN;
    }
    if (args.DisableFullOpen) {
        data.flags |= CC_PREVENTFULLOPEN;
    }
    data.rgbResult = Color;
    if (args.Owner != kNoOwner) {
        data.owner = args.Owner;
    }
    data.customColors = &m_customColors;

    if (!acceptResult(m_backend.chooseColor(data))) {
        Color = -1;
        return false;
    }
    Color = data.rgbResult;
    return true;
}

qint32 cCommonDialog::CustomColor(qint16 i)
{
    ensureCustomColors();
    if (i < 0 || i >= kCustomColorCount) {
        return -1;
    }
    return m_customColors.at(static_cast<std::size_t>(i));
}

void cCommonDialog::setCustomColor(qint16 i, qint32 iValue)
{
    ensureCustomColors();
    if (i < 0 || i >= kCustomColorCount) {
        return;
    }
    m_customColors.at(static_cast<std::size_t>(i)) = iValue;
}

bool cCommonDialog::VBChooseFont(DialogFont &CurFont, ChooseFontArgs &args)
{
    resetResult();
    // The flags are added, not ORed, so a bit the caller already set carries into the next
    // one, and a sum beyond 32 bits is an overflow.
    qint32 flags = args.flags;
    DeviceContext printerDC = args.PrinterDC;
    if (printerDC != -1) {
        flags = checkedAdd(flags, CF_PRINTERFONTS);
    } else {
        printerDC = (flags & CF_PRINTERFONTS) != 0 ? m_backend.defaultPrinterDeviceContext() : 0;
    }
    if ((flags & CF_PRINTERFONTS) == 0) {
        flags = checkedAdd(flags, CF_SCREENFONTS);
    }
    if (args.Color != 0) {
        flags = checkedAdd(flags, CF_EFFECTS);
    }
    if (args.MinSize != 0 || args.MaxSize != 0) {
        flags = checkedAdd(flags, CF_LIMITSIZE);
    }
    flags = checkedAdd(flags, CF_INITTOLOGFONTSTRUCT);
    flags &= ~kFontHookTemplateAndApply;

    ChooseFontData data;
    const char *sizeOverflow = "font size overflows 32 bits";
    data.logFont.height = roundHalfToEven(
        -(CurFont.Size * kTwipsPerPoint / m_backend.twipsPerPixelY()), sizeOverflow);
    data.pointSize = roundHalfToEven(CurFont.Size * kTenthsPerPoint, sizeOverflow);
    data.logFont.weight = CurFont.Weight;
    data.logFont.italic = CurFont.Italic;
    data.logFont.underline = CurFont.Underline;
    data.logFont.strikeOut = CurFont.Strikethrough;
    data.logFont.faceName = CurFont.Name.left(kFaceNameSize);
    data.logFont.faceName += QString(kFaceNameSize - data.logFont.faceName.size(), QChar(u'\0'));
    if (args.Owner != kNoOwner) {
        data.owner = args.Owner;
    }
    data.printerDC = printerDC;
    data.flags = flags;
    data.color = args.Color;
    data.sizeMin = args.MinSize;
    data.sizeMax = args.MaxSize;

    // The caller sees the composed flags and printer even when the dialog is cancelled.
    args.PrinterDC = printerDC;
    args.flags = flags;
    if (!acceptResult(m_backend.chooseFont(data))) {
        return false;
    }
    args.flags = data.flags;
    args.Color = data.color;
    CurFont.Bold = (data.fontType & BOLD_FONTTYPE) != 0;
    CurFont.Italic = data.logFont.italic;
    CurFont.Strikethrough = data.logFont.strikeOut;
    CurFont.Underline = data.logFont.underline;
    CurFont.Weight = data.logFont.weight;
    CurFont.Size = data.pointSize / kTenthsPerPoint;
    CurFont.Name = textBeforeNul(data.logFont.faceName);
    return true;
}

bool cCommonDialog::VBChooseFont(DialogFont &CurFont)
{
    ChooseFontArgs args;
    return VBChooseFont(CurFont, args);
}

bool cCommonDialog::VBPrintDlg(DeviceContext &hdc, PrintDlgArgs &args)
{
    resetResult();
    PrintDialogData data;
    data.fromPage = toPageField(args.FromPage);
    data.toPage = toPageField(args.ToPage);
    data.minPage = kFirstPage;
    data.maxPage = kLastPage;
    data.owner = args.Owner;

    qint32 flags = PD_USEDEVMODECOPIESANDCOLLATE | PD_RETURNDC;
    if (args.DisablePageNumbers) {
        flags |= PD_NOPAGENUMS;
    }
    if (args.DisablePrintToFile) {
        flags |= PD_DISABLEPRINTTOFILE;
    }
    if (args.DisableSelection) {
        flags |= PD_NOSELECTION;
    }
    if (args.PrintToFile) {
        flags |= PD_PRINTTOFILE;
    }
    if (!args.ShowPrintToFile) {
        flags |= PD_HIDEPRINTTOFILE;
    }
    if (args.PreventWarning) {
        flags |= PD_NOWARNING;
    }
    if (args.Collate) {
        flags |= PD_COLLATE;
    }
    if (args.PrintRange == kPageNumbersRange) {
        flags |= PD_PAGENUMS;
    } else if (args.PrintRange == kSelectionRange) {
        flags |= PD_SELECTION;
    }
    data.flags = flags & ~kPrintHooksAndTemplates;

    if (!acceptResult(m_backend.printDlg(data))) {
        return false;
    }
    hdc = data.deviceContext;
    if ((data.flags & PD_PAGENUMS) != 0) {
        args.PrintRange = kPageNumbersRange;
    } else if ((data.flags & PD_SELECTION) != 0) {
        args.PrintRange = kSelectionRange;
    } else {
        args.PrintRange = PD_ALLPAGES;
    }
    // Read back as the signed 16-bit values they went in as, so -1 stays -1.
    args.FromPage = static_cast<qint16>(data.fromPage);
    args.ToPage = static_cast<qint16>(data.toPage);
    args.PrintToFile = (data.flags & PD_PRINTTOFILE) != 0;
    args.Copies = data.deviceMode.copies;
    args.Collate = data.deviceMode.collate == DMCOLLATE_TRUE;
    passToPrinter(args.Printer, data.deviceMode);
    return true;
}

bool cCommonDialog::VBPrintDlg(DeviceContext &hdc)
{
    PrintDlgArgs args;
    return VBPrintDlg(hdc, args);
}

bool cCommonDialog::VBPageSetupDlg(PageSetupArgs &args)
{
    resetResult();
    const bool inches = args.Units == 0;
    const qint32 factor = inches ? kThousandthsPerInch : kHundredthsPerMillimetre;
    PageSetupData data;
    data.owner = args.Owner;
    data.flags = PSD_MARGINS | PSD_MINMARGINS |
                 (inches ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS);
    if (args.DisableMargins) {
        data.flags |= PSD_DISABLEMARGINS;
    }
    if (args.DisableOrientation) {
        data.flags |= PSD_DISABLEORIENTATION;
    }
    if (args.DisablePaper) {
        data.flags |= PSD_DISABLEPAPER;
    }
    if (args.DisablePrinter) {
        data.flags |= PSD_DISABLEPRINTER;
    }
    data.margins = {
        checkedMultiply(args.LeftMargin, factor), checkedMultiply(args.TopMargin, factor),
        checkedMultiply(args.RightMargin, factor), checkedMultiply(args.BottomMargin, factor)};
    data.minMargins = {checkedMultiply(args.MinLeftMargin, factor),
                       checkedMultiply(args.MinTopMargin, factor),
                       checkedMultiply(args.MinRightMargin, factor),
                       checkedMultiply(args.MinBottomMargin, factor)};

    // This dialog has always counted any non-zero result as success and never recorded its
    // result or an extended error; callers rely on APIReturn reading 0 after it.
    if (m_backend.pageSetupDlg(data) == 0) {
        return false;
    }
    args.LeftMargin = divideRoundingHalfToEven(data.margins.left, factor);
    args.TopMargin = divideRoundingHalfToEven(data.margins.top, factor);
    args.RightMargin = divideRoundingHalfToEven(data.margins.right, factor);
    args.BottomMargin = divideRoundingHalfToEven(data.margins.bottom, factor);
    args.MinLeftMargin = divideRoundingHalfToEven(data.minMargins.left, factor);
    args.MinTopMargin = divideRoundingHalfToEven(data.minMargins.top, factor);
    args.MinRightMargin = divideRoundingHalfToEven(data.minMargins.right, factor);
    args.MinBottomMargin = divideRoundingHalfToEven(data.minMargins.bottom, factor);
    args.PaperSize = data.deviceMode.paperSize;
    args.Orientation = data.deviceMode.orientation;
    args.PrintQuality = data.deviceMode.printQuality;
    passToPrinter(args.Printer, data.deviceMode);
    return true;
}

bool cCommonDialog::VBPageSetupDlg()
{
    PageSetupArgs args;
    return VBPageSetupDlg(args);
}

bool cCommonDialog::acceptResult(qint32 result)
{
    m_apiReturn = result;
    if (result == 1) {
        return true;
    }
    if (result != 0) {
        m_extendedError = m_backend.extendedError();
    }
    return false;
}

void cCommonDialog::resetResult()
{
    m_apiReturn = 0;
    m_extendedError = 0;
}

void cCommonDialog::ensureCustomColors()
{
    if (m_colorsInitialised) {
        return;
    }
    for (qint16 i = 0; i < kCustomColorCount; ++i) {
        m_customColors.at(static_cast<std::size_t>(i)) = m_backend.systemColor(i);
    }
    m_colorsInitialised = true;
}
