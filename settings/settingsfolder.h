#pragma once

#include <QString>

// Whether files may be created in the folder: creates "chk.tmp" there, only if no file of that
// name exists, and removes it at once.
bool IsFolderWritable(const QString &folder);

// The folder of "settings.ini", ending in "/": the program's folder when it is writable (the
// settings travel with the program), otherwise <user config folder>/<company>/<product>,
// which is created when missing.
QString settingsFolderFor(const QString &programFolder, const QString &userConfigFolder,
                          const QString &companyName, const QString &productName);
