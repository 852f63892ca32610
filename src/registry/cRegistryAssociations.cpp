// File-type registration through the registry class.
#include "registry/cRegistry.h"

namespace vnt {

namespace {

constexpr qint32 ClassesRoot = qint32(reg::ClassesRoot);
constexpr qint32 LocalMachine = qint32(reg::LocalMachine);
const QChar Quote(QLatin1Char('"'));

QString trimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString orDefault(const QString& text, const QString& fallback)
{
    return text.isEmpty() ? fallback : text;
}

} // namespace

// Writes the default value of SectionKey in both places that hold file types:
// HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes. ClassKey is left at
// HKEY_LOCAL_MACHINE.
void cRegistry::SetClassValue(const QString& sValue)
{
    classKey_ = ClassesRoot;
    setValue(sValue);
    const QString section = sectionKey_;
    classKey_ = LocalMachine;
    sectionKey_ = QStringLiteral("SOFTWARE\\Classes\\") + section;
    setValue(sValue);
    sectionKey_ = section;
}

void cRegistry::CreateEXEAssociation(const QString& sExePath, const QString& sClassName, const QString& sClassDescription,
                                     const QString& sAssociation, const QString& sOpenMenuText, bool bSupportPrint,
                                     const QString& sPrintMenuText, bool bSupportNew, const QString& sNewMenuText,
                                     bool bSupportInstall, const QString& sInstallMenuText, qint32 lDefaultIconIndex)
{
    QString exe = trimSpaces(sExePath);
    if (!exe.startsWith(Quote))
        exe.prepend(Quote);
    if (!exe.endsWith(Quote))
        exe.append(Quote);
    const QString document = Quote + QStringLiteral("%1") + Quote;
    const QString shell = sClassName + QStringLiteral("\\shell\\");

    valueType_ = qint32(reg::Sz);
    const auto write = [this](const QString& section, const QString& value) {
        valueKey_.clear();
        sectionKey_ = section;
        SetClassValue(value);
    };
    write(QStringLiteral(".") + sAssociation, sClassName);
    write(sClassName, sClassDescription);
    write(shell + QStringLiteral("open"), orDefault(sOpenMenuText, QStringLiteral("&Open")));
    write(shell + QStringLiteral("open\\command"), exe + QStringLiteral(" ") + document);
    if (bSupportPrint) {
        write(shell + QStringLiteral("print"), orDefault(sPrintMenuText, QStringLiteral("&Print")));
        write(shell + QStringLiteral("print\\command"), exe + QStringLiteral(" /p ") + document);
    }
    if (bSupportInstall) {
        write(shell + QStringLiteral("add"), orDefault(sInstallMenuText, QStringLiteral("&Install ") + sAssociation));
        write(shell + QStringLiteral("add\\command"), exe + QStringLiteral(" /a ") + document);
    }
    if (bSupportNew) {
        write(shell + QStringLiteral("new"), orDefault(sNewMenuText, QStringLiteral("&New")));
        write(shell + QStringLiteral("new\\command"), exe + QStringLiteral(" /n ") + document);
    }
    if (lDefaultIconIndex > -1)
        write(sClassName + QStringLiteral("\\DefaultIcon"), exe + QStringLiteral(",") + QString::number(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(const QString& sClassName, const QVariant& vItems)
{
    const bool isList = vItems.typeId() == QMetaType::QVariantList || vItems.typeId() == QMetaType::QStringList;
    const QVariantList items = isList ? vItems.toList() : QVariantList();
    if (!isList || items.size() % 3 != 0)
        throw RegistryError(regerr::BadAssociationList,
                            QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                                           "expected Name/Text/Command"));
    sectionKey_ = sClassName;
    if (!KeyExists())
        throw RegistryError(regerr::ClassNotDefined,
                            QStringLiteral("Error - attempt to create additional associations before class defined."));
    // A write that fails is passed over; the remaining ones still happen.
    const auto tryWrite = [this](const QString& section, const QString& value) {
        sectionKey_ = section;
        valueKey_.clear();
        try {
            SetClassValue(value);
        } catch (const Error&) {
        }
    };
    for (qsizetype i = 0; i + 2 < items.size(); i += 3) {
        valueType_ = qint32(reg::Sz);
        const QString verb = sClassName + QStringLiteral("\\shell\\") + items[i].toString();
        tryWrite(verb, items[i + 1].toString());
        tryWrite(verb + QStringLiteral("\\command"), items[i + 2].toString());
    }
}

} // namespace vnt
