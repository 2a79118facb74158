#include "CommandLine.h"

#include "DropHandler.h"
#include "Version.h"
#include "XmlPlaylist.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>

QString CommandLine::versionText()
{
    return QStringLiteral("Morvena Webradio " MORVENA_VERSION);
}

QStringList CommandLine::arguments(int argc, const char *const *argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i) {
        list.append(QString::fromLocal8Bit(argv[i]));
    }
    return list;
}

QStringList CommandLine::withoutToolkitOptions(const QStringList &arguments)
{
    // Qt's own options on Linux (QCoreApplication, QGuiApplication, the xcb plugin,
    // QApplication). Those with a value take the next argument, or "=value" where Qt reads
    // that form.
    static const QStringList withValue = {
        QStringLiteral("platform"),
        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"),
        QStringLiteral("geometry"),
        QStringLiteral("qwindowtitle"),
        QStringLiteral("title"),
        QStringLiteral("qwindowicon"),
        QStringLiteral("icon"),
        QStringLiteral("session"),
        QStringLiteral("display"),
        QStringLiteral("name"),
        QStringLiteral("style"),
        QStringLiteral("stylesheet"),
        QStringLiteral("qmljsdebugger"),
    };
    static const QStringList flags = {
        QStringLiteral("reverse"), QStringLiteral("testability"), QStringLiteral("widgetcount"),
        QStringLiteral("nograb"),  QStringLiteral("dograb"),      QStringLiteral("sync"),
    };
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            kept += arguments.mid(i);
            break;
        }
        // Qt takes "-platform" and "--platform" alike.
        const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2
                                 : argument.startsWith(QLatin1Char('-'))  ? 1
                                                                          : 0;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(dashes, equals < 0 ? -1 : equals - dashes);
        if (dashes > 0 && withValue.contains(name)) {
            i += equals < 0 ? 1 : 0;
        } else if (dashes == 0 || !flags.contains(name) || equals >= 0) {
            kept.append(argument);
        }
    }
    return kept;
}

std::optional<int> CommandLine::finish(const Result &result, bool reportErrors)
{
    if (!result.exitCode || (*result.exitCode != 0 && !reportErrors)) {
        return std::nullopt;
    }
    std::fputs(qPrintable(result.output), *result.exitCode == 0 ? stdout : stderr);
    return result.exitCode;
}

bool CommandLine::isLink(const QString &target)
{
    // A scheme of one letter is a drive letter on a path copied from Windows, not a link.
    const QUrl url(target);
    return url.scheme().size() > 1 && !url.isLocalFile();
}

CommandLine::Result CommandLine::parse(const QStringList &arguments, const QString &workingFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("A small internet radio player. Plays LOCATION when one is given; a "
           "player already running plays it instead, and this start ends."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption restart(QString(kRestartOption.mid(2)));
    restart.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(restart);
    parser.addPositionalArgument(QStringLiteral("LOCATION"),
                                 tr("A stream's URL, or an audio file or playlist."),
                                 QStringLiteral("[LOCATION]"));

    Result result;
    if (!parser.parse(arguments)) {
        result.exitCode = 2;
        result.output =
            parser.errorText() + QLatin1Char('\n') + tr("Try --help.") + QLatin1Char('\n');
        return result;
    }
    if (parser.isSet(help)) {
        result.exitCode = 0;
        // Without an application object yet, Qt cannot name the program itself.
        result.output = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                  QFileInfo(arguments.value(0)).fileName());
        return result;
    }
    if (parser.isSet(version)) {
        result.exitCode = 0;
        result.output = versionText() + QLatin1Char('\n');
        return result;
    }
    result.restart = parser.isSet(restart);
    // A launcher's %U may pass several; like a drop of several files, the first counts.
    const QString location = parser.positionalArguments().value(0);
    if (location.isEmpty()) {
        return result;
    }
    // What cannot be played is refused here, on the terminal, before a running player drops
    // its station for it.
    if (isLink(location)) {
        if (!XmlPlaylist::isPlayableLocation(location)) {
            result.exitCode = 1;
            result.output = tr("%1 cannot be played: only files and http, https, mms, "
                               "rtsp and rtmp streams can.")
                                .arg(location) +
                            QLatin1Char('\n');
            return result;
        }
        result.target = location;
        return result;
    }
    // A running instance has its own working folder: hand it a full path.
    const QUrl url(location);
    const QString path = url.isLocalFile() ? url.toLocalFile() : location;
    result.target = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
    if (!QFileInfo::exists(result.target)) {
        result.exitCode = 1;
        result.output = tr("%1: no such file.").arg(result.target) + QLatin1Char('\n');
        result.target.clear();
    }
    return result;
}

void CommandLine::open(const QString &target, DropHandler &drops)
{
    if (target.isEmpty()) {
        return;
    }
    if (isLink(target)) {
        drops.playLink(target);
    } else {
        // "Open with" hands over the listener's own file: a list is installed from a copy.
        drops.Label4Drop({target}, DropHandler::ListFile::Copy);
    }
}
