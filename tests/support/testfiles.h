#pragma once

#include "platform/runningprogram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The byte-order mark that starts every settings file written.
inline const QByteArray Bom("\xEF\xBB\xBF");

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Fresh temporary folders for one test: a home folder (HOME, and XDG_CONFIG_HOME beneath it),
// a folder standing in for the executable's folder, so that a test touches neither the user's
// own settings nor the build folder, and an empty folder for the test's own files. The program
// folder is restored on destruction.
class TestFolders
{
public:
    TestFolders()
    {
        QDir(root.path()).mkpath(QStringLiteral("home/.config"));
        QDir(root.path()).mkpath(QStringLiteral("program"));
        QDir(root.path()).mkpath(QStringLiteral("work"));
        qputenv("HOME", QFile::encodeName(home()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home() + QStringLiteral("/.config")));
        platform::setProgramFolderForTesting(program());
    }
    ~TestFolders() { platform::setProgramFolderForTesting(QString()); }
    TestFolders(const TestFolders &) = delete;
    TestFolders &operator=(const TestFolders &) = delete;

    QString path() const { return root.path(); }
    QString home() const { return root.filePath(QStringLiteral("home")); }
    QString desktop() const { return home() + QStringLiteral("/Desktop"); }
    QString program() const { return root.filePath(QStringLiteral("program")); }
    QString settingsFile() const { return program() + QStringLiteral("/settings.ini"); }
    QString work() const { return root.filePath(QStringLiteral("work")); }

private:
    QTemporaryDir root;
};
