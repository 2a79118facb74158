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
    return QCoreApplication::translate("DropHandler", "\u201C%1\u201D")
        .arg(QDir::toNativeSeparators(path));
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
        return fail(LocalFileOperations::tr("%1 could not be read (%2).")
                        .arg(shown(source), QFileInfo(source).isDir()
                                                ? LocalFileOperations::tr("it is a folder")
                                                : in.errorString()));
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return fail(LocalFileOperations::tr("%1 could not be written (%2).")
                        .arg(shown(target), out.errorString()));
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunkSize);
        if (in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return fail(LocalFileOperations::tr("%1 could not be read to the end (%2).")
                            .arg(shown(source), in.errorString()));
        }
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return fail(LocalFileOperations::tr("%1 could not be written (%2).")
                            .arg(shown(target), out.errorString()));
        }
    }
    if (!out.commit()) {
        return fail(LocalFileOperations::tr("%1 could not be written (%2).")
                        .arg(shown(target), out.errorString()));
    }
    return {};
}

FileOperations::Result LocalFileOperations::remove(const QString &path)
{
    QFile file(path);
    if (!file.remove()) {
        return fail(LocalFileOperations::tr("%1 could not be deleted (%2).")
                        .arg(shown(path), file.errorString()));
    }
    return {};
}
