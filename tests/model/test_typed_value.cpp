#include "support/ModelFixtures.h"

#include "model/TypedValue.h"
#include "support/ExpectError.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// A working copy of 64 bytes: a float slot at 9, a 32-bit slot at 21, tag 0x0302 at 33.
struct WorkingCopy : TestEditor {
    WorkingCopy()
    {
        putSlot(bytes, 9, 0xB17B, singleBytes(0.3f));
        putSlot(bytes, 21, 0xB810, intBytes(-70000, 4));
        putSlot(bytes, 33, 0x0302, intBytes(-2, 2));
        writeBytes(workFile(), bytes);
    }
    TypedValue read(int position, QString typeName = {})
    {
        return ReadValue(ctx.state.workFilePath(), workFile(), position, typeName);
    }
    // Writes, and expects the file as before but for the stored bytes (hex) at position.
    void write(int position, const QString& value, const QString& typeName, const QByteArray& stored = {})
    {
        WriteValue(workFile(), position, value, typeName);
        bytes.replace(position - 1, stored.size() / 2, QByteArray::fromHex(stored));
        EXPECT_EQ(readBytes(workFile()).toHex(), bytes.toHex()) << (value + " as " + typeName).toStdString();
    }
    QByteArray bytes = QByteArray(64, char(0xA5));
};

} // namespace

TEST(TypedValue, TagsAreReadAsHexadecimalText)
{
    EXPECT_EQ(TypeTagText(0), "0");
    EXPECT_EQ(TypeTagText(-1), "FFFF");
    EXPECT_EQ(ReadTypeTag(WorkingCopy().ctx.state.workFilePath(), 33), "302");
}

TEST(TypedValue, ReadsTheFormTheTagOrTheNameGives)
{
    WorkingCopy w;
    QString typeName;
    EXPECT_EQ(ReadValue(w.ctx.state.workFilePath(), w.workFile(), 9, typeName).text(), "0.3");
    EXPECT_EQ(typeName, "B17B");
    EXPECT_EQ(w.read(21), TypedValue(qint32(-70000)));
    EXPECT_EQ(w.read(33, "INT"), TypedValue(qint16(-2)));
    EXPECT_EQ(w.read(63, "INT"), TypedValue(qint16(-23131))); // two bytes only: the file's last two
    for (const char* name : {"", "b810", "0302"})
        EXPECT_TRUE(w.read(name[0] ? 21 : 33, name).isEmpty()) << name;
}

// Writes change only the value's bytes, in the named form.
TEST(TypedValue, WritesOnlyTheValuesBytesInTheFormTheNameGives)
{
    WorkingCopy w;
    w.write(9, "0.5", "B17B", "0000003f");
    w.write(21, "2.5", "b810", "02000000");
    w.write(33, "770", "0302", "0203");
    for (const char* name : {"INT", "302", "", "B17"})
        w.write(33, "not a number", name);
    WriteValue(w.workFile(), 21, 7.0, "B810");
    EXPECT_EQ(w.read(21), TypedValue(qint32(7)));
}

TEST(TypedValue, WrittenTextsTakeTheUsersDecimalMark)
{
    WorkingCopy w;
    LocaleScope german("de_DE");
    w.write(9, "0,31", "B17B", singleBytes(0.31f).toHex());
}

TEST(TypedValue, RefusesBadAccessesWithoutTouchingTheFile)
{
    WorkingCopy w;
    const QString f = w.workFile();
    expectError(err::InvalidCall, [&] { ReadTypeTag(f, 4); });
    expectError(err::PastEndOfFile, [&] { ReadTypeTag(f, 69); });
    expectError(err::PastEndOfFile, [&] { w.read(62, "B17B"); });
    expectError(err::InvalidCall, [&] { WriteValue(f, 0, 1.0, "B810"); });
    expectError(err::PastEndOfFile, [&] { WriteValue(f, 64, 1.0, "0302"); });
    expectError(err::TypeMismatch, [&] { WriteValue(f, 21, "lots", "B810"); });
    expectError(err::Overflow, [&] { WriteValue(f, 21, "2147483647.5", "B810"); });
    expectError(err::Overflow, [&] { WriteValue(f, 33, 32768.0, "0302"); });
    expectError(err::Overflow, [&] { WriteValue(f, 9, 1e39, "B17B"); });
    // A missing file is not created.
    expectError(err::FileNotFound, [&] { WriteValue(w.path("missing"), 9, 1.0, "B17B"); });
    EXPECT_FALSE(QFile::exists(w.path("missing")));
    EXPECT_EQ(readBytes(f), w.bytes);
}

TEST(TypedValue, AWriteDoesNotGoThroughASymbolicLink)
{
    WorkingCopy w;
    const QString f = w.workFile();
    ASSERT_TRUE(QFile::link(f, w.path("link")));
    expectError(err::PathAccess, [&] { WriteValue(w.path("link"), 9, 1.0, "B17B"); });
    EXPECT_EQ(readBytes(f), w.bytes);
}
