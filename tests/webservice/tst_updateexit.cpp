#include "programrun.h"
#include "support/fakeffmpeg.h"
#include "support/testfiles.h"
#include "support/vendorserver.h"
#include "updatetesting.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The program ending by itself while its update check hangs on a service that never answers:
// it neither waits for the check nor crashes on the way out. A headless run of two files ends
// the program once both are converted; a stand-in ffmpeg holds the first conversion until the
// checker timer is due (the timer runs between the rows), and the second until the check's
// request has reached the service.
class TestUpdateExit : public QObject
{
    Q_OBJECT

    std::unique_ptr<VendorServer> server;
    QTemporaryDir work;
    ProgramUnderTest program;
    QStringList inputs;

private slots:
    void initTestCase()
    {
        server = std::make_unique<VendorServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorString()));
        server->setReply(checkPath, silentReply());
        QVERIFY(QDir(work.path()).mkpath(QStringLiteral("program")));
        QVERIFY(program.copyInto(work.filePath(QStringLiteral("program"))));
        // Found beside the program before any ffmpeg on the path.
        const QByteArray script = "case \"$out\" in\n"
                                  "  */first*) sleep 1.2 ;;\n"
                                  "  *) " +
                                  waitForFile("go") +
                                  " ;;\n"
                                  "esac\n"
                                  "printf x > \"$out\"";
        QVERIFY(!writeFakeFfmpeg(program.folder(), script).isEmpty());
        for (const char *name : {"first.wav", "second.wav"}) {
            inputs << work.filePath(QLatin1String(name));
            QVERIFY(writeBytes(inputs.constLast(), "RIFF"));
        }
    }

    void endsAtOnceFiftyTimesDuringAHangingCheck()
    {
        for (int run = 1; run <= 50; ++run) {
            const QTemporaryDir home;
            QFile::remove(QDir(program.folder()).filePath(QStringLiteral("go")));
            QProcess process;
            program.start(
                process,
                ProgramUnderTest::environment(home.path(), server->hostAndPort(), server->caFile()),
                inputs);

            // The check has sent its request and waits for the reply that never comes.
            const bool asked =
                QTest::qWaitFor([&] { return server->requests().size() == run; }, 20000);
            letFakeGoOn(program.folder(), QStringLiteral("go"));
            QVERIFY2(asked, qPrintable(QStringLiteral("run %1: no request").arg(run)));
            QVERIFY2(hasThreadNamed(process.processId(), "TChecker"),
                     qPrintable(QStringLiteral("run %1: the check is not running").arg(run)));

            // Waiting for the check would take its 10 s time-out twice over; ending at once takes
            // well under a second, so even a busy machine stays far below the bound.
            QElapsedTimer clock;
            clock.start();
            const bool finished = process.waitForFinished(15000);
            const QByteArray errors = process.readAllStandardError();
            const QString context = QStringLiteral("run %1 after %2 ms: %3")
                                        .arg(run)
                                        .arg(clock.elapsed())
                                        .arg(QString::fromLocal8Bit(errors));
            if (!finished)
                process.kill();
            QVERIFY2(finished, qPrintable(context));
            QVERIFY2(process.exitStatus() == QProcess::NormalExit, qPrintable(context));
            QVERIFY2(process.exitCode() == 0, qPrintable(context));
            // Nothing but the batch's summary.
            QVERIFY2(errors.startsWith("2 converted, 0 errors") && errors.count('\n') == 1,
                     qPrintable(context));
            QCOMPARE(process.readAllStandardOutput().count("OK\t"), 2);
        }
    }
};

QTEST_GUILESS_MAIN(TestUpdateExit)
#include "tst_updateexit.moc"
