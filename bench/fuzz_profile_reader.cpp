// libFuzzer target for the channel list reader: any bytes must parse without a fault, and a
// single lookup must agree with the whole parse, within the reader's promises.
// Built and run by bench/fuzz-profile-reader.sh, not by the normal build.
#include "ProfileReader.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

void agree(QByteArrayView bytes, const ProfileReader &parsed, const QString &section,
           const QString &key)
{
    const QString value = parsed.value(section, key);
    check(value == ProfileReader::find(bytes, section, key));
    check(value.size() <= ProfileReader::kMaxValueLength);
    check(value.isEmpty() || !value.back().isHighSurrogate());
    // Blanks around names never matter.
    check(value == parsed.value(QLatin1String(" \t") + section + QLatin1Char(' '),
                                QLatin1Char(' ') + key + QLatin1String("\t ")));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QString section = QString::fromStdString(provider.ConsumeRandomLengthString(16));
    const QString key = QString::fromStdString(provider.ConsumeRandomLengthString(16));
    const std::vector<uint8_t> rest = provider.ConsumeRemainingBytes<uint8_t>();
    const QByteArrayView bytes(rest.data(), static_cast<qsizetype>(rest.size()));

    const ProfileReader parsed = ProfileReader::fromBytes(bytes);
    agree(bytes, parsed, section, key);
    // The lookups the channel menu makes.
    for (int entry = 1; entry <= 8; ++entry) {
        agree(bytes, parsed, QStringLiteral("Navn"), QString::number(entry));
        agree(bytes, parsed, QStringLiteral("url"), QString::number(entry));
    }
    return 0;
}
