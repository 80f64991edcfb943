#pragma once

#include <QString>
#include <QStringList>

// What the program's arguments ask for. With both paths set, one file is converted;
// otherwise every argument is a file or folder for the list.
struct CommandLineRequest {
    QString input;
    QString output;
    bool convertsOneFile() const { return !input.isEmpty() && !output.isEmpty(); }
};

// The arguments joined with one space between each two.
QString joinArguments(const QStringList &arguments);

// What the arguments ask for. Exactly "-input", a path, "-output", a path (in either order)
// take the two paths as they are, whatever they hold; any other arguments are read from their
// joined text by parseCommandLine, which rebuilds a path given unquoted with spaces.
CommandLineRequest readCommandLine(const QStringList &arguments);

// Finds "-output" and then "-input" (exact letter case, first occurrence, even inside a path)
// in the joined text. The output path is everything after "-output" and one separating
// character; the input path everything after "-input" and one character, up to the character
// before "-output".
CommandLineRequest parseCommandLine(const QString &joined);

// A path made absolute against the current folder, so that every later use (existence test,
// folder creation, FFmpeg running in another folder) means the same file. Empty stays empty.
QString absolutePath(const QString &path);
// The same for a path as the system holds it (its bytes).
QByteArray absolutePath(const QByteArray &path);
