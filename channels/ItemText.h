#pragma once

#include "MediaPlayer.h"
#include "StatusDisplay.h"

#include <QString>

/// "Author - Title" of the engine's current item, read at once; a read with nothing to
/// report counts as empty, so right after opening a file this is " - ".
inline QString authorAndTitle(const MediaPlayer &engine)
{
    return engine.itemInfo(QStringLiteral("Author")).value_or(QString()) +
           StatusDisplay::kAuthorTitleSeparator +
           engine.itemInfo(QStringLiteral("Title")).value_or(QString());
}
