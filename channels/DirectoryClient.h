#pragma once

#include "Version.h"

#include <QLatin1StringView>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkReply;

/// One station of the public station directory (radio-browser.info).
struct Station {
    QString name;
    QString url;         ///< the address the station registered; may be a playlist
    QString urlResolved; ///< the directory's resolution of `url` to a stream
    QString uuid;        ///< the directory's id, for click reports
    QString country;
    QString countryCode;
    QString codec;
    QString tags;
    int bitrate = 0;         ///< kbit/s, 0 when unknown
    qint64 clickCount = 0;   ///< the directory's popularity figure
    bool lastCheckOk = true; ///< the directory's last check reached the stream

    /// The address to tune to and to keep: the registered one, which the engine resolves
    /// itself and which outlives the directory's resolution of it.
    QString playUrl() const { return url.isEmpty() ? urlResolved : url; }
};

/// What to search for; empty fields do not narrow the search.
struct StationQuery {
    QString name;
    QString tag;
    QString countryCode;
};

/// The outcome of a directory request: the stations, or why there are none in a sentence
/// for the user.
struct StationSearch {
    std::optional<QList<Station>> stations;
    QString error;

    /// True when the request gave a list (which may be empty).
    explicit operator bool() const { return stations.has_value(); }
};

/// A client of the radio-browser JSON API.
///
/// Every request is asynchronous, bounded in time (timeoutMs from its start, however the
/// server trickles) and in size (maxBodyBytes, beyond which it is aborted), and names the
/// program in its User-Agent. The server is picked at random from the API's own server
/// list, as the API asks its clients to spread their load, falling back to a fixed server
/// when the list cannot be had; a base URL given in the settings (MORVENA_DIRECTORY_URL)
/// is used as it is, for tests and mirrors. Certificates are verified as Qt does by
/// default. Playing a station is reported as a click, which keeps the popularity figures
/// of the directory honest.
class DirectoryClient : public QObject {
    Q_OBJECT

public:
    /// The program's name towards the directory.
    static constexpr QLatin1StringView kUserAgent{MORVENA_USER_AGENT};
    /// The environment variable that fixes the server's base URL.
    static constexpr QLatin1StringView kBaseVariable{"MORVENA_DIRECTORY_URL"};
    /// The most stations one search asks for.
    static constexpr int kLimit = 100;

    /// Where and how the client asks.
    struct Settings {
        QUrl fixedBase;    ///< when set, the server to use; no server list is fetched
        QUrl serverList;   ///< the API's list of its servers
        QUrl fallbackBase; ///< the server to use when the list cannot be had
        int timeoutMs = 10000;
        qint64 maxBodyBytes = qint64{2} * 1024 * 1024;
    };

    /// The public directory, or the server named in MORVENA_DIRECTORY_URL.
    static Settings defaults();

    explicit DirectoryClient(Settings settings, QObject *parent = nullptr);
    ~DirectoryClient() override;

    /// Searches for stations, most popular first, broken ones left out; answers with
    /// searchFinished(). A search still running is dropped.
    void search(const StationQuery &query);
    /// Tells the directory that the station `uuid` was played; answers with
    /// clickReported().
    void reportClick(const QString &uuid);
    /// The server in use; empty until the first search has picked one.
    QUrl base() const { return m_base; }

    /// Reads a search's answer: a JSON array of stations, or why it is none.
    static StationSearch parseStations(const QByteArray &body);

signals:
    /// The answer to the latest search.
    void searchFinished(const StationSearch &result);
    /// The click report for `uuid` was answered (`ok`) or failed.
    void clickReported(const QString &uuid, bool ok);

private:
    using Done = std::function<void(std::optional<QByteArray> body, const QString &error)>;

    QNetworkReply *get(const QUrl &url, Done done);
    void pickServer(std::function<void()> then);
    void sendSearch(const StationQuery &query, int generation);

    Settings m_settings;
    QNetworkAccessManager m_network;
    QUrl m_base;
    QPointer<QNetworkReply> m_searchReply;
    int m_generation = 0;
};
