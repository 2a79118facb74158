#pragma once

#include <QtGlobal>

/// Flag and code values of the common dialogs, under the names the dialogs' callers know them by.
///
/// The dialog wrapper speaks this vocabulary in its `flags` arguments and results, so the values
/// are those of the platform's common-dialog library, whatever backend shows the dialog.
namespace CommonDialogFlags {

// Open and save dialogs.
/// The read-only box is ticked (in and out).
inline constexpr qint32 OFN_READONLY = 0x1;
/// Save: asks before an existing file is replaced.
inline constexpr qint32 OFN_OVERWRITEPROMPT = 0x2;
/// Hides the read-only box.
inline constexpr qint32 OFN_HIDEREADONLY = 0x4;
/// A hook procedure is given (never honoured here).
inline constexpr qint32 OFN_ENABLEHOOK = 0x20;
/// A dialog template is given (never honoured here).
inline constexpr qint32 OFN_ENABLETEMPLATE = 0x40;
/// The user may choose several files.
inline constexpr qint32 OFN_ALLOWMULTISELECT = 0x200;
/// Out: the chosen name's extension differs from the default one.
inline constexpr qint32 OFN_EXTENSIONDIFFERENT = 0x400;
/// The chosen folder must exist.
inline constexpr qint32 OFN_PATHMUSTEXIST = 0x800;
/// The chosen file must exist.
inline constexpr qint32 OFN_FILEMUSTEXIST = 0x1000;
/// Several chosen files come back NUL-separated rather than space-separated.
inline constexpr qint32 OFN_EXPLORER = 0x80000;
/// Links are returned as themselves, not as their targets.
inline constexpr qint32 OFN_NODEREFERENCELINKS = 0x100000;

// Colour dialog.
/// The dialog starts from the given colour.
inline constexpr qint32 CC_RGBINIT = 0x1;
/// The custom-colour editor is open from the start.
inline constexpr qint32 CC_FULLOPEN = 0x2;
/// The custom-colour editor cannot be opened.
inline constexpr qint32 CC_PREVENTFULLOPEN = 0x4;
/// Only solid (undithered) colours are offered.
inline constexpr qint32 CC_SOLIDCOLOR = 0x80;
/// Every colour is offered.
inline constexpr qint32 CC_ANYCOLOR = 0x100;

// Font dialog.
/// Lists the screen's fonts.
inline constexpr qint32 CF_SCREENFONTS = 0x1;
/// Lists the printer's fonts.
inline constexpr qint32 CF_PRINTERFONTS = 0x2;
/// A hook procedure is given (never honoured here).
inline constexpr qint32 CF_ENABLEHOOK = 0x8;
/// A dialog template is given (never honoured here).
inline constexpr qint32 CF_ENABLETEMPLATE = 0x10;
/// The dialog starts from the given font.
inline constexpr qint32 CF_INITTOLOGFONTSTRUCT = 0x40;
/// The dialog starts from a given style name.
inline constexpr qint32 CF_USESTYLE = 0x80;
/// Offers the effects: colour, underline, strike-out.
inline constexpr qint32 CF_EFFECTS = 0x100;
/// Shows an Apply button (never honoured here).
inline constexpr qint32 CF_APPLY = 0x200;
/// Offers only sizes between the smallest and the largest given.
inline constexpr qint32 CF_LIMITSIZE = 0x2000;
/// Lists fixed-pitch fonts only.
inline constexpr qint32 CF_FIXEDPITCHONLY = 0x4000;
/// Lists scalable fonts only.
inline constexpr qint32 CF_SCALABLEONLY = 0x20000;
/// Lists outline (TrueType) fonts only.
inline constexpr qint32 CF_TTONLY = 0x40000;

// Font types the font dialog reports for the chosen font.
/// The chosen font is bold.
inline constexpr qint32 BOLD_FONTTYPE = 0x100;
/// The chosen font is italic.
inline constexpr qint32 ITALIC_FONTTYPE = 0x200;
/// The chosen font is neither bold nor italic.
inline constexpr qint32 REGULAR_FONTTYPE = 0x400;
/// The chosen font is a screen font.
inline constexpr qint32 SCREEN_FONTTYPE = 0x2000;

// Print dialog.
/// All pages (no range flag).
inline constexpr qint32 PD_ALLPAGES = 0x0;
/// The "selection" range is chosen.
inline constexpr qint32 PD_SELECTION = 0x1;
/// The page-number range is chosen.
inline constexpr qint32 PD_PAGENUMS = 0x2;
/// Offers no "selection" range.
inline constexpr qint32 PD_NOSELECTION = 0x4;
/// Offers no page-number range.
inline constexpr qint32 PD_NOPAGENUMS = 0x8;
/// Copies are collated.
inline constexpr qint32 PD_COLLATE = 0x10;
/// Printing goes to a file.
inline constexpr qint32 PD_PRINTTOFILE = 0x20;
/// No warning when there is no default printer.
inline constexpr qint32 PD_NOWARNING = 0x80;
/// Returns a device context of the chosen printer.
inline constexpr qint32 PD_RETURNDC = 0x100;
/// A print hook procedure is given (never honoured here).
inline constexpr qint32 PD_ENABLEPRINTHOOK = 0x1000;
/// A setup hook procedure is given (never honoured here).
inline constexpr qint32 PD_ENABLESETUPHOOK = 0x2000;
/// A print dialog template is given (never honoured here).
inline constexpr qint32 PD_ENABLEPRINTTEMPLATE = 0x4000;
/// A setup dialog template is given (never honoured here).
inline constexpr qint32 PD_ENABLESETUPTEMPLATE = 0x8000;
/// Copies and collation come back in the device mode.
inline constexpr qint32 PD_USEDEVMODECOPIESANDCOLLATE = 0x40000;
/// The print-to-file choice is disabled.
inline constexpr qint32 PD_DISABLEPRINTTOFILE = 0x80000;
/// The print-to-file choice is hidden.
inline constexpr qint32 PD_HIDEPRINTTOFILE = 0x100000;

// Page setup dialog.
/// The smallest margins given are enforced.
inline constexpr qint32 PSD_MINMARGINS = 0x1;
/// The dialog starts from the margins given.
inline constexpr qint32 PSD_MARGINS = 0x2;
/// Margins are in thousandths of an inch.
inline constexpr qint32 PSD_INTHOUSANDTHSOFINCHES = 0x4;
/// Margins are in hundredths of a millimetre.
inline constexpr qint32 PSD_INHUNDREDTHSOFMILLIMETERS = 0x8;
/// Margins cannot be changed.
inline constexpr qint32 PSD_DISABLEMARGINS = 0x10;
/// The printer cannot be changed.
inline constexpr qint32 PSD_DISABLEPRINTER = 0x20;
/// Orientation cannot be changed.
inline constexpr qint32 PSD_DISABLEORIENTATION = 0x100;
/// Paper cannot be changed.
inline constexpr qint32 PSD_DISABLEPAPER = 0x200;

// Device mode values.
/// Portrait orientation.
inline constexpr qint16 DMORIENT_PORTRAIT = 1;
/// Landscape orientation.
inline constexpr qint16 DMORIENT_LANDSCAPE = 2;
/// Copies not collated.
inline constexpr qint16 DMCOLLATE_FALSE = 0;
/// Copies collated.
inline constexpr qint16 DMCOLLATE_TRUE = 1;

// Extended error codes.
/// The dialog could not be set up.
inline constexpr qint32 CDERR_INITIALIZATION = 0x2;
/// The chosen name does not fit the file buffer.
inline constexpr qint32 FNERR_BUFFERTOOSMALL = 0x3003;

// Units of font sizes and page margins as the dialogs exchange them.
inline constexpr double kTenthsPerPoint = 10.0;
inline constexpr qint32 kThousandthsPerInch = 1000;
inline constexpr qint32 kHundredthsPerMillimetre = 100;

} // namespace CommonDialogFlags
