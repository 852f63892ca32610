#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <vector>

namespace vnt {

// Names of keys and values compare without regard to letter case: each UTF-16
// unit is lower-cased on its own, which also gives the order Wine keeps keys in.
QString foldName(const QString& name);

// One value of a key. String types hold UTF-16LE units, the terminating NUL
// included when it was stored, exactly as the registry keeps them.
struct RegValue {
    QString name;
    QString folded;
    quint32 type = 0;
    QByteArray data;
};

// One key: its name as it was created, its values and subkeys (both kept in
// order of their folded names), and the details a Wine registry file records.
struct RegNode {
    QString name;
    QString folded;
    std::vector<RegValue> values;
    std::vector<std::unique_ptr<RegNode>> subkeys;
    quint64 modified = 0; // 100-ns ticks since 1601 (a Windows FILETIME)
    bool hasClass = false;
    QString className;
    bool isLink = false; // a symbolic link to another key (its SymbolicLinkValue)

    RegNode* findSubkey(const QString& name) const;
    // The subkey of that name, created (in order) when missing.
    RegNode* ensureSubkey(const QString& name, bool* created = nullptr);
    bool removeSubkey(const QString& name);

    const RegValue* findValue(const QString& name) const;
    void setValue(const QString& name, quint32 type, QByteArray data);
    bool removeValue(const QString& name);
};

// The current time as a FILETIME, for keys that change.
quint64 currentFileTime();

// UTF-16LE bytes of a text (no terminator) and back (an odd last byte is ignored).
QByteArray toUtf16Bytes(const QString& text);
QString fromUtf16Bytes(const QByteArray& bytes);
// The system's 8-bit conversions (the registry's ANSI forms), keeping every NUL:
// terminators and a multi-string's separators (Windows' own conversion drops a
// terminating one).
QString decode8Bit(const QByteArray& data);
QByteArray encode8Bit(const QString& text);

} // namespace vnt
