#include "TestStreamServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int kTickMs = 20;
constexpr int kMetaInterval = 16000;
constexpr qint64 kBurstBytes = 32 * 1024; // sent at once on connect, as Icecast does
constexpr int kTrickleBytesPerSecond = 200;
constexpr int kOggSeconds = 30; // length of the generated Ogg fixture
constexpr int kMp3BytesPerSecond = 128'000 / 8;
constexpr int kMaxMetadataBlock = 255 * 16;

} // namespace

class StreamServerWorker : public QObject {
    Q_OBJECT

    struct Fixture {
        QByteArray bytes;
        int bytesPerSecond = 0;
        QByteArray contentType;
    };

public:
    StreamServerWorker(std::shared_ptr<TestStreamServer::Shared> shared, const QString &fixtureDir)
        : m_shared(std::move(shared))
    {
        auto load = [&](const QString &name) {
            QFile file(QDir(fixtureDir).filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        m_fixtures.insert(QStringLiteral("/tone.mp3"),
                          {load(QStringLiteral("tone.mp3")), kMp3BytesPerSecond, "audio/mpeg"});
        const QByteArray ogg = load(QStringLiteral("tone.ogg"));
        m_fixtures.insert(QStringLiteral("/tone.ogg"),
                          {ogg, static_cast<int>(ogg.size() / kOggSeconds), "application/ogg"});
    }

    quint16 listen(quint16 port)
    {
        if (!m_server) {
            m_server = new QTcpServer(this);
            connect(m_server, &QTcpServer::newConnection, this, &StreamServerWorker::accept);
        }
        return m_server->listen(QHostAddress::LocalHost, port) ? m_server->serverPort() : 0;
    }

    void shutdown()
    {
        if (m_server)
            m_server->close();
        const auto connections = findChildren<QTcpSocket *>();
        for (QTcpSocket *socket : connections) {
            socket->abort();
            socket->deleteLater();
        }
    }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            {
                QMutexLocker lock(&m_shared->mutex);
                ++m_shared->connections;
            }
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                if (request->contains("\r\n\r\n"))
                    return; // already answered; ignore what the client sends later
                *request += socket->read(8192);
                if (request->contains("\r\n\r\n"))
                    answer(socket, *request);
                else if (request->size() > 64 * 1024)
                    socket->abort();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    TestStreamServer::Settings settings() const
    {
        QMutexLocker lock(&m_shared->mutex);
        return m_shared->settings;
    }

    void answer(QTcpSocket *socket, const QByteArray &request)
    {
        const QString target =
            QString::fromUtf8(request.left(request.indexOf("\r\n")).split(' ').value(1));
        const QString path = QUrl(target).path();
        const bool wantsIcy = request.toLower().contains("icy-metadata: 1");
        const TestStreamServer::Settings now = settings();

        if (now.mode == TestStreamServer::Mode::Hang)
            return;
        if (now.mode == TestStreamServer::Mode::HangUp) {
            socket->abort();
            return;
        }
        if (now.mode == TestStreamServer::Mode::RedirectLoop) {
            socket->write("HTTP/1.0 302 Found\r\nLocation: " + target.toUtf8() + "\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
        {
            QMutexLocker lock(&m_shared->mutex);
            m_shared->requests.append(target);
            const auto document = m_shared->documents.constFind(path);
            if (document != m_shared->documents.cend()) {
                QByteArray head = "HTTP/1.0 " + document->status +
                                  "\r\nContent-Type: " + document->contentType +
                                  "\r\nConnection: close\r\n";
                if (document->sendLength)
                    head += "Content-Length: " + QByteArray::number(document->body.size()) + "\r\n";
                socket->write(head + "\r\n" + document->body);
                socket->disconnectFromHost();
                return;
            }
        }
        const auto fixture = m_fixtures.constFind(path);
        if (now.mode == TestStreamServer::Mode::NotFound || fixture == m_fixtures.cend() ||
            fixture->bytes.isEmpty()) {
            socket->write("HTTP/1.0 404 Not Found\r\nContent-Type: text/plain\r\n\r\nnot here\n");
            socket->disconnectFromHost();
            return;
        }
        const bool garbage = now.mode == TestStreamServer::Mode::Garbage;
        QByteArray head = now.mode == TestStreamServer::Mode::IcyStatusLine ? "ICY 200 OK\r\n"
                                                                            : "HTTP/1.0 200 OK\r\n";
        head += "Content-Type: " + fixture->contentType + "\r\nicy-name: Test Radio\r\n";
        if (wantsIcy && !garbage)
            head += "icy-metaint: " + QByteArray::number(kMetaInterval) + "\r\n";
        socket->write(head + "\r\n");

        auto *stream = new Stream{socket, *fixture, wantsIcy && !garbage, garbage, now};
        stream->clock.start();
        auto *timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, stream, timer] { step(*stream, *timer); });
        connect(socket, &QObject::destroyed, this, [stream] { delete stream; });
        timer->start(kTickMs);
        step(*stream, *timer);
    }

    struct Stream {
        QTcpSocket *socket;
        Fixture fixture;
        bool icy;
        bool garbage;
        TestStreamServer::Settings initial;
        QElapsedTimer clock{};
        qint64 sent = 0;
        qint64 offset = 0;
        int untilMeta = kMetaInterval;
    };

    void step(Stream &s, QTimer &timer)
    {
        const TestStreamServer::Settings now = settings();
        if (s.initial.dropAfterMs > 0 && s.clock.elapsed() >= s.initial.dropAfterMs) {
            timer.stop();
            s.socket->disconnectFromHost();
            return;
        }
        const bool trickle = s.initial.mode == TestStreamServer::Mode::Trickle;
        const qint64 rate = trickle ? kTrickleBytesPerSecond : s.fixture.bytesPerSecond;
        const qint64 target = (trickle ? 0 : kBurstBytes) + rate * s.clock.elapsed() / 1000;
        if (target <= s.sent || s.socket->bytesToWrite() > 256 * 1024)
            return;
        QByteArray out;
        for (qint64 left = target - s.sent; left > 0;) {
            const qint64 chunk = s.icy ? std::min<qint64>(left, s.untilMeta) : left;
            out += s.garbage ? randomBytes(chunk) : audio(s, chunk);
            left -= chunk;
            s.sent += chunk;
            if (s.icy && (s.untilMeta -= static_cast<int>(chunk)) == 0) {
                out += metadataBlock(now);
                s.untilMeta = kMetaInterval;
            }
        }
        s.socket->write(out);
    }

    static QByteArray audio(Stream &s, qint64 count)
    {
        QByteArray out;
        const QByteArray &bytes = s.fixture.bytes;
        while (count > 0) {
            const qint64 take = std::min(count, bytes.size() - s.offset);
            out += bytes.mid(s.offset, take);
            s.offset = (s.offset + take) % bytes.size();
            count -= take;
        }
        return out;
    }

    static QByteArray randomBytes(qint64 count)
    {
        QByteArray out(count, Qt::Uninitialized);
        for (char &c : out)
            c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        return out;
    }

    static QByteArray metadataBlock(const TestStreamServer::Settings &now)
    {
        QByteArray text = "StreamTitle='" + now.title + "';";
        const qsizetype size = now.hugeMetadata ? kMaxMetadataBlock : (text.size() + 15) / 16 * 16;
        text = text.left(kMaxMetadataBlock).leftJustified(size, '\0', true);
        return char(text.size() / 16) + text;
    }

    std::shared_ptr<TestStreamServer::Shared> m_shared;
    QHash<QString, Fixture> m_fixtures;
    QTcpServer *m_server = nullptr;
};

TestStreamServer::TestStreamServer(const QString &fixtureDir)
    : m_fixtureDir(fixtureDir)
    , m_shared(std::make_shared<Shared>())
{}

TestStreamServer::~TestStreamServer()
{
    if (m_thread.isRunning()) {
        stop();
        QMetaObject::invokeMethod(
            m_worker, [worker = m_worker] { delete worker; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
}

QString TestStreamServer::fixtureDirectory()
{
    return qEnvironmentVariable("MORVENA_FIXTURE_DIR");
}

bool TestStreamServer::start(quint16 port)
{
    if (!m_thread.isRunning()) {
        m_worker = new StreamServerWorker(m_shared, m_fixtureDir);
        m_worker->moveToThread(&m_thread);
        m_thread.start();
    }
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->connections = 0;
    }
    quint16 bound = 0;
    QMetaObject::invokeMethod(
        m_worker, [&] { bound = m_worker->listen(port); }, Qt::BlockingQueuedConnection);
    if (bound)
        m_port = bound;
    return bound != 0;
}

void TestStreamServer::stop()
{
    if (m_thread.isRunning())
        QMetaObject::invokeMethod(m_worker, &StreamServerWorker::shutdown,
                                  Qt::BlockingQueuedConnection);
}

quint16 TestStreamServer::port() const
{
    return m_port;
}

QString TestStreamServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void TestStreamServer::setSettings(const Settings &settings)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->settings = settings;
}

void TestStreamServer::addDocument(const QString &path, const Document &document)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->documents.insert(path, document);
}

int TestStreamServer::connectionCount() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->connections;
}

QStringList TestStreamServer::requests() const
{
    QMutexLocker lock(&m_shared->mutex);
    return m_shared->requests;
}

#include "TestStreamServer.moc"
