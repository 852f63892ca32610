// A Wine registry file read through the registry class; one write that reads
// back from the file, and a write refused while the prefix's wineserver runs that
// leaves the file byte-identical and the value as it was.
#include "FuzzSupport.h"

#include "base/Error.h"
#include "registry/WineRegistry.h"
#include "registry/cRegistry.h"

#include <QDir>

#include <memory>

using namespace vnt;
using namespace vnt::fuzz;

namespace {

const QString FuzzKey = QStringLiteral("Software\\Vantor Fuzz");

cRegistry at(const std::shared_ptr<WineRegistry>& store, const QString& section, const QString& name)
{
    cRegistry r(store);
    r.setClassKey(qint32(reg::LocalMachine));
    r.setSectionKey(section);
    r.setValueKey(name);
    r.setValueType(qint32(reg::Sz));
    return r;
}

void readAround(const std::shared_ptr<WineRegistry>& store)
{
    for (const QString& section : {QStringLiteral("Software"), QStringLiteral("Software\\EA Sports\\NHL08")}) {
        cRegistry r = at(store, section, QStringLiteral("Install Dir"));
        QStringList names;
        qint32 count = 0;
        try {
            r.EnumerateSections(names, count);
            r.EnumerateValues(names, count);
            for (const QString& name : names)
                (void)r.ValueEx(qint32(reg::LocalMachine), section, name, qint32(reg::Sz), QVariant());
        } catch (const Error&) {
            // Enumeration failures are reported to the caller as errors.
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString prefix = [] {
        QDir(scratch().path()).mkpath(QStringLiteral("prefix/dosdevices"));
        QDir(scratch().path()).mkpath(QStringLiteral("servers"));
        return scratchPath("prefix");
    }();
    const QString system = prefix + QStringLiteral("/system.reg");
    const QString marker = prefix + QStringLiteral("/wineserver");
    put(system, bytesOf(data, size));

    auto store = std::make_shared<WineRegistry>(prefix, scratchPath("servers"));
    readAround(store);
    const QString written = QStringLiteral("written \u00e9");
    try {
        at(store, FuzzKey, QStringLiteral("Name")).setValue(written);
    } catch (const Error&) {
        VANTOR_FUZZ_EXPECT(get(system) == bytesOf(data, size), "a failed write changed the file");
        return 0;
    }
    auto fresh = std::make_shared<WineRegistry>(prefix, scratchPath("servers"));
    VANTOR_FUZZ_EXPECT(at(fresh, FuzzKey, QStringLiteral("Name")).Value() == QVariant(written),
                       "a written value does not read back from the file");

    const QByteArray before = get(system);
    QDir().mkpath(marker);
    bool refused = false;
    try {
        at(fresh, FuzzKey, QStringLiteral("Name")).setValue(QStringLiteral("refused"));
    } catch (const Error&) {
        refused = true;
    }
    QDir().rmdir(marker);
    VANTOR_FUZZ_EXPECT(refused, "a write went through while the wineserver runs");
    VANTOR_FUZZ_EXPECT(get(system) == before, "a refused write changed the file");
    VANTOR_FUZZ_EXPECT(at(fresh, FuzzKey, QStringLiteral("Name")).Value() == QVariant(written),
                       "a refused write changed the value held");
    return 0;
}
