#pragma once

#include "MediaPlayer.h"
#include "StatusDisplay.h"

#include <QString>

/// "Author - Title" of the engine's current item, read at once; a read with nothing to
/// report counts as empty, so right after opening a file, before its tags are read, this
/// is the file's name.
inline QString authorAndTitle(const MediaPlayer &engine)
{
    return StatusDisplay::joinAuthorTitle(
        engine.itemInfo(QStringLiteral("Author")).value_or(QString()),
        engine.itemInfo(QStringLiteral("Title")).value_or(QString()));
}
