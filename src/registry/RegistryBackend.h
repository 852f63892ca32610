#pragma once

#include "base/Error.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vnt {

// A key handle: a predefined root (its 32-bit value, sign-extended) or a handle
// that openKey, createKey or connectRegistry returned.
using RegKey = qint64;

namespace reg {

// Predefined roots.
constexpr RegKey ClassesRoot = qint32(0x80000000u);
constexpr RegKey CurrentUser = qint32(0x80000001u);
constexpr RegKey LocalMachine = qint32(0x80000002u);
constexpr RegKey Users = qint32(0x80000003u);
constexpr RegKey CurrentConfig = qint32(0x80000005u);

constexpr bool isPredefined(RegKey key)
{
    return key >= qint32(0x80000000u) && key <= qint32(0x80000006u);
}

// Value types.
constexpr quint32 None = 0;
constexpr quint32 Sz = 1;
constexpr quint32 ExpandSz = 2;
constexpr quint32 Binary = 3;
constexpr quint32 Dword = 4;
constexpr quint32 DwordBigEndian = 5;
constexpr quint32 Link = 6;
constexpr quint32 MultiSz = 7;

constexpr bool isStringType(quint32 type)
{
    return type == Sz || type == ExpandSz || type == MultiSz;
}

// Access rights.
constexpr quint32 QueryValue = 0x1;
constexpr quint32 SetValue = 0x2;
constexpr quint32 CreateSubKey = 0x4;
constexpr quint32 EnumerateSubKeys = 0x8;
constexpr quint32 AllAccess = 0x3F;

// Result codes, with the numbers of the Windows API.
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long AccessDenied = 5;
constexpr long InvalidHandle = 6;
constexpr long InvalidData = 13;
constexpr long BadNetPath = 53;
constexpr long InvalidParameter = 87;
constexpr long BadPathName = 161;
constexpr long MoreData = 234;
constexpr long NoMoreItems = 259;
constexpr long KeyDeleted = 1018;

} // namespace reg

// A registry operation that failed with a Windows result code: the code is the
// error's number (and code()), as the Windows API numbers it. The registry class
// turns these into its own errors; other vnt::Errors a back-end throws (a registry
// file that may not be rewritten right now, a disk error) say why a store failed
// in ways the Windows registry cannot, and pass through unchanged.
class RegistryFailure : public Error {
public:
    RegistryFailure(long code, const char* operation);
    long code() const noexcept { return number(); }
};

// Throws RegistryFailure unless code is reg::Success.
void checkRegistryCode(long code, const char* operation);

// The type and bytes of a stored value.
struct RegData {
    quint32 type = reg::None;
    QByteArray data;
};

// The registry operations the registry class performs, shaped after the Windows
// API it was written for. A failure throws: RegistryFailure with the Windows
// number, or another vnt::Error for a store that failed (see above); a missing or
// unreadable store answers reads as the Windows registry would. Names go
// in as text; string data (types Sz, ExpandSz, MultiSz) goes in and out as bytes
// in the system's 8-bit encoding (the ANSI code page on Windows, UTF-8 elsewhere),
// every other type as the stored bytes.
class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    virtual RegKey openKey(RegKey parent, const QString& subKey, quint32 access) = 0;
    // Opens the key, creating it and the keys above it when missing.
    virtual RegKey createKey(RegKey parent, const QString& subKey, quint32 access) = 0;
    virtual void closeKey(RegKey key) = 0;

    virtual RegData queryValue(RegKey key, const QString& name) = 0;
    virtual void setValue(RegKey key, const QString& name, quint32 type, const QByteArray& data) = 0;
    virtual void deleteValue(RegKey key, const QString& name) = 0;
    // Deletes a key that has no subkeys.
    virtual void deleteKey(RegKey parent, const QString& subKey) = 0;

    // The name of the value or subkey at index, in the store's order; nothing past
    // the last one.
    virtual std::optional<QString> enumValue(RegKey key, quint32 index) = 0;
    virtual std::optional<QString> enumKey(RegKey key, quint32 index) = 0;

    // The predefined root of another computer's registry (machine as "\\name").
    virtual RegKey connectRegistry(const QString& machine, RegKey root) = 0;

    // A folder path as the registry stores it, as a path of this machine; empty
    // when it stands for nothing here.
    virtual QString toNativePath(const QString& storedPath) const = 0;
};

} // namespace vnt
