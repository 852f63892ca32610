#include "model/TypedValue.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "model/NumberText.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cfloat>
#include <cmath>
#include <cstring>

namespace vnt {

namespace {

constexpr int TagDistance = 4; // the tag lies this many bytes before the value

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void failOpen(const QFile& file, const QString& path)
{
    if (!QFile::exists(path))
        throw Error(err::FileNotFound, QStringLiteral("File not found: '%1'").arg(shown(path)));
    throw Error(file.error() == QFileDevice::PermissionsError ? err::PermissionDenied : err::PathAccess,
                QStringLiteral("Cannot open '%1': %2").arg(shown(path), file.errorString()));
}

// The 0-based start of count bytes at a 1-based position, checked against the file.
qint64 startOf(const QFile& file, const QString& path, int position, int count)
{
    if (position < 1)
        throw Error(err::InvalidCall, QStringLiteral("Position %1 lies before the start of '%2'").arg(position).arg(shown(path)));
    const qint64 start = qint64(position) - 1;
    if (start + count > file.size())
        throw Error(err::PastEndOfFile, QStringLiteral("Position %1 (%2 bytes) lies past the end of '%3' (%4 bytes)")
                                            .arg(position)
                                            .arg(count)
                                            .arg(shown(path))
                                            .arg(file.size()));
    return start;
}

QByteArray readAt(const QString& path, int position, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failOpen(file, path);
    const qint64 start = startOf(file, path, position, count);
    QByteArray bytes;
    if (file.seek(start))
        bytes = file.read(count);
    if (bytes.size() != count)
        throw Error(err::DeviceIO, QStringLiteral("Reading '%1' failed: %2").arg(shown(path), file.errorString()));
    return bytes;
}

void writeAt(const QString& path, int position, const QByteArray& bytes)
{
    refuseSymLink(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        failOpen(file, path);
    const qint64 start = startOf(file, path, position, int(bytes.size()));
    if (!file.seek(start) || file.write(bytes) != bytes.size() || !file.flush())
        throw Error(err::DeviceIO, QStringLiteral("Writing '%1' failed: %2").arg(shown(path), file.errorString()));
}

template <typename T> T little(const QByteArray& bytes)
{
    return qFromLittleEndian<T>(bytes.constData());
}

template <typename T> QByteArray littleBytes(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

float toSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw Error(err::Overflow, QStringLiteral("The number %1 does not fit in a single-precision value").arg(DoubleText(value)));
    return float(value);
}

QByteArray singleBytes(float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return littleBytes(bits);
}

} // namespace

double TypedValue::toDouble() const
{
    if (isSingle())
        return single();
    if (isInt32())
        return int32();
    if (isInt16())
        return int16();
    return 0;
}

QString TypedValue::text() const
{
    if (isSingle())
        return SingleText(single());
    if (isInt32())
        return IntegerText(int32());
    if (isInt16())
        return IntegerText(int16());
    return QString();
}

bool HoldsNumber(const TypedValue& value, const QString& numberText)
{
    const std::optional<double> number = ParseNumber(numberText);
    if (!number || value.isEmpty())
        return false;
    if (value.isSingle())
        return value.single() == float(*number);
    if (value.isInt32())
        return RoundToInt32(*number) == value.int32();
    return RoundToInt16(*number) == value.int16();
}

QString TypeTagText(qint16 word)
{
    return QString::number(quint16(word), 16).toUpper();
}

QString ReadTypeTag(const QString& path, int position)
{
    if (position <= TagDistance)
        throw Error(err::InvalidCall,
                    QStringLiteral("Position %1 leaves no room for a type tag in '%2'").arg(position).arg(shown(path)));
    return TypeTagText(little<qint16>(readAt(path, position - TagDistance, 2)));
}

TypedValue ReadValue(const QString& workFile, const QString& path, int position, QString& typeName)
{
    if (typeName.isEmpty())
        typeName = ReadTypeTag(workFile, position);
    if (typeName == QLatin1String("B17B")) {
        const quint32 bits = little<quint32>(readAt(path, position, 4));
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return TypedValue(value);
    }
    if (typeName == QLatin1String("B810"))
        return TypedValue(little<qint32>(readAt(path, position, 4)));
    if (typeName == QLatin1String("INT"))
        return TypedValue(little<qint16>(readAt(path, position, 2)));
    return TypedValue();
}

void WriteValue(const QString& path, int position, double value, const QString& typeName)
{
    const QString form = typeName.toUpper();
    if (form == QLatin1String("B17B"))
        writeAt(path, position, singleBytes(toSingle(value)));
    else if (form == QLatin1String("B810"))
        writeAt(path, position, littleBytes(ToInt32(value)));
    else if (form == QLatin1String("0302"))
        writeAt(path, position, littleBytes(ToInt16(value)));
}

void WriteValue(const QString& path, int position, const QString& value, const QString& typeName)
{
    const QString form = typeName.toUpper();
    if (form != QLatin1String("B17B") && form != QLatin1String("B810") && form != QLatin1String("0302"))
        return;
    WriteValue(path, position, NumberFromText(value), form);
}

} // namespace vnt
