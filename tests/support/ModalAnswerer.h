#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <utility>

/// Answers the modal windows the code under test opens, one action per window in order, so a
/// test can drive a dialog's exec() without blocking.
///
/// Each action runs from the event loop rather than inside the poll, so it may itself open a
/// nested modal window (a confirmation) for the next action. When the time is up, every modal
/// window still open is rejected, so a dialog that does not close cannot hang the test.
class ModalAnswerer {
public:
    /// What to do with one modal window.
    using Action = std::function<void(QWidget *)>;

    /// Starts polling for the windows `actions` answer, for at most `timeout`.
    explicit ModalAnswerer(QList<Action> actions,
                           std::chrono::milliseconds timeout = std::chrono::seconds(10))
        : m_actions(std::move(actions))
        , m_deadline(timeout)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(std::chrono::milliseconds(10));
    }

    /// Modal windows answered so far.
    int answered() const { return m_answered; }
    /// Whether the time ran out with an action unused or a modal window open.
    bool timedOut() const { return m_timedOut; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (m_deadline.hasExpired()) {
            if (modal != nullptr || !m_actions.isEmpty())
                m_timedOut = true;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else if (modal != nullptr)
                modal->close();
            return;
        }
        if (modal == nullptr || modal == m_last || m_actions.isEmpty())
            return;
        m_last = modal;
        ++m_answered;
        QTimer::singleShot(0, modal, [modal, action = m_actions.takeFirst()] { action(modal); });
    }

    QList<Action> m_actions;
    QDeadlineTimer m_deadline;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    int m_answered = 0;
    bool m_timedOut = false;
};
