#include "base/apperror.h"
#include "support/vendorserver.h"
#include "webservice/backgroundwork.h"
#include "webservice/postform.h"

#include <QFile>
#include <QTest>
#include <QThread>
#include <atomic>

// Work on threads of its own and the end of the program. Ending is final for a process, so
// the cases run in order and the last ones see the program ending.
class TestBackgroundWork : public QObject
{
    Q_OBJECT

private slots:
    void jobRunsOnANamedThreadOfItsOwn()
    {
        std::atomic<bool> done{false};
        QByteArray name;
        Qt::HANDLE thread = nullptr;
        QVERIFY(startBackgroundWork("TChecker", [&] {
            QFile comm(QStringLiteral("/proc/thread-self/comm"));
            if (comm.open(QIODevice::ReadOnly))
                name = comm.readAll().trimmed();
            thread = QThread::currentThreadId();
            done = true;
        }));
        QTRY_VERIFY(done.load());
        QCOMPARE(name, QByteArray("TChecker"));
        QVERIFY(thread != QThread::currentThreadId());
    }

    void whatTheJobOwnsIsFreedOnItsThread()
    {
        // The job holds the only reference; its thread lets go of it when the job returns.
        auto owned = std::make_shared<int>(7);
        std::weak_ptr<int> watch = owned;
        QVERIFY(startBackgroundWork("owner", [owned = std::move(owned)] {}));
        QTRY_VERIFY(watch.expired());
    }

    // The last cases: from here on the program counts as ending.
    void endingStopsATransferInProgressAndRefusesNewWork()
    {
        VendorServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorString()));
        qputenv("HUSHMILL_CA_FILE", server.caFile().toLocal8Bit());
        VendorServer::Reply silent;
        silent.silent = true;
        server.setReply(QStringLiteral("/php/check2.php"), silent);
        const QString address =
            QStringLiteral("https://%1/php/check2.php").arg(server.hostAndPort());

        // A transfer waiting for a reply that would take its full 20 s time-out.
        std::atomic<bool> returned{false};
        QString failure;
        QVERIFY(startBackgroundWork("transfer", [&] {
            try {
                PostForm(address, {QStringLiteral("cmd=check")}, 20000);
            } catch (const AppError &error) {
                failure = error.message();
            }
            returned = true;
        }));
        QTRY_COMPARE(server.requests().size(), 1);
        // And a job that keeps to itself longer than the end waits.
        std::atomic<bool> released{false};
        QVERIFY(startBackgroundWork("stuck", [&released] {
            while (!released.load())
                QThread::msleep(5);
        }));

        QVERIFY(!endBackgroundWork(500));
        QVERIFY(backgroundWorkEnding());
        // The transfer stopped where it stood, long before its time-out.
        QTRY_VERIFY(returned.load());
        QCOMPARE(failure, QStringLiteral("The program is ending"));
        released = true;
        QVERIFY(endBackgroundWork());

        // Nothing new starts, and a call refuses before it reaches the network.
        bool ran = false;
        QVERIFY(!startBackgroundWork("late", [&ran] { ran = true; }));
        QVERIFY(!ran);
        QVERIFY_THROWS_EXCEPTION(AppError, PostForm(address, {}, 20000));
        QCOMPARE(server.requests().size(), 1);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const WebClientSetup webClient;
    TestBackgroundWork test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backgroundwork.moc"
