#pragma once

#include "base/Error.h"
#include "registry/RegistryBackend.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>

#include <memory>

namespace vnt {

class KeyGuard;

// The registry class's failures: a number, the source "vantor08.cRegistry" and a
// description.
class RegistryError : public Error {
public:
    RegistryError(int number, const QString& description);
};

namespace regerr {
constexpr int Failed = 26001;                        // creating, deleting, opening for delete, bad binary data
constexpr int SetValueFailed = int(0x800469A9u);     // writing a value
constexpr int EnumerateFailed = int(0x800469AAu);    // listing subkeys
constexpr int BadAssociationList = int(0x800469ACu); // additional associations: not Name/Text/Command triples
constexpr int ClassNotDefined = int(0x800469ADu);    // additional associations before the class exists
} // namespace regerr

// A small class over the registry. The caller states what it wants through
// properties (a predefined root, a key path below it, a value name, a value type,
// a default) and then reads a property or calls a method that performs one
// registry operation; each operation opens what it needs and closes it again.
//
// Properties are read by a member of the property's name and written by set
// followed by that name (ClassKey() / setClassKey()). Values are QVariants: an
// invalid QVariant (empty), QString, qint16, qint32, QByteArray, or whatever a
// caller puts into Default. Lists come back as QStringLists in the order the
// registry lists them (the first name is element 0).
class cRegistry {
public:
    // The registry to work on; must not be null.
    explicit cRegistry(std::shared_ptr<RegistryBackend> backend);

    QString Machine() const { return machine_; }
    // Fewer than 3 characters clear it; otherwise "\\" is put in front when missing.
    void setMachine(const QString& sMachine);

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    // Reads the value; Default when the key or value cannot be read (never raises).
    QVariant Value();
    void setValue(const QVariant& vValue);

    bool EnumerateValues(QStringList& sKeyNames, qint32& iKeyCount);
    bool EnumerateSections(QStringList& sSect, qint32& iSectCount);

    void CreateEXEAssociation(const QString& sExePath, const QString& sClassName, const QString& sClassDescription,
                              const QString& sAssociation, const QString& sOpenMenuText = QString(), bool bSupportPrint = false,
                              const QString& sPrintMenuText = QString(), bool bSupportNew = false,
                              const QString& sNewMenuText = QString(), bool bSupportInstall = false,
                              const QString& sInstallMenuText = QString(), qint32 lDefaultIconIndex = -1);
    // vItems: a QVariantList (or QStringList) of verb, menu text, command triples.
    void CreateAdditionalEXEAssociations(const QString& sClassName, const QVariant& vItems);

    qint32 ValueType() const { return valueType_; }
    void setValueType(qint32 eValueType) { valueType_ = eValueType; }
    qint32 ClassKey() const { return classKey_; }
    void setClassKey(qint32 eKey) { classKey_ = eKey; }
    QString SectionKey() const { return sectionKey_; }
    void setSectionKey(const QString& sSectionKey) { sectionKey_ = sSectionKey; }
    QString ValueKey() const { return valueKey_; }
    void setValueKey(const QString& sValueKey) { valueKey_ = sValueKey; }
    QVariant Default() const { return default_; }
    void setDefault(const QVariant& vDefault) { default_ = vDefault; }

    // Sets the five properties, in this order, then reads Value.
    QVariant ValueEx(qint32 ClassKey, const QString& SectionKey, const QString& ValueKey, qint32 ValueType,
                     const QVariant& Default);
    // Sets the five properties, then writes NewValue; an empty string value for a
    // REG_SZ write is replaced by Default first (NewValue changes too).
    void setValueEx(qint32 ClassKey, const QString& SectionKey, const QString& ValueKey, qint32 ValueType,
                    const QVariant& Default, QVariant& NewValue);

private:
    void SetClassValue(const QString& sValue);
    static qint32 SwapByteOrder(qint32 lValue);
    static QString ExpandEnvironment(const QString& sValue);

    // Opens SectionKey below root into key; false when the registry refuses.
    bool openSection(KeyGuard& key, RegKey root, quint32 access);
    QVariant readValue(const RegData& value);
    void writeValue(RegKey key, const QVariant& vValue);
    QString setValueText(const QVariant& vValue) const;
    QString rootText() const;

    std::shared_ptr<RegistryBackend> backend_;
    qint32 classKey_ = 0;
    QString sectionKey_;
    QString valueKey_;
    QVariant default_;
    qint32 valueType_ = 0;
    QString machine_;
};

} // namespace vnt
