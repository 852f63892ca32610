#include "ModelFixtures.h"

#include "app/Error.h"
#include "model/TypedValue.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

constexpr quint16 FloatTag = 0xB17B;
constexpr quint16 Int32Tag = 0xB810;

// A working copy of 64 bytes with a float slot at 9, a 32-bit slot at 21 and a
// slot with an unknown tag at 33.
struct WorkingCopy : TestEditor {
    WorkingCopy()
    {
        bytes = patternFile(64);
        putSlot(bytes, 9, FloatTag, singleBytes(0.3f));
        putSlot(bytes, 21, Int32Tag, int32Bytes(-70000));
        putSlot(bytes, 33, 0x0302, int16Bytes(-2));
        writeBytes(workFile(), bytes);
    }
    QString typeAt(int position) { return ReadTypeTag(ctx.state, position); }
    TypedValue read(int position, QString typeName = QString())
    {
        return ReadValue(ctx.state, workFile(), position, typeName);
    }
    // The file after a write, with the bytes expected to change replaced.
    QByteArray expect(int position, const QByteArray& value) const
    {
        QByteArray out = bytes;
        return out.replace(position - 1, value.size(), value);
    }
    QByteArray bytes;
};

void expectError(int number, const std::function<void()>& call)
{
    try {
        call();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), number) << e.what();
    }
}

} // namespace

TEST(TypedValue, TagWordsBecomeHexTexts)
{
    EXPECT_EQ(TypeTagText(qint16(0xB17B)), QStringLiteral("B17B"));
    EXPECT_EQ(TypeTagText(qint16(0xB810)), QStringLiteral("B810"));
    EXPECT_EQ(TypeTagText(0x0302), QStringLiteral("302"));
    EXPECT_EQ(TypeTagText(0), QStringLiteral("0"));
    EXPECT_EQ(TypeTagText(-1), QStringLiteral("FFFF"));
    EXPECT_EQ(TypeTagText(0x7FFF), QStringLiteral("7FFF"));
    EXPECT_EQ(TypeTagText(qint16(0x8000)), QStringLiteral("8000"));
}

TEST(TypedValue, ReadsEachFormFromTheSlot)
{
    WorkingCopy w;
    EXPECT_EQ(w.typeAt(9), QStringLiteral("B17B"));
    EXPECT_EQ(w.typeAt(21), QStringLiteral("B810"));
    EXPECT_EQ(w.typeAt(33), QStringLiteral("302"));

    QString typeName;
    EXPECT_EQ(ReadValue(w.ctx.state, w.workFile(), 9, typeName), TypedValue(0.3f));
    EXPECT_EQ(typeName, QStringLiteral("B17B"));
    EXPECT_EQ(w.read(9).text(), QStringLiteral("0.3"));
    EXPECT_EQ(w.read(21), TypedValue(qint32(-70000)));
    EXPECT_EQ(w.read(21).text(), QStringLiteral("-70000"));
    EXPECT_EQ(w.read(33, QStringLiteral("INT")), TypedValue(qint16(-2)));
    // The 16-bit form reads only two bytes: the last two bytes of the file.
    EXPECT_EQ(w.read(63, QStringLiteral("INT")), TypedValue(qint16(0xAFAE)));

    // Names are exact; the tag text 302 and lower case match no form.
    EXPECT_TRUE(w.read(33).isEmpty());
    EXPECT_TRUE(w.read(21, QStringLiteral("b810")).isEmpty());
    EXPECT_TRUE(w.read(21, QStringLiteral("0302")).isEmpty());
    EXPECT_EQ(w.read(33).text(), QString());
    EXPECT_EQ(w.read(33).toDouble(), 0.0);
}

TEST(TypedValue, AnEmptyTypeNameTakesTheTagOfTheWorkingCopy)
{
    WorkingCopy w;
    // Another file with a float where the working copy's tag says 32-bit.
    const QString other = w.path(QStringLiteral("other.bin"));
    QByteArray bytes = patternFile(32);
    putSlot(bytes, 21, FloatTag, singleBytes(1.5f));
    writeBytes(other, bytes);
    QString typeName;
    EXPECT_EQ(ReadValue(w.ctx.state, other, 21, typeName), TypedValue(qint32(0x3FC00000)));
    EXPECT_EQ(typeName, QStringLiteral("B810"));
}

