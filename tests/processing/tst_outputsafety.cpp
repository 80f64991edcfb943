#include "fakeffmpeg.h"
#include "headlessprogram.h"
#include "testaudio.h"

#include <QCryptographicHash>
#include <QStandardPaths>
#include <QTest>

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

private:
    QTemporaryDir audio;
    QString talk;
    QByteArray talkHash;
    std::optional<HeadlessProgram> program;
};

QTEST_GUILESS_MAIN(TestOutputSafety)
#include "tst_outputsafety.moc"
