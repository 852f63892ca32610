// The registry class over the in-memory registry: its conversions and its errors.
#include "support/MemoryRegistry.h"
#include "registry/KeyGuard.h"
#include "registry/cRegistry.h"
#include "support/EnvGuard.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vnt;
using namespace vnt::test;
using namespace vnt::regerr;

namespace {

const QString GameKey = QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\");

struct RegistryClass : ::testing::Test {
    RegistryClass() { env.set("VNT_REG_TEST", "/scratch"); }
    void TearDown() override { EXPECT_EQ(store->openHandleCount(), 0) << "a key was left open"; }

    // Stores a value as given (string data in the 8-bit encoding, with whatever
    // terminator the test wants).
    void put(const QString& path, const QString& name, quint32 type, const QByteArray& data)
    {
        const RegKey key = store->createKey(reg::LocalMachine, path, reg::AllAccess);
        store->setValue(key, name, type, data);
        store->closeKey(key);
    }
    // The stored type and data of a value; type 0xFFFF when it is missing.
    std::pair<quint32, QByteArray> stored(RegKey root, const QString& path, const QString& name)
    {
        try {
            KeyGuard key(*store, store->openKey(root, path, reg::QueryValue));
            const RegData value = store->queryValue(key.key(), name);
            return {value.type, value.data};
        } catch (const RegistryFailure&) {
            return {0xFFFF, {}};
        }
    }
    cRegistry at(const QString& path, const QString& name = QString(), qint32 type = 1)
    {
        cRegistry r(store);
        r.setClassKey(qint32(reg::LocalMachine));
        r.setSectionKey(path);
        r.setValueKey(name);
        r.setValueType(type);
        return r;
    }

    EnvGuard env;
    std::shared_ptr<MemoryRegistry> store = std::make_shared<MemoryRegistry>();
};

// Rows of a table-driven test, named by their first member.
template <class Row> struct RegistryClassRows : RegistryClass, ::testing::WithParamInterface<Row> {
    static std::string name(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }
};

// The number and description of the RegistryError the call raises; {0, ""} when none.
std::pair<int, QString> raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.source(), QStringLiteral("vantor08.cRegistry"));
        return {e.number(), e.description()};
    }
    return {0, QString()};
}

struct ReadRow {
    const char* name;
    quint32 type;
    QByteArray data;
    QVariant expected;
    friend void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }
};
using ValueRead = RegistryClassRows<ReadRow>;

const QString Refused = QStringLiteral("Failed to set registry value Key: '-2147483646',Section: "
                                       "'Software\\Vantor',Key: 'v' to value: '12'");

struct WriteRow {
    const char* name;
    qint32 asType;
    QVariant value;
    quint32 storedType; // 0xFFFF: refused with the error and description given
    QByteArray storedBytes;
    int error = 0;
    QString description = {};
    friend void PrintTo(const WriteRow& row, std::ostream* os) { *os << row.name; }
};
using ValueWrite = RegistryClassRows<WriteRow>;

} // namespace

// The variant of the stored type, and the type found becomes ValueType; names
// match without regard to letter case.
TEST_P(ValueRead, GivesTheVariantOfTheStoredType)
{
    const ReadRow& row = GetParam();
    put(GameKey, QStringLiteral("Stored"), row.type, row.data);
    cRegistry r = at(GameKey, QStringLiteral("STORED"), 0);
    const QVariant value = r.Value();
    EXPECT_EQ(value, row.expected);
    EXPECT_EQ(value.typeId(), row.expected.typeId());
    EXPECT_EQ(r.ValueType(), qint32(row.type));
}

INSTANTIATE_TEST_SUITE_P(
    Types, ValueRead,
    ::testing::Values(
        ReadRow{"StringWithoutItsNul", reg::Sz, QByteArray("D:\\Games\\NHL08\\", 16), QStringLiteral("D:\\Games\\NHL08\\")},
        ReadRow{"ExpandableStringWithSetVariablesExpanded", reg::ExpandSz,
                QByteArray("%vnt_reg_test%\\x %NOT_SET_ANYWHERE% 100%", 41), QStringLiteral("/scratch\\x %NOT_SET_ANYWHERE% 100%")},
        ReadRow{"MultiStringWithItsSeparators", reg::MultiSz, QByteArray("one\0two\0\0", 9), QString::fromLatin1("one\0two\0", 8)},
        ReadRow{"BigEndianDwordSwapped", reg::DwordBigEndian, QByteArray::fromHex("00000102"), qint32(258)},
        ReadRow{"DwordSigned", reg::Dword, QByteArray::fromHex("feffffff"), qint32(-2)},
        ReadRow{"BinaryAsBytes", reg::Binary, QByteArray::fromHex("0a0bff"), QByteArray::fromHex("0a0bff")},
        ReadRow{"StringOfNoBytesEmpty", reg::Sz, QByteArray(), QString()},
        ReadRow{"UnknownTypeAsBytes", 0x20, QByteArray("ab"), QByteArray("ab")}),
    ValueRead::name);

