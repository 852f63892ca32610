#include "registry/cRegistry.h"

#include "registry/KeyGuard.h"
#include "registry/RegistryTree.h"

#include "base/Environment.h"

#include <QProcessEnvironment>
#include <QtEndian>

#include <algorithm>
#include <optional>
#include <utility>

namespace vnt {

namespace {

const QString Source = QStringLiteral("vantor08.cRegistry");

bool isShortOrLong(const QVariant& v)
{
    return v.typeId() == QMetaType::Short || v.typeId() == QMetaType::Int;
}

// Whether the text holds a "%" with another "%" at least two places after it.
bool holdsReference(const QString& text)
{
    const qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.lastIndexOf(QLatin1Char('%')) - first >= 2;
}

// Runs a back-end call; a failure with a Windows code becomes the class's error.
template <class Call> void mapped(Call&& call, int number, const QString& description)
{
    try {
        call();
    } catch (const RegistryFailure&) {
        throw RegistryError(number, description);
    }
}

// The next name of a listing; a failure ends the list as its end does.
template <class Call> std::optional<QString> listed(Call&& call)
{
    try {
        return call();
    } catch (const RegistryFailure&) {
        return std::nullopt;
    }
}

} // namespace

RegistryError::RegistryError(int number, const QString& description) : Error(number, description, Source)
{
}

cRegistry::cRegistry(std::shared_ptr<RegistryBackend> backend) : backend_(std::move(backend))
{
    if (!backend_)
        throw Error(err::InvalidCall, QStringLiteral("The registry class needs a registry to work on"), Source);
}

void cRegistry::setMachine(const QString& sMachine)
{
    if (sMachine.size() < 3)
        machine_.clear();
    else
        machine_ = sMachine.startsWith(QLatin1String("\\\\")) ? sMachine : QStringLiteral("\\\\") + sMachine;
}

QString cRegistry::rootText() const
{
    return QString::number(classKey_);
}

QString cRegistry::setValueText(const QVariant& vValue) const
{
    return QStringLiteral("Failed to set registry value Key: '") + rootText() + QStringLiteral("',Section: '") + sectionKey_
           + QStringLiteral("',Key: '") + valueKey_ + QStringLiteral("' to value: '") + vValue.toString() + QStringLiteral("'");
}

bool cRegistry::openSection(KeyGuard& key, RegKey root, quint32 access)
{
    try {
        key.hold(backend_->openKey(root, sectionKey_, access));
        return true;
    } catch (const RegistryFailure&) {
        return false;
    }
}

bool cRegistry::KeyExists()
{
    KeyGuard key(*backend_);
    return openSection(key, classKey_, reg::QueryValue);
}

bool cRegistry::CreateKey()
{
    KeyGuard key(*backend_);
    mapped([&] { key.hold(backend_->createKey(classKey_, sectionKey_, reg::AllAccess)); }, regerr::Failed,
           QStringLiteral("Failed to create registry Key: '") + sectionKey_);
    return true;
}

bool cRegistry::DeleteKey()
{
    mapped([&] { backend_->deleteKey(classKey_, sectionKey_); }, regerr::Failed,
           QStringLiteral("Failed to delete registry Key: '") + rootText() + QStringLiteral("',Section: '") + sectionKey_);
    return true;
}

bool cRegistry::DeleteValue()
{
    const QString where = rootText() + QStringLiteral("',Section: '") + sectionKey_;
    KeyGuard key(*backend_);
    if (!openSection(key, classKey_, reg::AllAccess))
        throw RegistryError(regerr::Failed, QStringLiteral("Failed to open key '") + where + QStringLiteral("' for delete access"));
    mapped([&] { backend_->deleteValue(key.key(), valueKey_); }, regerr::Failed,
           QStringLiteral("Failed to delete registry Key: '") + where + QStringLiteral("',Key: '") + valueKey_);
    return true;
}

QVariant cRegistry::Value()
{
    try {
        KeyGuard connection(*backend_);
        const RegKey root = machine_.isEmpty() ? RegKey(classKey_)
                                               : connection.hold(backend_->connectRegistry(machine_, classKey_));
        KeyGuard key(*backend_, backend_->openKey(root, sectionKey_, reg::QueryValue));
        return readValue(backend_->queryValue(key.key(), valueKey_));
    } catch (const RegistryFailure&) {
        return default_;
    }
}

QVariant cRegistry::readValue(const RegData& value)
{
    valueType_ = qint32(value.type);
    const QByteArray& data = value.data;
    switch (value.type) {
    case reg::Sz:
    case reg::ExpandSz:
    case reg::MultiSz: {
        // The stored bytes without the terminating NUL; a value of no bytes at all
        // has no terminator to drop and reads as an empty string.
        if (data.isEmpty())
            return QString();
        const QString text = decode8Bit(data.left(data.size() - 1));
        return value.type == reg::ExpandSz ? ExpandEnvironment(text) : text;
    }
    case reg::Dword:
    case reg::DwordBigEndian: {
        // Up to four bytes, the missing ones zero; a longer value does not fit and reads as 0.
        uchar bytes[4] = {};
        if (data.size() <= qsizetype(sizeof bytes))
            std::copy(data.cbegin(), data.cend(), bytes);
        const qint32 number = qFromLittleEndian<qint32>(bytes);
        return value.type == reg::DwordBigEndian ? SwapByteOrder(number) : number;
    }
    default:
        return data;
    }
}

void cRegistry::setValue(const QVariant& vValue)
{
    // What cannot be written is refused before anything is created or changed.
    if (valueType_ == qint32(reg::Binary) && vValue.typeId() != QMetaType::QByteArray)
        throw RegistryError(regerr::Failed, QString());
    const bool dword = valueType_ == qint32(reg::Dword) || valueType_ == qint32(reg::DwordBigEndian);
    const bool known = dword || valueType_ == qint32(reg::Sz) || valueType_ == qint32(reg::ExpandSz)
                       || valueType_ == qint32(reg::Binary);
    const QString failed = setValueText(vValue);
    if (!known || (dword && !isShortOrLong(vValue)))
        throw RegistryError(regerr::SetValueFailed, failed);

    KeyGuard connection(*backend_);
    RegKey root = classKey_;
    if (!machine_.isEmpty())
        mapped([&] { root = connection.hold(backend_->connectRegistry(machine_, classKey_)); }, regerr::SetValueFailed, failed);
    KeyGuard key(*backend_);
    mapped([&] { key.hold(backend_->createKey(root, sectionKey_, reg::AllAccess)); }, regerr::Failed, failed);
    mapped([&] { writeValue(key.key(), vValue); }, regerr::SetValueFailed, failed);
}

void cRegistry::writeValue(RegKey key, const QVariant& vValue)
{
    switch (quint32(valueType_)) {
    case reg::Sz:
    case reg::ExpandSz: {
        const QString text = vValue.toString();
        QByteArray data = encode8Bit(text);
        data.append('\0');
        backend_->setValue(key, valueKey_, holdsReference(text) ? reg::ExpandSz : reg::Sz, data);
        return;
    }
    case reg::Binary:
        backend_->setValue(key, valueKey_, reg::Binary, vValue.toByteArray());
        return;
    default: {
        QByteArray data(4, '\0');
        qToLittleEndian<qint32>(vValue.toInt(), data.data());
        backend_->setValue(key, valueKey_, reg::Dword, data);
        return;
    }
    }
}

bool cRegistry::EnumerateValues(QStringList& sKeyNames, qint32& iKeyCount)
{
    iKeyCount = 0;
    sKeyNames.clear();
    KeyGuard key(*backend_);
    if (!openSection(key, classKey_, reg::QueryValue))
        return true;
    for (quint32 index = 0; const std::optional<QString> name = listed([&] { return backend_->enumValue(key.key(), index); });
         ++index) {
        ++iKeyCount;
        sKeyNames.append(*name);
    }
    return true;
}

bool cRegistry::EnumerateSections(QStringList& sSect, qint32& iSectCount)
{
    iSectCount = 0;
    sSect.clear();
    try {
        KeyGuard key(*backend_);
        if (!openSection(key, classKey_, reg::EnumerateSubKeys))
            return true;
        for (quint32 index = 0; const std::optional<QString> name = listed([&] { return backend_->enumKey(key.key(), index); });
             ++index) {
            ++iSectCount;
            sSect.append(name->left(name->indexOf(QChar(0)))); // the text before a NUL, if any
        }
    } catch (const Error& e) {
        throw RegistryError(regerr::EnumerateFailed, e.description());
    } catch (const std::exception& e) {
        throw RegistryError(regerr::EnumerateFailed, QString::fromLocal8Bit(e.what()));
    }
    return true;
}

QVariant cRegistry::ValueEx(qint32 ClassKey, const QString& SectionKey, const QString& ValueKey, qint32 ValueType,
                            const QVariant& Default)
{
    setClassKey(ClassKey);
    setSectionKey(SectionKey);
    setValueKey(ValueKey);
    setValueType(ValueType);
    setDefault(Default);
    return Value();
}

void cRegistry::setValueEx(qint32 ClassKey, const QString& SectionKey, const QString& ValueKey, qint32 ValueType,
                           const QVariant& Default, QVariant& NewValue)
{
    setClassKey(ClassKey);
    setSectionKey(SectionKey);
    setValueKey(ValueKey);
    setValueType(ValueType);
    setDefault(Default);
    if (valueType_ == qint32(reg::Sz) && NewValue.toString().isEmpty())
        NewValue = default_;
    setValue(NewValue);
}

qint32 cRegistry::SwapByteOrder(qint32 lValue)
{
    return qint32(qbswap(quint32(lValue)));
}

// %NAME% references become the values of those environment variables (names
// match without regard to letter case); a reference to a variable that is not
// set stays as it is.
QString cRegistry::ExpandEnvironment(const QString& sValue)
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString result;
    qsizetype i = 0;
    while (i < sValue.size()) {
        const qsizetype open = sValue.indexOf(QLatin1Char('%'), i);
        const qsizetype close = open < 0 ? -1 : sValue.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            result += sValue.mid(i);
            break;
        }
        result += sValue.mid(i, open - i);
        const std::optional<QString> value = environmentValue(env, sValue.mid(open + 1, close - open - 1));
        result += value && close > open + 1 ? *value : sValue.mid(open, close - open + 1);
        i = close + 1;
    }
    return result;
}

} // namespace vnt
