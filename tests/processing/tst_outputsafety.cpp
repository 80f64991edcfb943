#include "headlessprogram.h"
#include "support/fakeffmpeg.h"
#include "support/testaudio.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <optional>

namespace
{
QByteArray hashOf(const QString &path)
{
    return QCryptographicHash::hash(readBytes(path), QCryptographicHash::Sha256);
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

// The built program run headless where outputs are at risk: writes that fail half-way. Nothing
// under an output's name may be shorter than its complete conversion, no failure may read as
// success, and the sources stay as they were.
class TestOutputSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(audio.isValid());
        talk = audio.filePath(QStringLiteral("talk.mp3"));
        QVERIFY(makeTestAudio(talk, 2));
        talkHash = hashOf(talk);
    }

    void init()
    {
        program.emplace();
        QVERIFY(program->isValid());
    }

    void cleanup() { QCOMPARE(hashOf(talk), talkHash); }

    void failedWriteIsAnErrorInEveryForm()
    {
        // ffmpeg runs under a file-size limit of a few kilobytes: its writes fail half-way.
        QVERIFY(!writeFfmpegWithFileSizeLimit(program->programFolder()).isEmpty());
        const QString out = program->inWork(QStringLiteral("out"));

        const HeadlessRun single = program->run(
            {QStringLiteral("-input"), talk, QStringLiteral("-output"), out + "/single.mp3"});
        QVERIFY(single.finished);
        QCOMPARE(single.exitCode, 1);
        QVERIFY2(single.errors.contains("Error"), single.errors);
        QCOMPARE(entriesOf(out), QStringList());

        QVERIFY(program->setTargetFolder(out));
        const HeadlessRun list = program->run({talk});
        QVERIFY(list.finished);
        QCOMPARE(list.exitCode, 1);
        QCOMPARE(list.rows(), QList<QByteArray>({"Error\t" + talk.toUtf8()}));
        QCOMPARE(entriesOf(out), QStringList());
    }

