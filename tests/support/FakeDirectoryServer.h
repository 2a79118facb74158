#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

/// A stand-in for a radio-browser API server on 127.0.0.1: answers each path with what the
/// test set for it, and remembers the requests it got.
class FakeDirectoryServer : public QObject {
    Q_OBJECT

public:
    /// How a path is answered.
    struct Answer {
        QByteArray status = "200 OK";
        QByteArray contentType = "application/json";
        QByteArray body;
        bool sendLength = true; ///< false: no Content-Length, the end closes the connection
        bool silent = false;    ///< never answer, keep the connection open
    };

    /// Listens on a free port of 127.0.0.1.
    FakeDirectoryServer();

    /// Answers requests for `path` (query ignored) with `answer`; unknown paths get 404.
    void answer(const QString &path, const Answer &answer) { m_answers.insert(path, answer); }
    /// Answers `path` with the JSON text `json`.
    void answerJson(const QString &path, const QByteArray &json)
    {
        answer(path, {"200 OK", "application/json", json});
    }
    /// "http://127.0.0.1:<port>".
    QUrl base() const;
    /// "127.0.0.1:<port>", as a server list names a server.
    QString authority() const;

    /// Path and query of each request, in order.
    QStringList requests;

private:
    void serve(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, Answer> m_answers;
};
