#pragma once

#include <QByteArray>
#include <QString>

// What the command line prints without a display, for scripts to read: one row a line on
// standard output, written and flushed the moment its file is done, fields separated by tabs;
// reasons on standard error. A field never holds a line break or a tab of its own: "\" is
// written "\\", a line break "\n", a tab "\t", and a byte of a name that is not UTF-8 "\xHH".
namespace scriptoutput
{

// `bytes` as one field.
QByteArray escapedField(const QByteArray &bytes);

// "<result>\t<path>" on standard output ("OK" or "Error").
void printResult(const QString &result, const QByteArray &path);

// "Skipped\t<path>\t<reason>" on standard output: a file named that is not converted.
void printSkipped(const QByteArray &path, const QString &reason);

// "<path>: <reason>" on standard error.
void printReason(const QByteArray &path, const QString &reason);

} // namespace scriptoutput
