#include "QtCommonDialogBackend.h"

#include "CommonDialogArgs.h"
#include "CommonDialogFilter.h"
#include "CommonDialogFlags.h"
#include "ControlsLogging.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPalette>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

using namespace CommonDialogFlags;

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kFallbackDpi = 96.0;
constexpr int kMaxFontWeight = 1000;
constexpr int kColorChannelMask = 0xFF;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

QWidget *ownerWidget(WindowHandle owner)
{
    if (owner == 0 || owner == kNoOwner) {
        return nullptr;
    }
    return QWidget::find(static_cast<WId>(owner));
}

QColor toQColor(qint32 rgb)
{
    return {rgb & kColorChannelMask, (rgb >> kGreenShift) & kColorChannelMask,
            (rgb >> kBlueShift) & kColorChannelMask};
}

qint32 toColorRef(const QColor &color)
{
    return color.red() | (color.green() << kGreenShift) | (color.blue() << kBlueShift);
}

/// Writes `text` NUL-padded into a buffer of `capacity` characters; false when `text` and its
/// terminating NUL do not fit.
bool writeBuffer(QString &buffer, qint32 capacity, const QString &text)
{
    if (text.size() >= capacity) {
        return false;
    }
    buffer = text + QString(capacity - text.size(), QChar(u'\0'));
    return true;
}

double screenDpiY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : kFallbackDpi;
}

/// A filter pattern list ("*.txt;*.log") as QFileDialog takes it ("*.txt *.log").
QString toQtPatterns(const QString &pattern)
{
    QStringList patterns;
    for (const QString &group : pattern.split(u';')) {
        for (const QString &part : group.split(u' ', Qt::SkipEmptyParts)) {
            // "*.*" has always meant every file; in Qt it would match only names with a dot.
            patterns << (part == QLatin1String("*.*") ? QStringLiteral("*") : part);
        }
    }
    return patterns.isEmpty() ? QStringLiteral("*") : patterns.join(u' ');
}

/// The dialog filter's pairs as QFileDialog name filters, in the same order, so that a name
/// filter's position is the pair's index.
QStringList toNameFilters(const QString &dialogFilter)
{
    QStringList filters;
    for (const QString &pair : CommonDialogFilter::pairs(dialogFilter)) {
        const qsizetype nul = pair.indexOf(QChar(u'\0'));
        // With HideNameFilterDetails the dialog shows only the description before " (...)".
        filters << pair.left(nul) + QStringLiteral(" (") + toQtPatterns(pair.mid(nul + 1)) +
                       QLatin1Char(')');
    }
    return filters;
}

/// The chosen files as the file buffer carries them: one file as its full path; several as
/// the folder and the names, NUL-separated and NUL-ended with OFN_EXPLORER, else separated by
/// spaces (a name with a space quoted), the two forms callers of these dialogs know.
QString chosenFilesText(const QStringList &files, bool explorer)
{
    if (files.size() == 1) {
        return files.first();
    }
    const QString folder = QFileInfo(files.first()).absolutePath();
    QStringList parts{folder};
    for (const QString &file : files) {
        parts << QFileInfo(file).fileName();
    }
    if (explorer) {
        return parts.join(QChar(u'\0')) + QChar(u'\0');
    }
    for (QString &part : parts) {
        if (part.contains(u' ')) {
            part = QLatin1Char('"') + part + QLatin1Char('"');
        }
    }
    return parts.join(u' ');
}

/// Sets `dialog` up as `data` and the OFN_* flags ask; returns the name filters it offers.
QStringList setUpFileDialog(QFileDialog &dialog, const FileNameData &data, bool save)
{
    const qint32 flags = data.flags;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, (flags & OFN_OVERWRITEPROMPT) == 0);
    } else if ((flags & OFN_ALLOWMULTISELECT) != 0) {
        // Qt lets the user pick several files only among existing ones.
        dialog.setFileMode(QFileDialog::ExistingFiles);
    } else {
        dialog.setFileMode((flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                            : QFileDialog::AnyFile);
    }
    dialog.setOption(QFileDialog::DontResolveSymlinks, (flags & OFN_NODEREFERENCELINKS) != 0);
    if (!data.title.isEmpty()) {
        dialog.setWindowTitle(data.title);
    }
    if (!data.initialDir.isEmpty()) {
        dialog.setDirectory(data.initialDir);
    }
    dialog.setDefaultSuffix(data.defaultExt);

    QStringList filters = toNameFilters(data.filter);
    if (!filters.isEmpty()) {
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(filters);
        const bool known = data.filterIndex >= 1 && data.filterIndex <= filters.size();
        dialog.selectNameFilter(filters.at(known ? data.filterIndex - 1 : 0));
    }
    const QString initialName = textBeforeNul(data.file);
    if (!initialName.isEmpty()) {
        dialog.selectFile(initialName);
    }
    return filters;
}

