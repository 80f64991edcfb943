#include "processing/consolerunner.h"

#include "platform/childprocess.h"
#include "platform/localecharset.h"
#include "processing/logsink.h"
#include "processing/runningwork.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>

namespace
{
constexpr qsizetype chunkSize = 255;
constexpr int keepAliveMs = 20;

// One decoder for the whole run, so that a character whose bytes arrive in two chunks is
// joined. The C locale's ASCII is read as UTF-8, its superset, which is also how file names
// are handed to the program.
QStringDecoder outputDecoder()
{
    const QByteArray charset = platform::localeCharset();
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid() || charset == "ANSI_X3.4-1968")
        return QStringDecoder(QStringDecoder::Utf8);
    return decoder;
}

// What a shell would print when it cannot run the program.
QString complaint(const QString &program, int error)
{
    return program + QLatin1String(": ") +
           (error == ENOENT ? QStringLiteral("command not found")
                            : QString::fromLocal8Bit(std::strerror(error))) +
           QLatin1Char('\n');
}

class KeepAlive
{
public:
    explicit KeepAlive(const std::function<void()> &call) : m_call(call) { m_since.start(); }

    int timeoutMs() const { return m_call ? keepAliveMs : -1; }
    void callWhenDue()
    {
        if (m_call && m_since.elapsed() >= keepAliveMs) {
            m_call();
            m_since.restart();
        }
    }

private:
    const std::function<void()> &m_call;
    QElapsedTimer m_since;
};

// The last line with anything on it of a text that arrives in pieces; a line ends at a line
// break or a carriage return (ffmpeg rewrites its progress line with those).
class LastLine
{
public:
    void add(QStringView text)
    {
        for (const QChar character : text) {
            if (character == u'\n' || character == u'\r')
                endLine();
            else if (m_current.size() < longestLine)
                m_current += character;
        }
    }
    QString text()
    {
        endLine();
        return m_last;
    }

private:
    static constexpr qsizetype longestLine = 1000;

    void endLine()
    {
        if (!m_current.trimmed().isEmpty())
            m_last = m_current.trimmed();
        m_current.clear();
    }

    QString m_current;
    QString m_last;
};

// Reads the output to its end in chunks of at most 255 bytes; a zero byte ends its chunk.
void pourOutput(platform::ChildProcess &child, LogSink &log, KeepAlive &keepAlive,
                LastLine &lastLine)
{
    QStringDecoder decoder = outputDecoder();
    char buffer[chunkSize];
    for (;;) {
        const qsizetype count = child.read(buffer, chunkSize, keepAlive.timeoutMs());
        if (count == 0)
            break;
        if (count > 0) {
            const auto *zero = static_cast<const char *>(std::memchr(buffer, 0, size_t(count)));
            const QString text = decoder(QByteArrayView(buffer, zero ? zero - buffer : count));
            if (!text.isEmpty()) {
                log.appendText(text);
                lastLine.add(text);
            }
        }
        keepAlive.callWhenDue();
    }
}

// Why a program that ran failed, when it wrote nothing.
QString endingText(const QString &program, const platform::ExitStatus &status)
{
    return status.exited ? program + QStringLiteral(" ended with status %1").arg(status.code)
                         : program + QStringLiteral(" was ended by a signal");
}

ConsoleRun run(const QString &program, const QStringList &arguments, const QString &workingFolder,
               LogSink &log, KeepAlive &keepAlive, const runningwork::ChildGroup *group)
{
    const QString path = findProgram(program, workingFolder);
    if (path.isEmpty()) {
        log.appendText(complaint(program, ENOENT));
        return {false, program + QStringLiteral(" not found")};
    }
    platform::ChildProcess child;
    const runningwork::RunningChild running(child, path, arguments, workingFolder, group);
    if (const int error = running.startError(); error != 0) {
        const QString text = complaint(program, error);
        log.appendText(text);
        return {false, text.trimmed()};
    }
    LastLine lastLine;
    pourOutput(child, log, keepAlive, lastLine);
    std::optional<platform::ExitStatus> status;
    while (!(status = child.wait(keepAlive.timeoutMs())))
        keepAlive.callWhenDue();
    if (status->succeeded())
        return {true, QString()};
    const QString last = lastLine.text();
    return {false, last.isEmpty() ? endingText(program, *status) : last};
}

// Writes the closing lines however the run is left.
class ClosingLines
{
public:
    explicit ClosingLines(LogSink &log) : m_log(log) {}
    ~ClosingLines()
    {
        try {
            m_log.appendLine(QStringLiteral("Processing completed successfully."));
            m_log.appendLine(QString(34, QLatin1Char('*')));
            m_log.appendLine(QString());
        } catch (...) {
            // A log that cannot take the closing lines cannot take a report of that either.
        }
    }
    ClosingLines(const ClosingLines &) = delete;
    ClosingLines &operator=(const ClosingLines &) = delete;

private:
    LogSink &m_log;
};
} // namespace

QString findProgram(const QString &program, const QString &workingFolder)
{
    const QString beside = QStandardPaths::findExecutable(program, {workingFolder});
    return beside.isEmpty() ? QStandardPaths::findExecutable(program) : beside;
}

ConsoleRun RunConsoleCommand(const QString &program, const QStringList &arguments,
                             const QString &workingFolder, LogSink &log,
                             const std::function<void()> &keepAlive,
                             const runningwork::ChildGroup *group)
{
    log.appendLine(QStringLiteral("Commencing processing..."));
    const ClosingLines closing(log);
    KeepAlive pump(keepAlive);
    return run(program, arguments, workingFolder, log, pump, group);
}
