#pragma once

#include "archive/VivArchive.h"
#include "archive/VivOutput.h"
#include "support/ExpectError.h"
#include "support/TestEditor.h"

#include <cstdint>

namespace vnt::test {

inline QString fixture(const char* name)
{
    return QStringLiteral(VANTOR_TEST_DATA_DIR "/") + QLatin1String(name);
}

// 32-bit numbers of either byte order, written out by hand.
inline QByteArray be32(std::uint32_t v)
{
    return QByteArray(1, char(v >> 24)) + char(v >> 16) + char(v >> 8) + char(v);
}

inline QByteArray le32(std::uint32_t v)
{
    return QByteArray(1, char(v)) + char(v >> 8) + char(v >> 16) + char(v >> 24);
}

// A directory record of the 32-bit form.
inline QByteArray record(std::uint32_t offset, std::uint32_t size, const QByteArray& name)
{
    return be32(offset) + be32(size) + name + '\0';
}

// Bytes of a deterministic pseudo-random pattern, different for each seed.
inline QByteArray pattern(qsizetype size, std::uint32_t seed)
{
    QByteArray out(size, Qt::Uninitialized);
    std::uint32_t x = seed * 2654435761u + 1;
    for (char& c : out)
        c = char((x = x * 1664525u + 1013904223u) >> 24);
    return out;
}

} // namespace vnt::test
