#pragma once

#include <QObject>
#include <QString>

class FormSettings;
class MediaPlayer;

/// The volume the user chose, in percent: changed by the wheel, the keys and the desktop's
/// media controls, applied by every tuning, continue and start, and kept in the store so a
/// restart plays at the same level.
class Volume : public QObject {
    Q_OBJECT

public:
    /// One wheel notch or key press moves the level by this many percent.
    static constexpr int kStep = 5;
    /// A wheel notch as Qt reports it (eighths of a degree).
    static constexpr int kWheelNotch = 120;

    /// Starts at the stored level; applies nothing until apply() or a change.
    Volume(FormSettings &settings, MediaPlayer &engine, QObject *parent = nullptr);

    /// The level, 0 to 100.
    int level() const { return m_level; }
    /// The status line's words for a level: "Volume 45 %".
    static QString text(int level);

    /// Sets the level (cut to 0..100), hands it to the engine and stores it; notifies only
    /// on a change.
    void set(int level);
    /// Moves the level by `steps` steps of kStep percent (negative: quieter).
    void step(int steps);
    /// A wheel turn of `angleDelta` eighths of a degree: a step per notch. Touchpads send
    /// fractions of a notch, which add up until they make one.
    void wheel(int angleDelta);
    /// Hands the level to the engine again (a new stream starts at it).
    void apply();

signals:
    /// The level changed to `level`.
    void changed(int level);

private:
    FormSettings &m_settings;
    MediaPlayer &m_engine;
    int m_level;
    int m_wheelRest = 0;
};
