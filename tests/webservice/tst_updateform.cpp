#include "app/appform.h"
#include "app/application.h"
#include "app/dialogs.h"
#include "support/guitestmain.h"
#include "support/vendorserver.h"
#include "support/windowundertest.h"
#include "updatetesting.h"
#include "webservice/newver.h"
#include "webservice/updatecheck.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>

// The main window's side of the update check: the checker timer, the "Update Notifications"
// item and the notice, against the stand-in service.
class TestUpdateForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<VendorServer> server;
    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;

    QString storeFile() const { return updateStoreIn(window->folders().home()); }
    void makeForm()
    {
        form = window->open();
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
    // Waits until the timer has seen the check done.
    bool checkSeenDone() const
    {
        return QTest::qWaitFor([this] { return form->UpdateNotifications1->isEnabled(); }, 15000);
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<VendorServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorString()));
        qputenv("HUSHMILL_VENDOR_HOST", server->hostAndPort().toLatin1());
        qputenv("HUSHMILL_CA_FILE", server->caFile().toLocal8Bit());
    }
    void init()
    {
        window.emplace();
        server->clearRequests();
        server->setReply(checkPath, replyWith(checkReply("1.3", "https://dl.test/h-1.3.exe")));
    }
    void cleanup()
    {
        window->closeWindow();
        Application::setHeadless(false);
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        window.reset();
    }
    void cleanupTestCase() { server.reset(); }

    void newVersionOpensTheNoticeOnce()
    {
        makeForm();
        QVERIFY(!form->UpdateNotifications1->isEnabled());
        QVERIFY(checkSeenDone());
        QCOMPARE(server->requests().size(), 1);
        QVERIFY(form->UpdateNotifications1->isChecked());
        QVERIFY(!form->TimerChecker->isActive());
        QVERIFY(form->NewVer);
        QTRY_VERIFY(form->NewVer->isVisible());
        QCOMPARE(form->NewVer->Label2->text(), QStringLiteral("Click to download Hushmill 1.3"));
        QCOMPARE(QApplication::activeWindow(), form);
        QCOMPARE(form->findChildren<TNewVer *>().size(), 1);

        // Closing the main window ends the program; the notice does not keep it going.
        QTimer::singleShot(0, form, &QWidget::close);
        QTimer tooLate;
        tooLate.callOnTimeout([] { QCoreApplication::exit(1); });
        tooLate.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void outcomeOnTheMenuItem_data()
    {
        QTest::addColumn<QString>("showUpdate"); // stored before the start; null for none
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("requests");
        QTest::addColumn<bool>("checked");
        const QString newVersion = checkReply("1.3", "https://dl.test/h-1.3.exe");
        QTest::newRow("notifications off") << "0" << newVersion << 0 << false;
        QTest::newRow("ShowUpdate 2") << "2" << newVersion << 1 << true;
        QTest::newRow("running version")
            << QString() << checkReply("1.2", "https://dl.test/x") << 1 << true;
        QTest::newRow("service refuses") << QString() << "ERROR: no such product" << 1 << true;
    }
    void outcomeOnTheMenuItem()
    {
        QFETCH(QString, showUpdate);
        QFETCH(QString, reply);
        QFETCH(int, requests);
        QFETCH(bool, checked);
        if (!showUpdate.isNull())
            storeValues(storeFile(), {{QStringLiteral("ShowUpdate"), showUpdate}});
        server->setReply(checkPath, replyWith(reply));
        makeForm();
        QVERIFY(checkSeenDone());
        QCOMPARE(server->requests().size(), requests);
        QCOMPARE(form->UpdateNotifications1->isChecked(), checked);
        QVERIFY(!form->NewVer);
    }

    void menuCommandSwitchesNotificationsForTheNextStart()
    {
        makeForm();
        QVERIFY(checkSeenDone());
        form->UpdateNotifications1->trigger();
        QVERIFY(!form->UpdateNotifications1->isChecked());
        QCOMPARE(storedValue(storeFile(), QStringLiteral("ShowUpdate")), QStringLiteral("0"));
        QCOMPARE(form->UpdateCheck->ShowUpdate, 1); // this run keeps what it read
        form->UpdateNotifications1->trigger();
        QVERIFY(form->UpdateNotifications1->isChecked());
        QCOMPARE(storedValue(storeFile(), QStringLiteral("ShowUpdate")), QStringLiteral("1"));
        // The rest of the bookkeeping stays as the check left it.
        QCOMPARE(storedValue(storeFile(), QStringLiteral("CurrentVersion")), QStringLiteral("1.3"));
        QCOMPARE(server->requests().size(), 1);

        // The next start honours the choice: no request, the item unchecked.
        form->UpdateNotifications1->trigger();
        window->closeWindow();
        server->clearRequests();
        makeForm();
        QVERIFY(checkSeenDone());
        QVERIFY(server->requests().isEmpty());
        QVERIFY(!form->UpdateNotifications1->isChecked());
    }

    void headlessRunChecksWithoutANotice()
    {
        Application::setHeadless(true);
        makeForm();
        QVERIFY(checkSeenDone());
        QCOMPARE(server->requests().size(), 1);
        QVERIFY(form->UpdateCheck->NewVersionFound);
        QVERIFY(!form->NewVer);
    }

    void windowThreadNeverWaitsForTheService()
    {
        server->setReply(checkPath, silentReply());
        makeForm();
        QTRY_COMPARE_WITH_TIMEOUT(server->requests().size(), 1, 10000);
        // The check hangs on the silent service while the window goes on handling events.
        bool handled = false;
        QTimer::singleShot(0, form, [&handled] { handled = true; });
        QTRY_VERIFY(handled);
        QVERIFY(form->TimerChecker->isActive());
        QVERIFY(!form->UpdateNotifications1->isEnabled());
        // Closing the window does not wait for the check either; it owns its own state.
        const std::weak_ptr<UpdateCheckState> state = form->UpdateCheck;
        window->closeWindow();
        QVERIFY(!state.expired());
    }
};

HUSHMILL_GUI_TEST_MAIN(TestUpdateForm)
#include "tst_updateform.moc"
