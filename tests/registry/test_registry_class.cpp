// The registry class over the in-memory registry.
#include "support/MemoryRegistry.h"
#include "registry/cRegistry.h"
#include "support/EnvGuard.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

constexpr qint32 HKLM = qint32(reg::LocalMachine);
constexpr qint32 HKCR = qint32(reg::ClassesRoot);
const QString GameKey = QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\");

struct RegistryClass : ::testing::Test {
    void TearDown() override { EXPECT_EQ(store->openHandleCount(), 0) << "a key was left open"; }

    // Stores a value as given (string data in the 8-bit encoding, with whatever
    // terminator the test wants).
    void put(RegKey root, const QString& path, const QString& name, quint32 type, const QByteArray& data)
    {
        RegKey key = 0;
        ASSERT_EQ(store->createKey(root, path, reg::AllAccess, &key), reg::Success);
        ASSERT_EQ(store->setValue(key, name, type, data), reg::Success);
        store->closeKey(key);
    }
    // The stored type and data of a value; type 0xFFFF when it is missing.
    std::pair<quint32, QByteArray> stored(RegKey root, const QString& path, const QString& name)
    {
        RegKey key = 0;
        if (store->openKey(root, path, reg::QueryValue, &key) != reg::Success)
            return {0xFFFF, {}};
        quint32 type = 0;
        quint32 size = 0;
        long rc = store->queryValue(key, name, &type, nullptr, &size);
        QByteArray data(qsizetype(size), '\0');
        if (rc == reg::Success)
            rc = store->queryValue(key, name, &type, data.data(), &size);
        store->closeKey(key);
        return rc == reg::Success ? std::make_pair(type, data) : std::make_pair(quint32(0xFFFF), QByteArray());
    }
    cRegistry reader(qint32 root, const QString& path, const QString& name, qint32 type = 1)
    {
        cRegistry r(store);
        r.setClassKey(root);
        r.setSectionKey(path);
        r.setValueKey(name);
        r.setValueType(type);
        return r;
    }

    std::shared_ptr<MemoryRegistry> store = std::make_shared<MemoryRegistry>();
};

template <typename Call>
void expectRegistryError(Call call, int number, const QString& description)
{
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.number(), number);
        EXPECT_EQ(e.description(), description);
        EXPECT_EQ(e.source(), QStringLiteral("vantor08.cRegistry"));
    }
}

} // namespace

TEST_F(RegistryClass, ReadingAMissingKeyOrValueGivesDefaultAndKeepsTheValueType)
{
    cRegistry r = reader(HKLM, GameKey, QStringLiteral("Install Dir"));
    EXPECT_FALSE(r.Value().isValid());
    EXPECT_EQ(r.ValueType(), 1);

    put(reg::LocalMachine, GameKey, QStringLiteral("Other"), reg::Sz, QByteArray("x", 2));
    r.setDefault(QStringLiteral("fallback"));
    r.setValueType(4);
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("fallback")));
    EXPECT_EQ(r.ValueType(), 4);

    store->failNext("queryValue", reg::AccessDenied);
    r.setValueKey(QStringLiteral("Other"));
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("fallback")));
}

