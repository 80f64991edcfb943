#include "support/testaudio.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
        // A copy of the program alone in a fresh folder keeps its settings out of the build.
        work = std::make_unique<QTemporaryDir>();
        QDir(work->path()).mkpath(QStringLiteral("program"));
        QDir(work->path()).mkpath(QStringLiteral("home"));
        program = work->filePath(QStringLiteral("program/hushmill"));
        QVERIFY(QFile::copy(QStringLiteral(HUSHMILL_EXECUTABLE), program));
    }

    void convertsOneFileAndEnds()
    {
        const QString converted = work->filePath(QStringLiteral("out/new/talk.mp3"));
        QVERIFY(run({QStringLiteral("-input"), talk, QStringLiteral("-output"), converted}));
        QCOMPARE(exitCode, 0);
        QVERIFY(audioSeconds(converted) > 1);
        QVERIFY(audioSeconds(converted) < audioSeconds(talk) - 1);
    }

    void relativePathsFromTheCurrentFolder()
    {
        QVERIFY(QFile::copy(talk, work->filePath(QStringLiteral("-talk.mp3"))));
        QVERIFY(run({QStringLiteral("-input"), QStringLiteral("-talk.mp3"),
                     QStringLiteral("-output"), QStringLiteral("out/-talk.mp3")}));
        QCOMPARE(exitCode, 0);
        QVERIFY(audioSeconds(work->filePath(QStringLiteral("out/-talk.mp3"))) > 1);
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
        const QString text = work->filePath(QStringLiteral("not-audio.mp3"));
        QVERIFY(writeBytes(text, "this is no audio"));
        QVERIFY(run({QStringLiteral("-input"), text, QStringLiteral("-output"),
                     work->filePath(QStringLiteral("out/x.mp3"))}));
        QVERIFY(exitCode != 0);
        QVERIFY2(errors.contains(QStringLiteral("Error")), qPrintable(errors));
    }

    void listFormRunsTheBatchIntoTheStoredTarget()
    {
        const QString music = work->filePath(QStringLiteral("music"));
        QDir().mkpath(music);
        QVERIFY(QFile::copy(talk, music + QStringLiteral("/a.mp3")));
        QVERIFY(writeBytes(music + QStringLiteral("/b.mp3"), "broken"));
        QVERIFY(writeBytes(music + QStringLiteral("/c.txt"), "ignored"));
        const QString target = work->filePath(QStringLiteral("target"));
        QVERIFY(writeBytes(work->filePath(QStringLiteral("program/settings.ini")),
                           "[Settings]\r\nDestination=" + target.toUtf8() + "\r\n"));

        QVERIFY(run({music}));
        QCOMPARE(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList({QStringLiteral("OK\t") + music + QStringLiteral("/a.mp3"),
                              QStringLiteral("Error\t") + music + QStringLiteral("/b.mp3")}));
        QVERIFY(exitCode != 0);
        QVERIFY(audioSeconds(target + QStringLiteral("/a.mp3")) > 1);

        QFile::remove(music + QStringLiteral("/b.mp3"));
        QVERIFY(run({music}));
        QCOMPARE(exitCode, 0);
        QVERIFY(QFile::exists(target + QStringLiteral("/a (2).mp3")));
    }

private:
    bool run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("HOME"), work->filePath(QStringLiteral("home")));
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work->path());
        process.start(program, arguments);
        if (!process.waitForFinished(120000))
            return false;
        exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        output = QString::fromLocal8Bit(process.readAllStandardOutput());
        errors = QString::fromLocal8Bit(process.readAllStandardError());
        return true;
    }

    QTemporaryDir audio;
    QString talk;
    std::unique_ptr<QTemporaryDir> work;
    QString program;
    int exitCode = -1;
    QString output;
    QString errors;
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
