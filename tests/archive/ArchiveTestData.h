#pragma once

#include "base/Error.h"
#include "archive/VivArchive.h"
#include "archive/VivOutput.h"
#include "support/TestEditor.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>

namespace vnt::test {

inline QString fixture(const char* name)
{
    return QStringLiteral(VANTOR_TEST_DATA_DIR "/") + QLatin1String(name);
}

inline QByteArray be32(std::uint32_t v)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
    return out;
}

inline QByteArray le32(std::uint32_t v)
{
    QByteArray out;
    for (int shift = 0; shift <= 24; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
    return out;
}

// A directory record of the 32-bit form, written out by hand.
inline QByteArray record(std::uint32_t offset, std::uint32_t size, const QByteArray& name)
{
    return be32(offset) + be32(size) + name + QByteArray(1, '\0');
}

// Bytes of a deterministic pseudo-random pattern, different for each seed.
inline QByteArray pattern(qsizetype size, std::uint32_t seed)
{
    QByteArray out(size, Qt::Uninitialized);
    std::uint32_t x = seed * 2654435761u + 1;
    for (qsizetype i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        out[i] = static_cast<char>(x >> 24);
    }
    return out;
}

// Runs the call and expects a vnt::Error with that number.
template <typename Call>
::testing::AssertionResult failsWith(int number, Call&& call)
{
    try {
        call();
    } catch (const Error& e) {
        if (e.number() == number)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "error " << e.number() << ": " << e.description().toStdString();
    }
    return ::testing::AssertionFailure() << "no error";
}

} // namespace vnt::test
