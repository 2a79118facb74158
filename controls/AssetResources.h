#pragma once

/// The program's artwork compiled in from assets/morvena.qrc.
class AssetResources {
public:
    /// Registers the artwork once, so ":/" paths find it; safe to call any number of times.
    static void ensureLoaded();
};
