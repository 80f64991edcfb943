#pragma once

#include <QByteArray>
#include <QString>

// Reads the version block that an executable file carries in its ELF section
// versionblock::sectionName (32- or 64-bit, either byte order). Answers 0, or an errno value:
// that of the failed open or read; ENOEXEC when the file is no ELF file or its section table
// does not fit in it; ENODATA when the file has no such section.
int readVersionBlock(const QString &fileName, QByteArray &block);
