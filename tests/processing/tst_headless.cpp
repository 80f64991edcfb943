#include "headlessprogram.h"
#include "support/fakeffmpeg.h"
#include "support/testaudio.h"

#include <QRegularExpression>
#include <QTest>

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

// The built program run without a display, as from a script on a server: it converts what
// its command line names and ends with a status that tells how it went.
class TestHeadless : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(audio.isValid());
        talk = audio.filePath(QStringLiteral("talk.mp3"));
        QVERIFY(makeTestAudio(talk, 2));
    }

    void init()
    {
        program.emplace();
        QVERIFY(program->isValid());
    }

    void convertsOneFileAndEnds()
    {
        const QString converted = program->inWork(QStringLiteral("out/new/talk.mp3"));
        QVERIFY(run({QStringLiteral("-input"), talk, QStringLiteral("-output"), converted}));
        QCOMPARE(exitCode, 0);
        QVERIFY(audioSeconds(converted) > 1);
        QVERIFY(audioSeconds(converted) < audioSeconds(talk) - 1);
    }

    void relativePathsFromTheCurrentFolder()
    {
        QVERIFY(QFile::copy(talk, program->inWork(QStringLiteral("-talk.mp3"))));
        QVERIFY(run({QStringLiteral("-input"), QStringLiteral("-talk.mp3"),
                     QStringLiteral("-output"), QStringLiteral("out/-talk.mp3")}));
        QCOMPARE(exitCode, 0);
        QVERIFY(audioSeconds(program->inWork(QStringLiteral("out/-talk.mp3"))) > 1);
    }

    void quotedNamesHoldingOptionWordsAreTakenWhole_data()
    {
        QTest::addColumn<bool>("outputFirst");
        QTest::newRow("input first") << false;
        QTest::newRow("output first") << true;
    }
    void quotedNamesHoldingOptionWordsAreTakenWhole()
    {
        QFETCH(bool, outputFirst);
        const QString input = program->inWork(QStringLiteral("song -output x.mp3"));
        const QString converted = program->inWork(QStringLiteral("out/-input y.mp3"));
        QVERIFY(QFile::copy(talk, input));
        const QByteArray source = readBytes(input);
        const QStringList inputPair{QStringLiteral("-input"), input};
        const QStringList outputPair{QStringLiteral("-output"), converted};
        QVERIFY(run(outputFirst ? outputPair + inputPair : inputPair + outputPair));
        QCOMPARE(exitCode, 0);
        QVERIFY(audioSeconds(converted) > 1);
        QCOMPARE(readBytes(input), source);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("missing input")  << QStringList{"-input", "/nowhere/a.mp3", "-output", "/tmp/a.mp3"} << "File not found!";
        QTest::newRow("nothing to add") << QStringList{"/nowhere/a.txt"}                                    << "Invalid Command Line Arguments!";
        // clang-format on
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        QVERIFY(run(arguments));
        QVERIFY(exitCode != 0);
        QVERIFY2(errors.contains(reason), qPrintable(errors));
    }

    void conversionErrorEndsNonZero()
    {
        const QString text = program->inWork(QStringLiteral("not-audio.mp3"));
        QVERIFY(writeBytes(text, "this is no audio"));
        QVERIFY(run({QStringLiteral("-input"), text, QStringLiteral("-output"),
                     program->inWork(QStringLiteral("out/x.mp3"))}));
        QVERIFY(exitCode != 0);
        QVERIFY2(errors.contains(QStringLiteral("Error")), qPrintable(errors));
    }

    void listFormRunsTheBatchIntoTheStoredTarget()
    {
        const QString music = program->inWork(QStringLiteral("music"));
        QDir().mkpath(music);
        QVERIFY(QFile::copy(talk, music + QStringLiteral("/a.mp3")));
        QVERIFY(writeBytes(music + QStringLiteral("/b.mp3"), "broken"));
        QVERIFY(writeBytes(music + QStringLiteral("/c.txt"), "ignored"));
        const QString target = program->inWork(QStringLiteral("target"));
        // One conversion at a time: rows come in list order.
        QVERIFY(program->setTargetFolder(target, 1));

        QVERIFY(run({music}));
        QCOMPARE(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList({QStringLiteral("OK\t") + music + QStringLiteral("/a.mp3"),
                              QStringLiteral("Error\t") + music + QStringLiteral("/b.mp3")}));
        QVERIFY(exitCode != 0);
        QVERIFY(audioSeconds(target + QStringLiteral("/a.mp3")) > 1);
        // Standard error ends with the summary the window shows.
        QVERIFY2(
            QRegularExpression(
                QStringLiteral(R"(\n1 converted, 1 error, 0:0\d of silence removed \(\d+ %\)\n$)"))
                .match(errors)
                .hasMatch(),
            qPrintable(errors));

        QFile::remove(music + QStringLiteral("/b.mp3"));
        QVERIFY(run({music}));
        QCOMPARE(exitCode, 0);
        QVERIFY(QFile::exists(target + QStringLiteral("/a (2).mp3")));
    }

    void namedFilesNotTakenAreReported()
    {
        const QString ogg = program->inWork(QStringLiteral("x.ogg"));
        QVERIFY(writeBytes(ogg, "x"));
        const QString pipe = program->inWork(QStringLiteral("pipe.mp3"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString tooLong = program->inWork(QString(300, QLatin1Char('a')) + ".mp3");
        const QString song = program->inWork(QStringLiteral("song.mp3"));
        QVERIFY(QFile::copy(talk, song));
        // A pipe in a folder that is loaded is left out without a word: it was not named.
        const QString music = program->inWork(QStringLiteral("music"));
        QDir().mkpath(music);
        QCOMPARE(::mkfifo(QFile::encodeName(music + "/stuck.mp3").constData(), 0600), 0);
        QVERIFY(program->setTargetFolder(program->inWork(QStringLiteral("target"))));

        QVERIFY(run({ogg, pipe, tooLong, music, song}));
        QCOMPARE(output, "Skipped\t" + ogg + "\tunsupported type\n" + "Skipped\t" + pipe +
                             "\tnot a regular file\n" + "Skipped\t" + tooLong +
                             "\tpath too long\n" + "OK\t" + song + '\n');
        QCOMPARE(exitCode, 1);

        QVERIFY(run({ogg}));
        QCOMPARE(output, "Skipped\t" + ogg + "\tunsupported type\n");
        QVERIFY(errors.contains(QStringLiteral("Invalid Command Line Arguments!")));
        QCOMPARE(exitCode, 1);
    }

    void namesThatAreNotTextAreNeverTakenForTheirTwin()
    {
        // "\xff\xfe.mp3" reads as "\uFFFD\uFFFD.mp3", which is also the name of a real file
        // beside it: neither may be converted in place of the other.
        const QString music = program->inWork(QStringLiteral("music"));
        QDir().mkpath(music);
        const QByteArray odd = QFile::encodeName(music) + "/\xff\xfe.mp3";
        const QString twin = music + QStringLiteral("/\uFFFD\uFFFD.mp3");
        QVERIFY(QFile::copy(talk, twin));
        QVERIFY(QFile::copy(talk, music + QStringLiteral("/copy")));
        QCOMPARE(::rename(QFile::encodeName(music + QStringLiteral("/copy")).constData(),
                          odd.constData()),
                 0);
        const QByteArray source = readBytes(twin);
        const QString target = program->inWork(QStringLiteral("target"));
        QVERIFY(program->setTargetFolder(target));
        const QString escapedOdd = music + QStringLiteral("/\\xff\\xfe.mp3");

        // One file: refused, whatever stands beside it.
        QVERIFY(runWithBytes({"-input", odd, "-output", QFile::encodeName(target) + "/one.mp3"}));
        QCOMPARE(exitCode, 1);
        QVERIFY2(errors.contains(QStringLiteral("not valid UTF-8")) &&
                     errors.contains(QLatin1Char('\n') + music + QLatin1Char('\n')) &&
                     errors.contains(escapedOdd + QStringLiteral(": name is not valid UTF-8\n")),
                 qPrintable(errors));
        QVERIFY(!QFile::exists(target + QStringLiteral("/one.mp3")));

        // Named in a list: skipped.
        QVERIFY(runWithBytes({odd}));
        QCOMPARE(output, "Skipped\t" + escapedOdd + "\tname is not valid UTF-8\n");
        QCOMPARE(exitCode, 1);

        // Found in a folder: an Error row, the twin converted, a warning naming the folder.
        // Rows come as files finish, and the refused one finishes at once.
        QVERIFY(run({music}));
        QCOMPARE(output, "Error\t" + escapedOdd + "\nOK\t" + twin + '\n');
        QCOMPARE(exitCode, 1);
        QVERIFY2(errors.contains(QLatin1Char('\n') + music + QLatin1Char('\n')),
                 qPrintable(errors));
        QCOMPARE(QDir(target).entryList(QDir::Files),
                 QStringList(QStringLiteral("\uFFFD\uFFFD.mp3")));
        QCOMPARE(readBytes(twin), source);
        QCOMPARE(readByName(odd), source);
    }

    void rowsAndReasonsForScripts()
    {
        // One row a line however the names look, and why a file failed on standard error.
        const QString music = program->inWork(QStringLiteral("music"));
        QDir().mkpath(music);
        const QString good = music + QStringLiteral("/a\tgood\\one.mp3");
        const QString broken = music + QStringLiteral("/b\nbroken.mp3");
        QVERIFY(QFile::copy(talk, good));
        QVERIFY(writeBytes(broken, "this is no audio"));
        QVERIFY(program->setTargetFolder(program->inWork(QStringLiteral("target")), 1));

        QVERIFY(run({music}));
        QCOMPARE(exitCode, 1);
        const QString escapedBroken = music + QStringLiteral("/b\\nbroken.mp3");
        QCOMPARE(output, QStringLiteral("OK\t") + music + QStringLiteral("/a\\tgood\\\\one.mp3\n") +
                             QStringLiteral("Error\t") + escapedBroken + QLatin1Char('\n'));
        // The reason is ffmpeg's last line (here the end of the name it could not read).
        QVERIFY2(errors.startsWith(escapedBroken + QStringLiteral(": ")), qPrintable(errors));
        QVERIFY2(errors.section(QLatin1Char('\n'), 0, 0)
                         .endsWith(QStringLiteral("broken.mp3: Invalid argument")) &&
                     errors.count(QLatin1Char('\n')) == 2 &&
                     errors.section(QLatin1Char('\n'), 1, 1).startsWith("1 converted, 1 error, "),
                 qPrintable(errors));
    }

    void missingFfmpegIsTheReason()
    {
        program->setSearchPath(program->inWork(QStringLiteral("nothing here")));
        QVERIFY(program->setTargetFolder(program->inWork(QStringLiteral("target"))));
        QVERIFY(run({talk}));
        QCOMPARE(exitCode, 1);
        QCOMPARE(output, QStringLiteral("Error\t") + talk + QLatin1Char('\n'));
        QCOMPARE(errors,
                 talk + QStringLiteral(": ffmpeg not found\n"
                                       "0 converted, 1 error, 0:00 of silence removed (0 %)\n"));

        QVERIFY(run({QStringLiteral("-input"), talk, QStringLiteral("-output"),
                     program->inWork(QStringLiteral("out.mp3"))}));
        QCOMPARE(exitCode, 1);
        QCOMPARE(errors, talk + QStringLiteral(": ffmpeg not found\nError\n"));
    }

    void listFormRunsTheStoredNumberOfConversionsAtOnce()
    {
        const QString music = program->inWork(QStringLiteral("music"));
        QDir().mkpath(music);
        for (const char *name : {"a.mp3", "b.mp3", "c.mp3"})
            QVERIFY(writeBytes(music + QLatin1Char('/') + QLatin1String(name), "audio"));
        const QString target = program->inWork(QStringLiteral("target"));
        const QByteArray notes = QFile::encodeName(program->inWork(QStringLiteral("notes")));

        // One at a time: the stand-ins never overlap.
        QVERIFY(!writeFakeFfmpeg(program->programFolder(),
                                 "echo start >> '" + notes +
                                     "'; printf x > \"$out\"; echo end >> '" + notes + "'")
                     .isEmpty());
        QVERIFY(program->setTargetFolder(target, 1));
        QVERIFY(run({music}));
        QCOMPARE(exitCode, 0);
        QCOMPARE(readBytes(QFile::decodeName(notes)), QByteArray("start\nend\n").repeated(3));

        // Two at once: each stand-in waits until a second one has started (or gives up after
        // a minute and fails).
        QFile::remove(QFile::decodeName(notes));
        QVERIFY(!writeFakeFfmpeg(program->programFolder(),
                                 "echo start >> '" + notes +
                                     "'\nfor i in $(seq 3000); do\n"
                                     "  [ $(grep -c start '" +
                                     notes +
                                     "') -ge 2 ] && printf x > \"$out\" && exit 0\n"
                                     "  sleep 0.02\ndone\nexit 1")
                     .isEmpty());
        QVERIFY(program->setTargetFolder(target, 2));
        QVERIFY(run({music}));
        QCOMPARE(output.count(QStringLiteral("OK\t")), 3);
        QCOMPARE(exitCode, 0);
    }

private:
    // Reads a file by the bytes of its name, which need not be text.
    static QByteArray readByName(const QByteArray &path)
    {
        QByteArray bytes;
        const int fd = ::open(path.constData(), O_RDONLY);
        char buffer[4096];
        ssize_t count;
        while (fd >= 0 && (count = ::read(fd, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, count);
        if (fd >= 0)
            ::close(fd);
        return bytes;
    }

    // Runs the program with arguments as bytes, which need not be text.
    bool runWithBytes(const QList<QByteArray> &arguments)
    {
        // The shell passes on what printf makes of octal escapes, byte for byte.
        QStringList octal;
        for (const QByteArray &argument : arguments) {
            QString escaped;
            for (const char byte : argument)
                escaped += QStringLiteral("\\%1").arg(uchar(byte), 3, 8, QLatin1Char('0'));
            octal << escaped;
        }
        QString script = QStringLiteral("exec \"$0\"");
        for (qsizetype i = 0; i < octal.size(); ++i)
            script += QStringLiteral(" \"$(printf '%1')\"").arg(octal[i]);
        const HeadlessRun ended =
            program->runThrough(QStringLiteral("/bin/sh"), {"-c", script, program->executable()});
        exitCode = ended.exitCode;
        output = QString::fromUtf8(ended.output);
        errors = QString::fromUtf8(ended.errors);
        return ended.finished;
    }

    bool run(const QStringList &arguments)
    {
        const HeadlessRun ended = program->run(arguments);
        exitCode = ended.exitCode;
        output = QString::fromLocal8Bit(ended.output);
        errors = QString::fromLocal8Bit(ended.errors);
        return ended.finished;
    }

    QTemporaryDir audio;
    QString talk;
    std::optional<HeadlessProgram> program;
    int exitCode = -1;
    QString output;
    QString errors;
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
