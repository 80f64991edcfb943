#pragma once

#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// How a run of the program ended, and what it printed.
struct HeadlessRun {
    bool finished = false; // ended within the time allowed
    int exitCode = -1;     // -1 when it was ended by a signal
    QByteArray output;
    QByteArray errors;

    // The lines of standard output.
    QList<QByteArray> rows() const { return output.split('\n').mid(0, output.count('\n')); }
};

// The built program copied alone into a fresh folder, run without a display, as from a script
// on a server: its settings stay out of the build, its home is a folder of its own, and the
// current folder of every run is the work folder. An "ffmpeg" placed in the program folder is
// the one the program finds first.
class HeadlessProgram
{
public:
    HeadlessProgram()
    {
        QDir(work.path()).mkpath(QStringLiteral("program"));
        QDir(work.path()).mkpath(QStringLiteral("home"));
        copied = QFile::copy(QStringLiteral(HUSHMILL_EXECUTABLE), executable());
    }

    bool isValid() const { return work.isValid() && copied; }
    QString executable() const { return programFolder() + QStringLiteral("/hushmill"); }
    QString programFolder() const { return work.filePath(QStringLiteral("program")); }
    QString workFolder() const { return work.path(); }
    QString inWork(const QString &name) const { return work.filePath(name); }

    // The target folder of list runs, stored the way the window stores it, and the number of
    // conversions at once when one is given (0: the key stays out, which means automatic).
    // Stored in the per-user folder as well: two runs started at one moment may find the program
    // folder's write test taken by each other, and one of them then keeps its settings there.
    bool setTargetFolder(const QString &folder, int jobs = 0) const
    {
        const QByteArray jobsLine = jobs > 0 ? "Jobs=" + QByteArray::number(jobs) + "\r\n" : "";
        const QByteArray settings =
            "[Settings]\r\nDestination=" + folder.toUtf8() + "\r\n" + jobsLine;
        const QString perUser = work.filePath(QStringLiteral("home/.config/QUONDEL/Hushmill"));
        return QDir().mkpath(perUser) &&
               writeBytes(perUser + QStringLiteral("/settings.ini"), settings) &&
               writeBytes(programFolder() + QStringLiteral("/settings.ini"), settings);
    }

    // The PATH of the runs instead of the test's own.
    void setSearchPath(const QString &path) { searchPath = path; }

    // Prepares `process` to run `program` (the copy, or a tool that starts it) with `arguments`.
    void prepare(QProcess &process, const QString &program, const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.insert(QStringLiteral("HOME"), work.filePath(QStringLiteral("home")));
        if (!searchPath.isEmpty())
            environment.insert(QStringLiteral("PATH"), searchPath);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work.path());
        process.setProgram(program);
        process.setArguments(arguments);
    }

    // Runs the copy with `arguments` to its end.
    HeadlessRun run(const QStringList &arguments) const
    {
        return runThrough(executable(), arguments);
    }

    // Runs `program` (the copy, or a tool that starts it) to its end.
    HeadlessRun runThrough(const QString &program, const QStringList &arguments) const
    {
        QProcess process;
        prepare(process, program, arguments);
        process.start();
        return finish(process);
    }

    // Waits for a started run to end and collects what it printed.
    static HeadlessRun finish(QProcess &process)
    {
        HeadlessRun result;
        result.finished = process.waitForFinished(120000);
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = process.readAllStandardOutput();
        result.errors = process.readAllStandardError();
        return result;
    }

private:
    QTemporaryDir work;
    bool copied = false;
    QString searchPath;
};