// A missing value, or one on a computer that cannot be reached: the default, and
// the asked type is kept.
TEST_F(RegistryClass, AValueThatCannotBeReadGivesTheDefault)
{
    put(GameKey, QStringLiteral("Num"), reg::Dword, QByteArray::fromHex("01000000"));
    cRegistry r = at(GameKey, QStringLiteral("Missing"), 4);
    r.setDefault(QStringLiteral("fallback"));
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("fallback")));
    EXPECT_EQ(r.ValueType(), 4);
    r.setValueKey(QStringLiteral("Num"));
    r.setMachine(QStringLiteral("\\\\gamepc"));
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("fallback")));
}

// What is stored is the form of the asked type; what cannot be written is refused
// before the key is created.
TEST_P(ValueWrite, StoresTheFormOfTheAskedType)
{
    const WriteRow& row = GetParam();
    cRegistry w = at(QStringLiteral("Software\\Vantor"), QStringLiteral("v"), row.asType);
    EXPECT_EQ(raised([&] { w.setValue(row.value); }), std::make_pair(row.error, row.description));
    EXPECT_EQ(stored(reg::LocalMachine, QStringLiteral("Software\\Vantor"), QStringLiteral("v")),
              std::make_pair(row.storedType, row.storedBytes));
    EXPECT_EQ(w.KeyExists(), row.error == 0) << "a refused write created the key";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ValueWrite,
    ::testing::Values(WriteRow{"BinaryFromTextRefused", 3, QStringLiteral("not bytes"), 0xFFFF, {}, Failed},
                      WriteRow{"DwordFromTextRefused", 4, QStringLiteral("12"), 0xFFFF, {}, SetValueFailed, Refused},
                      WriteRow{"UnknownTypeRefused", 6, qint32(12), 0xFFFF, {}, SetValueFailed, Refused},
                      WriteRow{"StringWithAReferenceExpandable", 1, QStringLiteral("%a%"), reg::ExpandSz, QByteArray("%a%", 4)},
                      WriteRow{"ExpandableWithoutAReferencePlain", 2, QStringLiteral("%ab"), reg::Sz, QByteArray("%ab", 4)},
                      WriteRow{"StringIn8BitEncoding", 1, QStringLiteral("caf\u00e9"), reg::Sz,
                               QStringLiteral("caf\u00e9").toLocal8Bit() + '\0'},
                      WriteRow{"BigEndianDwordLittleEndian", 5, qint32(258), reg::Dword, QByteArray::fromHex("02010000")},
                      WriteRow{"ShortAsDword", 4, qint16(-1), reg::Dword, QByteArray::fromHex("ffffffff")},
                      WriteRow{"BinaryAsItsBytes", 3, QByteArray::fromHex("000102"), reg::Binary, QByteArray::fromHex("000102")}),
    ValueWrite::name);

// An unreachable computer or a refusing registry is a failure, not a silent no-op.
TEST_F(RegistryClass, AWriteTheRegistryRefusesRaisesSetValueFailed)
{
    cRegistry w = at(QStringLiteral("Software\\Vantor"), QStringLiteral("v"));
    w.setMachine(QStringLiteral("elsewhere"));
    EXPECT_EQ(raised([&] { w.setValue(qint32(12)); }), std::make_pair(SetValueFailed, Refused));
    w.setMachine(QString());
    store->failNext("setValue", reg::AccessDenied);
    EXPECT_EQ(raised([&] { w.setValue(qint32(12)); }), std::make_pair(SetValueFailed, Refused));
}

