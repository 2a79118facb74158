#include "IcecastServer.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>
#include <QUrlQuery>

#include <unistd.h>

namespace {

constexpr auto kPassword = "morvena-test";
constexpr int kStartTimeoutMs = 15'000;

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

QString config(quint16 port, const QString &logDir, bool asRoot)
{
    // Icecast refuses to run as root; the Debian package's user takes over then.
    const QString owner = asRoot ? QStringLiteral("<changeowner><user>icecast2</user>"
                                                  "<group>icecast</group></changeowner>")
                                 : QString();
    return QStringLiteral(R"(<icecast>
  <limits><clients>20</clients><sources>2</sources><source-timeout>10</source-timeout>
    <burst-on-connect>1</burst-on-connect><burst-size>65535</burst-size></limits>
  <authentication><source-password>%2</source-password>
    <admin-user>admin</admin-user><admin-password>%2</admin-password></authentication>
  <hostname>127.0.0.1</hostname>
  <listen-socket><port>%1</port><bind-address>127.0.0.1</bind-address></listen-socket>
  <paths><basedir>/usr/share/icecast2</basedir><logdir>%3</logdir>
    <webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot></paths>
  <logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></logging>
  <security><chroot>0</chroot>%4</security>
</icecast>
)")
        .arg(port)
        .arg(QLatin1String(kPassword), logDir, owner);
}

} // namespace

IcecastServer::IcecastServer() = default;

IcecastServer::~IcecastServer()
{
    for (QProcess *process : {&m_source, &m_icecast}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
}

bool IcecastServer::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("icecast2")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty();
}

bool IcecastServer::start(const QString &mount, const QString &audioFile, QString *error)
{
    m_mount = mount;
    m_port = freePort();
    const bool asRoot = ::geteuid() == 0;
    const QString logDir = m_dir.filePath(QStringLiteral("log"));
    QFile::remove(logDir);
    if (!m_dir.isValid() || !QDir().mkpath(logDir) || m_port == 0) {
        *error = QStringLiteral("no temporary folder or port");
        return false;
    }
    if (asRoot) {
        // The server writes its logs as the icecast2 user once it has dropped root.
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther);
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("icecast2:icecast"), logDir});
    }
    QFile file(m_dir.filePath(QStringLiteral("icecast.xml")));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(config(m_port, logDir, asRoot).toUtf8()) < 0) {
        *error = QStringLiteral("cannot write the configuration");
        return false;
    }
    file.close();

    m_icecast.setProcessChannelMode(QProcess::MergedChannels);
    m_icecast.start(QStringLiteral("icecast2"), {QStringLiteral("-c"), file.fileName()});
    m_source.setProcessChannelMode(QProcess::MergedChannels);
    const QString target = QStringLiteral("icecast://source:%1@127.0.0.1:%2%3")
                               .arg(QLatin1String(kPassword))
                               .arg(m_port)
                               .arg(mount);
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (m_icecast.state() == QProcess::NotRunning) {
            *error = QStringLiteral("icecast2 exited: ") + QString::fromUtf8(m_icecast.readAll());
            return false;
        }
        if (m_source.state() == QProcess::NotRunning)
            m_source.start(
                QStringLiteral("ffmpeg"),
                {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                 QStringLiteral("-re"), QStringLiteral("-stream_loop"), QStringLiteral("-1"),
                 QStringLiteral("-i"), audioFile, QStringLiteral("-c"), QStringLiteral("copy"),
                 QStringLiteral("-content_type"), QStringLiteral("audio/mpeg"),
                 QStringLiteral("-f"), QStringLiteral("mp3"), target});
        // The admin interface accepts metadata only once the source is connected.
        if (setTitle(QStringLiteral("Morvena - Warming Up")))
            return true;
        QThread::msleep(200);
    }
    *error = QStringLiteral("the mount did not come up: ") + QString::fromUtf8(m_source.readAll());
    return false;
}

QString IcecastServer::url() const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(m_mount);
}

bool IcecastServer::setTitle(const QString &title) const
{
    QUrl admin(QStringLiteral("http://127.0.0.1:%1/admin/metadata").arg(m_port));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("mount"), m_mount);
    query.addQueryItem(QStringLiteral("mode"), QStringLiteral("updinfo"));
    query.addQueryItem(QStringLiteral("song"), title);
    admin.setQuery(query);
    QNetworkRequest request(admin);
    request.setRawHeader("Authorization",
                         "Basic " + QByteArray("admin:").append(kPassword).toBase64());
    request.setTransferTimeout(3000);
    QNetworkAccessManager network;
    QNetworkReply *reply = network.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const bool ok = reply->error() == QNetworkReply::NoError &&
                    reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200;
    reply->deleteLater();
    return ok;
}
