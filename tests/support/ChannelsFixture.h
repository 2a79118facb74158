#pragma once

#include "ChannelExport.h"
#include "ChannelMenu.h"
#include "DropHandler.h"
#include "FakeClock.h"
#include "FakeFileDialogs.h"
#include "FaultyFileOperations.h"
#include "LocalMedia.h"
#include "PlayerFixture.h"
#include "Presets.h"
#include "RecordingBeeper.h"
#include "RecordingEditorLauncher.h"
#include "RecordingMessageBox.h"
#include "RecordingRestarter.h"

#include <QTemporaryDir>

#include <memory>

/// The channel sources wired to the player's recording fakes and to fakes of the desktop
/// (clock, beep, message box, editor, restart, file dialogs), all logging into one log,
/// with the program's folder and its channel list in a fresh temporary folder.
class ChannelsFixture : public PlayerFixture {
public:
    /// Builds everything; the program folder exists, the list does not yet.
    ChannelsFixture();
    ~ChannelsFixture();

    /// The full path of `relative` inside the temporary folder.
    QString path(const QString &relative) const;
    /// Writes `bytes` to `path`, creating its folder; false on failure.
    static bool write(const QString &path, const QByteArray &bytes);
    /// The bytes of the file at `path`, or none when it cannot be read.
    static std::optional<QByteArray> read(const QString &path);
    /// The names of the files in `folder`, sorted.
    static QStringList filesIn(const QString &folder);

    QTemporaryDir dir;
    QString programFolder;
    QString listPath;
    FakeClock clock;
    RecordingBeeper beeper{log};
    RecordingMessageBox messages{log};
    RecordingEditorLauncher editor{log};
    RecordingRestarter restarter{log};
    FakeFileDialogs dialogs{log};
    FaultyFileOperations files{log};
    std::unique_ptr<ChannelMenu> menu;
    std::unique_ptr<Presets> presets;
    std::unique_ptr<DropHandler> drops;
    std::unique_ptr<LocalMedia> localMedia;
    std::unique_ptr<ChannelExport> exporter;
};
