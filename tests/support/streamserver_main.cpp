// Serves the test fixtures as live radio streams on 127.0.0.1 until killed.
//   morvena-streamserver [--port N] [--fixtures DIR] [--title "Artist - Title"]
// Prints the port it listens on as the first line of its output.
#include "TestStreamServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on."),
                      QStringLiteral("port"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("fixtures"), QStringLiteral("Folder of tone.mp3/tone.ogg."),
                      QStringLiteral("dir"), TestStreamServer::fixtureDirectory()});
    parser.addOption({QStringLiteral("title"), QStringLiteral("Now-playing title to send."),
                      QStringLiteral("text"), QStringLiteral("Test Artist - First Song")});
    parser.process(app);

    TestStreamServer server(parser.value(QStringLiteral("fixtures")));
    server.setSettings({.title = parser.value(QStringLiteral("title")).toUtf8()});
    if (!server.start(static_cast<quint16>(parser.value(QStringLiteral("port")).toUInt()))) {
        std::fprintf(stderr, "morvena-streamserver: cannot listen\n");
        return 1;
    }
    std::printf("%u\n", server.port());
    std::fflush(stdout);

    return QCoreApplication::exec();
}
