#pragma once

#include "CommonDialogBackend.h"

#include <functional>

/// A dialog backend that shows nothing: it keeps each request as it arrived, lets the test
/// answer it, and returns `result`.
class FakeCommonDialogBackend : public CommonDialogBackend {
public:
    /// The value each dialog returns.
    qint32 result = 1;
    /// What extendedError() reports.
    qint32 errorCode = 0;
    /// Dialogs opened so far.
    int dialogs = 0;
    /// Twips per pixel the font dialog's height is computed with.
    double twips = 15.0;
    /// The default printer's device context.
    DeviceContext defaultPrinter = 0x5150;
    /// Reads of the system colours so far.
    mutable int systemColorReads = 0;

    /// Requests as the dialogs received them; the custom colours as the colour dialog saw them.
    FileNameData fileRequest;
    ChooseColorData colorRequest;
    CustomColorTable colorTable{};
    ChooseFontData fontRequest;
    PrintDialogData printRequest;
    PageSetupData pageSetupRequest;

    /// Answers, run on the structure before `result` is returned.
    std::function<void(FileNameData &)> answerFile;
    std::function<void(ChooseColorData &)> answerColor;
    std::function<void(ChooseFontData &)> answerFont;
    std::function<void(PrintDialogData &)> answerPrint;
    std::function<void(PageSetupData &)> answerPageSetup;

    /// getFileTitle(): the title written and the value returned; the buffer it was handed.
    QString fileTitle = QStringLiteral("tone.mp3");
    qint32 fileTitleResult = 0;
    QString fileTitleBuffer;

    /// A distinct colour for each system colour index.
    static qint32 systemColorOf(int index) { return 0x00102030 + index; }

    qint32 getOpenFileName(FileNameData &data) override
    {
        return answer(fileRequest, data, answerFile);
    }
    qint32 getSaveFileName(FileNameData &data) override
    {
        return answer(fileRequest, data, answerFile);
    }
    qint32 getFileTitle(const QString &, QString &buffer, qint32 bufferSize) override
    {
        fileTitleBuffer = buffer;
        buffer = fileTitle + QString(bufferSize - fileTitle.size(), QChar(u'\0'));
        return fileTitleResult;
    }
    qint32 chooseColor(ChooseColorData &data) override
    {
        colorTable = *data.customColors;
        return answer(colorRequest, data, answerColor);
    }
    qint32 chooseFont(ChooseFontData &data) override
    {
        return answer(fontRequest, data, answerFont);
    }
    qint32 printDlg(PrintDialogData &data) override
    {
        return answer(printRequest, data, answerPrint);
    }
    qint32 pageSetupDlg(PageSetupData &data) override
    {
        return answer(pageSetupRequest, data, answerPageSetup);
    }
    qint32 extendedError() const override { return errorCode; }
    qint32 systemColor(int index) const override
    {
        ++systemColorReads;
        return systemColorOf(index);
    }
    double twipsPerPixelY() const override { return twips; }
    DeviceContext defaultPrinterDeviceContext() override { return defaultPrinter; }

private:
    template<class Data>
    qint32 answer(Data &request, Data &data, const std::function<void(Data &)> &respond)
    {
        ++dialogs;
        request = data;
        if (respond)
            respond(data);
        return result;
    }
};