// The members below are not used by the editor itself: one pass over each, with its errors.
TEST_F(RegistryClass, OnlyAKeyWithoutSubkeysIsDeleted)
{
    cRegistry r = at(QStringLiteral("Software\\A\\B"));
    EXPECT_TRUE(r.CreateKey());
    r.setSectionKey(QStringLiteral("Software\\A"));
    EXPECT_EQ(raised([&] { r.DeleteKey(); }),
              std::make_pair(Failed, QStringLiteral("Failed to delete registry Key: '-2147483646',Section: "
                                                    "'Software\\A")));
    r.setSectionKey(QStringLiteral("Software\\A\\B"));
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_FALSE(r.KeyExists());
}

TEST_F(RegistryClass, ListingsNameValuesAndSubkeysInTheRegistrysOrder)
{
    const std::pair<const char*, const char*> entries[] = {{"", "bb"}, {"", "a"}, {"\\Sub2", ""}, {"\\sub1", ""}};
    for (const auto& [sub, name] : entries)
        put(QStringLiteral("Software\\List") + QLatin1String(sub), QString::fromLatin1(name), reg::Sz, "");
    cRegistry r = at(QStringLiteral("Software\\List"));
    QStringList names{QStringLiteral("stale")};
    qint32 count = -1;
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(names, (QStringList{QStringLiteral("a"), QStringLiteral("bb")}));
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(names, (QStringList{QStringLiteral("sub1"), QStringLiteral("Sub2")}));
    EXPECT_EQ(count, 2);
}

TEST_F(RegistryClass, AListingTheRegistryFailsRaisesEnumerateFailed)
{
    put(QStringLiteral("Software\\List\\Sub"), QString(), reg::Sz, "");
    cRegistry r = at(QStringLiteral("Software\\List"));
    QStringList names;
    qint32 count = -1;
    store->failNext("enumKey", 0);
    EXPECT_EQ(raised([&] { r.EnumerateSections(names, count); }),
              std::make_pair(EnumerateFailed, QStringLiteral("The registry failed in enumKey")));
}

TEST_F(RegistryClass, DeletingAMissingValueRaisesFailed)
{
    put(QStringLiteral("Software\\List"), QStringLiteral("a"), reg::Sz, "");
    cRegistry r = at(QStringLiteral("Software\\List"), QStringLiteral("a"));
    EXPECT_TRUE(r.DeleteValue());
    EXPECT_EQ(raised([&] { r.DeleteValue(); }).first, Failed);
}

// File types: the class and its commands in both class places (one in this registry);
// additional verbs come in triples, for a class that exists.
TEST_F(RegistryClass, FileTypeVerbsAreWrittenForTheirClass)
{
    cRegistry r = at(QString());
    r.CreateEXEAssociation(QStringLiteral("  C:\\Tools\\vantor08.exe "), QStringLiteral("Vantor.Settings"),
                           QStringLiteral("Vantor settings"), QStringLiteral("VNTxp"), QString(), true, QString(), false,
                           QString(), true, QString(), 2);
    const auto command = [&](const char* verb) {
        const QString key = QStringLiteral("Vantor.Settings\\shell\\%1\\command").arg(QLatin1String(verb));
        return cRegistry(store).ValueEx(qint32(reg::ClassesRoot), key, QString(), 1, QVariant());
    };
    EXPECT_EQ(command("open"), QVariant(QStringLiteral("\"C:\\Tools\\vantor08.exe\" \"%1\"")));
    const QVariantList verbs{QStringLiteral("edit"), QStringLiteral("&Edit"), QStringLiteral("x.exe /e")};
    EXPECT_EQ(
        raised([&] { r.CreateAdditionalEXEAssociations(QStringLiteral("Cls"), verbs.mid(0, 2)); }),
        std::make_pair(BadAssociationList, QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                                                          "expected Name/Text/Command")));
    r.setClassKey(qint32(reg::ClassesRoot));
    EXPECT_EQ(raised([&] { r.CreateAdditionalEXEAssociations(QStringLiteral("Cls"), verbs); }),
              std::make_pair(ClassNotDefined, QStringLiteral("Error - attempt to create additional associations "
                                                             "before class defined.")));
    r.CreateAdditionalEXEAssociations(QStringLiteral("Vantor.Settings"), verbs);
    EXPECT_EQ(command("edit"), QVariant(QStringLiteral("x.exe /e")));
}
