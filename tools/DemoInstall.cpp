#include "DemoInstall.h"

#include "DemoSlots.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "archive/VivArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <bit>
#include <filesystem>
#include <system_error>

namespace vnt::demo {

namespace {

// Demo files are ordinary files of the user, readable by everyone.
constexpr QFileDevice::Permissions PublicFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ReadOther;

// A fixed stamp keeps repeated builds byte for byte the same.
constexpr qint64 RegistryStamp = 1700000000;   // seconds since 1970
constexpr qint64 FileTimeOffset = 11644473600; // seconds from 1601 to 1970

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        throw Error(err::PathAccess, QStringLiteral("Cannot create the folder '%1'").arg(QDir::toNativeSeparators(path)));
}

[[noreturn]] void linkFailed(const QString& path, const std::error_code& error)
{
    throw Error(err::PathAccess, QStringLiteral("Cannot link the drive '%1': %2")
                                     .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(error.message())));
}

// Points the drive link at target, keeping a link that already does. Anything
// else in its place is left alone and refused.
void linkDrive(const QString& linkPath, const std::filesystem::path& target)
{
    namespace fs = std::filesystem;
    const fs::path link(QFile::encodeName(linkPath).toStdString());
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (fs::is_symlink(status)) {
        if (fs::read_symlink(link, error) == target && !error)
            return;
        if (!fs::remove(link, error))
            linkFailed(linkPath, error);
    } else if (fs::exists(status)) {
        throw Error(err::PathAccess,
                    QStringLiteral("'%1' is in the way of the drive link").arg(QDir::toNativeSeparators(linkPath)));
    }
    fs::create_directory_symlink(target, link, error);
    if (error)
        linkFailed(linkPath, error);
}

} // namespace

QByteArray readmeText()
{
    return QByteArrayLiteral("Demo AI data\r\n"
                             "\r\n"
                             "Easy.ubc, Medium.ubc and Difficlt.ubc hold the tuning values of the three\r\n"
                             "skill levels, one value per attribute of aidata.xml, at the positions that\r\n"
                             "file names. Shared.ubc holds values that all levels share; the editor\r\n"
                             "leaves it alone.\r\n");
}

QByteArray sharedTable()
{
    // The same shape as a skill table: a header, then 12-byte slots, here with
    // every tag form the entries use, the 16-bit one included.
    constexpr int slotCount = 16;
    constexpr int size = HeaderSize + slotCount * 12 + 16;
    QByteArray bytes = newTable(size, slotCount, 7);
    constexpr quint16 tags[] = {Int32Tag, FloatTag, 0x0302};
    for (int i = 0; i < slotCount; ++i) {
        const int at = HeaderSize + i * 12;
        const quint16 tag = tags[i % 3];
        putLittleEndian(bytes, at, tag, 2);
        if (tag == FloatTag)
            putLittleEndian(bytes, at + 4, std::bit_cast<quint32>(0.25f * float(i)), 4);
        else
            putLittleEndian(bytes, at + 4, quint32(i * 10), tag == Int32Tag ? 4 : 2);
    }
    return bytes;
}

void writeDemoArchive(const QString& definitionPath, const QString& archivePath)
{
    const std::vector<DemoSlot> slots = readDemoSlots(definitionPath);
    std::vector<VivContent> entries;
    entries.push_back({ReadmeEntry, readmeText()});
    for (std::size_t skill = 0; skill < SkillEntries.size(); ++skill)
        entries.push_back({SkillEntries[skill], buildSkillEntry(slots, int(skill))});
    entries.push_back({SharedEntry, sharedTable()});

    // Laid out the way game archives often are: a footer after the directory and
    // entries starting on 16-byte boundaries.
    VivLayout layout;
    layout.footer = QByteArrayLiteral("L231\0\0\0\0");
    layout.headerAlignment = 16;
    layout.dataAlignment = 16;
    VivArchive::create(archivePath, entries, layout);
}

QByteArray systemRegistry()
{
    QString installDir = QString::fromLatin1(DemoInstallDir);
    installDir.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    const qint64 fileTime = (RegistryStamp + FileTimeOffset) * 10000000;
    return QStringLiteral("WINE REGISTRY Version 2\n"
                          ";; All keys relative to REGISTRY\\\\Machine\n"
                          "\n"
                          "#arch=win64\n"
                          "\n"
                          "[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08] %1\n"
                          "#time=%2\n"
                          "\"Install Dir\"=\"%3\"\n"
                          "\"Version\"=dword:00000001\n")
        .arg(RegistryStamp)
        .arg(fileTime, 0, 16)
        .arg(installDir)
        .toLatin1();
}

void writeDemoPrefix(const QString& definitionPath, const QString& prefixFolder)
{
    const QString archivePath = prefixFolder + QLatin1Char('/') + QString::fromLatin1(PrefixArchivePath);
    makeFolder(prefixFolder + QStringLiteral("/dosdevices"));
    makeFolder(QFileInfo(archivePath).path());
    linkDrive(prefixFolder + QStringLiteral("/dosdevices/c:"), "../drive_c");
    writeDemoArchive(definitionPath, archivePath);
    // Last, so that the build sees an up-to-date registry only after a whole run.
    writeFileAtomically(prefixFolder + QStringLiteral("/system.reg"), systemRegistry(), PublicFile);
}

} // namespace vnt::demo
