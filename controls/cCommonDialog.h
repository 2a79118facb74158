#pragma once

#include "CommonDialogArgs.h"
#include "CommonDialogData.h"
#include "DialogFont.h"

#include <QString>

class CommonDialogBackend;

/// The common dialogs (open, save, colour, font, print, page setup) and the file-title function,
/// one member each, with plain arguments in and by-reference results out.
///
/// It builds each dialog's request, lets the backend show the dialog, and reads the reply. It
/// keeps the colour dialog's 16 custom colours and the raw result and extended error of the
/// last dialog. Dialogs are modal and run on the calling thread; use an instance from one thread.
///
/// Failures a caller cannot see coming from the dialog itself (a name too long for the dialog's
/// buffer, a value too large for its field) throw CommonDialogError before any dialog opens and
/// leave every argument unchanged; the members that can throw say so.
class cCommonDialog {
public:
    /// A wrapper showing its dialogs through `backend`, which must outlive it.
    explicit cCommonDialog(CommonDialogBackend &backend);

    /// Raw result of the last dialog: 1 confirmed, 0 cancelled or failed, else a failure.
    qint32 APIReturn() const { return m_apiReturn; }
    /// Extended error code of the last dialog that returned neither 0 nor 1.
    qint32 ExtendedError() const { return m_extendedError; }

    /// Open dialog: `Filename` in/out (the chosen path, several files as the backend writes them).
    /// Throws CommonDialogError::InvalidArgument when Filename or FileTitle exceeds 260 characters.
    bool VBGetOpenFileName(QString &Filename, OpenFileArgs &args);
    /// Open dialog with every optional argument at its default.
    bool VBGetOpenFileName(QString &Filename);

    /// Save dialog: `Filename` in/out.
    /// Throws CommonDialogError::InvalidArgument when Filename or FileTitle exceeds 260 characters.
    bool VBGetSaveFileName(QString &Filename, SaveFileArgs &args);
    /// Save dialog with every optional argument at its default.
    bool VBGetSaveFileName(QString &Filename);

    /// The name of `sFile` without its folder; empty when the backend cannot give it.
    QString VBGetFileTitle(const QString &sFile);

    /// Colour dialog over the custom colours: `Color` in/out (0x00BBGGRR), -1 when it fails.
    bool VBChooseColor(qint32 &Color, const ChooseColorArgs &args = {});

    /// Custom colour `i` (0..15) as 0x00BBGGRR; -1 for any other index.
    qint32 CustomColor(qint16 i);
    /// Sets custom colour `i` (0..15) to `iValue`; other indices are ignored.
    void setCustomColor(qint16 i, qint32 iValue);

    /// Font dialog: `CurFont` in/out.
    /// Throws CommonDialogError::Overflow when the flags or the font's size overflow 32 bits.
    bool VBChooseFont(DialogFont &CurFont, ChooseFontArgs &args);
    /// Font dialog with every optional argument at its default.
    bool VBChooseFont(DialogFont &CurFont);

    /// Print dialog: `hdc` out (device context of the chosen printer).
    /// Throws CommonDialogError::Overflow when FromPage or ToPage does not fit 16 bits.
    bool VBPrintDlg(DeviceContext &hdc, PrintDlgArgs &args);
    /// Print dialog with every optional argument at its default.
    bool VBPrintDlg(DeviceContext &hdc);

    /// Page-setup dialog; any non-zero result counts as success and APIReturn stays 0.
    /// Throws CommonDialogError::Overflow when a margin in the dialog's unit overflows 32 bits.
    bool VBPageSetupDlg(PageSetupArgs &args);
    /// Page-setup dialog with every optional argument at its default.
    bool VBPageSetupDlg();

private:
    bool acceptResult(qint32 result);
    void resetResult();
    void ensureCustomColors();

    CommonDialogBackend &m_backend;
    CustomColorTable m_customColors{};
    bool m_colorsInitialised = false;
    qint32 m_apiReturn = 0;
    qint32 m_extendedError = 0;
};
