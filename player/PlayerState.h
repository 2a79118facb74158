#pragma once

#include <QLatin1StringView>
#include <QObject>
#include <QString>

/// The player's state as the main window shows it: the texts of its labels and its two
/// option boxes. Each holder is set-if-changed and announces every change.
///
/// Decisions compare these texts with kNoChannelSelected and kPause, so the state the
/// program acts on is always exactly what the user sees. The tuned URL is not held here:
/// the engine owns it.
class PlayerState : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Label1 READ Label1 WRITE setLabel1 NOTIFY Label1Changed)
    Q_PROPERTY(QString Label2 READ Label2 WRITE setLabel2 NOTIFY Label2Changed)
    Q_PROPERTY(QString Label3 READ Label3 WRITE setLabel3 NOTIFY Label3Changed)
    Q_PROPERTY(QString Label4 READ Label4 WRITE setLabel4 NOTIFY Label4Changed)
    Q_PROPERTY(QString Label5 READ Label5 WRITE setLabel5 NOTIFY Label5Changed)
    Q_PROPERTY(quint32 Label5ForeColor READ Label5ForeColor WRITE setLabel5ForeColor NOTIFY
                   Label5ForeColorChanged)
    Q_PROPERTY(QString Label6 READ Label6 WRITE setLabel6 NOTIFY Label6Changed)
    Q_PROPERTY(int chkFarge READ chkFarge WRITE setChkFarge NOTIFY chkFargeChanged)
    Q_PROPERTY(int chkInfo READ chkInfo WRITE setChkInfo NOTIFY chkInfoChanged)

public:
    /// The title while nothing is tuned; also the initial title.
    static constexpr QLatin1StringView kNoChannelSelected{"no channel selected"};
    /// The title and now-playing text in the pause state.
    static constexpr QLatin1StringView kPause{"Pause..."};

    /// The state of a freshly started program: title kNoChannelSelected, all else empty or 0.
    explicit PlayerState(QObject *parent = nullptr);

    /// Last announced now-playing text (never shown).
    QString Label1() const { return m_label1; }
    /// Title: the tuned channel's name, kNoChannelSelected or kPause.
    QString Label2() const { return m_label2; }
    /// Status line: bitrate, bandwidth and buffering.
    QString Label3() const { return m_label3; }
    /// Now-playing text.
    QString Label4() const { return m_label4; }
    /// On-air indicator.
    QString Label5() const { return m_label5; }
    /// On-air indicator's text colour as 0xAARRGGBB; 0 (transparent) until first set, while
    /// the window keeps the label's starting colour.
    quint32 Label5ForeColor() const { return m_label5ForeColor; }
    /// Saved title (never shown): the title before the last pause or tuning.
    QString Label6() const { return m_label6; }
    /// Always-on-top option, 0 or 1.
    int chkFarge() const { return m_chkFarge; }
    /// Information-view option, 0 or 1.
    int chkInfo() const { return m_chkInfo; }

    /// True in the pause state, the state in which the title reads kPause.
    bool isPaused() const { return m_label2 == kPause; }

    /// Sets Label1; notifies only on a change.
    void setLabel1(const QString &text);
    /// Sets Label2; notifies only on a change.
    void setLabel2(const QString &text);
    /// Sets Label3; notifies only on a change.
    void setLabel3(const QString &text);
    /// Sets Label4; notifies only on a change.
    void setLabel4(const QString &text);
    /// Sets Label5; notifies only on a change.
    void setLabel5(const QString &text);
    /// Sets Label5's text colour (0xAARRGGBB); notifies only on a change.
    void setLabel5ForeColor(quint32 argb);
    /// Sets Label6; notifies only on a change.
    void setLabel6(const QString &text);
    /// Sets chkFarge; notifies only on a change, which is when the window's stacking follows.
    void setChkFarge(int value);
    /// Sets chkInfo; notifies only on a change.
    void setChkInfo(int value);

signals:
    /// Label1 changed.
    void Label1Changed(const QString &text);
    /// Label2 changed.
    void Label2Changed(const QString &text);
    /// Label3 changed.
    void Label3Changed(const QString &text);
    /// Label4 changed.
    void Label4Changed(const QString &text);
    /// Label5 changed.
    void Label5Changed(const QString &text);
    /// Label5's text colour changed.
    void Label5ForeColorChanged(quint32 argb);
    /// Label6 changed.
    void Label6Changed(const QString &text);
    /// chkFarge changed.
    void chkFargeChanged(int value);
    /// chkInfo changed.
    void chkInfoChanged(int value);

private:
    QString m_label1;
    QString m_label2 = kNoChannelSelected;
    QString m_label3;
    QString m_label4;
    QString m_label5;
    quint32 m_label5ForeColor = 0;
    QString m_label6;
    int m_chkFarge = 0;
    int m_chkInfo = 0;
};
