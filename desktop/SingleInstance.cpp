#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>

Q_LOGGING_CATEGORY(lcDesktop, "morvena.desktop", QtWarningMsg)

namespace {

// One request, one line each way. The location is percent-encoded so that a file name
// holding a line break cannot split it.
constexpr char kConfirmation[] = "ok\n";
// Longer than any path or link the system allows; a peer that sends more without ending
// its line is not ours.
constexpr qint64 kMaxRequest = qint64{64} * 1024;

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent)
    , m_name(std::move(name))
{
    // No socket options: with any, Qt makes the socket elsewhere and renames it into place,
    // silently replacing a running instance's socket. The runtime folder is the user's own.
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            serve(socket);
        }
    });
}

QString SingleInstance::defaultName()
{
    const QByteArray settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toUtf8();
    const QByteArray key =
        QCryptographicHash::hash(settings, QCryptographicHash::Sha1).toHex().left(12);
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/org.morvena.Webradio-") + QString::fromLatin1(key);
}

bool SingleInstance::handOver(const QString &name, const QString &target, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
        return false;
    }
    socket.write(target.toUtf8().toPercentEncoding() + '\n');
    QByteArray answer;
    while (!answer.endsWith('\n') && !deadline.hasExpired()) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
        answer += socket.readAll();
    }
    return answer == kConfirmation;
}

bool SingleInstance::claim(const QString &target)
{
    if (handOver(m_name, target)) {
        return false;
    }
    // Nobody answered: the socket, if there is one, belongs to a crashed or hung instance.
    listenTakingOver();
    return true;
}

bool SingleInstance::takeOver(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_server.listen(m_name)) {
        QLocalSocket old;
        old.connectToServer(m_name);
        if (!old.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            // Refused: a stale socket, or the old instance closed it just now.
            QLocalServer::removeServer(m_name);
            if (m_server.listen(m_name)) {
                break;
            }
        } else {
            // The old instance never answers this silent connection; it drops when the old
            // process ends.
            old.waitForDisconnected(static_cast<int>(deadline.remainingTime()));
        }
        if (deadline.hasExpired()) {
            qCWarning(lcDesktop) << "the instance being replaced is still running; taking over";
            listenTakingOver();
            return false;
        }
        // The old process may take a moment to unlink its socket after it disconnected.
        QThread::msleep(20);
    }
    return true;
}

void SingleInstance::release()
{
    m_server.close();
}

bool SingleInstance::listenTakingOver()
{
    if (m_server.listen(m_name)) {
        return true;
    }
    QLocalServer::removeServer(m_name);
    if (m_server.listen(m_name)) {
        return true;
    }
    // The player still works; only later starts will not find it.
    qCWarning(lcDesktop).noquote() << "cannot serve later starts:" << m_server.errorString();
    return false;
}

void SingleInstance::serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxRequest) {
                socket->abort();
            }
            return;
        }
        const QByteArray line = socket->readLine().trimmed();
        // Out before the request is acted on: a list install ends this process at once,
        // and the later start must not wait in vain and start a second player.
        socket->write(kConfirmation);
        socket->flush();
        socket->disconnectFromServer();
        emit requested(QString::fromUtf8(QByteArray::fromPercentEncoding(line)));
    });
}
