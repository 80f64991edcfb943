#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Appends to `found` the path of every supported file (IsMediaFile) in `folder` and below it,
// depth first: a folder's entries in name order without regard to case, folders and files
// mixed, and a subfolder's files right where the scan meets that subfolder. Hidden files count
// like any other; pipes, sockets and devices never count (reading one could wait forever); a
// folder that cannot be read adds nothing. Links to folders are entered like
// folders, but no folder is entered twice in one scan, so a link back to a folder being
// scanned (or scanned already) cannot make the scan loop.
//
// A file whose path is not text (app/filenametext.h) goes to `unreadable` instead, as the
// bytes of its path, so that it is never taken for the file its text would name.
void scanMediaFiles(const QByteArray &folder, QStringList &found, QList<QByteArray> &unreadable);
