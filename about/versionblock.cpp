#include "about/versionblock.h"

#include "about/versionblocklayout.h"

#include <QtEndian>
#include <algorithm>

namespace
{

// One node of a block, as offsets into the block.
struct Node {
    qsizetype end = 0; // the node's start + wLength
    qsizetype valueStart = 0;
    qsizetype valueSize = 0; // in bytes, cut where the node ends
    qsizetype childrenStart = 0;
    QString key;
};

// wLength, wValueLength and wType.
constexpr qsizetype headerSize = 6;

qsizetype alignedToFour(qsizetype offset)
{
    return (offset + 3) & ~qsizetype(3);
}

quint16 wordAt(QByteArrayView block, qsizetype offset)
{
    return qFromLittleEndian<quint16>(block.data() + offset);
}

// Reads UTF-16LE characters into `text` from `offset` up to a zero or to `end`. Answers the
// offset just past the zero, or nothing when no zero comes before `end`.
std::optional<qsizetype> readText(QByteArrayView block, qsizetype offset, qsizetype end,
                                  QString &text)
{
    for (; offset + 2 <= end; offset += 2) {
        const quint16 character = wordAt(block, offset);
        if (character == 0)
            return offset + 2;
        text.append(QChar(character));
    }
    return {};
}

// The node that starts at `start` and must end by `limit`; nothing when its header, its key
// or its length does not fit.
std::optional<Node> nodeAt(QByteArrayView block, qsizetype start, qsizetype limit)
{
    if (start + headerSize > limit)
        return {};
    const quint16 length = wordAt(block, start);
    const quint16 valueLength = wordAt(block, start + 2);
    const quint16 type = wordAt(block, start + 4);
    if (length < headerSize || start + length > limit)
        return {};

    Node node;
    node.end = start + length;
    const std::optional<qsizetype> afterKey =
        readText(block, start + headerSize, node.end, node.key);
    if (!afterKey)
        return {};
    const qsizetype valueBytes =
        type == versionblock::textType ? 2 * qsizetype(valueLength) : qsizetype(valueLength);
    node.valueStart = std::min(alignedToFour(*afterKey), node.end);
    node.valueSize = std::min(valueBytes, node.end - node.valueStart);
    node.childrenStart = alignedToFour(node.valueStart + valueBytes);
    return node;
}

std::optional<Node> childNamed(QByteArrayView block, const Node &parent, QStringView key)
{
    qsizetype offset = parent.childrenStart;
    while (offset + headerSize <= parent.end) {
        const std::optional<Node> child = nodeAt(block, offset, parent.end);
        if (!child)
            return {};
        if (child->key.compare(key, Qt::CaseInsensitive) == 0)
            return child;
        offset = alignedToFour(child->end);
    }
    return {};
}

std::optional<Node> nodeAtPath(QByteArrayView block, QStringView path)
{
    std::optional<Node> node = nodeAt(block, 0, block.size());
    if (!node || node->key.compare(QLatin1String(versionblock::rootKey), Qt::CaseInsensitive) != 0)
        return {};
    for (QStringView part : path.tokenize(u'\\', Qt::SkipEmptyParts)) {
        node = childNamed(block, *node, part);
        if (!node)
            return {};
    }
    return node;
}

} // namespace

std::optional<QByteArrayView> queryVersionValue(QByteArrayView block, QStringView path)
{
    const std::optional<Node> node = nodeAtPath(block, path);
    if (!node)
        return {};
    return block.sliced(node->valueStart, node->valueSize);
}

std::optional<QString> queryVersionText(QByteArrayView block, QStringView path)
{
    const std::optional<Node> node = nodeAtPath(block, path);
    if (!node)
        return {};
    QString text;
    readText(block, node->valueStart, node->end, text);
    return text;
}