/// Adds a read-only box, ticked as OFN_READONLY says, to `dialog`; null when it cannot.
QCheckBox *addReadOnlyBox(QFileDialog &dialog, qint32 flags)
{
    // QFileDialog has no read-only box of its own; its form is a grid, so one more row holds it.
    auto *grid = qobject_cast<QGridLayout *>(dialog.layout());
    if (grid == nullptr) {
        qCWarning(lcControls) << "file dialog: no grid to add the read-only box to";
        return nullptr;
    }
    auto *box = new QCheckBox(
        QCoreApplication::translate("QtCommonDialogBackend", "Open as &read-only"), &dialog);
    box->setChecked((flags & OFN_READONLY) != 0);
    grid->addWidget(box, grid->rowCount(), 1);
    return box;
}

/// Position of the filter the user chose in `filters`.
qint32 chosenFilter(const QFileDialog &dialog, const QStringList &filters)
{
    // With HideNameFilterDetails, Qt 6.4 reports the shown description rather than the filter,
    // so the position in the dialog's filter box is the reliable answer.
    if (const auto *box = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))) {
        return box->currentIndex();
    }
    qCWarning(lcControls) << "file dialog: no filter box; matching the filter text";
    return static_cast<qint32>(filters.indexOf(dialog.selectedNameFilter()));
}

/// Hides the custom-colour editor of Qt's colour dialog: spectrum, luminance bar, value fields
/// and the "pick screen colour" and "add to custom colours" buttons, leaving the basic and
/// custom colours to choose from.
void hideCustomColorEditor(QColorDialog &dialog)
{
    static constexpr std::array kEditorClasses{"QColorPicker", "QColorLuminancePicker",
                                               "QColorShower"};
    int hidden = 0;
    const auto children = dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        const char *className = child->metaObject()->className();
        const bool editorPart =
            qobject_cast<QPushButton *>(child) != nullptr ||
            std::any_of(kEditorClasses.begin(), kEditorClasses.end(),
                        [className](const char *name) { return qstrcmp(className, name) == 0; });
        if (editorPart) {
            child->hide();
            ++hidden;
        }
    }
    if (hidden == 0) {
        qCWarning(lcControls) << "colour dialog: found no custom-colour editor to hide";
    }
}

/// Shows or hides the font dialog's effects (its underline and strike-out boxes' group).
void setEffectsVisible(QFontDialog &dialog, bool visible)
{
    const auto boxes = dialog.findChildren<QCheckBox *>();
    if (boxes.isEmpty()) {
        qCWarning(lcControls) << "font dialog: found no effects to show or hide";
    }
    for (QCheckBox *box : boxes) {
        box->parentWidget()->setVisible(visible);
    }
}

/// A font dialog that refuses to close with a size outside the caller's limits, as the
/// desktop's own font dialog does.
class LimitedFontDialog : public QFontDialog {
public:
    LimitedFontDialog(QWidget *parent, int minSize, int maxSize)
        : QFontDialog(parent)
        , m_minSize(minSize)
        , m_maxSize(maxSize)
    {}

protected:
    void done(int result) override
    {
        const double size = currentFont().pointSizeF();
        // A largest size of 0 sets no upper limit.
        const bool outside = size < m_minSize || (m_maxSize > 0 && size > m_maxSize);
        if (result == QDialog::Accepted && outside) {
            QMessageBox::warning(this, windowTitle(),
                                 QCoreApplication::translate("QtCommonDialogBackend",
                                                             "Size must be between %1 and %2 "
                                                             "points.")
                                     .arg(m_minSize)
                                     .arg(m_maxSize));
            return;
        }
        QFontDialog::done(result);
    }

private:
    int m_minSize;
    int m_maxSize;
};

QFont toQFont(const LogicalFont &logFont)
{
    QFont font;
    const QString family = textBeforeNul(logFont.faceName);
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    if (logFont.height != 0) {
        font.setPointSizeF(std::abs(logFont.height) * kPointsPerInch / screenDpiY());
    }
    if (logFont.weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::min(logFont.weight, kMaxFontWeight)));
    }
    font.setItalic(logFont.italic);
    font.setUnderline(logFont.underline);
    font.setStrikeOut(logFont.strikeOut);
    return font;
}