TEST_F(RegistryClass, ReadsEachTypeAsItsVariantAndTakesTheTypeFound)
{
    EnvGuard env;
    env.set("VNT_REG_TEST", "/scratch");
    put(reg::LocalMachine, GameKey, QStringLiteral("Install Dir"), reg::Sz, QByteArray("D:\\Games\\NHL08\\", 16));
    put(reg::LocalMachine, GameKey, QStringLiteral("Expand"), reg::ExpandSz,
        QByteArray("%vnt_reg_test%\\x %NOT_SET_ANYWHERE% 100%", 41));
    put(reg::LocalMachine, GameKey, QStringLiteral("Multi"), reg::MultiSz, QByteArray("one\0two\0\0", 9));
    put(reg::LocalMachine, GameKey, QStringLiteral("Big"), reg::DwordBigEndian, QByteArray::fromHex("00000102"));
    put(reg::LocalMachine, GameKey, QStringLiteral("Num"), reg::Dword, QByteArray::fromHex("feffffff"));
    put(reg::LocalMachine, GameKey, QStringLiteral("Bin"), reg::Binary, QByteArray::fromHex("0a0bff"));
    put(reg::LocalMachine, GameKey, QStringLiteral("Nothing"), reg::Sz, QByteArray());
    put(reg::LocalMachine, GameKey, QStringLiteral("NoBytes"), reg::None, QByteArray());
    put(reg::LocalMachine, GameKey, QStringLiteral("Odd"), 0x20, QByteArray("ab"));

    cRegistry r = reader(HKLM, GameKey, QStringLiteral("install dir"));
    const QVariant text = r.Value();
    EXPECT_EQ(text.typeId(), QMetaType::QString);
    EXPECT_EQ(text.toString(), QStringLiteral("D:\\Games\\NHL08\\"));
    EXPECT_EQ(r.ValueType(), 1);

    const auto read = [&](const char* name) {
        r.setValueKey(QString::fromLatin1(name));
        return r.Value();
    };
    EXPECT_EQ(read("Expand"), QVariant(QStringLiteral("/scratch\\x %NOT_SET_ANYWHERE% 100%")));
    EXPECT_EQ(r.ValueType(), 2);
    EXPECT_EQ(read("Multi"), QVariant(QString::fromLatin1("one\0two\0", 8)));
    EXPECT_EQ(read("Big"), QVariant(qint32(258)));
    EXPECT_EQ(r.ValueType(), 5);
    EXPECT_EQ(read("Num"), QVariant(qint32(-2)));
    EXPECT_EQ(read("Bin"), QVariant(QByteArray::fromHex("0a0bff")));
    EXPECT_EQ(r.ValueType(), 3);
    EXPECT_EQ(read("Nothing"), QVariant(QString()));
    EXPECT_EQ(read("Nothing").typeId(), QMetaType::QString);
    EXPECT_EQ(read("NoBytes"), QVariant(QByteArray()));
    EXPECT_EQ(read("Odd"), QVariant(QByteArray("ab")));
    EXPECT_EQ(r.ValueType(), 0x20);
}

TEST_F(RegistryClass, StringWritesChooseExpandableOnlyForAPairOfPercentSigns)
{
    cRegistry w = reader(HKLM, QStringLiteral("Software\\Vantor"), QStringLiteral("v"));
    const auto typeAfterWriting = [&](qint32 asType, const QString& text) {
        w.setValueType(asType);
        w.setValue(text);
        return stored(reg::LocalMachine, QStringLiteral("Software\\Vantor"), QStringLiteral("v")).first;
    };
    EXPECT_EQ(typeAfterWriting(1, QStringLiteral("%a%")), reg::ExpandSz);
    EXPECT_EQ(typeAfterWriting(1, QStringLiteral("%%")), reg::Sz);
    EXPECT_EQ(typeAfterWriting(1, QStringLiteral("100%")), reg::Sz);
    EXPECT_EQ(typeAfterWriting(2, QStringLiteral("%ab")), reg::Sz);
    EXPECT_EQ(typeAfterWriting(2, QStringLiteral("x%y%")), reg::ExpandSz);

    w.setValueType(1);
    w.setValue(QStringLiteral("caf\u00e9"));
    EXPECT_EQ(stored(reg::LocalMachine, QStringLiteral("Software\\Vantor"), QStringLiteral("v")).second,
              QByteArray("caf\xc3\xa9", 6));
    EXPECT_EQ(w.Value(), QVariant(QStringLiteral("caf\u00e9")));
}

TEST_F(RegistryClass, NumberAndBinaryWrites)
{
    cRegistry w = reader(HKLM, QStringLiteral("Software\\Vantor"), QStringLiteral("n"), 5);
    w.setValue(qint32(258));
    EXPECT_EQ(stored(reg::LocalMachine, QStringLiteral("Software\\Vantor"), QStringLiteral("n")),
              std::make_pair(reg::Dword, QByteArray::fromHex("02010000")));
    w.setValueType(4);
    w.setValue(qint16(-1));
    EXPECT_EQ(stored(reg::LocalMachine, QStringLiteral("Software\\Vantor"), QStringLiteral("n")).second,
              QByteArray::fromHex("ffffffff"));

    w.setValueType(3);
    w.setValue(QByteArray::fromHex("000102"));
    EXPECT_EQ(stored(reg::LocalMachine, QStringLiteral("Software\\Vantor"), QStringLiteral("n")),
              std::make_pair(reg::Binary, QByteArray::fromHex("000102")));
}

