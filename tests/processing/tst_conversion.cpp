#include "processing/conversion.h"
#include "processing/outputfile.h"
#include "processing/silencecommand.h"
#include "support/fakeffmpeg.h"
#include "support/testaudio.h"
#include "support/testfiles.h"
#include "support/textlog.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

namespace
{
const SilenceSettings defaults{20, 2};
} // namespace

// Conversions with the real ffmpeg found along PATH, and with a fake one placed in the working
// folder for what the real one does not do on demand.
class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        workDir = std::make_unique<QTemporaryDir>();
        fakeDir = std::make_unique<QTemporaryDir>();
        QVERIFY(workDir->isValid());
        QVERIFY(fakeDir->isValid());
    }

    void realFfmpegRemovesThePauses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("mp3 mono") << "talk.mp3" << 1 << QStringList();
        QTest::newRow("mp3 stereo") << "talk.mp3" << 2 << QStringList();
        QTest::newRow("wav stereo") << "talk.wav" << 2 << QStringList();
        QTest::newRow("m4a mono") << "talk.m4a" << 1 << QStringList();
        QTest::newRow("mp4 with a picture and a sound track")
            << "clip.mp4" << 2
            << QStringList({"-f", "lavfi", "-i", "color=c=blue:s=64x64:r=10:d=6", "-shortest"});
        QTest::newRow("spaces and shell characters in the name")
            << "my talk $(touch injected) `touch injected` \"q\" 'a'.mp3" << 1 << QStringList();
    }
    void realFfmpegRemovesThePauses()
    {
        QFETCH(QString, name);
        QFETCH(int, channels);
        QFETCH(QStringList, extra);
        const QString in = inWork(name);
        QVERIFY(makeTestAudio(in, channels, extra));
        QVERIFY(QDir(workDir->path()).mkdir(QStringLiteral("out")));
        const QString out = inWork(QStringLiteral("out/") + name);
        TextLog log;
        QCOMPARE(convertWithFFmpeg(in, out, defaults, fakeFolder(), log).result,
                 QStringLiteral("OK"));
        QVERIFY(log.text.startsWith(silenceCommandText(in, out, defaults) +
                                    QStringLiteral("\nCommencing processing...\n")));
        QVERIFY(log.text.endsWith(QStringLiteral("\nProcessing completed successfully.\n"
                                                 "**********************************\n\n")));
        QVERIFY(log.text.contains(QStringLiteral("silenceremove")));
        // Six seconds, half of them pauses: what is left holds the bursts and bits of pauses.
        QVERIFY(qAbs(audioSeconds(in) - 6.0) < 0.2);
        const double seconds = audioSeconds(out);
        QVERIFY2(seconds > 2.5 && seconds < 4.8, qPrintable(QString::number(seconds)));
        QVERIFY(!QFile::exists(inWork(QStringLiteral("injected"))));
        QVERIFY(!QFile::exists(fakeDir->filePath(QStringLiteral("injected"))));
    }

    void failedWriteOfTheOutputIsAnError_data()
    {
        QTest::addColumn<QString>("name");
        // ffmpeg 5 answers success for these when it cannot write the output.
        QTest::newRow("mp3") << "talk.mp3";
        QTest::newRow("m4a") << "talk.m4a";
        QTest::newRow("wav") << "talk.wav";
    }
    void failedWriteOfTheOutputIsAnError()
    {
        QFETCH(QString, name);
        const QString in = inWork(QStringLiteral("in-") + name);
        QVERIFY(makeTestAudio(in, 2));
        const QByteArray source = readBytes(in);
        QVERIFY(!writeFfmpegWithFileSizeLimit(fakeFolder()).isEmpty());
        const QString out = inWork(name);
        TextLog log;
        QCOMPARE(convertWithFFmpeg(in, out, defaults, fakeFolder(), log).result,
                 QStringLiteral("Error"));
        QVERIFY2(log.text.contains(QStringLiteral("File too large")), qPrintable(log.text));
        QVERIFY(!QFile::exists(out));
        QCOMPARE(readBytes(in), source);
    }

    void unreadableInputIsAnErrorAndTheOutputUntouched()
    {
        // The output path is the input itself: the file must survive.
        const QString in = inWork(QStringLiteral("talk.wav"));
        QVERIFY(makeTestAudio(in, 1));
        const QByteArray original = readBytes(in);
        TextLog log;
        QCOMPARE(convertWithFFmpeg(in, in, defaults, fakeFolder(), log).result,
                 QStringLiteral("Error"));
        QCOMPARE(readBytes(in), original);

        const QString missing = inWork(QStringLiteral("missing.mp3"));
        const QString out = inWork(QStringLiteral("out.mp3"));
        QCOMPARE(convertWithFFmpeg(missing, out, defaults, fakeFolder(), log).result,
                 QStringLiteral("Error"));
        QVERIFY(!QFile::exists(out));
        QVERIFY(log.text.contains(missing + QStringLiteral(": No such file or directory")));
    }

    void outputThatIsTheInputLeavesItWhole_data()
    {
        QTest::addColumn<QString>("spelling"); // how the output names the input "talk.mp3"
        QTest::newRow("same path") << "talk.mp3";
        QTest::newRow("through the current folder") << "./talk.mp3";
        QTest::newRow("through a parent folder") << "out/../talk.mp3";
        QTest::newRow("doubled separator") << "out//../talk.mp3";
        QTest::newRow("symbolic link") << "link.mp3";
        QTest::newRow("hard link") << "hard.mp3";
    }
    void outputThatIsTheInputLeavesItWhole()
    {
        // The real ffmpeg only notices the same spelling; under any other it empties the input
        // while reading it, and answers success with a few hundred bytes.
        const QString in = inWork(QStringLiteral("talk.mp3"));
        QVERIFY(makeTestAudio(in, 1));
        QVERIFY(QDir(workDir->path()).mkdir(QStringLiteral("out")));
        QVERIFY(QFile::link(in, inWork(QStringLiteral("link.mp3"))));
        QVERIFY(::link(QFile::encodeName(in).constData(),
                       QFile::encodeName(inWork(QStringLiteral("hard.mp3"))).constData()) == 0);
        const QByteArray original = readBytes(in);

        QFETCH(QString, spelling);
        const QString out = workDir->path() + QLatin1Char('/') + spelling;
        TextLog log;
        QCOMPARE(convertWithFFmpeg(in, out, defaults, fakeFolder(), log).result,
                 QStringLiteral("Error"));
        QCOMPARE(readBytes(in), original);
        QCOMPARE(log.text, silenceCommandText(in, out, defaults) +
                               QStringLiteral("\nInput and output are the same file: "
                                              "not converted\n"));
    }

    void fakeRunsAreJudgedByExitAndOutput_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("before"); // at the output path; "-" for nothing
        QTest::addColumn<QString>("result");
        QTest::addColumn<QByteArray>("after"); // "-" for nothing
        QTest::newRow("writes output") << QByteArray("printf sound > \"$out\"") << QByteArray("-")
                                       << "OK" << QByteArray("sound");
        QTest::newRow("leaves an empty file")
            << QByteArray(": > \"$out\"") << QByteArray("-") << "Error" << QByteArray("-");
        QTest::newRow("writes nothing") << QByteArray("echo 'Invalid argument'") << QByteArray("-")
                                        << "Error" << QByteArray("-");
        QTest::newRow("fails after writing a part")
            << QByteArray("printf part > \"$out\"; exit 1") << QByteArray("-") << "Error"
            << QByteArray("-");
        QTest::newRow("killed after writing a part")
            << QByteArray("printf part > \"$out\"; kill -KILL $$") << QByteArray("-") << "Error"
            << QByteArray("-");
        QTest::newRow("overwrites a file, then fails")
            << QByteArray("printf part > \"$out\"; exit 1") << QByteArray("old content") << "Error"
            << QByteArray("-");
        QTest::newRow("fails without touching a file")
            << QByteArray("exit 1") << QByteArray("old content") << "Error"
            << QByteArray("old content");
        QTest::newRow("succeeds without touching a file")
            << QByteArray("exit 0") << QByteArray("old content") << "OK"
            << QByteArray("old content");
    }
    void fakeRunsAreJudgedByExitAndOutput()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, before);
        QFETCH(QString, result);
        QFETCH(QByteArray, after);
        QVERIFY(!writeFakeFfmpeg(fakeFolder(), script).isEmpty());
        const QString out = inWork(QStringLiteral("out.mp3"));
        if (before != "-")
            QVERIFY(writeBytes(out, before));
        TextLog log;
        QCOMPARE(
            convertWithFFmpeg(inWork(QStringLiteral("in.mp3")), out, defaults, fakeFolder(), log)
                .result,
            result);
        if (after == "-")
            QVERIFY(!QFile::exists(out));
        else
            QCOMPARE(readBytes(out), after);
    }

    void errorDuringTheRunEndsFfmpegAndRemovesItsOutput()
    {
        // A log that fails once ffmpeg has begun to write: the error unwinds the conversion.
        class FailingLog : public TextLog
        {
        public:
            void appendText(const QString &appended) override
            {
                if (appended.contains(QStringLiteral("writing")))
                    throw std::runtime_error("log full");
                TextLog::appendText(appended);
            }
        };
        const QString pidFile = inWork(QStringLiteral("ffmpeg.pid"));
        QVERIFY(!writeFakeFfmpeg(fakeFolder(), "printf part > \"$out\"; echo $$ > '" +
                                                   QFile::encodeName(pidFile) +
                                                   "'; echo writing; sleep 60")
                     .isEmpty());
        const QString out = inWork(QStringLiteral("out.mp3"));
        FailingLog log;
        QCOMPARE(
            convertWithFFmpeg(inWork(QStringLiteral("in.mp3")), out, defaults, fakeFolder(), log)
                .result,
            QStringLiteral("Error"));
        QVERIFY(!QFile::exists(out));
        const QString pid = QString::fromLatin1(readBytes(pidFile).trimmed());
        QVERIFY(!pid.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("/proc/") + pid)); // ended and reaped
    }

    void fakeSeesTheArgumentsOfTheCommand()
    {
        QVERIFY(
            !writeFakeFfmpeg(fakeFolder(), recordArguments + "; printf x > \"$out\"").isEmpty());
        const QString in = inWork(QStringLiteral("a \"quoted\"\nname $(touch injected).mp3"));
        const QString out = inWork(QStringLiteral("`touch injected`.mp3"));
        TextLog log;
        QCOMPARE(convertWithFFmpeg(in, out, {35, 7}, fakeFolder(), log).result,
                 QStringLiteral("OK"));
        QCOMPARE(recordedArguments(fakeFolder()),
                 QStringList({"-xerror", "-y", "-i", in, "-af",
                              "silenceremove=start_periods=1:start_threshold=-35dB"
                              ":start_duration=0.7:stop_periods=-1:stop_threshold=-35dB"
                              ":stop_duration=0.7",
                              out}));
        QVERIFY(log.text.startsWith(silenceCommandText(in, out, {35, 7}) + QLatin1Char('\n')));
        QVERIFY(!QFile::exists(fakeDir->filePath(QStringLiteral("injected"))));
    }

    void missingFfmpegIsAnError()
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", fakeFolder().toLocal8Bit());
        const QString out = inWork(QStringLiteral("out.mp3"));
        QVERIFY(writeBytes(out, "old content"));
        TextLog log;
        const QString result =
            convertWithFFmpeg(inWork(QStringLiteral("in.mp3")), out, defaults, fakeFolder(), log)
                .result;
        qputenv("PATH", path);
        QCOMPARE(result, QStringLiteral("Error"));
        QVERIFY(log.text.contains(QStringLiteral("\nCommencing processing...\n"
                                                 "ffmpeg: command not found\n"
                                                 "Processing completed successfully.\n")));
        QCOMPARE(readBytes(out), QByteArray("old content"));
    }

    void skippedVideosStillGetTheOutputTest_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("remains");
        // clang-format off
        QTest::newRow("nothing at the output")       << "Talk.MKV" << QByteArray("-") << "Error" << false;
        QTest::newRow("a file at the output")        << "clip.Wmv" << QByteArray("x") << "OK"    << true;
        QTest::newRow("an empty file at the output") << "clip.wmv" << QByteArray()    << "Error" << false;
        // clang-format on
    }
    void skippedVideosStillGetTheOutputTest()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, before);
        QFETCH(QString, result);
        QFETCH(bool, remains);
        QVERIFY(!writeFakeFfmpeg(fakeFolder(), "printf x > \"$out\"").isEmpty());
        const QString out = inWork(QStringLiteral("out") + name.right(4));
        if (before != "-")
            QVERIFY(writeBytes(out, before));
        TextLog log;
        QCOMPARE(convertWithFFmpeg(inWork(name), out, defaults, fakeFolder(), log).result, result);
        QCOMPARE(log.text, QStringLiteral("Video file skipped\n"));
        QCOMPARE(QFile::exists(out), remains);
    }

    void fileSizeByName()
    {
        const QString file = inWork(QStringLiteral("size?.bin"));
        QVERIFY(writeBytes(file, "12345"));
        QVERIFY(writeBytes(inWork(QStringLiteral("sizeX.bin")), "1"));
        QCOMPARE(GetFileSizeByName(file), 5);
        QVERIFY(QFile::link(file, inWork(QStringLiteral("link"))));
        QCOMPARE(GetFileSizeByName(inWork(QStringLiteral("link"))), 5);
        QCOMPARE(GetFileSizeByName(inWork(QStringLiteral("size*.bin"))), -1);
        QCOMPARE(GetFileSizeByName(inWork(QStringLiteral("none"))), -1);
    }

private:
    QString inWork(const QString &name) const { return workDir->filePath(name); }
    QString fakeFolder() const { return fakeDir->path(); }

    std::unique_ptr<QTemporaryDir> workDir;
    // The working folder of the runs: empty, or holding the fake ffmpeg a test puts there.
    std::unique_ptr<QTemporaryDir> fakeDir;
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