void takeFont(const QFont &font, ChooseFontData &data)
{
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    data.logFont.height = -qRound(points * screenDpiY() / kPointsPerInch);
    data.logFont.weight = font.weight();
    data.logFont.italic = font.italic();
    data.logFont.underline = font.underline();
    data.logFont.strikeOut = font.strikeOut();
    data.logFont.faceName = font.family().left(kFaceNameSize);
    data.logFont.faceName += QString(kFaceNameSize - data.logFont.faceName.size(), QChar(u'\0'));
    data.pointSize = qRound(points * kTenthsPerPoint);
    data.fontType = SCREEN_FONTTYPE;
    if (font.bold()) {
        data.fontType |= BOLD_FONTTYPE;
    }
    if (font.italic()) {
        data.fontType |= ITALIC_FONTTYPE;
    }
    if (!font.bold() && !font.italic()) {
        data.fontType |= REGULAR_FONTTYPE;
    }
}

qint16 toShort(int value, int smallest)
{
    return static_cast<qint16>(
        std::clamp(value, smallest, int{std::numeric_limits<qint16>::max()}));
}

DeviceMode deviceModeOf(const QPrinter &printer)
{
    const QPageLayout layout = printer.pageLayout();
    DeviceMode mode;
    mode.orientation =
        layout.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode.paperSize = toShort(layout.pageSize().windowsId(), 0);
    mode.copies = toShort(printer.copyCount(), 1);
    mode.printQuality = toShort(printer.resolution(), 1);
    mode.collate = printer.collateCopies() ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    return mode;
}

QMarginsF toMarginsF(const PageMargins &margins, double scale)
{
    return {margins.left / scale, margins.top / scale, margins.right / scale,
            margins.bottom / scale};
}

PageMargins toPageMargins(const QMarginsF &margins, double scale)
{
    return {qRound(margins.left() * scale), qRound(margins.top() * scale),
            qRound(margins.right() * scale), qRound(margins.bottom() * scale)};
}

/// Enables or disables the group of the page-setup dialog that holds the widget `name`; the
/// names are those of Qt's page-setup form.
void setGroupEnabled(QPageSetupDialog &dialog, const char *name, bool enabled)
{
    auto *member = dialog.findChild<QWidget *>(QLatin1String(name));
    if (member == nullptr || member->parentWidget() == nullptr) {
        qCWarning(lcControls) << "page setup dialog: found no" << name;
        return;
    }
    member->parentWidget()->setEnabled(enabled);
}

/// The desktop's colours 0..15 (scroll bar, desktop, active caption, inactive caption, menu,
/// window, window frame, menu text, window text, caption text, active border, inactive border,
/// workspace, highlight, highlighted text, button face) as the palette's nearest roles.
struct PaletteColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};
constexpr std::array<PaletteColor, 16> kSystemColors{{
    {QPalette::Active, QPalette::Midlight},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Inactive, QPalette::Highlight},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Base},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::WindowText},
    {QPalette::Active, QPalette::Text},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Light},
    {QPalette::Inactive, QPalette::Mid},
    {QPalette::Active, QPalette::Mid},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
}};

} // namespace

QtCommonDialogBackend::QtCommonDialogBackend() = default;

QtCommonDialogBackend::~QtCommonDialogBackend() = default;

qint32 QtCommonDialogBackend::getOpenFileName(FileNameData &data)
{
    return fileDialog(data, false);
}

qint32 QtCommonDialogBackend::getSaveFileName(FileNameData &data)
{
    return fileDialog(data, true);
}

qint32 QtCommonDialogBackend::fileDialog(FileNameData &data, bool save)
{
    m_extendedError = 0;
    QFileDialog dialog(ownerWidget(data.owner));
    const QStringList filters = setUpFileDialog(dialog, data, save);
    QCheckBox *readOnlyBox =
        save || (data.flags & OFN_HIDEREADONLY) != 0 ? nullptr : addReadOnlyBox(dialog, data.flags);
    if (dialog.exec() != QDialog::Accepted) {
        return 0;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return 0;
    }
    const QString title = files.size() == 1 ? QFileInfo(files.first()).fileName() : QString();
    const bool titleFits =
        data.maxFileTitle <= 0 || writeBuffer(data.fileTitle, data.maxFileTitle, title);
    const bool explorer = (data.flags & OFN_EXPLORER) != 0;
    if (!writeBuffer(data.file, data.maxFile, chosenFilesText(files, explorer)) || !titleFits) {
        m_extendedError = FNERR_BUFFERTOOSMALL;
        return 0;
    }

    qint32 returned = data.flags & ~OFN_EXTENSIONDIFFERENT;
    if (readOnlyBox != nullptr) {
        returned = readOnlyBox->isChecked() ? returned | OFN_READONLY : returned & ~OFN_READONLY;
    }
    const QString suffix = QFileInfo(files.first()).suffix();
    if (!data.defaultExt.isEmpty() && suffix.compare(data.defaultExt, Qt::CaseInsensitive) != 0) {
        returned |= OFN_EXTENSIONDIFFERENT;
    }
    data.flags = returned;
    data.filterIndex = filters.isEmpty() ? 0 : chosenFilter(dialog, filters) + 1;
    return 1;
}

