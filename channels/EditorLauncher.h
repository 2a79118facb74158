#pragma once

#include <QString>

/// Opens a text file in the desktop's text editor, without waiting for it.
class EditorLauncher {
public:
    virtual ~EditorLauncher() = default;

    /// Opens the file at the full path `path`.
    virtual void openInEditor(const QString &path) = 0;

protected:
    EditorLauncher() = default;
    EditorLauncher(const EditorLauncher &) = default;
    EditorLauncher &operator=(const EditorLauncher &) = default;
};
