#pragma once

#include <QByteArray>
#include <QString>

// File names as the system holds them (bytes) and as the program holds them (UTF-8 text).
// Bytes that are not valid UTF-8 have no text of their own: read as text they turn into
// U+FFFD, and so into the name of another file. Such a name is never converted in place of
// its own; it is shown, refused, and reported.

// Whether the bytes come back unchanged from the program's text.
bool isNameText(const QByteArray &bytes);

enum class NameEscapes {
    Bytes,  // only bytes that are not UTF-8 are escaped: for people
    Fields, // also "\", line breaks and tabs, as "\\", "\n", "\t": one field of a line
};

// The name as text: UTF-8 decoded, each byte that is not part of valid UTF-8 written \xHH.
QString readableName(const QByteArray &bytes, NameEscapes escapes = NameEscapes::Bytes);

// The folder, as text, that holds the first name of the path that is not text: the folder
// whose names want renaming.
QString folderOfUnreadableName(const QByteArray &path);