qint32 QtCommonDialogBackend::getFileTitle(const QString &file, QString &buffer, qint32 bufferSize)
{
    const QString title = QFileInfo(file).fileName();
    if (title.isEmpty()) {
        return -1;
    }
    if (!writeBuffer(buffer, bufferSize, title)) {
        return qint32(title.size()) + 1;
    }
    return 0;
}

qint32 QtCommonDialogBackend::chooseColor(ChooseColorData &data)
{
    m_extendedError = 0;
    if (data.customColors == nullptr) {
        m_extendedError = CDERR_INITIALIZATION;
        return 0;
    }
    // QColorDialog keeps one set of custom colours for the whole application: ours are loaded
    // into it before the dialog, and what the user made of them is read back, also on cancel.
    CustomColorTable &customColors = *data.customColors;
    for (std::size_t i = 0; i < customColors.size(); ++i) {
        QColorDialog::setCustomColor(int(i), toQColor(customColors.at(i)));
    }

    QColorDialog dialog(ownerWidget(data.owner));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor((data.flags & CC_RGBINIT) != 0 ? toQColor(data.rgbResult)
                                                          : QColor(Qt::black));
    // Qt's dialog has no folded state: it opens full unless the editor is to stay closed.
    if ((data.flags & CC_PREVENTFULLOPEN) != 0) {
        hideCustomColorEditor(dialog);
    }
    const int result = dialog.exec();

    for (std::size_t i = 0; i < customColors.size(); ++i) {
        customColors.at(i) = toColorRef(QColorDialog::customColor(int(i)));
    }
    if (result != QDialog::Accepted) {
        return 0;
    }
    data.rgbResult = toColorRef(dialog.selectedColor());
    return 1;
}

qint32 QtCommonDialogBackend::chooseFont(ChooseFontData &data)
{
    m_extendedError = 0;
    const qint32 flags = data.flags;
    const bool limited = (flags & CF_LIMITSIZE) != 0;
    LimitedFontDialog dialog(ownerWidget(data.owner), limited ? data.sizeMin : 0,
                             limited ? data.sizeMax : 0);
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    // Printers print outline fonts, so a list of printer fonts alone is the scalable fonts.
    const bool printerFontsOnly = (flags & (CF_SCREENFONTS | CF_PRINTERFONTS)) == CF_PRINTERFONTS;
    if (printerFontsOnly || (flags & (CF_SCALABLEONLY | CF_TTONLY)) != 0) {
        options |= QFontDialog::ScalableFonts;
    }
    if ((flags & CF_FIXEDPITCHONLY) != 0) {
        options |= QFontDialog::MonospacedFonts;
    }
    dialog.setOptions(options);
    if ((flags & CF_INITTOLOGFONTSTRUCT) != 0) {
        dialog.setCurrentFont(toQFont(data.logFont));
    }
    // Without effects the user keeps the font's underline and strike-out as they came in.
    setEffectsVisible(dialog, (flags & CF_EFFECTS) != 0);

    if (dialog.exec() != QDialog::Accepted) {
        return 0;
    }
    takeFont(dialog.selectedFont(), data);
    return 1;
}

