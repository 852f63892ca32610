#include "registry/RegistryTree.h"

#include <QDateTime>
#include <QtEndian>

#include <algorithm>
#include <utility>

namespace vnt {

namespace {

// Ticks between 1601-01-01 and 1970-01-01.
constexpr quint64 FileTimeOf1970 = 116444736000000000ull;

template <typename Range> auto lowerBound(Range& range, const QString& folded)
{
    return std::lower_bound(range.begin(), range.end(), folded, [](const auto& item, const QString& key) {
        if constexpr (std::is_same_v<std::decay_t<decltype(item)>, RegValue>)
            return item.folded < key;
        else
            return item->folded < key;
    });
}

} // namespace

QString foldName(const QString& name)
{
    // Most names are plain ASCII already in lower case: share them as they are.
    const auto needsFolding = [](QChar c) { return c.unicode() >= 128 || (c >= u'A' && c <= u'Z'); };
    if (std::none_of(name.begin(), name.end(), needsFolding))
        return name;
    QString folded = name;
    for (QChar& c : folded) {
        const ushort u = c.unicode();
        if (u < 128) {
            if (u >= 'A' && u <= 'Z')
                c = QChar(ushort(u + 32));
        } else {
            c = c.toLower();
        }
    }
    return folded;
}

RegNode* RegNode::findSubkey(const QString& name) const
{
    const QString folded = foldName(name);
    auto it = lowerBound(subkeys, folded);
    return it != subkeys.end() && (*it)->folded == folded ? it->get() : nullptr;
}

RegNode* RegNode::ensureSubkey(const QString& name, bool* created)
{
    QString folded = foldName(name);
    auto it = lowerBound(subkeys, folded);
    if (created)
        *created = false;
    if (it != subkeys.end() && (*it)->folded == folded)
        return it->get();
    auto node = std::make_unique<RegNode>();
    node->name = name;
    node->folded = std::move(folded);
    if (created)
        *created = true;
    return subkeys.insert(it, std::move(node))->get();
}

bool RegNode::removeSubkey(const QString& name)
{
    const QString folded = foldName(name);
    auto it = lowerBound(subkeys, folded);
    if (it == subkeys.end() || (*it)->folded != folded)
        return false;
    subkeys.erase(it);
    return true;
}

const RegValue* RegNode::findValue(const QString& name) const
{
    const QString folded = foldName(name);
    auto it = lowerBound(values, folded);
    return it != values.end() && it->folded == folded ? &*it : nullptr;
}

void RegNode::setValue(const QString& name, quint32 type, QByteArray data)
{
    QString folded = foldName(name);
    auto it = lowerBound(values, folded);
    if (it != values.end() && it->folded == folded) {
        it->type = type;
        it->data = std::move(data);
        return;
    }
    values.insert(it, RegValue{name, std::move(folded), type, std::move(data)});
}

bool RegNode::removeValue(const QString& name)
{
    const QString folded = foldName(name);
    auto it = lowerBound(values, folded);
    if (it == values.end() || it->folded != folded)
        return false;
    values.erase(it);
    return true;
}

quint64 currentFileTime()
{
    return FileTimeOf1970 + quint64(QDateTime::currentMSecsSinceEpoch()) * 10000ull;
}

QByteArray toUtf16Bytes(const QString& text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString fromUtf16Bytes(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(ushort(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
    return text;
}

QString decode8Bit(const QByteArray& data)
{
    QStringList pieces;
    for (const QByteArray& piece : data.split('\0'))
        pieces.append(QString::fromLocal8Bit(piece));
    return pieces.join(QChar(0));
}

QByteArray encode8Bit(const QString& text)
{
    QByteArrayList pieces;
    for (const QString& piece : text.split(QChar(0)))
        pieces.append(piece.toLocal8Bit());
    return pieces.join('\0');
}

} // namespace vnt
