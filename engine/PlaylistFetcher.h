#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

/// Reads the first bytes of a playlist, from a local file or over the network, without
/// blocking: at most 64 KiB, and a remote fetch gives up after 10 s.
class PlaylistFetcher : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxBytes = 64 * 1024;
    static constexpr int kTimeoutMs = 10'000;

    /// Creates an idle fetcher.
    explicit PlaylistFetcher(QObject *parent = nullptr);
    ~PlaylistFetcher() override;

    /// Starts reading `url`, abandoning any fetch still running; answers with finished().
    void fetch(const QUrl &url);
    /// Abandons the running fetch; finished() is not emitted for it.
    void cancel();

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
    quint64 m_pending = 0; // bumped by cancel(): a local answer still queued is withdrawn
};
