#include "DirectoryClient.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

namespace {

// The API's round-robin name for all its servers, and one of them for when it fails.
constexpr char kServerList[] = "https://all.api.radio-browser.info/json/servers";
constexpr char kFallbackBase[] = "https://de1.api.radio-browser.info";

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toVariant().toString().trimmed();
}

// Numbers come as JSON numbers from the API today and came as text from older versions.
qint64 number(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toVariant().toLongLong();
}

// `path` below the base URL, which may name a mirror's folder and may end in a slash.
QUrl endpoint(QUrl base, const QString &path)
{
    QString folder = base.path();
    while (folder.endsWith(u'/')) {
        folder.chop(1);
    }
    base.setPath(folder + path);
    return base;
}

QString bodyError(const QByteArray &body)
{
    const QByteArray start = body.trimmed().left(64).toLower();
    if (start.startsWith('<')) {
        return QCoreApplication::translate("DirectoryClient",
                                           "The station directory sent a web page instead of "
                                           "stations.");
    }
    return {};
}

} // namespace

DirectoryClient::Settings DirectoryClient::defaults()
{
    Settings settings;
    settings.serverList = QUrl(QString::fromLatin1(kServerList));
    settings.fallbackBase = QUrl(QString::fromLatin1(kFallbackBase));
    const QString fixed = qEnvironmentVariable(kBaseVariable.data()).trimmed();
    if (!fixed.isEmpty()) {
        settings.fixedBase = QUrl(fixed);
    }
    return settings;
}

DirectoryClient::DirectoryClient(Settings settings, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_base(m_settings.fixedBase)
{}

DirectoryClient::~DirectoryClient()
{
    // Replies answer into this object: none may finish after it is gone.
    const auto replies = m_network.findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies) {
        reply->disconnect(this);
        reply->abort();
    }
}

void DirectoryClient::search(const StationQuery &query)
{
    const int generation = ++m_generation;
    if (m_searchReply) {
        m_searchReply->abort();
    }
    if (m_base.isValid()) {
        sendSearch(query, generation);
        return;
    }
    pickServer([this, query, generation] { sendSearch(query, generation); });
}

void DirectoryClient::reportClick(const QString &uuid)
{
    if (!m_base.isValid() || uuid.isEmpty()) {
        emit clickReported(uuid, false);
        return;
    }
    const QUrl url = endpoint(m_base, QStringLiteral("/json/url/") + uuid);
    get(url, [this, uuid](const std::optional<QByteArray> &body, const QString &) {
        emit clickReported(uuid, body.has_value());
    });
}

// The server list is a JSON array of objects whose "name" is a host; the client keeps
// the list's scheme (and port) and takes the host, or host and port, from the name.
void DirectoryClient::pickServer(std::function<void()> then)
{
    get(m_settings.serverList,
        [this, then = std::move(then)](const std::optional<QByteArray> &body, const QString &) {
            QStringList names;
            if (body) {
                const QJsonArray servers = QJsonDocument::fromJson(*body).array();
                for (const auto &server : servers) {
                    const QString name = text(server.toObject(), "name");
                    if (!name.isEmpty()) {
                        names.append(name);
                    }
                }
            }
            QUrl base = m_settings.fallbackBase;
            if (!names.isEmpty()) {
                QUrl picked;
                picked.setScheme(m_settings.serverList.scheme());
                picked.setPort(m_settings.serverList.port());
                picked.setAuthority(names.at(QRandomGenerator::global()->bounded(names.size())));
                if (picked.isValid() && !picked.host().isEmpty()) {
                    base = picked;
                }
            }
            m_base = base;
            then();
        });
}

void DirectoryClient::sendSearch(const StationQuery &query, int generation)
{
    if (generation != m_generation) {
        return;
    }
    QUrl url = endpoint(m_base, QStringLiteral("/json/stations/search"));
    QUrlQuery items;
    const auto narrow = [&items](const char *key, const QString &value) {
        if (!value.trimmed().isEmpty()) {
            items.addQueryItem(QLatin1String(key), value.trimmed());
        }
    };
    narrow("name", query.name);
    narrow("tag", query.tag);
    narrow("countrycode", query.countryCode.toUpper());
    items.addQueryItem(QStringLiteral("order"), QStringLiteral("clickcount"));
    items.addQueryItem(QStringLiteral("reverse"), QStringLiteral("true"));
    items.addQueryItem(QStringLiteral("hidebroken"), QStringLiteral("true"));
    items.addQueryItem(QStringLiteral("limit"), QString::number(kLimit));
    url.setQuery(items);
    m_searchReply =
        get(url, [this, generation](std::optional<QByteArray> body, const QString &error) {
            if (generation != m_generation) {
                return;
            }
            if (!body) {
                // The next search asks the server list again: this server may be gone.
                if (!m_settings.fixedBase.isValid()) {
                    m_base.clear();
                }
                emit searchFinished({std::nullopt, error});
                return;
            }
            emit searchFinished(parseStations(*body));
        });
}