TEST_F(RegistryClass, RefusedWritesRaiseTheirErrorAndCreateNothing)
{
    cRegistry w = reader(HKLM, QStringLiteral("Software\\New"), QStringLiteral("n"), 3);
    expectRegistryError([&] { w.setValue(QStringLiteral("not bytes")); }, 26001, QString());

    const QString setText = QStringLiteral("Failed to set registry value Key: '-2147483646',Section: "
                                           "'Software\\New',Key: 'n' to value: '12'");
    w.setValueType(4);
    expectRegistryError([&] { w.setValue(QStringLiteral("12")); }, int(0x800469A9u), setText);
    w.setValueType(6);
    expectRegistryError([&] { w.setValue(qint32(12)); }, int(0x800469A9u), setText);
    EXPECT_FALSE(reader(HKLM, QStringLiteral("Software\\New"), QString()).KeyExists());

    // An unreachable computer is a failure too, not a silent no-op.
    w.setValueType(1);
    w.setMachine(QStringLiteral("elsewhere"));
    expectRegistryError([&] { w.setValue(qint32(12)); }, int(0x800469A9u), setText);

    w.setMachine(QString());
    w.setClassKey(0x1234);
    expectRegistryError([&] { w.setValue(qint32(12)); }, 26001,
                        QStringLiteral("Failed to set registry value Key: '4660',Section: 'Software\\New',Key: "
                                       "'n' to value: '12'"));
    w.setClassKey(HKLM);
    store->failNext("setValue", reg::AccessDenied);
    expectRegistryError([&] { w.setValue(qint32(12)); }, int(0x800469A9u), setText);
}

TEST_F(RegistryClass, MachineNamesAndReadingThroughAnotherComputer)
{
    cRegistry r(store);
    r.setMachine(QStringLiteral("pc"));
    EXPECT_EQ(r.Machine(), QString());
    r.setMachine(QStringLiteral("pc1"));
    EXPECT_EQ(r.Machine(), QStringLiteral("\\\\pc1"));
    r.setMachine(QStringLiteral("\\\\pc1"));
    EXPECT_EQ(r.Machine(), QStringLiteral("\\\\pc1"));

    // Unreachable: Default, nothing raised.
    cRegistry remote = reader(HKLM, QStringLiteral("Software\\There"), QStringLiteral("v"));
    remote.setMachine(QStringLiteral("pc1"));
    remote.setDefault(qint32(7));
    EXPECT_EQ(remote.Value(), QVariant(qint32(7)));

    // Reachable: the value comes from that computer's registry, not this one's.
    store->addMachine(QStringLiteral("PC1"));
    put(reg::LocalMachine, QStringLiteral("Software\\There"), QStringLiteral("v"), reg::Sz, QByteArray("local", 6));
    remote.setValue(QStringLiteral("remote"));
    EXPECT_EQ(remote.Value(), QVariant(QStringLiteral("remote")));
    EXPECT_EQ(reader(HKLM, QStringLiteral("Software\\There"), QStringLiteral("v")).Value(),
              QVariant(QStringLiteral("local")));
}

TEST_F(RegistryClass, KeysAreCreatedFoundAndDeleted)
{
    cRegistry r = reader(HKLM, QStringLiteral("Software\\A\\B"), QString());
    EXPECT_FALSE(r.KeyExists());
    EXPECT_TRUE(r.CreateKey());
    EXPECT_TRUE(r.KeyExists());
    EXPECT_TRUE(reader(HKLM, QStringLiteral("software\\a\\b\\"), QString()).KeyExists());

    r.setSectionKey(QStringLiteral("Software\\A"));
    expectRegistryError([&] { r.DeleteKey(); }, 26001,
                        QStringLiteral("Failed to delete registry Key: '-2147483646',Section: 'Software\\A"));
    r.setSectionKey(QStringLiteral("Software\\A\\B"));
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_FALSE(r.KeyExists());

    r.setClassKey(0);
    expectRegistryError([&] { r.CreateKey(); }, 26001, QStringLiteral("Failed to create registry Key: 'Software\\A\\B"));
}