    void fullDiskIsAnError()
    {
        // A file system of 16 KiB of its own, mounted where only the run sees it.
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty() || QProcess::execute(unshare, {"-rm", "true"}) != 0)
            QSKIP("this machine lets no test mount a file system of its own");
        const QString disk = program->inWork(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(disk));
        QVERIFY(program->setTargetFolder(disk));
        const HeadlessRun run = program->runThrough(
            unshare, {"-rm", "sh", "-c",
                      "mount -t tmpfs -o size=16k tmpfs \"$1\" || exit 99; \"$2\" \"$3\"; "
                      "echo \"status $?\"; ls -A \"$1\"",
                      "sh", disk, program->executable(), talk});
        QVERIFY(run.finished);
        QCOMPARE(run.rows(), QList<QByteArray>({"Error\t" + talk.toUtf8(), "status 1"}));
    }

    void twoRunsIntoOneFolderKeepEveryOutput()
    {
        const QString music = program->inWork(QStringLiteral("music"));
        QVERIFY(QDir().mkpath(music));
        for (int i = 0; i < 10; ++i)
            QVERIFY(
                QFile::copy(talk, music + QStringLiteral("/%1.mp3").arg(i, 2, 10, QChar(u'0'))));
        const QString out = program->inWork(QStringLiteral("out"));
        QVERIFY(program->setTargetFolder(out));

        QProcess first;
        QProcess second;
        program->prepare(first, program->executable(), {music});
        program->prepare(second, program->executable(), {music});
        first.start();
        second.start();
        const HeadlessRun firstEnded = HeadlessProgram::finish(first);
        const HeadlessRun secondEnded = HeadlessProgram::finish(second);

        QCOMPARE(firstEnded.exitCode, 0);
        QCOMPARE(secondEnded.exitCode, 0);
        const QList<QByteArray> rows = firstEnded.rows() + secondEnded.rows();
        QCOMPARE(rows.size(), 20);
        QVERIFY(std::all_of(rows.begin(), rows.end(),
                            [](const QByteArray &row) { return row.startsWith("OK\t"); }));
        // Twenty outputs of one input with one setting: twenty whole, equal files.
        const QStringList outputs = entriesOf(out);
        QCOMPARE(outputs.size(), 20);
        const QString sample = out + QLatin1Char('/') + outputs.first();
        QVERIFY(audioSeconds(sample) > 2.5 && audioSeconds(sample) < 4.8);
        for (const QString &name : outputs)
            QVERIFY2(hashOf(out + QLatin1Char('/') + name) == hashOf(sample), qPrintable(name));
        for (const QString &name : entriesOf(music))
            QCOMPARE(hashOf(music + QLatin1Char('/') + name), talkHash);
    }

    void signalEndsTheRunWithNothingLeft_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("list");
        QTest::newRow("SIGTERM, one file") << int(SIGTERM) << false;
        QTest::newRow("SIGTERM, a list") << int(SIGTERM) << true;
        QTest::newRow("SIGHUP, a list") << int(SIGHUP) << true;
        QTest::newRow("SIGINT, one file") << int(SIGINT) << false;
    }
    void signalEndsTheRunWithNothingLeft()
    {
        QFETCH(int, signal);
        QFETCH(bool, list);
        const QString pidFile = program->inWork(QStringLiteral("ffmpeg.pid"));
        QVERIFY(!writeFfmpegPacedForSlowInputs(program->programFolder(), pidFile).isEmpty());
        const QString first = program->inWork(QStringLiteral("first.mp3"));
        const QString slow = program->inWork(QStringLiteral("slow.mp3"));
        QVERIFY(QFile::copy(talk, first) && QFile::copy(talk, slow));
        const QString out = program->inWork(QStringLiteral("out"));
        // One conversion at a time: the first file is complete before the slow one starts.
        QVERIFY(program->setTargetFolder(out, 1));

        QProcess run;
        program->prepare(run, program->executable(),
                         list ? QStringList{first, slow}
                              : QStringList{"-input", slow, "-output", out + "/slow.mp3"});
        run.start();
        // Mid-file: ffmpeg has opened the output of the slow input and is writing it.
        QTRY_VERIFY_WITH_TIMEOUT(hasOpen(readBytes(pidFile), out + QStringLiteral("/slow.mp3")),
                                 60000);
        const QByteArray ffmpeg = readBytes(pidFile);
        QCOMPARE(::kill(pid_t(run.processId()), signal), 0);

        const HeadlessRun ended = HeadlessProgram::finish(run);
        QVERIFY(ended.finished);
        QCOMPARE(ended.exitCode, 128 + signal);
        QVERIFY(!isRunning(ffmpeg));
        // The row of the file done before the signal was printed when that file was done.
        QCOMPARE(ended.rows(),
                 list ? QList<QByteArray>{"OK\t" + first.toUtf8()} : QList<QByteArray>());
        QCOMPARE(entriesOf(out), list ? QStringList{"first.mp3"} : QStringList());
        QCOMPARE(hashOf(slow), talkHash);
        QCOMPARE(hashOf(first), talkHash);
    }

    void signalStopsEveryConversionAtOnce_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalStopsEveryConversionAtOnce()
    {
        QFETCH(int, signal);
        const QString pidFile = program->inWork(QStringLiteral("ffmpeg.pid"));
        QVERIFY(!writeFfmpegPacedForSlowInputs(program->programFolder(), pidFile).isEmpty());
        QStringList inputs;
        for (const char *name : {"first.mp3", "a-slow.mp3", "b-slow.mp3", "last.mp3"}) {
            inputs << program->inWork(QLatin1String(name));
            QVERIFY(QFile::copy(talk, inputs.last()));
        }
        const QString out = program->inWork(QStringLiteral("out"));
        QVERIFY(program->setTargetFolder(out, 2));

        QProcess run;
        program->prepare(run, program->executable(), inputs);
        run.start();
        // The first file is done; two slow ones are being written at once.
        QTRY_VERIFY_WITH_TIMEOUT(
            allOpenInStartedProcesses(pidFile, {out + QStringLiteral("/a-slow.mp3"),
                                                out + QStringLiteral("/b-slow.mp3")}),
            60000);
        QCOMPARE(::kill(pid_t(run.processId()), signal), 0);

        const HeadlessRun ended = HeadlessProgram::finish(run);
        QVERIFY(ended.finished);
        QCOMPARE(ended.exitCode, 128 + signal);
        // Only the file that was done has its row; the stopped ones have none.
        QCOMPARE(ended.rows(), QList<QByteArray>{"OK\t" + inputs.first().toUtf8()});
        for (const QByteArray &pid : startedProcesses(pidFile))
            QVERIFY(!isRunning(pid));
        QCOMPARE(entriesOf(out), QStringList{"first.mp3"});
        const double seconds = audioSeconds(out + QStringLiteral("/first.mp3"));
        QVERIFY2(seconds > 2.5 && seconds < 4.8, qPrintable(QString::number(seconds)));
        for (const QString &input : std::as_const(inputs))
            QCOMPARE(hashOf(input), talkHash);
    }

    void killedProgramTakesFfmpegWithIt()
    {
        // SIGKILL leaves the program no way out of its own: ffmpeg must not run on regardless.
        const QString pidFile = program->inWork(QStringLiteral("ffmpeg.pid"));
        QVERIFY(!writeFfmpegPacedForSlowInputs(program->programFolder(), pidFile).isEmpty());
        const QString slow = program->inWork(QStringLiteral("slow.mp3"));
        QVERIFY(QFile::copy(talk, slow));
        const QString out = program->inWork(QStringLiteral("out/slow.mp3"));
        QProcess run;
        program->prepare(run, program->executable(), {"-input", slow, "-output", out});
        run.start();
        QTRY_VERIFY_WITH_TIMEOUT(hasOpen(readBytes(pidFile), out), 60000);
        const QByteArray ffmpeg = readBytes(pidFile);
        run.kill();
        QVERIFY(HeadlessProgram::finish(run).finished);
        QTRY_VERIFY(!isRunning(ffmpeg));
    }

private:
    QTemporaryDir audio;
    QString talk;
    QByteArray talkHash;
    std::optional<HeadlessProgram> program;
};

QTEST_GUILESS_MAIN(TestOutputSafety)
#include "tst_outputsafety.moc"
