#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;

/// Reads the first bytes of a playlist, from a local file or over the network, without
/// blocking: at most 64 KiB, and a remote fetch gives up after 10 s.
class PlaylistFetcher : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxBytes = qsizetype{64} * 1024;
    static constexpr int kTimeoutMs = 10'000;

    /// Creates an idle fetcher.
    explicit PlaylistFetcher(QObject *parent = nullptr);
    ~PlaylistFetcher() override;

    /// Starts reading `url`, abandoning any fetch still running; answers with finished().
    void fetch(const QUrl &url);
    /// Abandons the running fetch; finished() is not emitted for it.
    void cancel();

    /// Plain words for a failed fetch: the ones a failed stream gets where there are such
    /// (an HTTP status, a refused connection, a certificate the system does not trust),
    /// otherwise `fallback` after a word on what failed.
    static QString plainError(QNetworkReply::NetworkError error, int httpStatus,
                              bool certificateRejected, const QString &fallback);

signals:
    /// The fetch of `url` ended; `error` is empty on success.
    void finished(const QUrl &url, const QByteArray &data, const QString &error);

private:
    void onReadyRead();
    void onReplyFinished();
    QNetworkReply *abandonReply();

    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_data;
    bool m_certificateRejected = false; // the reply's TLS peer failed verification
    quint64 m_pending = 0; // bumped by cancel(): a local answer still queued is withdrawn
};
