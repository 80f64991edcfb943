#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// The built program, copied alone into a folder of its own (so that its settings.ini stays out
// of the build folder), run without a display as from a script: it shows no windows and does
// the same update check as a windowed run.
class ProgramUnderTest
{
public:
    // Copies the program into folder; false when that fails.
    bool copyInto(const QString &folder)
    {
        m_program = QDir(folder).filePath(QStringLiteral("hushmill"));
        return QFile::copy(QStringLiteral(HUSHMILL_EXECUTABLE), m_program);
    }
    QString folder() const { return QFileInfo(m_program).path(); }

    // The environment of a run with home as its home folder, reaching the service at host.
    static QProcessEnvironment environment(const QString &home, const QString &host,
                                           const QString &caFile)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME",
                                 "HUSHMILL_CA_FILE"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("HUSHMILL_VENDOR_HOST"), host);
        if (!caFile.isEmpty())
            environment.insert(QStringLiteral("HUSHMILL_CA_FILE"), caFile);
        return environment;
    }

    void start(QProcess &process, const QProcessEnvironment &environment,
               const QStringList &arguments = {}) const
    {
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder());
        process.start(m_program, arguments);
    }

private:
    QString m_program;
};

// Whether a thread of the process carries that name (as the system lists it).
inline bool hasThreadNamed(qint64 pid, const QByteArray &name)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            return true;
    }
    return false;
}
