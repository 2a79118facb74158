#pragma once

#include <QString>

#include <array>

// The structures the dialog wrapper fills for a dialog backend and reads back from it. Each
// call starts from a value-initialised structure, so every field not set by the wrapper is 0.

/// A native window's handle as the dialogs take their owner; 0 is no window.
using WindowHandle = qintptr;
/// A handle of a drawing surface (a printer's device context); 0 is none.
using DeviceContext = qintptr;
/// The 16 custom colours of the colour dialog, as 0x00BBGGRR values.
using CustomColorTable = std::array<qint32, 16>;

/// Text of a NUL-padded buffer up to its first NUL (the whole text when it has none).
inline QString textBeforeNul(const QString &buffer)
{
    const qsizetype end = buffer.indexOf(QChar(u'\0'));
    return end < 0 ? buffer : buffer.left(end);
}

/// What the open and save dialogs take and return.
struct FileNameData {
    /// Owner window.
    WindowHandle owner = 0;
    /// Description and pattern pairs, each part ended by a NUL, the list by a second NUL.
    QString filter;
    /// In: 1-based index of the filter to select. Out: index of the filter the user chose.
    qint32 filterIndex = 0;
    /// In: initial name, NUL-padded to maxFile. Out: the chosen file(s), NUL-padded.
    QString file;
    /// Capacity of `file` in characters, terminating NUL included.
    qint32 maxFile = 0;
    /// In: NUL-padded to maxFileTitle. Out: the chosen file's name without its folder.
    QString fileTitle;
    /// Capacity of `fileTitle` in characters, terminating NUL included.
    qint32 maxFileTitle = 0;
    /// Folder to start in; empty for the dialog's choice.
    QString initialDir;
    /// Window title; empty for the dialog's own.
    QString title;
    /// In: OFN_* flags. Out: the flags as the dialog leaves them (OFN_READONLY, ...).
    qint32 flags = 0;
    /// Extension (without the dot) added to a name typed without one.
    QString defaultExt;
};

/// What the colour dialog takes and returns.
struct ChooseColorData {
    /// Owner window.
    WindowHandle owner = 0;
    /// In: initial colour (with CC_RGBINIT). Out: the chosen colour; both 0x00BBGGRR.
    qint32 rgbResult = 0;
    /// The custom colours the dialog shows and updates in place; never null when called.
    CustomColorTable *customColors = nullptr;
    /// CC_* flags.
    qint32 flags = 0;
};

/// A font as the font dialog describes it.
struct LogicalFont {
    /// Character height in pixels, negative (the em height rather than the cell height).
    qint32 height = 0;
    /// Weight, 0..1000.
    qint32 weight = 0;
    /// Italic.
    bool italic = false;
    /// Underlined.
    bool underline = false;
    /// Struck out.
    bool strikeOut = false;
    /// Face name, NUL-padded to kFaceNameSize characters.
    QString faceName;
};

/// Characters in LogicalFont::faceName, terminating NUL included.
inline constexpr qsizetype kFaceNameSize = 32;

/// What the font dialog takes and returns.
struct ChooseFontData {
    /// Owner window.
    WindowHandle owner = 0;
    /// Printer whose fonts are listed with CF_PRINTERFONTS.
    DeviceContext printerDC = 0;
    /// In: initial font (with CF_INITTOLOGFONTSTRUCT). Out: the chosen font.
    LogicalFont logFont;
    /// In: the caller's size. Out: the chosen size; tenths of a point.
    qint32 pointSize = 0;
    /// CF_* flags.
    qint32 flags = 0;
    /// In: initial text colour (with CF_EFFECTS). Out: the chosen one; 0x00BBGGRR.
    qint32 color = 0;
    /// Out: BOLD_FONTTYPE, ITALIC_FONTTYPE, ... of the chosen font.
    qint32 fontType = 0;
    /// Smallest size in points offered with CF_LIMITSIZE.
    qint32 sizeMin = 0;
    /// Largest size in points offered with CF_LIMITSIZE.
    qint32 sizeMax = 0;
};

/// The printer settings the print and page-setup dialogs return.
struct DeviceMode {
    /// DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE.
    qint16 orientation = 0;
    /// Paper number (1 Letter, 9 A4, ...); 0 when the paper has none.
    qint16 paperSize = 0;
    /// Number of copies.
    qint16 copies = 0;
    /// Dots per inch, or a negative quality code.
    qint16 printQuality = 0;
    /// DMCOLLATE_TRUE or DMCOLLATE_FALSE.
    qint16 collate = 0;
};

/// What the print dialog takes and returns.
struct PrintDialogData {
    /// Owner window.
    WindowHandle owner = 0;
    /// Out: device context of the chosen printer (PD_RETURNDC); 0 when the backend has none.
    DeviceContext deviceContext = 0;
    /// In: PD_* flags. Out: the flags as the dialog leaves them (range, print to file, ...).
    qint32 flags = 0;
    /// First page of the range; the dialog reads the 16 bits unsigned.
    quint16 fromPage = 0;
    /// Last page of the range.
    quint16 toPage = 0;
    /// Smallest page number the user may enter.
    quint16 minPage = 0;
    /// Largest page number the user may enter.
    quint16 maxPage = 0;
    /// Out: the chosen printer settings.
    DeviceMode deviceMode;
};

/// Four page margins, in the unit the page-setup flags choose.
struct PageMargins {
    /// Left margin.
    qint32 left = 0;
    /// Top margin.
    qint32 top = 0;
    /// Right margin.
    qint32 right = 0;
    /// Bottom margin.
    qint32 bottom = 0;
};

/// What the page-setup dialog takes and returns.
struct PageSetupData {
    /// Owner window.
    WindowHandle owner = 0;
    /// PSD_* flags; they also choose the unit of the margins.
    qint32 flags = 0;
    /// In: initial margins (PSD_MARGINS). Out: the chosen margins.
    PageMargins margins;
    /// The smallest margins the user may choose (PSD_MINMARGINS).
    PageMargins minMargins;
    /// Out: the chosen printer settings.
    DeviceMode deviceMode;
};
