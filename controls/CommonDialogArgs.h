#pragma once

#include "CommonDialogData.h"

#include <QString>

class DialogPrinter;

// The optional arguments of cCommonDialog's dialogs, with their defaults. Members marked
// in/out or out are written back when the dialog succeeds (or as each member says otherwise).

/// A window handle that stands for "no owner".
inline constexpr WindowHandle kNoOwner = -1;

/// The filter the file dialogs offer when the caller gives none.
inline const QString kDefaultFileFilter = QStringLiteral("All (*.*)| *.*");

/// Optional arguments of cCommonDialog::VBGetOpenFileName.
struct OpenFileArgs {
    /// In/out: the chosen file's name without its folder; emptied when the dialog fails.
    QString FileTitle;
    /// The chosen file must exist.
    bool FileMustExist = true;
    /// The user may choose several files.
    bool MultiSelect = false;
    /// In/out: the read-only box is ticked; set when the user ticked it, else left alone.
    bool ReadOnly = false;
    /// Hides the read-only box.
    bool HideReadOnly = false;
    /// In/out: "description|pattern|..." (":" separates too); out: the chosen pair, NUL between.
    QString Filter = kDefaultFileFilter;
    /// In/out: 1-based filter to select; out: the chosen one, -1 when the dialog fails.
    qint32 FilterIndex = 1;
    /// Folder to start in.
    QString InitDir;
    /// Window title; empty for the dialog's own.
    QString DlgTitle;
    /// Extension added to a name typed without one.
    QString DefaultExt;
    /// Owner window, or kNoOwner.
    WindowHandle Owner = kNoOwner;
    /// In/out: OFN_* flags added to those the switches give; out: the dialog's flags, 0 on failure.
    qint32 flags = 0;
};

/// Optional arguments of cCommonDialog::VBGetSaveFileName.
struct SaveFileArgs {
    /// In/out: the chosen file's name without its folder; emptied when the dialog fails.
    QString FileTitle;
    /// Asks before an existing file is replaced.
    bool OverWritePrompt = true;
    /// In/out: as OpenFileArgs::Filter.
    QString Filter = kDefaultFileFilter;
    /// In/out: 1-based filter to select; out: the chosen one, 0 when the dialog fails.
    qint32 FilterIndex = 1;
    /// Folder to start in.
    QString InitDir;
    /// Window title; empty for the dialog's own.
    QString DlgTitle;
    /// Extension added to a name typed without one.
    QString DefaultExt;
    /// Owner window, or kNoOwner.
    WindowHandle Owner = kNoOwner;
    /// In/out: as OpenFileArgs::flags.
    qint32 flags = 0;
};

/// Optional arguments of cCommonDialog::VBChooseColor.
struct ChooseColorArgs {
    /// Offers any colour rather than only solid ones.
    bool AnyColor = true;
    /// Opens with the custom-colour editor shown.
    bool FullOpen = false;
    /// Keeps the custom-colour editor closed.
    bool DisableFullOpen = false;
    /// Owner window, or kNoOwner.
    WindowHandle Owner = kNoOwner;
    /// Accepted and ignored: the switches above give the dialog's flags.
    qint32 flags = 0;
};

/// Optional arguments of cCommonDialog::VBChooseFont.
struct ChooseFontArgs {
    /// In/out: printer whose fonts to list; -1 for none, then set to 0 or the default printer's.
    DeviceContext PrinterDC = -1;
    /// Owner window, or kNoOwner.
    WindowHandle Owner = kNoOwner;
    /// In/out: text colour (0x00BBGGRR); 0 offers no effects (colour, underline, strike-out).
    qint32 Color = 0;
    /// Smallest size in points offered; 0 with MaxSize 0 for no limit.
    qint32 MinSize = 0;
    /// Largest size in points offered.
    qint32 MaxSize = 0;
    /// In/out: CF_* flags to start from; set to the composed flags before the dialog opens and
    /// to the dialog's flags after it.
    qint32 flags = 0;
};

/// Optional arguments of cCommonDialog::VBPrintDlg.
struct PrintDlgArgs {
    /// In/out: 0 all pages, 1 page numbers, 2 selection.
    qint32 PrintRange = 0;
    /// Offers no page numbers.
    bool DisablePageNumbers = false;
    /// In/out: first page; must fit 16 bits.
    qint32 FromPage = 1;
    /// In/out: last page; must fit 16 bits (-1 is the largest page number).
    qint32 ToPage = -1;
    /// Offers no "selection" range.
    bool DisableSelection = false;
    /// Out: number of copies.
    qint16 Copies = 0;
    /// Shows the print-to-file choice.
    bool ShowPrintToFile = false;
    /// Disables the print-to-file choice.
    bool DisablePrintToFile = true;
    /// In/out: print to a file.
    bool PrintToFile = false;
    /// In/out: collate copies.
    bool Collate = false;
    /// No warning when there is no default printer.
    bool PreventWarning = false;
    /// Owner window; passed as given (0 for none).
    WindowHandle Owner = 0;
    /// Printer that takes the chosen copies, orientation, paper and quality; may be null.
    DialogPrinter *Printer = nullptr;
    /// Accepted and ignored: the switches above give the dialog's flags.
    qint32 flags = 0;
};

/// Optional arguments of cCommonDialog::VBPageSetupDlg.
struct PageSetupArgs {
    /// Owner window; passed as given (0 for none).
    WindowHandle Owner = 0;
    /// Margins cannot be changed.
    bool DisableMargins = false;
    /// Orientation cannot be changed.
    bool DisableOrientation = false;
    /// Paper cannot be changed.
    bool DisablePaper = false;
    /// The printer cannot be changed.
    bool DisablePrinter = false;
    /// In/out: left margin in Units.
    qint32 LeftMargin = 0;
    /// In/out: smallest left margin in Units.
    qint32 MinLeftMargin = 0;
    /// In/out: right margin in Units.
    qint32 RightMargin = 0;
    /// In/out: smallest right margin in Units.
    qint32 MinRightMargin = 0;
    /// In/out: top margin in Units.
    qint32 TopMargin = 0;
    /// In/out: smallest top margin in Units.
    qint32 MinTopMargin = 0;
    /// In/out: bottom margin in Units.
    qint32 BottomMargin = 0;
    /// In/out: smallest bottom margin in Units.
    qint32 MinBottomMargin = 0;
    /// Out: paper number (1 Letter, 9 A4, ...).
    qint32 PaperSize = 1;
    /// Out: 1 portrait, 2 landscape.
    qint32 Orientation = 1;
    /// Out: dots per inch, or a negative quality code.
    qint32 PrintQuality = -1;
    /// 0 for whole inches, anything else for whole millimetres.
    qint32 Units = 0;
    /// Printer that takes the chosen copies, orientation, paper and quality; may be null.
    DialogPrinter *Printer = nullptr;
    /// Accepted and ignored: the switches above give the dialog's flags.
    qint32 flags = 0;
};
