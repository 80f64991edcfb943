#include "support/loopbackports.h"
#include "support/testfiles.h"
#include "support/vendorserver.h"
#include "updatetesting.h"
#include "webservice/postform.h"
#include "webservice/scrambling.h"
#include "webservice/updatecheck.h"
#include "webservice/updaterules.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

using Scheme = VendorServer::Scheme;

// The check itself, run on the test's thread against the stand-in service, with its
// bookkeeping in a temporary folder.
class TestUpdateCheck : public QObject
{
    Q_OBJECT

    std::unique_ptr<VendorServer> server;
    std::unique_ptr<QTemporaryDir> folder;
    QString storeFile;
    QString endpoint;
    std::shared_ptr<UpdateCheckState> state;
    QString errorText;

    // Runs one whole check as the thread would.
    void check()
    {
        state = std::make_shared<UpdateCheckState>();
        UpdateCheckRequest request;
        request.AppName = QStringLiteral("QUONDEL - Hushmill");
        request.AppVersion = QStringLiteral("1.2");
        request.storeFile = storeFile;
        request.CheckEndpoint = endpoint;
        request.timeoutMs = 3000;
        TChecker checker(state, request);
        checker.Execute();
        errorText = checker.checkErrorText();
        QCOMPARE(checker.checkErrorFlag(), !errorText.isEmpty());
    }
    QString stored(const char *name) const { return storedValue(storeFile, QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        server = std::make_unique<VendorServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorString()));
    }
    void init()
    {
        qputenv("HUSHMILL_CA_FILE", server->caFile().toLocal8Bit());
        folder = std::make_unique<QTemporaryDir>();
        storeFile = folder->filePath(QStringLiteral("config/QUONDEL/Hushmill/update.ini"));
        endpoint = checkEndpointOn(server->hostAndPort());
        server->clearRequests();
        server->setReply(checkPath, replyWith(checkReply("1.3", "https://dl.test/h-1.3.exe")));
    }
    void cleanupTestCase() { server.reset(); }

    void replyChecks_data()
    {
        QTest::addColumn<QString>("showUpdate"); // stored before the check; null for none
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("used");
        QTest::addColumn<QString>("replyVersion");
        QTest::addColumn<QString>("downloadUrl");
        QTest::addColumn<bool>("newVersion");
        const QString url = QStringLiteral("https://dl.test/h-1.3.exe");
        QTest::newRow("new version")
            << QString() << checkReply("1.3", url) << true << "1.3" << url << true;
        QTest::newRow("result 0") << QString() << checkReply("1.3", url, "0") << true << "1.3"
                                  << url << true;
        QTest::newRow("running version")
            << QString() << checkReply("1.2", url) << true << "1.2" << url << false;
        QTest::newRow("lower version")
            << QString() << checkReply("1.1", url) << true << "1.1" << url << true;
        QTest::newRow("word as version")
            << QString() << checkReply("beta", url) << true << "beta" << url << false;
        QTest::newRow("missing url tag")
            << QString() << "<version>1.3</version>\r\n" + url + "\r\n\r\n<result>1</result>"
            << true << "1.3"
            << "" << true;
        QTest::newRow("lines after the result")
            << QString() << checkReply("1.3", url) + "<extra>x</extra>\r\n"
            << true << "1.3" << url << true;
        QTest::newRow("LF line ends")
            << QString() << "<version>1.3</version>\n<url>" + url + "</url>\n\n<result>1</result>"
            << true << "1.3" << url << true;
        QTest::newRow("ShowUpdate 2")
            << "2" << checkReply("1.3", url) << true << "1.3" << url << false;
        QTest::newRow("ERROR reply")
            << QString() << "ERROR\r\n" + checkReply("1.3", url) << false << ""
            << "" << false;
        QTest::newRow("ERROR in a valid layout")
            << QString() << "ERROR" + checkReply("1.3", url) << false << ""
            << "" << false;
        QTest::newRow("three lines")
            << QString() << "<version>1.3</version>\r\n<url>" + url + "</url>\r\n\r\n"
            << false << ""
            << "" << false;
        QTest::newRow("result 2") << QString() << checkReply("1.3", url, "2") << false << ""
                                  << "" << false;
        QTest::newRow("result with blank")
            << QString() << checkReply("1.3", url, "1 ") << false << ""
            << "" << false;
        QTest::newRow("upper-case tags")
            << QString() << checkReply("1.3", url).replace("result", "RESULT") << false << ""
            << "" << false;
        QTest::newRow("empty reply") << QString() << "" << false << ""
                                     << "" << false;
    }
    void replyChecks()
    {
        QFETCH(QString, showUpdate);
        QFETCH(QString, reply);
        QFETCH(bool, used);
        QFETCH(QString, replyVersion);
        QFETCH(QString, downloadUrl);
        QFETCH(bool, newVersion);
        if (!showUpdate.isNull())
            storeValues(storeFile, {{QStringLiteral("ShowUpdate"), showUpdate}});
        server->setReply(checkPath, replyWith(reply));
        check();

        QCOMPARE(server->requests().size(), 1);
        QCOMPARE(errorText, used ? QString() : QStringLiteral("INVALIDSERVERRESPONSE"));
        QCOMPARE(state->ReplyVersion, replyVersion);
        QCOMPARE(state->DownloadURL, downloadUrl);
        QCOMPARE(state->NewVersionFound, newVersion);
        QCOMPARE(state->ShowUpdate, showUpdate.isNull() ? 1 : showUpdate.toInt());
        QCOMPARE(stored("CurrentVersion"), used ? replyVersion : QString());
        QCOMPARE(stored("CurrentURL"), used ? ScrambleText(downloadUrl) : QString());
    }

    void transport_data()
    {
        QTest::addColumn<bool>("httpsTrusted");
        QTest::addColumn<bool>("storeOpens");
        QTest::addColumn<QStringList>("schemes"); // of the requests that arrived
        QTest::addColumn<bool>("used");
        QTest::addColumn<QString>("errorStart");
        QTest::newRow("https answers") << true << true << QStringList{"https"} << true << "";
        QTest::newRow("https fails, http answers")
            << false << true << QStringList{"http"} << true << "";
        // The retry's success forgets every error before it, the store's included.
        QTest::newRow("store fails, https fails, http answers")
            << false << false << QStringList{"http"} << true << "";
        QTest::newRow("store fails, https answers")
            << true << false << QStringList{"https"} << false << "Error: Registry open problem!";
    }
    void transport()
    {
        QFETCH(bool, httpsTrusted);
        QFETCH(bool, storeOpens);
        QFETCH(QStringList, schemes);
        QFETCH(bool, used);
        QFETCH(QString, errorStart);
        if (!httpsTrusted)
            qunsetenv("HUSHMILL_CA_FILE");
        if (!storeOpens) {
            // A file stands where the store's folder would have to be made.
            QVERIFY(writeBytes(folder->filePath(QStringLiteral("config")), "not a folder"));
        }
        check();

        QStringList arrived;
        for (const VendorServer::Request &request : server->requests())
            arrived << request.scheme;
        QCOMPARE(arrived, schemes);
        QCOMPARE(errorText.left(errorStart.size()), errorStart);
        QCOMPARE(state->ReplyVersion, used ? QStringLiteral("1.3") : QString());
        QCOMPARE(state->NewVersionFound, used);
        QCOMPARE(stored("CurrentVersion"), used && storeOpens ? QStringLiteral("1.3") : QString());
    }

    void bothAttemptsFailing()
    {
        storeValues(storeFile, {{QStringLiteral("CurrentURL"), ScrambleText("https://dl.test/old")},
                                {QStringLiteral("CurrentVersion"), QStringLiteral("1.1")}});
        endpoint = checkEndpointOn(QStringLiteral("127.0.0.1:%1").arg(closedPort()));
        check();

        QVERIFY(state->CheckDone.load());
        QVERIFY2(errorText.startsWith(QLatin1String("HTTPS Response:\r")), qPrintable(errorText));
        QVERIFY2(errorText.contains(QLatin1String("\r\rHTTP Response:\r")), qPrintable(errorText));
        QVERIFY(!state->NewVersionFound);
        QCOMPARE(state->ReplyVersion, QString());
        // The address of the last valid reply stays known, and stored as it was.
        QCOMPARE(state->DownloadURL, QStringLiteral("https://dl.test/old"));
        QCOMPARE(stored("CurrentVersion"), QStringLiteral("1.1"));
        QCOMPARE(stored("LastUpdateCheckCount"), QStringLiteral("1"));
    }

    void usageCounter_data()
    {
        QTest::addColumn<QString>("howMany");
        QTest::addColumn<QString>("installedVersion");
        QTest::addColumn<QString>("counted");
        QTest::newRow("first run") << QString() << QString() << "1";
        QTest::newRow("same version") << "4"
                                      << "1.2"
                                      << "5";
        QTest::newRow("new version installed") << "4"
                                               << "1.1"
                                               << "1";
        QTest::newRow("negative") << "-3"
                                  << "1.2"
                                  << "1";
        QTest::newRow("not a number") << "many"
                                      << "1.2"
                                      << "1";
        QTest::newRow("largest") << "2147483647"
                                 << "1.2"
                                 << "2147483647";
    }
    void usageCounter()
    {
        QFETCH(QString, howMany);
        QFETCH(QString, installedVersion);
        QFETCH(QString, counted);
        if (!howMany.isNull())
            storeValues(storeFile, {{QStringLiteral("HowMany"), howMany},
                                    {QStringLiteral("InstalledVersion"), installedVersion}});
        check();
        QCOMPARE(stored("HowMany"), counted);
        QCOMPARE(stored("InstalledVersion"), QStringLiteral("1.2"));
        QCOMPARE(formFields(server->requests().value(0).body).value(6),
                 QStringLiteral("howmany=") + counted);
    }

    void dailyLimit_data()
    {
        QTest::addColumn<QString>("lastCheck"); // "today" for today's text
        QTest::addColumn<QString>("dayCount");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("countAfter");
        QTest::addColumn<bool>("newVersion");
        QTest::newRow("second today") << "today"
                                      << "1" << true << "2" << true;
        QTest::newRow("third today") << "today"
                                     << "2" << true << "3" << true;
        QTest::newRow("fourth today") << "today"
                                      << "3" << true << "4" << false;
        QTest::newRow("fifth today") << "today"
                                     << "4" << true << "5" << false;
        QTest::newRow("sixth today") << "today"
                                     << "5" << false << "5" << false;
        QTest::newRow("count not a number") << "today"
                                            << "five" << true << "1" << true;
        QTest::newRow("earlier day") << "1/1/00"
                                     << "5" << true << "1" << true;
        QTest::newRow("today in another date format") << "today, ISO"
                                                      << "5" << true << "1" << true;
    }
    void dailyLimit()
    {
        QFETCH(QString, lastCheck);
        QFETCH(QString, dayCount);
        QFETCH(bool, sent);
        QFETCH(QString, countAfter);
        QFETCH(bool, newVersion);
        const QString today = todayText();
        if (lastCheck == QLatin1String("today"))
            lastCheck = today;
        else if (lastCheck == QLatin1String("today, ISO"))
            lastCheck = QDate::currentDate().toString(Qt::ISODate);
        storeValues(storeFile, {{QStringLiteral("LastUpdateCheck"), lastCheck},
                                {QStringLiteral("LastUpdateCheckCount"), dayCount}});
        check();
        if (todayText() != today)
            QSKIP("The day changed during the check");
        QCOMPARE(server->requests().size(), sent ? 1 : 0);
        QCOMPARE(stored("LastUpdateCheck"), sent ? today : lastCheck);
        QCOMPARE(stored("LastUpdateCheckCount"), sent ? countAfter : dayCount);
        QCOMPARE(state->NewVersionFound, newVersion);
        QCOMPARE(stored("HowMany"), QStringLiteral("1"));
    }

    void notificationsOff()
    {
        storeValues(storeFile, {{QStringLiteral("ShowUpdate"), QStringLiteral("0")},
                                {QStringLiteral("CurrentURL"), ScrambleText("https://dl.test/d")}});
        check();
        QVERIFY(state->CheckDone.load());
        QVERIFY(server->requests().isEmpty());
        QCOMPARE(state->ShowUpdate, 0);
        QVERIFY(!state->NewVersionFound);
        QCOMPARE(state->DownloadURL, QStringLiteral("https://dl.test/d"));
        QCOMPARE(stored("LastUpdateCheck"), QString());
        QCOMPARE(stored("LastUpdateCheckCount"), QString());
        QCOMPARE(stored("HowMany"), QStringLiteral("1"));
        QCOMPARE(stored("InstalledVersion"), QStringLiteral("1.2"));
    }

    void showUpdateNotANumberMeansOn()
    {
        storeValues(storeFile, {{QStringLiteral("ShowUpdate"), QStringLiteral("off")}});
        check();
        QCOMPARE(state->ShowUpdate, 1);
        QCOMPARE(server->requests().size(), 1);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const WebClientSetup webClient;
    TestUpdateCheck test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_updatecheck.moc"
