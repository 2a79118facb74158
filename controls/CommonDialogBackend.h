#pragma once

#include "CommonDialogData.h"

/// Shows the common dialogs for the dialog wrapper, which builds their requests and reads their
/// replies; this is the part that depends on the platform or toolkit.
///
/// A dialog call returns 1 when the user confirmed (the structure then holds the reply), 0 when
/// the user cancelled or the dialog failed, and any other value for a failure whose code
/// extendedError() reports.
class CommonDialogBackend {
public:
    virtual ~CommonDialogBackend() = default;

    /// Shows the open dialog for `data`.
    virtual qint32 getOpenFileName(FileNameData &data) = 0;
    /// Shows the save dialog for `data`.
    virtual qint32 getSaveFileName(FileNameData &data) = 0;
    /// Writes the name of `file` without its folder into `buffer` (NUL-padded to `bufferSize`);
    /// returns 0 on success, a negative value for a bad name, else the buffer size needed.
    virtual qint32 getFileTitle(const QString &file, QString &buffer, qint32 bufferSize) = 0;
    /// Shows the colour dialog for `data`.
    virtual qint32 chooseColor(ChooseColorData &data) = 0;
    /// Shows the font dialog for `data`.
    virtual qint32 chooseFont(ChooseFontData &data) = 0;
    /// Shows the print dialog for `data`.
    virtual qint32 printDlg(PrintDialogData &data) = 0;
    /// Shows the page-setup dialog for `data`.
    virtual qint32 pageSetupDlg(PageSetupData &data) = 0;
    /// Error code of the last dialog call that failed; 0 when it did not fail.
    virtual qint32 extendedError() const = 0;
    /// The desktop's colour number `index` (0..15) as 0x00BBGGRR.
    virtual qint32 systemColor(int index) const = 0;
    /// Twips (1/1440 inch) per pixel, vertically, on the screen.
    virtual double twipsPerPixelY() const = 0;
    /// Device context of the default printer; 0 when there is none.
    virtual DeviceContext defaultPrinterDeviceContext() = 0;

protected:
    CommonDialogBackend() = default;
    CommonDialogBackend(const CommonDialogBackend &) = default;
    CommonDialogBackend &operator=(const CommonDialogBackend &) = default;
};
