#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// Writes an executable shell script named "ffmpeg" into `folder`, with `body` after the
// "#!/bin/sh" line. The script sees the arguments a real ffmpeg would see; "$6" is the output.
inline QString writeFakeFfmpeg(const QString &folder, const QByteArray &body)
{
    const QString path = QDir(folder).filePath(QStringLiteral("ffmpeg"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    script.write("#!/bin/sh\n" + body + '\n');
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// A line for the fake's body that waits until a file called `name` appears in its working folder,
// so a test can let the fake go on at the moment it chooses. It gives up after 30 seconds,
// so that a test that never lets it go fails instead of hanging.
inline QByteArray waitForFile(const QByteArray &name)
{
    return "i=0; while [ ! -e '" + name + "' ] && [ $i -lt 3000 ]; do sleep 0.01; i=$((i+1)); done";
}

// Creates the file a fake waits for in `folder`.
inline void letFakeGoOn(const QString &folder, const QString &name)
{
    QFile(QDir(folder).filePath(name)).open(QIODevice::WriteOnly);
}

// The fake writes its arguments, each ended by a zero byte, to this file in its working folder.
inline const QByteArray recordArguments = "printf '%s\\0' \"$@\" > arguments.bin";

inline QStringList recordedArguments(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("arguments.bin")));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no arguments recorded>")};
    QStringList arguments;
    for (const QByteArray &argument : file.readAll().split('\0'))
        arguments << QFile::decodeName(argument);
    arguments.removeLast(); // after the last terminator
    return arguments;
}