qint32 QtCommonDialogBackend::printDlg(PrintDialogData &data)
{
    m_extendedError = 0;
    const qint32 flags = data.flags;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if ((flags & PD_PRINTTOFILE) != 0) {
        printer->setOutputFormat(QPrinter::PdfFormat);
    }
    printer->setCollateCopies((flags & PD_COLLATE) != 0);

    QPrintDialog dialog(printer.get(), ownerWidget(data.owner));
    // setMinMax() switches the page range on, so the options come after it.
    dialog.setMinMax(data.minPage, data.maxPage);
    if (data.minPage <= data.fromPage && data.fromPage <= data.toPage &&
        data.toPage <= data.maxPage) {
        dialog.setFromTo(data.fromPage, data.toPage);
    }
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if ((flags & PD_NOPAGENUMS) == 0) {
        options |= QAbstractPrintDialog::PrintPageRange;
    }
    if ((flags & PD_NOSELECTION) == 0) {
        options |= QAbstractPrintDialog::PrintSelection;
    }
    // Qt has one switch for printing to a file: disabled or hidden, it is not offered.
    if ((flags & (PD_DISABLEPRINTTOFILE | PD_HIDEPRINTTOFILE)) == 0) {
        options |= QAbstractPrintDialog::PrintToFile;
    }
    dialog.setOptions(options);
    if ((flags & PD_PAGENUMS) != 0) {
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    } else if ((flags & PD_SELECTION) != 0) {
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    }

    if (dialog.exec() != QDialog::Accepted) {
        return 0;
    }
    qint32 returned = flags & ~(PD_PAGENUMS | PD_SELECTION | PD_PRINTTOFILE | PD_COLLATE);
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        returned |= PD_PAGENUMS;
        data.fromPage = quint16(std::clamp(dialog.fromPage(), 0, int{data.maxPage}));
        data.toPage = quint16(std::clamp(dialog.toPage(), 0, int{data.maxPage}));
    } else if (dialog.printRange() == QAbstractPrintDialog::Selection) {
        returned |= PD_SELECTION;
    }
    if (!printer->outputFileName().isEmpty()) {
        returned |= PD_PRINTTOFILE;
    }
    if (printer->collateCopies()) {
        returned |= PD_COLLATE;
    }
    data.flags = returned;
    data.deviceMode = deviceModeOf(*printer);
    data.deviceContext = 0;
    m_printer = std::move(printer);
    return 1;
}

qint32 QtCommonDialogBackend::pageSetupDlg(PageSetupData &data)
{
    m_extendedError = 0;
    const qint32 flags = data.flags;
    const bool millimetres = (flags & PSD_INHUNDREDTHSOFMILLIMETERS) != 0;
    const QPageLayout::Unit unit = millimetres ? QPageLayout::Millimeter : QPageLayout::Inch;
    const double scale = millimetres ? kHundredthsPerMillimetre : kThousandthsPerInch;

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageLayout layout = printer->pageLayout();
    layout.setUnits(unit);
    QMarginsF minimum = layout.minimumMargins();
    if ((flags & PSD_MINMARGINS) != 0) {
        minimum = toMarginsF(data.minMargins, scale);
        layout.setMinimumMargins(minimum);
    }
    if ((flags & PSD_MARGINS) != 0) {
        // A page layout refuses margins below its minimum; the dialog would not let the user
        // keep them either.
        const QMarginsF wanted = toMarginsF(data.margins, scale);
        layout.setMargins({std::max(wanted.left(), minimum.left()),
                           std::max(wanted.top(), minimum.top()),
                           std::max(wanted.right(), minimum.right()),
                           std::max(wanted.bottom(), minimum.bottom())});
    }
    printer->setPageLayout(layout);

    QPageSetupDialog dialog(printer.get(), ownerWidget(data.owner));
    // Qt's page-setup dialog has no printer choice, so PSD_DISABLEPRINTER has nothing to do.
    if ((flags & PSD_DISABLEMARGINS) != 0) {
        setGroupEnabled(dialog, "leftMargin", false);
    }
    if ((flags & PSD_DISABLEORIENTATION) != 0) {
        setGroupEnabled(dialog, "portrait", false);
    }
    if ((flags & PSD_DISABLEPAPER) != 0) {
        setGroupEnabled(dialog, "pageSizeCombo", false);
    }

    if (dialog.exec() != QDialog::Accepted) {
        return 0;
    }
    data.margins = toPageMargins(printer->pageLayout().margins(unit), scale);
    data.deviceMode = deviceModeOf(*printer);
    m_printer = std::move(printer);
    return 1;
}

qint32 QtCommonDialogBackend::systemColor(int index) const
{
    if (index < 0 || index >= int(kSystemColors.size())) {
        return 0;
    }
    const PaletteColor &entry = kSystemColors.at(std::size_t(index));
    return toColorRef(QApplication::palette().color(entry.group, entry.role));
}

double QtCommonDialogBackend::twipsPerPixelY() const
{
    return kTwipsPerInch / screenDpiY();
}

WindowHandle QtCommonDialogBackend::ownerHandle(QWidget *widget)
{
    return widget != nullptr ? static_cast<WindowHandle>(widget->window()->winId()) : 0;
}
