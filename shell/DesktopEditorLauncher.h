#pragma once

#include "EditorLauncher.h"

/// Opens files with the desktop's application for them (QDesktopServices), which for the
/// channel list is the user's text editor.
class DesktopEditorLauncher final : public EditorLauncher {
public:
    /// Hands the file's URL to the desktop.
    void openInEditor(const QString &path) override;
};
