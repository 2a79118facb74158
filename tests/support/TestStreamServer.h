#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <memory>

class StreamServerWorker;

/// A radio stream server on 127.0.0.1 for tests, running on a thread of its own.
///
/// Serves the generated fixtures "/tone.mp3" (128 kbps MP3) and "/tone.ogg" (Ogg Vorbis)
/// as endless live streams paced at their bitrate, with ICY metadata when the client
/// asks for it, plus any documents added (playlists). Faults are switched on by mode.
class TestStreamServer {
public:
    /// How the server answers the next connections.
    enum class Mode {
        Normal,        ///< "HTTP/1.0 200 OK", audio at its own rate
        IcyStatusLine, ///< "ICY 200 OK" status line, as SHOUTcast v1 answers
        NotFound,      ///< "HTTP/1.0 404 Not Found"
        Garbage,       ///< 200 OK, then random bytes
        Hang,          ///< accepts the connection and never answers
        Trickle,       ///< audio at 200 bytes a second
        RedirectLoop,  ///< "302 Found" back to the same address, for ever
        HangUp,        ///< reads the request, then closes the connection unanswered
    };

    /// What the server is doing now; all of it can be changed while it runs.
    struct Settings {
        Mode mode = Mode::Normal;
        QByteArray title = "Test Artist - First Song"; ///< raw StreamTitle bytes
        bool hugeMetadata = false; ///< pad every metadata block to the 4080-byte maximum
        int dropAfterMs = 0;       ///< close each stream after this long (0: never)
    };

    /// Creates a stopped server that serves fixtures from `fixtureDir`.
    explicit TestStreamServer(const QString &fixtureDir = fixtureDirectory());
    ~TestStreamServer();

    /// The folder the build writes fixtures to (MORVENA_FIXTURE_DIR).
    static QString fixtureDirectory();

    /// Starts listening on 127.0.0.1 (`port` 0: a free one); false when it cannot.
    bool start(quint16 port = 0);
    /// Stops listening and drops every connection: new connections are refused.
    void stop();
    /// The port listened on (kept after stop(), so start(port()) brings it back).
    quint16 port() const;
    /// "http://127.0.0.1:<port><path>".
    QString url(const QString &path) const;

    /// A document served at a path, whatever the query (playlists, API answers).
    struct Document {
        QByteArray body;
        QByteArray contentType = "text/plain";
        QByteArray status = "200 OK";
        bool sendLength = true; ///< false: no Content-Length, the end closes the connection
    };

    /// Replaces the settings; streams already running pick them up at their next step.
    void setSettings(const Settings &settings);
    /// Serves `document` at `path`.
    void addDocument(const QString &path, const Document &document);
    /// How many connections were accepted since start.
    int connectionCount() const;
    /// Path and query of each request answered, in order.
    QStringList requests() const;

private:
    friend class StreamServerWorker;
    struct Shared {
        mutable QMutex mutex;
        Settings settings;
        QHash<QString, Document> documents;
        QStringList requests;
        int connections = 0;
    };

    QString m_fixtureDir;
    std::shared_ptr<Shared> m_shared;
    QThread m_thread;
    StreamServerWorker *m_worker = nullptr;
    quint16 m_port = 0;
};
