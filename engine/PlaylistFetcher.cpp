#include "PlaylistFetcher.h"

#include "Version.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
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
            error = file.errorString();
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
    m_reply = m_network->get(request);
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
        reply->error() == QNetworkReply::NoError ? QString() : reply->errorString();
    emit finished(reply->url(), m_data, error);
}
