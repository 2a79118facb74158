#pragma once

#include <QString>

/// The names recordings are saved under: safe on every file system a listener may record to.
namespace RecordingNames {

/// The longest name, in bytes of UTF-8, any common file system holds (255) less room for a
/// number and an extension.
constexpr int kMaxNameBytes = 200;

/// `text` made a file or folder name: characters some file system refuses (/ \ : * ? " < > |
/// and control characters) become "_", blanks and dots at the ends go, names Windows keeps
/// for devices get a "_", and the result is cut to kMaxNameBytes without splitting a
/// character. Never empty: "_" stands for nothing.
QString safeName(const QString &text);

/// The file extension for the stream's codec ("mp3" -> "mp3", "aac" -> "aac", "vorbis" ->
/// "ogg", "opus" -> "opus"); empty for a codec that cannot be recorded.
QString extensionForCodec(const QString &codec);

/// `folder`/`name`.`extension`, or with " (2)", " (3)"... before the extension when that
/// file exists: an existing file is never written over.
QString freePath(const QString &folder, const QString &name, const QString &extension);

} // namespace RecordingNames
