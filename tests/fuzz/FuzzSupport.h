#pragma once

// Shared by the fuzz targets: a scratch folder kept for the whole run, and a
// way to stop on a broken expectation that libFuzzer and the replay both see.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken expectation: reported and ended like a crash.
#define VANTOR_FUZZ_EXPECT(condition, what)                                                                                      \
    do {                                                                                                                         \
        if (!(condition)) {                                                                                                      \
            std::fprintf(stderr, "broken expectation: %s (%s:%d)\n", what, __FILE__, __LINE__);                                  \
            std::abort();                                                                                                        \
        }                                                                                                                        \
    } while (0)

namespace vnt::fuzz {

inline const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir;
    return dir;
}

inline QString scratchPath(const char* name)
{
    return scratch().filePath(QLatin1String(name));
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    VANTOR_FUZZ_EXPECT(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                       "cannot write a scratch file");
}

inline QByteArray get(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace vnt::fuzz
