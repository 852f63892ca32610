#include "registry/cRegistry.h"

#include "registry/KeyGuard.h"
#include "registry/RegistryTree.h"

#include "base/Environment.h"

#include <QProcessEnvironment>
#include <QtEndian>

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

bool cRegistry::KeyExists()
{
    KeyGuard key(*backend_);
    return backend_->openKey(classKey_, sectionKey_, reg::QueryValue, key.out()) == reg::Success;
}

bool cRegistry::CreateKey()
{
    KeyGuard key(*backend_);
    if (backend_->createKey(classKey_, sectionKey_, reg::AllAccess, key.out()) != reg::Success)
        throw RegistryError(regerr::Failed, QStringLiteral("Failed to create registry Key: '") + sectionKey_);
    return true;
}

bool cRegistry::DeleteKey()
{
    if (backend_->deleteKey(classKey_, sectionKey_) != reg::Success)
        throw RegistryError(regerr::Failed, QStringLiteral("Failed to delete registry Key: '") + rootText()
                                                + QStringLiteral("',Section: '") + sectionKey_);
    return true;
}

bool cRegistry::DeleteValue()
{
    const QString where = rootText() + QStringLiteral("',Section: '") + sectionKey_;
    KeyGuard key(*backend_);
    if (backend_->openKey(classKey_, sectionKey_, reg::AllAccess, key.out()) != reg::Success)
        throw RegistryError(regerr::Failed, QStringLiteral("Failed to open key '") + where + QStringLiteral("' for delete access"));
    if (backend_->deleteValue(key.key(), valueKey_) != reg::Success)
        throw RegistryError(regerr::Failed,
                            QStringLiteral("Failed to delete registry Key: '") + where + QStringLiteral("',Key: '") + valueKey_);
    return true;
}

QVariant cRegistry::Value()
{
    KeyGuard connection(*backend_);
    RegKey root = classKey_;
    if (!machine_.isEmpty()) {
        if (backend_->connectRegistry(machine_, classKey_, connection.out()) != reg::Success)
            return default_;
        root = connection.key();
    }
    KeyGuard key(*backend_);
    if (backend_->openKey(root, sectionKey_, reg::QueryValue, key.out()) != reg::Success)
        return default_;
    return readValue(key.key());
}

QVariant cRegistry::readValue(RegKey key)
{
    quint32 type = 0;
    quint32 size = 0;
    char probe = 0;
    const long rc = backend_->queryValue(key, valueKey_, &type, &probe, &size);
    if (rc != reg::Success && rc != reg::MoreData)
        return default_;
    valueType_ = qint32(type);
    const quint32 n = size;
    quint32 readType = 0;
    switch (type) {
    case reg::Sz:
    case reg::ExpandSz:
    case reg::MultiSz: {
        // The stored bytes without the terminating NUL; a value of no bytes at all
        // has no terminator to drop and reads as an empty string.
        if (n == 0)
            return QString();
        QByteArray buffer(qsizetype(n), '\0');
        quint32 length = n;
        backend_->queryValue(key, valueKey_, &readType, buffer.data(), &length);
        const QString text = decode8Bit(buffer.left(qsizetype(n) - 1));
        return type == reg::ExpandSz ? ExpandEnvironment(text) : text;
    }
    case reg::Dword:
    case reg::DwordBigEndian: {
        uchar bytes[4] = {};
        quint32 length = sizeof bytes;
        backend_->queryValue(key, valueKey_, &readType, reinterpret_cast<char*>(bytes), &length);
        const qint32 number = qFromLittleEndian<qint32>(bytes);
        return type == reg::DwordBigEndian ? SwapByteOrder(number) : number;
    }
    default: {
        QByteArray buffer(qsizetype(n), '\0');
        quint32 length = n;
        backend_->queryValue(key, valueKey_, &readType, buffer.data(), &length);
        return buffer;
    }
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
    if (!known || (dword && !isShortOrLong(vValue)))
        throw RegistryError(regerr::SetValueFailed, setValueText(vValue));

    KeyGuard connection(*backend_);
    RegKey root = classKey_;
    if (!machine_.isEmpty()) {
        if (backend_->connectRegistry(machine_, classKey_, connection.out()) != reg::Success)
            throw RegistryError(regerr::SetValueFailed, setValueText(vValue));
        root = connection.key();
    }
    KeyGuard key(*backend_);
    if (backend_->createKey(root, sectionKey_, reg::AllAccess, key.out()) != reg::Success)
        throw RegistryError(regerr::Failed, setValueText(vValue));
    if (writeValue(key.key(), vValue) != reg::Success)
        throw RegistryError(regerr::SetValueFailed, setValueText(vValue));
}

long cRegistry::writeValue(RegKey key, const QVariant& vValue)
{
    switch (quint32(valueType_)) {
    case reg::Sz:
    case reg::ExpandSz: {
        const QString text = vValue.toString();
        QByteArray data = encode8Bit(text);
        data.append('\0');
        return backend_->setValue(key, valueKey_, holdsReference(text) ? reg::ExpandSz : reg::Sz, data);
    }
    case reg::Binary:
        return backend_->setValue(key, valueKey_, reg::Binary, vValue.toByteArray());
    default: {
        QByteArray data(4, '\0');
        qToLittleEndian<qint32>(vValue.toInt(), data.data());
        return backend_->setValue(key, valueKey_, reg::Dword, data);
    }
    }
}

bool cRegistry::EnumerateValues(QStringList& sKeyNames, qint32& iKeyCount)
{
    iKeyCount = 0;
    sKeyNames.clear();
    KeyGuard key(*backend_);
    if (backend_->openKey(classKey_, sectionKey_, reg::QueryValue, key.out()) != reg::Success)
        return true;
    QString name;
    for (quint32 index = 0; backend_->enumValue(key.key(), index, &name) == reg::Success; ++index) {
        ++iKeyCount;
        sKeyNames.append(name);
    }
    return true;
}

bool cRegistry::EnumerateSections(QStringList& sSect, qint32& iSectCount)
{
    iSectCount = 0;
    sSect.clear();
    try {
        KeyGuard key(*backend_);
        if (backend_->openKey(classKey_, sectionKey_, reg::EnumerateSubKeys, key.out()) != reg::Success)
            return true;
        QString name;
        for (quint32 index = 0; backend_->enumKey(key.key(), index, &name) == reg::Success; ++index) {
            ++iSectCount;
            sSect.append(name.left(name.indexOf(QChar(0)))); // the text before a NUL, if any
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
