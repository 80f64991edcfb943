#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Queries of a version block by path, answered as the system's version functions answer them:
// "\" is the root, "\StringFileInfo\040904E4\CompanyName" a string, and
// "\VarFileInfo\Translation\" the translation table (empty parts of a path, such as a trailing
// backslash, are skipped). Key names are compared without regard to case. A damaged block never
// leads a query outside its bytes: the damaged node and everything below it count as missing.

// The value of the node that `path` names: wValueLength bytes for a binary value, wValueLength
// characters for a text value (cut where the node ends). Nothing when no node has that path or
// the bytes are no version block.
std::optional<QByteArrayView> queryVersionValue(QByteArrayView block, QStringView path);

// The zero-terminated text at the start of the value of the node that `path` names, read no
// further than the node's end. Nothing when no node has that path.
std::optional<QString> queryVersionText(QByteArrayView block, QStringView path);
