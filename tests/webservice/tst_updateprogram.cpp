#include "programrun.h"
#include "support/loopbackports.h"
#include "support/testfiles.h"
#include "support/vendorserver.h"
#include "updatetesting.h"
#include "webservice/localename.h"
#include "webservice/machineid.h"
#include "webservice/osdescription.h"
#include "webservice/scrambling.h"
#include "webservice/updaterules.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The update check end to end: the built program is started, its check is waited for, and
// the program is ended; what reached the stand-in service and what the program keeps in its
// bookkeeping file tell the rest.
class TestUpdateProgram : public QObject
{
    Q_OBJECT

    std::unique_ptr<VendorServer> server;
    QTemporaryDir programFolder;
    ProgramUnderTest program;
    std::unique_ptr<QTemporaryDir> home;
    const QString downloadUrl = QStringLiteral("https://dl.test/hushmill-1.3.exe");

    QString storeFile() const { return updateStoreIn(home->path()); }
    QString stored(const char *name) const { return storedValue(storeFile(), QLatin1String(name)); }
    QProcessEnvironment environment(const QString &host = {}, bool trustHttps = true) const
    {
        return ProgramUnderTest::environment(home->path(),
                                             host.isEmpty() ? server->hostAndPort() : host,
                                             trustHttps ? server->caFile() : QString());
    }

    // Starts the program, waits until its check has counted itself (HowMany reaches
    // howMany) and its thread has ended, then ends the program.
    bool runCheck(int howMany, const QProcessEnvironment &environment)
    {
        QProcess process;
        program.start(process, environment);
        const bool counted =
            QTest::qWaitFor([&] { return stored("HowMany") == QString::number(howMany); }, 20000);
        const bool ended =
            counted && QTest::qWaitFor(
                           [&] { return !hasThreadNamed(process.processId(), "TChecker"); }, 30000);
        const bool stillRunning = process.state() == QProcess::Running;
        process.kill();
        process.waitForFinished(10000);
        if (!counted || !ended || !stillRunning)
            qWarning() << "counted" << counted << "ended" << ended << "running" << stillRunning
                       << process.readAllStandardError();
        return counted && ended && stillRunning;
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<VendorServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorString()));
        QVERIFY(program.copyInto(programFolder.path()));
    }
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        server->clearRequests();
        server->setReply(checkPath, replyWith(checkReply("1.3", downloadUrl)));
    }

    void firstRunCreatesTheStoreAndSendsHowManyOne()
    {
        QVERIFY(!QFile::exists(storeFile()));
        const QString today = todayText();
        QVERIFY(runCheck(1, environment()));

        const QList<VendorServer::Request> requests = server->requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().scheme, QStringLiteral("https"));
        QCOMPARE(requests.first().path, checkPath);
        QCOMPARE(
            formFields(requests.first().body),
            QStringList({QStringLiteral("cmd=check"), QStringLiteral("appname=QUONDEL - Hushmill"),
                         QStringLiteral("version=1.2"), QStringLiteral("os=") + GetOSDescription(),
                         QStringLiteral("local=") + GetUserLocaleName(),
                         QStringLiteral("guid=") + GetMachineId(), QStringLiteral("howmany=1")}));
        QCOMPARE(stored("HowMany"), QStringLiteral("1"));
        QCOMPARE(stored("InstalledVersion"), QStringLiteral("1.2"));
        if (todayText() == today)
            QCOMPARE(stored("LastUpdateCheck"), today);
        QCOMPARE(stored("LastUpdateCheckCount"), QStringLiteral("1"));
        QCOMPARE(stored("CurrentVersion"), QStringLiteral("1.3"));
        QCOMPARE(stored("CurrentURL"), ScrambleText(downloadUrl));
        QCOMPARE(stored("ShowUpdate"), QString()); // written only by the menu command
        QVERIFY(readBytes(storeFile()).startsWith("\xEF\xBB\xBF[Settings]\r\n"));
    }

    void sixStartsOnOneDaySendFiveRequests()
    {
        const QString today = todayText();
        for (int start = 1; start <= 6; ++start)
            QVERIFY2(runCheck(start, environment()), qPrintable(QString::number(start)));
        if (todayText() != today)
            QSKIP("The day changed between the starts");
        const QList<VendorServer::Request> requests = server->requests();
        QCOMPARE(requests.size(), 5);
        for (int i = 0; i < requests.size(); ++i)
            QCOMPARE(formFields(requests.at(i).body).constLast(),
                     QStringLiteral("howmany=%1").arg(i + 1));
        QCOMPARE(stored("LastUpdateCheckCount"), QStringLiteral("5"));
        QCOMPARE(stored("HowMany"), QStringLiteral("6"));
    }

    void storedDateOfAnotherDayResetsTheCount()
    {
        storeValues(storeFile(), {{QStringLiteral("LastUpdateCheck"), QStringLiteral("1/1/00")},
                                  {QStringLiteral("LastUpdateCheckCount"), QStringLiteral("5")},
                                  {QStringLiteral("HowMany"), QStringLiteral("3")},
                                  {QStringLiteral("InstalledVersion"), QStringLiteral("1.2")}});
        QVERIFY(runCheck(4, environment()));
        QCOMPARE(server->requests().size(), 1);
        QCOMPARE(stored("LastUpdateCheckCount"), QStringLiteral("1"));
        QVERIFY(stored("LastUpdateCheck") != QLatin1String("1/1/00"));
    }

    void notificationsOffSendNothing()
    {
        storeValues(storeFile(), {{QStringLiteral("ShowUpdate"), QStringLiteral("0")}});
        QVERIFY(runCheck(1, environment()));
        QVERIFY(server->requests().isEmpty());
        QCOMPARE(stored("LastUpdateCheck"), QString());
        QCOMPARE(stored("LastUpdateCheckCount"), QString());
        QCOMPARE(stored("InstalledVersion"), QStringLiteral("1.2"));
    }

    void httpsFailingHttpAnswering()
    {
        // Without the stand-in's authority the encrypted attempt fails on its certificate.
        QVERIFY(runCheck(1, environment({}, false)));
        const QList<VendorServer::Request> requests = server->requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().scheme, QStringLiteral("http"));
        QCOMPARE(stored("CurrentVersion"), QStringLiteral("1.3"));
        QCOMPARE(stored("CurrentURL"), ScrambleText(downloadUrl));
    }

    void bothAttemptsFailing()
    {
        QVERIFY(runCheck(1, environment(QStringLiteral("127.0.0.1:%1").arg(closedPort()))));
        QCOMPARE(stored("LastUpdateCheckCount"), QStringLiteral("1"));
        QCOMPARE(stored("CurrentVersion"), QString());
        QCOMPARE(stored("CurrentURL"), QString());
    }
};

QTEST_GUILESS_MAIN(TestUpdateProgram)
#include "tst_updateprogram.moc"
