#pragma once

#include <QByteArrayView>
#include <QString>

/// Decodes bytes as UTF-8 when they are valid UTF-8 (a leading BOM is skipped), otherwise
/// as Windows-1252, the code page old Windows lists and many stations still send.
QString decodeUtf8OrWindows1252(QByteArrayView bytes);

/// Decodes bytes as Windows-1252 (the five undefined bytes map to the C1 controls).
QString decodeWindows1252(QByteArrayView bytes);
