#include "FakeDirectoryServer.h"

#include <QTcpSocket>

FakeDirectoryServer::FakeDirectoryServer()
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl FakeDirectoryServer::base() const
{
    return QUrl(QStringLiteral("http://") + authority());
}

QString FakeDirectoryServer::authority() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

void FakeDirectoryServer::serve(QTcpSocket *socket)
{
    if (socket->property("served").toBool()) {
        socket->readAll();
        return;
    }
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        return;
    }
    socket->setProperty("served", true);
    const QList<QByteArray> lines = head.first(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QByteArray target = requestLine.value(1);
    requests.append(QString::fromUtf8(target));
    const QString path = QUrl(QString::fromUtf8(target)).path();
    const auto it = m_answers.constFind(path);
    const Answer answer =
        it != m_answers.cend() ? *it : Answer{"404 Not Found", "text/plain", "no such path"};
    if (answer.silent) {
        return;
    }
    QByteArray reply = "HTTP/1.1 " + answer.status + "\r\nContent-Type: " + answer.contentType +
                       "\r\nConnection: close\r\n";
    if (answer.sendLength) {
        reply += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    }
    socket->write(reply + "\r\n" + answer.body);
    socket->disconnectFromHost();
}