StationSearch DirectoryClient::parseStations(const QByteArray &body)
{
    if (const QString error = bodyError(body); !error.isEmpty()) {
        return {std::nullopt, error};
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return {std::nullopt, tr("The station directory's answer is not readable (%1 at byte %2).")
                                  .arg(parseError.errorString())
                                  .arg(parseError.offset)};
    }
    if (!document.isArray()) {
        return {std::nullopt, tr("The station directory answered with something other than a "
                                 "list of stations.")};
    }
    QList<Station> stations;
    const QJsonArray array = document.array();
    for (const auto &value : array) {
        const QJsonObject object = value.toObject();
        Station station;
        station.name = text(object, "name");
        station.url = text(object, "url");
        station.urlResolved = text(object, "url_resolved");
        station.uuid = text(object, "stationuuid");
        station.country = text(object, "country");
        station.countryCode = text(object, "countrycode");
        station.codec = text(object, "codec");
        station.tags = text(object, "tags");
        station.bitrate = static_cast<int>(number(object, "bitrate"));
        station.clickCount = number(object, "clickcount");
        station.lastCheckOk =
            !object.contains(QStringLiteral("lastcheckok")) || number(object, "lastcheckok") != 0;
        // Entries that are no station (wrong shape) have neither name nor address.
        if (!station.lastCheckOk || station.playUrl().isEmpty()) {
            continue;
        }
        if (station.name.isEmpty()) {
            station.name = station.playUrl();
        }
        stations.append(std::move(station));
    }
    std::stable_sort(stations.begin(), stations.end(), [](const Station &a, const Station &b) {
        return a.clickCount > b.clickCount;
    });
    return {std::move(stations), {}};
}

QNetworkReply *DirectoryClient::get(const QUrl &url, Done done)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString(kUserAgent));
    request.setRawHeader("Accept", "application/json");
    QNetworkReply *reply = m_network.get(request);

    // What went wrong when the client itself ended the request.
    struct State {
        QByteArray body;
        QString abortReason;
    };
    auto state = std::make_shared<State>();
    const qint64 limit = m_settings.maxBodyBytes;
    const auto abortWith = [reply, state](const QString &reason) {
        if (state->abortReason.isEmpty()) {
            state->abortReason = reason;
            reply->abort();
        }
    };
    const QString tooLarge =
        tr("The station directory's answer was larger than %1 KiB and was dropped.")
            .arg(limit / 1024);

    // A deadline for the whole request rather than Qt's transfer timeout, which a server
    // sending a byte now and then would never trip.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, [abortWith, this] {
        abortWith(tr("The station directory did not answer within %1 s.")
                      .arg(m_settings.timeoutMs / 1000.0));
    });
    deadline->start(m_settings.timeoutMs);

    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, limit, abortWith, tooLarge] {
        bool known = false;
        const qint64 length =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > limit) {
            abortWith(tooLarge);
        }
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, state, limit, abortWith, tooLarge] {
        state->body += reply->readAll();
        if (state->body.size() > limit) {
            state->body.clear();
            abortWith(tooLarge);
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, state, done = std::move(done)] {
        reply->deleteLater();
        if (!state->abortReason.isEmpty()) {
            done(std::nullopt, state->abortReason);
            return;
        }
        if (reply->error() == QNetworkReply::OperationCanceledError) {
            done(std::nullopt, tr("The request was cancelled."));
            return;
        }
        if (reply->error() == QNetworkReply::TimeoutError) {
            done(std::nullopt, tr("The station directory did not answer within %1 s.")
                                   .arg(m_settings.timeoutMs / 1000.0));
            return;
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError && status < 400) {
            done(std::nullopt,
                 tr("The station directory could not be reached: %1.").arg(reply->errorString()));
            return;
        }
        if (status >= 400) {
            done(std::nullopt,
                 tr("The station directory answered with HTTP error %1.").arg(status));
            return;
        }
        state->body += reply->readAll();
        done(std::move(state->body), {});
    });
    return reply;
}