TEST(TypedValue, WritesOnlyTheBytesOfTheValue)
{
    WorkingCopy w;
    WriteValue(w.workFile(), 9, QStringLiteral("0.5"), QStringLiteral("B17B"));
    EXPECT_EQ(readBytes(w.workFile()), w.expect(9, QByteArray::fromHex("0000003F")));

    w.bytes = readBytes(w.workFile());
    WriteValue(w.workFile(), 21, QStringLiteral("2.5"), QStringLiteral("b810"));
    EXPECT_EQ(readBytes(w.workFile()), w.expect(21, QByteArray::fromHex("02000000")));
    WriteValue(w.workFile(), 21, 3.5, QStringLiteral("B810"));
    EXPECT_EQ(readBytes(w.workFile()), w.expect(21, QByteArray::fromHex("04000000")));
    WriteValue(w.workFile(), 21, -2.5, QStringLiteral("B810"));
    EXPECT_EQ(readBytes(w.workFile()), w.expect(21, QByteArray::fromHex("FEFFFFFF")));

    w.bytes = readBytes(w.workFile());
    WriteValue(w.workFile(), 33, 770, QStringLiteral("0302"));
    EXPECT_EQ(readBytes(w.workFile()), w.expect(33, QByteArray::fromHex("0203")));
    w.bytes = readBytes(w.workFile());

    // Names of no form, including the reading-only "INT", write nothing, even a non-number.
    for (const char* name : {"INT", "302", "", "B17"})
        WriteValue(w.workFile(), 33, QStringLiteral("x"), QString::fromLatin1(name));
    EXPECT_EQ(readBytes(w.workFile()), w.bytes);
}

TEST(TypedValue, WriteTextsFollowTheUsersLocale)
{
    WorkingCopy w;
    LocaleScope german(QStringLiteral("de_DE"));
    WriteValue(w.workFile(), 9, QStringLiteral("0,31"), QStringLiteral("B17B"));
    EXPECT_EQ(readBytes(w.workFile()), w.expect(9, singleBytes(0.31f)));
    EXPECT_EQ(w.read(9).text(), QStringLiteral("0,31"));
    expectError(err::TypeMismatch, [&] { WriteValue(w.workFile(), 9, QStringLiteral("0.31"), QStringLiteral("B17B")); });
}

TEST(TypedValue, RefusesBadAccessesWithoutTouchingTheFile)
{
    WorkingCopy w;
    const QString file = w.workFile();
    const QString b17b = QStringLiteral("B17B");
    const QString b810 = QStringLiteral("B810");
    expectError(err::InvalidCall, [&] { w.typeAt(4); });
    expectError(err::InvalidCall, [&] { w.typeAt(-30000); });
    expectError(err::InvalidCall, [&] { w.read(0, b17b); });
    expectError(err::PastEndOfFile, [&] { w.typeAt(69); });
    expectError(err::PastEndOfFile, [&] { w.read(62, b17b); });
    expectError(err::PastEndOfFile, [&] { w.read(64, QStringLiteral("INT")); });

    expectError(err::InvalidCall, [&] { WriteValue(file, 0, 1.0, b810); });
    expectError(err::PastEndOfFile, [&] { WriteValue(file, 62, 1.0, b810); });
    expectError(err::PastEndOfFile, [&] { WriteValue(file, 64, 1.0, QStringLiteral("0302")); });
    expectError(err::TypeMismatch, [&] { WriteValue(file, 21, QStringLiteral("lots"), b810); });
    expectError(err::TypeMismatch, [&] { WriteValue(file, 21, QString(), b810); });
    expectError(err::Overflow, [&] { WriteValue(file, 21, QStringLiteral("2147483647.5"), b810); });
    expectError(err::Overflow, [&] { WriteValue(file, 33, 32768, QStringLiteral("0302")); });
    expectError(err::Overflow, [&] { WriteValue(file, 9, 1e39, b17b); });
    EXPECT_EQ(readBytes(file), w.bytes);

    // A missing file is neither read nor created; a link is not written through.
    const QString missing = w.path(QStringLiteral("missing.tmp"));
    expectError(err::FileNotFound, [&] { WriteValue(missing, 9, 1.0, b17b); });
    QString typeName = b17b;
    expectError(err::FileNotFound, [&] { ReadValue(w.ctx.state, missing, 9, typeName); });
    EXPECT_FALSE(QFile::exists(missing));
    const QString link = w.path(QStringLiteral("link.tmp"));
    ASSERT_TRUE(QFile::link(file, link));
    expectError(err::PathAccess, [&] { WriteValue(link, 9, 1.0, b17b); });
    EXPECT_EQ(readBytes(file), w.bytes);
}