TEST_F(RegistryClass, DeletingValuesReportsWhichStepFailed)
{
    cRegistry r = reader(HKLM, QStringLiteral("Software\\Gone"), QStringLiteral("v"));
    expectRegistryError([&] { r.DeleteValue(); }, 26001,
                        QStringLiteral("Failed to open key '-2147483646',Section: 'Software\\Gone' for delete access"));
    r.setValue(QStringLiteral("x"));
    EXPECT_TRUE(r.DeleteValue());
    EXPECT_FALSE(r.Value().isValid());
    expectRegistryError([&] { r.DeleteValue(); }, 26001,
                        QStringLiteral("Failed to delete registry Key: '-2147483646',Section: 'Software\\Gone',Key: 'v"));
}

TEST_F(RegistryClass, EnumerationsListNamesInTheRegistrysOrder)
{
    put(reg::LocalMachine, QStringLiteral("Software\\List"), QStringLiteral("bb"), reg::Sz, QByteArray("", 1));
    put(reg::LocalMachine, QStringLiteral("Software\\List"), QStringLiteral("a"), reg::Sz, QByteArray("", 1));
    put(reg::LocalMachine, QStringLiteral("Software\\List\\Sub2"), QString(), reg::Sz, QByteArray("", 1));
    put(reg::LocalMachine, QStringLiteral("Software\\List\\sub1"), QString(), reg::Sz, QByteArray("", 1));

    cRegistry r = reader(HKLM, QStringLiteral("Software\\List"), QString());
    QStringList names{QStringLiteral("stale")};
    qint32 count = -1;
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names, (QStringList{QStringLiteral("a"), QStringLiteral("bb")}));
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names, (QStringList{QStringLiteral("sub1"), QStringLiteral("Sub2")}));

    r.setSectionKey(QStringLiteral("Software\\Missing"));
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    r.setSectionKey(QStringLiteral("Software\\List"));
    store->failNext("enumKey", 0);
    expectRegistryError([&] { r.EnumerateSections(names, count); }, int(0x800469AAu),
                        QStringLiteral("The registry failed in enumKey"));
}

TEST_F(RegistryClass, ValueExSetsTheFivePropertiesAndAnEmptyTextWritesTheDefault)
{
    cRegistry r(store);
    QVariant newValue = QString();
    r.setValueEx(HKLM, QStringLiteral("Software\\Ex"), QStringLiteral("v"), 1, QStringLiteral("fallback"), newValue);
    EXPECT_EQ(newValue, QVariant(QStringLiteral("fallback")));
    EXPECT_EQ(r.ValueEx(HKLM, QStringLiteral("Software\\Ex"), QStringLiteral("v"), 4, QVariant()),
              QVariant(QStringLiteral("fallback")));
    EXPECT_EQ(r.ValueType(), 1);
    EXPECT_EQ(r.ValueEx(HKCR, QStringLiteral("Missing"), QString(), 1, qint16(3)), QVariant(qint16(3)));
    EXPECT_EQ(r.ClassKey(), HKCR);
    EXPECT_EQ(r.SectionKey(), QStringLiteral("Missing"));
    EXPECT_EQ(r.Default(), QVariant(qint16(3)));
}

