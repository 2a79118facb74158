#include "Volume.h"

#include "FormSettings.h"
#include "MediaPlayer.h"

#include <algorithm>

Volume::Volume(FormSettings &settings, MediaPlayer &engine, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_engine(engine)
    , m_level(settings.storedVolume(FormSettings::kAppName))
{}

QString Volume::text(int level)
{
    return tr("Volume %1 %").arg(level);
}

void Volume::set(int level)
{
    level = std::clamp(level, 0, 100);
    if (level == m_level) {
        return;
    }
    m_level = level;
    m_engine.setVolume(level);
    m_settings.saveVolume(FormSettings::kAppName, level);
    emit changed(level);
}

void Volume::step(int steps)
{
    // From a level off the grid (set through the desktop, say 42 %), the first step lands
    // on the grid, as a volume knob with detents would.
    const int grid = steps > 0 ? m_level / kStep : (m_level + kStep - 1) / kStep;
    set((grid + steps) * kStep);
}

void Volume::wheel(int angleDelta)
{
    m_wheelRest += angleDelta;
    const int steps = m_wheelRest / kWheelNotch;
    m_wheelRest -= steps * kWheelNotch;
    if (steps != 0) {
        step(steps);
    }
}

void Volume::apply()
{
    m_engine.setVolume(m_level);
}
