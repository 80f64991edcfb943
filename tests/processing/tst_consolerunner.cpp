#include "processing/consolerunner.h"
#include "support/fakeffmpeg.h"
#include "support/textlog.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace
{
const QString closing = QStringLiteral("Processing completed successfully.\n"
                                       "**********************************\n\n");
const QString commencing = QStringLiteral("Commencing processing...\n");

// The closing lines after `output`: after an unfinished last line, the first of them starts a
// line of its own and the empty line only ends the line of asterisks.
QString framed(const QString &output)
{
    if (output.isEmpty() || output.endsWith(QLatin1Char('\n')))
        return commencing + output + closing;
    return commencing + output +
           QStringLiteral("\nProcessing completed successfully.\n"
                          "**********************************\n");
}

QStringList openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System);
}
} // namespace

class TestConsoleRunner : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        folderDir = std::make_unique<QTemporaryDir>();
        QVERIFY(folderDir->isValid());
    }

    void outputIsFramedAndPassedOnWhole_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("output");
        // clang-format off
        QTest::newRow("nothing printed")                    << QByteArray(":")                                      << QString();
        QTest::newRow("standard error and output in order") << QByteArray("echo one; echo two >&2; printf 'three'") << "one\ntwo\nthree";
        // clang-format on
        const QString long1000 = QString(999, QLatin1Char('x')) + QLatin1Char('\n');
        QTest::newRow("several chunks, no separators")
            << QByteArray("printf '%0999d\\n' 0 | tr 0 x") << long1000;
        QTest::newRow("zero byte drops the rest of its chunk only")
            << QByteArray("{ printf 'AAAAAAAAAA\\000'; printf '%0244d' 0 | tr 0 B; "
                          "printf '%045d' 0 | tr 0 C; } > out; cat out")
            << QString(10, QLatin1Char('A')) + QString(45, QLatin1Char('C'));
        QTest::newRow("character split between chunks")
            << QByteArray("{ printf '%0254d' 0 | tr 0 a; printf '\\303\\251 ok'; } > out; cat out")
            << QString(254, QLatin1Char('a')) + QStringLiteral("\u00e9 ok");
    }
    void outputIsFramedAndPassedOnWhole()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, output);
        QVERIFY(!writeFakeFfmpeg(folderDir->path(), script).isEmpty());
        TextLog log;
        QVERIFY(RunConsoleCommand(QStringLiteral("ffmpeg"), {}, folderDir->path(), log).succeeded);
        QCOMPARE(log.text, framed(output));
    }

    void argumentsArriveWholeAndNothingIsExecuted()
    {
        QVERIFY(!writeFakeFfmpeg(folderDir->path(), recordArguments).isEmpty());
        const QStringList arguments{QStringLiteral("$(touch injected)"),
                                    QStringLiteral("`touch injected`; touch injected"),
                                    QStringLiteral("say \"hi\" & 'bye' | x > y"),
                                    QStringLiteral("two\nlines"),
                                    QString(),
                                    QStringLiteral("  spaced  "),
                                    QStringLiteral("\u00fcnic\u00f8de")};
        TextLog log;
        QVERIFY(RunConsoleCommand(QStringLiteral("ffmpeg"), arguments, folderDir->path(), log)
                    .succeeded);
        QCOMPARE(recordedArguments(folderDir->path()), arguments);
        QVERIFY(!QFile::exists(folderDir->filePath(QStringLiteral("injected"))));
    }

    void childGetsEmptyInputAndNoOtherPipe()
    {
        // The child lists its descriptors ("... 1 -> pipe:[...]") after reading its input.
        QVERIFY(!writeFakeFfmpeg(folderDir->path(), "cat; ls -l /proc/$$/fd").isEmpty());
        const QStringList before = openDescriptors();
        TextLog log;
        QVERIFY(RunConsoleCommand(QStringLiteral("ffmpeg"), {}, folderDir->path(), log).succeeded);
        QCOMPARE(openDescriptors(), before);
        const QRegularExpression descriptor(QStringLiteral(" (\\d+) -> (.*)$"));
        QMap<int, QString> targets;
        for (const QString &line : log.text.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = descriptor.match(line);
            if (match.hasMatch())
                targets[match.captured(1).toInt()] = match.captured(2);
        }
        QCOMPARE(targets.value(0), QStringLiteral("/dev/null"));
        QVERIFY(targets.value(1).startsWith(QLatin1String("pipe:")));
        QCOMPARE(targets.value(2), targets.value(1));
        for (auto it = targets.cbegin(); it != targets.cend(); ++it)
            QVERIFY2(it.key() <= 2 || !it.value().startsWith(QLatin1String("pipe:")),
                     qPrintable(it.value()));
    }

    void runsInTheWorkingFolderFoundThereBeforePath()
    {
        QTemporaryDir onPath;
        QVERIFY(!writeFakeFfmpeg(onPath.path(), "echo from path").isEmpty());
        QVERIFY(!writeFakeFfmpeg(folderDir->path(), "echo beside; pwd").isEmpty());
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", onPath.path().toLocal8Bit() + ':' + path);
        TextLog beside;
        RunConsoleCommand(QStringLiteral("ffmpeg"), {}, folderDir->path(), beside);
        QTemporaryDir elsewhere;
        TextLog fromPath;
        RunConsoleCommand(QStringLiteral("ffmpeg"), {}, elsewhere.path(), fromPath);
        qputenv("PATH", path);
        QCOMPARE(beside.text, framed("beside\n" + QDir(folderDir->path()).canonicalPath() + '\n'));
        QCOMPARE(fromPath.text, framed(QStringLiteral("from path\n")));
    }

    void missingProgramComplainsLikeAShell()
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", empty.path().toLocal8Bit());
        TextLog log;
        const ConsoleRun ran =
            RunConsoleCommand(QStringLiteral("ffmpeg"), {}, folderDir->path(), log);
        qputenv("PATH", path);
        QVERIFY(!ran.succeeded);
        QCOMPARE(ran.failure, QStringLiteral("ffmpeg not found"));
        QCOMPARE(log.text, framed(QStringLiteral("ffmpeg: command not found\n")));
    }

    void failureIsReportedWithItsLastLine_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<QString>("failure");
        // clang-format off
        QTest::newRow("exit 0")                         << QByteArray("echo fine; exit 0")                 << true  << "";
        QTest::newRow("exit 1")                         << QByteArray("echo bad; exit 1")                  << false << "bad";
        QTest::newRow("progress, then the error")       << QByteArray("printf 'size= 1kB\\rsize= 2kB\\r\\n  Conversion failed! \\n\\n'; exit 1")
                                                                                                           << false << "Conversion failed!";
        QTest::newRow("last line unfinished")           << QByteArray("printf 'one\\ntwo'; exit 1")         << false << "two";
        QTest::newRow("nothing written")                << QByteArray("exit 3")                            << false << "ffmpeg ended with status 3";
        QTest::newRow("killed")                         << QByteArray("kill -KILL $$")                     << false << "ffmpeg was ended by a signal";
        // clang-format on
    }
    void failureIsReportedWithItsLastLine()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, succeeded);
        QFETCH(QString, failure);
        QVERIFY(!writeFakeFfmpeg(folderDir->path(), script).isEmpty());
        TextLog log;
        const ConsoleRun ran =
            RunConsoleCommand(QStringLiteral("ffmpeg"), {}, folderDir->path(), log);
        QCOMPARE(ran.succeeded, succeeded);
        QCOMPARE(ran.failure, failure);
        QVERIFY(log.text.contains(QStringLiteral("\nProcessing completed successfully.\n")));
    }

    void keepAliveRunsWhileTheChildIsQuiet()
    {
        // The fake stays quiet until the keep-alive has run three times, writes, closes its
        // output, and stays until the keep-alive has run three times more.
        QVERIFY(!writeFakeFfmpeg(folderDir->path(), waitForFile("before") +
                                                        "; echo done; exec >&- 2>&-; " +
                                                        waitForFile("after"))
                     .isEmpty());
        int before = 0;
        int after = 0;
        TextLog log;
        const QString folder = folderDir->path();
        QVERIFY(RunConsoleCommand(QStringLiteral("ffmpeg"), {}, folder, log, [&] {
                    const bool outputSeen = log.text.contains(QStringLiteral("done"));
                    if (!outputSeen && ++before == 3)
                        letFakeGoOn(folder, QStringLiteral("before"));
                    if (outputSeen && ++after == 3)
                        letFakeGoOn(folder, QStringLiteral("after"));
                }).succeeded);
        QCOMPARE(log.text, framed(QStringLiteral("done\n")));
        QVERIFY2(before >= 3, qPrintable(QString::number(before)));
        QVERIFY2(after >= 3, qPrintable(QString::number(after)));
    }

private:
    // The working folder of the runs, fresh for every test.
    std::unique_ptr<QTemporaryDir> folderDir;
};

QTEST_GUILESS_MAIN(TestConsoleRunner)
#include "tst_consolerunner.moc"
