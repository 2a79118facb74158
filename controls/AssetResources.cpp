#include "AssetResources.h"

#include <QtGlobal>

// The resources are compiled into a static library, whose registration the linker drops
// unless some code refers to it; Q_INIT_RESOURCE is that reference.
void AssetResources::ensureLoaded()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(morvena);
        return true;
    }();
    Q_UNUSED(loaded);
}
