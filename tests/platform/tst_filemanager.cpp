#include "platform/filemanager.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QUrl>

// Stands in for the desktop's file manager on a private session bus.
class FakeFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList calls; // "method uri"

public slots:
    void ShowItems(const QStringList &uris, const QString &)
    {
        calls << QStringLiteral("ShowItems ") + uris.join(u',');
    }
    void ShowItemProperties(const QStringList &uris, const QString &)
    {
        calls << QStringLiteral("ShowItemProperties ") + uris.join(u',');
    }
};

class TestFileManager : public QObject
{
    Q_OBJECT

    using Request = void (*)(const QString &, QObject *, std::function<void()>);

    // Waits until every request made for `context` has had its answer handled.
    static void waitForReplies(const QObject &context)
    {
        QTRY_VERIFY(context.findChildren<QDBusPendingCallWatcher *>().isEmpty());
    }
    static constexpr auto service = "org.freedesktop.FileManager1";

    FakeFileManager fake;
    QDBusConnection fileManagerBus{QString()};

private slots:
    void initTestCase()
    {
        fileManagerBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "filemanager");
        QVERIFY(fileManagerBus.isConnected());
        QVERIFY(fileManagerBus.registerObject("/org/freedesktop/FileManager1", &fake,
                                              QDBusConnection::ExportAllSlots));
    }
    void init()
    {
        fake.calls.clear();
        QVERIFY(fileManagerBus.registerService(service));
    }

    void asksTheFileManager_data()
    {
        QTest::addColumn<bool>("properties");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("uri");
        QTest::newRow("show") << false << "/music/a b#1.mp3"
                              << "file:///music/a%20b%231.mp3";
        QTest::newRow("properties") << true << "/music/ä.mp3"
                                    << "file:///music/%C3%A4.mp3";
        QTest::newRow("relative")
            << false << "a.mp3"
            << QUrl::fromLocalFile(QDir::current().filePath("a.mp3")).toString(QUrl::FullyEncoded);
    }
    void asksTheFileManager()
    {
        QFETCH(bool, properties);
        QFETCH(QString, path);
        QFETCH(QString, uri);
        const Request request = properties ? platform::showItemPropertiesInFileManager
                                           : platform::showItemInFileManager;
        QObject context;
        int fallbacks = 0;
        request(path, &context, [&] { ++fallbacks; });
        const QString method = properties ? "ShowItemProperties " : "ShowItems ";
        QTRY_COMPARE(fake.calls, QStringList(method + uri));
        waitForReplies(context);
        QCOMPARE(fallbacks, 0);
    }

    void fallsBackWhenNoFileManagerAnswers()
    {
        QVERIFY(fileManagerBus.unregisterService(service));
        QObject context;
        int fallbacks = 0;
        platform::showItemInFileManager("/music/a.mp3", &context, [&] { ++fallbacks; });
        platform::showItemPropertiesInFileManager("/music/a.mp3", &context, [&] { ++fallbacks; });
        QTRY_COMPARE(fallbacks, 2);
        waitForReplies(context);
        QCOMPARE(fallbacks, 2);
        QCOMPARE(fake.calls, QStringList());
    }

    void noFallbackOnceTheContextIsGone()
    {
        QVERIFY(fileManagerBus.unregisterService(service));
        int fallbacks = 0;
        {
            QObject context;
            platform::showItemInFileManager("/music/a.mp3", &context, [&] { ++fallbacks; });
        }
        // The bus answers in order: once a later request has fallen back, the answer to the
        // first one has arrived as well.
        QObject laterContext;
        bool laterFellBack = false;
        platform::showItemInFileManager("/music/b.mp3", &laterContext,
                                        [&] { laterFellBack = true; });
        QTRY_VERIFY(laterFellBack);
        QCOMPARE(fallbacks, 0);
    }
};

// The test runs its own session bus, so no desktop file manager is ever asked.
int main(int argc, char *argv[])
{
    QProcess bus;
    bus.start(QStringLiteral("dbus-daemon"),
              {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (!bus.waitForReadyRead(10000))
        qFatal("dbus-daemon did not start");
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());

    int result = 0;
    {
        QCoreApplication app(argc, argv);
        TestFileManager test;
        result = QTest::qExec(&test, argc, argv);
    }
    bus.kill();
    bus.waitForFinished();
    return result;
}
#include "tst_filemanager.moc"
