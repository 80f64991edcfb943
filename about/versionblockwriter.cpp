#include "about/versionblockwriter.h"

#include "about/versionblocklayout.h"

#include <QtEndian>
#include <stdexcept>

namespace
{

template <typename T> void appendNumber(QByteArray &bytes, T value)
{
    const qsizetype at = bytes.size();
    bytes.resize(at + qsizetype(sizeof(T)));
    qToLittleEndian<T>(value, bytes.data() + at);
}

// UTF-16LE with a terminating zero.
QByteArray utf16Text(const QString &text)
{
    QByteArray bytes;
    for (QChar character : text)
        appendNumber<quint16>(bytes, character.unicode());
    appendNumber<quint16>(bytes, 0);
    return bytes;
}

void padToFour(QByteArray &bytes)
{
    while (bytes.size() % 4 != 0)
        bytes.append('\0');
}

QByteArray node(const QString &key, quint16 type, quint16 valueLength, const QByteArray &value,
                const QList<QByteArray> &children = {})
{
    QByteArray bytes;
    appendNumber<quint16>(bytes, 0); // wLength, known at the end
    appendNumber<quint16>(bytes, valueLength);
    appendNumber<quint16>(bytes, type);
    bytes += utf16Text(key);
    padToFour(bytes);
    bytes += value;
    for (const QByteArray &child : children) {
        padToFour(bytes);
        bytes += child;
    }
    if (bytes.size() > 0xFFFF)
        throw std::length_error("a version block node outgrows 65535 bytes");
    qToLittleEndian<quint16>(quint16(bytes.size()), bytes.data());
    return bytes;
}

QByteArray textNode(const QString &key, const QList<QByteArray> &children)
{
    return node(key, versionblock::textType, 0, {}, children);
}

quint32 highLow(quint16 high, quint16 low)
{
    return quint32(high) << 16 | low;
}

QByteArray fixedInfoValue(const VersionBlockContent::FixedInfo &info)
{
    const auto &file = info.fileVersion;
    const auto &product = info.productVersion;
    const quint32 words[] = {
        versionblock::fixedInfoSignature,
        0x00010000, // structure version 1.0
        highLow(file[0], file[1]),
        highLow(file[2], file[3]),
        highLow(product[0], product[1]),
        highLow(product[2], product[3]),
        0x3F, // every defined file flag is meaningful ...
        0,    // ... and none is set
        0,    // operating system: none of the system's own kinds
        1,    // file type: application
        0,    // file subtype
        0,    // file date, high and low
        0,
    };
    QByteArray bytes;
    for (quint32 word : words)
        appendNumber(bytes, word);
    return bytes;
}

} // namespace

QByteArray writeVersionBlock(const VersionBlockContent &content)
{
    QList<QByteArray> sections;
    if (!content.stringTables.isEmpty()) {
        QList<QByteArray> tables;
        for (const auto &table : content.stringTables) {
            QList<QByteArray> strings;
            for (const auto &[key, value] : table.strings)
                strings << node(key, versionblock::textType, quint16(value.size() + 1),
                                utf16Text(value));
            tables << textNode(table.key, strings);
        }
        sections << textNode(QStringLiteral("StringFileInfo"), tables);
    }
    if (content.translations) {
        QByteArray pairs;
        for (const auto &[language, codePage] : *content.translations) {
            appendNumber(pairs, language);
            appendNumber(pairs, codePage);
        }
        const QByteArray translation = node(QStringLiteral("Translation"), versionblock::binaryType,
                                            quint16(pairs.size()), pairs);
        sections << textNode(QStringLiteral("VarFileInfo"), {translation});
    }
    const QByteArray fixedInfo =
        content.fixedInfo ? fixedInfoValue(*content.fixedInfo) : QByteArray();
    return node(QLatin1String(versionblock::rootKey), versionblock::binaryType,
                quint16(fixedInfo.size()), fixedInfo, sections);
}