TEST_F(RegistryClass, FileTypeRegistrationWritesBothClassPlaces)
{
    cRegistry r(store);
    r.CreateEXEAssociation(QStringLiteral("  C:\\Tools\\vantor08.exe "), QStringLiteral("Vantor.Settings"),
                           QStringLiteral("Vantor settings"), QStringLiteral("VNTxp"), QString(), true, QString(),
                           false, QString(), true, QString(), 2);
    const auto text = [&](const QString& section) {
        const auto classes = stored(reg::ClassesRoot, section, QString());
        EXPECT_EQ(classes, stored(reg::LocalMachine, QStringLiteral("SOFTWARE\\Classes\\") + section, QString()));
        EXPECT_EQ(classes.first, reg::Sz) << section.toStdString();
        return QString::fromLocal8Bit(classes.second.chopped(1));
    };
    const QString exe = QStringLiteral("\"C:\\Tools\\vantor08.exe\"");
    EXPECT_EQ(text(QStringLiteral(".VNTxp")), QStringLiteral("Vantor.Settings"));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings")), QStringLiteral("Vantor settings"));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\shell\\open")), QStringLiteral("&Open"));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\shell\\open\\command")), exe + QStringLiteral(" \"%1\""));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\shell\\print")), QStringLiteral("&Print"));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\shell\\print\\command")), exe + QStringLiteral(" /p \"%1\""));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\shell\\add")), QStringLiteral("&Install VNTxp"));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\shell\\add\\command")), exe + QStringLiteral(" /a \"%1\""));
    EXPECT_EQ(text(QStringLiteral("Vantor.Settings\\DefaultIcon")), exe + QStringLiteral(",2"));
    // Nine rows, each written under HKEY_CLASSES_ROOT and under SOFTWARE\Classes.
    EXPECT_EQ(store->calls().count(QStringLiteral("setValue")), 18);
    EXPECT_EQ(r.ClassKey(), HKLM);
    EXPECT_EQ(r.SectionKey(), QStringLiteral("Vantor.Settings\\DefaultIcon"));
    EXPECT_FALSE(r.ValueEx(HKCR, QStringLiteral("Vantor.Settings\\shell\\new"), QString(), 1, QVariant()).isValid());
}

TEST_F(RegistryClass, AdditionalVerbsNeedTriplesAndARegisteredClass)
{
    cRegistry r(store);
    r.setClassKey(HKCR);
    const QString badList =
        QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    const QVariantList four{QStringLiteral("edit"), QStringLiteral("&Edit"), QStringLiteral("x.exe"),
                            QStringLiteral("extra")};
    expectRegistryError([&] { r.CreateAdditionalEXEAssociations(QStringLiteral("Cls"), four); },
                        int(0x800469ACu), badList);
    expectRegistryError([&] { r.CreateAdditionalEXEAssociations(QStringLiteral("Cls"), QStringLiteral("edit")); },
                        int(0x800469ACu), badList);
    EXPECT_FALSE(store->calls().contains(QStringLiteral("setValue")));

    const QVariantList verbs{QStringLiteral("edit"), QStringLiteral("&Edit"), QStringLiteral("x.exe /e"),
                             QStringLiteral("view"), QStringLiteral("&View"), QStringLiteral("x.exe /v")};
    expectRegistryError([&] { r.CreateAdditionalEXEAssociations(QStringLiteral("Cls"), verbs); },
                        int(0x800469ADu),
                        QStringLiteral("Error - attempt to create additional associations before class defined."));

    put(reg::ClassesRoot, QStringLiteral("Cls"), QString(), reg::Sz, QByteArray("class", 6));
    store->failNext("setValue", reg::AccessDenied); // the first write fails; the others still happen
    r.CreateAdditionalEXEAssociations(QStringLiteral("Cls"), verbs);
    EXPECT_EQ(stored(reg::ClassesRoot, QStringLiteral("Cls\\shell\\edit"), QString()).first, 0xFFFFu);
    EXPECT_EQ(stored(reg::ClassesRoot, QStringLiteral("Cls\\shell\\edit\\command"), QString()).second,
              QByteArray("x.exe /e", 9));
    EXPECT_EQ(stored(reg::ClassesRoot, QStringLiteral("Cls\\shell\\view"), QString()).second, QByteArray("&View", 6));
    EXPECT_EQ(stored(reg::ClassesRoot, QStringLiteral("Cls\\shell\\view\\command"), QString()).second,
              QByteArray("x.exe /v", 9));
}
