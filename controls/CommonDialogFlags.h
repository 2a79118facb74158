#pragma once

#include <QtGlobal>

/// Flag and code values of the common dialogs, under the names the dialogs' callers know them by.
///
/// The dialog wrapper speaks this vocabulary in its `flags` arguments and results, so the values
/// are those of the platform's common-dialog library, whatever backend shows the dialog.
namespace CommonDialogFlags {

// Open and save dialogs.
inline constexpr qint32 OFN_READONLY = 0x1;
inline constexpr qint32 OFN_OVERWRITEPROMPT = 0x2;
inline constexpr qint32 OFN_HIDEREADONLY = 0x4;
inline constexpr qint32 OFN_ENABLEHOOK = 0x20;
inline constexpr qint32 OFN_ENABLETEMPLATE = 0x40;
inline constexpr qint32 OFN_ALLOWMULTISELECT = 0x200;
inline constexpr qint32 OFN_EXTENSIONDIFFERENT = 0x400;
inline constexpr qint32 OFN_PATHMUSTEXIST = 0x800;
inline constexpr qint32 OFN_FILEMUSTEXIST = 0x1000;
inline constexpr qint32 OFN_EXPLORER = 0x80000;
inline constexpr qint32 OFN_NODEREFERENCELINKS = 0x100000;

// Colour dialog.
inline constexpr qint32 CC_RGBINIT = 0x1;
inline constexpr qint32 CC_FULLOPEN = 0x2;
inline constexpr qint32 CC_PREVENTFULLOPEN = 0x4;
inline constexpr qint32 CC_SOLIDCOLOR = 0x80;
inline constexpr qint32 CC_ANYCOLOR = 0x100;

// Font dialog.
inline constexpr qint32 CF_SCREENFONTS = 0x1;
inline constexpr qint32 CF_PRINTERFONTS = 0x2;
inline constexpr qint32 CF_ENABLEHOOK = 0x8;
inline constexpr qint32 CF_ENABLETEMPLATE = 0x10;
inline constexpr qint32 CF_INITTOLOGFONTSTRUCT = 0x40;
inline constexpr qint32 CF_USESTYLE = 0x80;
inline constexpr qint32 CF_EFFECTS = 0x100;
inline constexpr qint32 CF_APPLY = 0x200;
inline constexpr qint32 CF_LIMITSIZE = 0x2000;
inline constexpr qint32 CF_FIXEDPITCHONLY = 0x4000;
inline constexpr qint32 CF_SCALABLEONLY = 0x20000;
inline constexpr qint32 CF_TTONLY = 0x40000;

// Font types the font dialog reports for the chosen font.
inline constexpr qint32 BOLD_FONTTYPE = 0x100;
inline constexpr qint32 ITALIC_FONTTYPE = 0x200;
inline constexpr qint32 REGULAR_FONTTYPE = 0x400;
inline constexpr qint32 SCREEN_FONTTYPE = 0x2000;

// Print dialog.
inline constexpr qint32 PD_ALLPAGES = 0x0;
inline constexpr qint32 PD_SELECTION = 0x1;
inline constexpr qint32 PD_PAGENUMS = 0x2;
inline constexpr qint32 PD_NOSELECTION = 0x4;
inline constexpr qint32 PD_NOPAGENUMS = 0x8;
inline constexpr qint32 PD_COLLATE = 0x10;
inline constexpr qint32 PD_PRINTTOFILE = 0x20;
inline constexpr qint32 PD_NOWARNING = 0x80;
inline constexpr qint32 PD_RETURNDC = 0x100;
inline constexpr qint32 PD_ENABLEPRINTHOOK = 0x1000;
inline constexpr qint32 PD_ENABLESETUPHOOK = 0x2000;
inline constexpr qint32 PD_ENABLEPRINTTEMPLATE = 0x4000;
inline constexpr qint32 PD_ENABLESETUPTEMPLATE = 0x8000;
inline constexpr qint32 PD_USEDEVMODECOPIESANDCOLLATE = 0x40000;
inline constexpr qint32 PD_DISABLEPRINTTOFILE = 0x80000;
inline constexpr qint32 PD_HIDEPRINTTOFILE = 0x100000;

// Page setup dialog.
inline constexpr qint32 PSD_MINMARGINS = 0x1;
inline constexpr qint32 PSD_MARGINS = 0x2;
inline constexpr qint32 PSD_INTHOUSANDTHSOFINCHES = 0x4;
inline constexpr qint32 PSD_INHUNDREDTHSOFMILLIMETERS = 0x8;
inline constexpr qint32 PSD_DISABLEMARGINS = 0x10;
inline constexpr qint32 PSD_DISABLEPRINTER = 0x20;
inline constexpr qint32 PSD_DISABLEORIENTATION = 0x100;
inline constexpr qint32 PSD_DISABLEPAPER = 0x200;

// Device mode values.
inline constexpr qint16 DMORIENT_PORTRAIT = 1;
inline constexpr qint16 DMORIENT_LANDSCAPE = 2;
inline constexpr qint16 DMCOLLATE_FALSE = 0;
inline constexpr qint16 DMCOLLATE_TRUE = 1;

// Extended error codes.
inline constexpr qint32 CDERR_INITIALIZATION = 0x2;
inline constexpr qint32 FNERR_BUFFERTOOSMALL = 0x3003;

} // namespace CommonDialogFlags
