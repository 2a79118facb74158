#include "PlaylistFetcher.h"

#include "StreamPolicy.h"
#include "Version.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslError>
#include <QTimer>

PlaylistFetcher::PlaylistFetcher(QObject *parent)
    : QObject(parent)
{}

PlaylistFetcher::~PlaylistFetcher()
{
    cancel();
}

void PlaylistFetcher::fetch(const QUrl &url)
{
    cancel();
    if (url.isLocalFile() || url.isRelative()) {
        QFile file(url.isLocalFile() ? url.toLocalFile() : url.toString());
        QByteArray data;
        QString error;
        if (file.open(QIODevice::ReadOnly))
            data = file.read(kMaxBytes);
        else
            error = plainError(QNetworkReply::ContentNotFoundError, 0, false, file.errorString());
        // Answer from the event loop so callers see one behaviour for files and URLs; a
        // cancel() before then withdraws the answer.
        QTimer::singleShot(0, this, [this, url, data, error, pending = m_pending] {
            if (pending == m_pending)
                emit finished(url, data, error);
        });
        return;
    }
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(kTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral(MORVENA_USER_AGENT));
    m_data.clear();
    m_certificateRejected = false;
    m_reply = m_network->get(request);
    // The handshake's own error says only that it failed; the reasons come before it.
    connect(m_reply, &QNetworkReply::sslErrors, this,
            [this](const QList<QSslError> &errors) { m_certificateRejected = !errors.isEmpty(); });
    connect(m_reply, &QNetworkReply::readyRead, this, &PlaylistFetcher::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &PlaylistFetcher::onReplyFinished);
}

void PlaylistFetcher::cancel()
{
    ++m_pending;
    if (m_reply)
        abandonReply();
}

QNetworkReply *PlaylistFetcher::abandonReply()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    return reply;
}

void PlaylistFetcher::onReadyRead()
{
    m_data += m_reply->read(kMaxBytes - m_data.size());
    if (m_data.size() < kMaxBytes)
        return;
    // A playlist is small; anything longer is cut here rather than downloaded.
    const QUrl url = abandonReply()->url();
    emit finished(url, m_data, QString());
}

void PlaylistFetcher::onReplyFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    m_data += reply->read(kMaxBytes - m_data.size());
    const QString error =
        reply->error() == QNetworkReply::NoError
            ? QString()
            : plainError(reply->error(),
                         reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                         m_certificateRejected, reply->errorString());
    emit finished(reply->url(), m_data, error);
}

QString PlaylistFetcher::plainError(QNetworkReply::NetworkError error, int httpStatus,
                                    bool certificateRejected, const QString &fallback)
{
    if (httpStatus >= 400)
        return StreamPolicy::classify({httpStatus, 1, {}}).reason;
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError:
        return StreamPolicy::reason(certificateRejected ? StreamPolicy::kCertificateNotTrusted
                                                        : StreamPolicy::kSecureConnectionFailed);
    case QNetworkReply::ConnectionRefusedError:
        return StreamPolicy::tr("Connection refused");
    case QNetworkReply::HostNotFoundError:
        return StreamPolicy::tr("Server not found: check the address");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // the transfer timeout ends a reply so
        return StreamPolicy::tr("The server did not answer");
    default:
        return tr("The playlist could not be read: %1").arg(fallback);
    }
}
