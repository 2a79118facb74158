#pragma once

#include <QCoreApplication>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <optional>

class DropHandler;

/// The program's command line: `--help`, `--version`, and one optional URL or file to play
/// (a desktop's "Open with" and the launcher's %U hand it over this way).
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    /// The hidden option a list install's restart starts the new instance with.
    static constexpr QLatin1StringView kRestartOption{"--restart"};

    /// What the command line asks for.
    struct Result {
        /// Set when the program should print `output` and end with this status at once.
        std::optional<int> exitCode;
        /// Help, version or error text, ending in a newline.
        QString output;
        /// An absolute local path or a link to play; empty when none was given.
        QString target;
        /// Started by a list install's restart: the instance being replaced is still going.
        bool restart = false;
    };

    /// The name and version `--version` prints: "Morvena Webradio 2.71".
    static QString versionText();
    /// Parses `arguments` (the program's name first); a relative path names a file in
    /// `workingFolder`.
    static Result parse(const QStringList &arguments, const QString &workingFolder);
    /// The program's arguments as `main` received them.
    static QStringList arguments(int argc, const char *const *argv);
    /// `arguments` without the toolkit's own options (`-platform offscreen`, `-style=fusion`,
    /// `--reverse`…), which the application object takes for itself once it is made: what is
    /// left can be judged before there is a display.
    static QStringList withoutToolkitOptions(const QStringList &arguments);
    /// Prints what `result` has to say and returns its exit status, or nothing when the
    /// program goes on; with `reportErrors` false an error too lets it go on, for a pass
    /// that cannot know Qt's own options yet.
    static std::optional<int> finish(const Result &result, bool reportErrors);
    /// True when `target` is a link (it has a URL scheme) rather than a local path.
    static bool isLink(const QString &target);
    /// Plays `target` as a drop on the now-playing text would: a path as a dropped file, a
    /// link as a dropped link would be if links could be dropped; a channel list is installed
    /// but its file left where it is. An empty target is no-op.
    static void open(const QString &target, DropHandler &drops);
};
