#include "LocalFileOperations.h"

#include "ChannelsLogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Lists are small, but a file dropped by mistake need not be.
constexpr qint64 kChunkSize = qint64{64} * 1024;

QString shown(const QString &path)
{
    return QStringLiteral("\u201C%1\u201D").arg(QDir::toNativeSeparators(path));
}

FileOperations::Result fail(const QString &error)
{
    qCWarning(lcChannels).noquote() << error;
    return FileOperations::Result::failure(error);
}

} // namespace

FileOperations::Result LocalFileOperations::copyOver(const QString &source, const QString &target)
{
    QFile in(source);
    if (QFileInfo(source).isDir() || !in.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("%1 could not be read (%2).")
                        .arg(shown(source), QFileInfo(source).isDir()
                                                ? QStringLiteral("it is a folder")
                                                : in.errorString()));
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return fail(
            QStringLiteral("%1 could not be written (%2).").arg(shown(target), out.errorString()));
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunkSize);
        if (in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return fail(QStringLiteral("%1 could not be read to the end (%2).")
                            .arg(shown(source), in.errorString()));
        }
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return fail(QStringLiteral("%1 could not be written (%2).")
                            .arg(shown(target), out.errorString()));
        }
    }
    if (!out.commit()) {
        return fail(
            QStringLiteral("%1 could not be written (%2).").arg(shown(target), out.errorString()));
    }
    return {};
}

FileOperations::Result LocalFileOperations::remove(const QString &path)
{
    QFile file(path);
    if (!file.remove()) {
        return fail(
            QStringLiteral("%1 could not be deleted (%2).").arg(shown(path), file.errorString()));
    }
    return {};
}
