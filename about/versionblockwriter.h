#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <utility>

// What a version block holds.
struct VersionBlockContent {
    // The fixed file information's file and product version, four numbers each (1.2.0.0 is
    // {1, 2, 0, 0}). A block may go without it.
    struct FixedInfo {
        std::array<quint16, 4> fileVersion{};
        std::array<quint16, 4> productVersion{};
    };
    std::optional<FixedInfo> fixedInfo;

    // One string table per translation, its key the language and code page as eight hex
    // digits ("040904E4"), its strings in order. Without tables there is no StringFileInfo.
    struct StringTable {
        QString key;
        QList<std::pair<QString, QString>> strings;
    };
    QList<StringTable> stringTables;

    // The translation table: language and code page pairs in order. Without it there is no
    // VarFileInfo.
    std::optional<QList<std::pair<quint16, quint16>>> translations;
};

// The block in the VS_VERSIONINFO layout: every node is wLength, wValueLength and wType, its
// key in UTF-16LE with a terminating zero, its value and its children, each of these starting
// on a four-byte boundary; a node's wLength ends with its last byte, without the padding that
// follows. Throws std::length_error when the block would outgrow 65535 bytes.
QByteArray writeVersionBlock(const VersionBlockContent &content);
