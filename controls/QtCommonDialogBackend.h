#pragma once

#include "CommonDialogBackend.h"

#include <QtGlobal>

#include <memory>

class QPrinter;
class QWidget;

/// Shows the common dialogs with Qt: QFileDialog, QColorDialog and QFontDialog from Qt Widgets,
/// QPrintDialog and QPageSetupDialog from Qt Print Support.
///
/// The file, colour and font dialogs are always Qt's own widget dialogs, never the desktop's
/// native ones, because the flags are honoured by adjusting those widgets (read-only box,
/// effects, size limits, custom-colour editor) and behave the same on every desktop.
///
/// Qt prints by painting on a QPrinter and has no device-context handles: the print dialog
/// returns device context 0, as does defaultPrinterDeviceContext(), and the printer the last
/// confirmed print or page-setup dialog configured is printer().
///
/// Dialogs return 1 when confirmed and 0 when cancelled or failed (Qt reports no other
/// outcome); a failure leaves its code in extendedError().
class QtCommonDialogBackend : public CommonDialogBackend {
public:
    /// A backend with no printer configured yet.
    QtCommonDialogBackend();
    /// Deletes the printer the dialogs configured.
    ~QtCommonDialogBackend() override;
    Q_DISABLE_COPY_MOVE(QtCommonDialogBackend)

    /// Shows a QFileDialog for opening.
    qint32 getOpenFileName(FileNameData &data) override;
    /// Shows a QFileDialog for saving.
    qint32 getSaveFileName(FileNameData &data) override;
    /// The file name part of `file` (QFileInfo::fileName()); -1 when it has none.
    qint32 getFileTitle(const QString &file, QString &buffer, qint32 bufferSize) override;
    /// Shows a QColorDialog over the custom colours (shared with every QColorDialog).
    qint32 chooseColor(ChooseColorData &data) override;
    /// Shows a QFontDialog; the text colour comes back unchanged, Qt's dialog has none.
    qint32 chooseFont(ChooseFontData &data) override;
    /// Shows a QPrintDialog for a new printer on the default print device.
    qint32 printDlg(PrintDialogData &data) override;
    /// Shows a QPageSetupDialog for a new printer on the default print device.
    qint32 pageSetupDlg(PageSetupData &data) override;
    /// Error code of the last dialog call; 0 when it did not fail.
    qint32 extendedError() const override { return m_extendedError; }
    /// A colour of the application palette standing in for the desktop's colour `index`.
    qint32 systemColor(int index) const override;
    /// 1440 over the primary screen's logical dots per inch.
    double twipsPerPixelY() const override;
    /// Always 0: Qt has no device contexts (see printer()).
    DeviceContext defaultPrinterDeviceContext() override { return 0; }

    /// The printer the last confirmed print or page-setup dialog configured (the next one
    /// replaces it); null before one.
    QPrinter *printer() const { return m_printer.get(); }

    /// The handle that names `widget`'s window as a dialog's owner.
    static WindowHandle ownerHandle(QWidget *widget);

private:
    qint32 fileDialog(FileNameData &data, bool save);

    qint32 m_extendedError = 0;
    std::unique_ptr<QPrinter> m_printer;
};
