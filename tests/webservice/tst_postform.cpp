#include "base/apperror.h"
#include "support/loopbackports.h"
#include "support/vendorserver.h"
#include "webservice/postform.h"
#include "webservice/vendorhost.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <memory>

using Scheme = VendorServer::Scheme;

namespace
{
const QString path = QStringLiteral("/php/check2.php");
constexpr int shortTimeoutMs = 400;

// The message of the error that PostForm raises; a null QString when it returns.
QString postFormError(const QString &address, int timeoutMs = 3000)
{
    try {
        PostForm(address, {QStringLiteral("cmd=check")}, timeoutMs);
    } catch (const AppError &error) {
        return error.message();
    }
    return {};
}
} // namespace

class TestPostForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<VendorServer> server;

    QString address(const QString &scheme, const QString &where = path) const
    {
        return scheme + server->hostAndPort() + where;
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<VendorServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorString()));
        qputenv("HUSHMILL_CA_FILE", server->caFile().toLocal8Bit());
    }
    void init()
    {
        server->clearRequests();
        server->setReply(path, {});
    }
    void cleanupTestCase() { server.reset(); }

    void schemeChoosesTheClient_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("scheme");
        // clang-format off
        QTest::newRow("https")             << "https://" << "https";
        QTest::newRow("HTTPS in capitals") << "HTTPS://" << "https";
        QTest::newRow("http")              << "http://"  << "http";
        QTest::newRow("no scheme")         << ""         << "http";
        // clang-format on
    }
    void schemeChoosesTheClient()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, scheme);
        PostForm(address(prefix), {QStringLiteral("cmd=check")}, 3000);

        const QList<VendorServer::Request> requests = server->requests();
        QCOMPARE(requests.size(), 1);
        const VendorServer::Request &request = requests.first();
        QCOMPARE(request.scheme, scheme);
        QCOMPARE(request.method, QStringLiteral("POST"));
        QCOMPARE(request.path, path);
        QCOMPARE(request.header("Content-Type"),
                 QByteArray("application/x-www-form-urlencoded; charset=UTF-8"));
        // Only the encrypted client asks the server to close the connection.
        QCOMPARE(request.header("Connection"),
                 scheme == QLatin1String("https") ? QByteArray("close") : QByteArray());
        QVERIFY(request.header("Cookie").isNull());
    }

    void vendorHostFromTheEnvironment()
    {
        qputenv("HUSHMILL_VENDOR_HOST", server->hostAndPort().toLatin1());
        const QString host = vendorHost();
        qunsetenv("HUSHMILL_VENDOR_HOST");
        QCOMPARE(vendorHost(), QStringLiteral(HUSHMILL_DEFAULT_VENDOR_HOST));
        PostForm(QStringLiteral("https://") + host + path, {}, 3000);
        QCOMPARE(server->requests().size(), 1);
    }

    void formBodyOnTheWire_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("body");
        for (const QString &prefix : {QStringLiteral("https://"), QStringLiteral("http://")}) {
            const auto row = [&](const char *name) {
                return &QTest::newRow(qPrintable(prefix + QLatin1String(name)));
            };
            *row("space as plus") << prefix << QStringList{"cmd=check", "appname=A B"}
                                  << QByteArray("cmd=check&appname=A+B");
            *row("split at first equals")
                << prefix << QStringList{"x=a=b"} << QByteArray("x=a%3Db");
            *row("non-ASCII as UTF-8")
                << prefix << QStringList{QString::fromUtf8("feedback=Grüße € ✓")}
                << QByteArray("feedback=Gr%C3%BC%C3%9Fe+%E2%82%AC+%E2%9C%93");
            *row("reserved characters") << prefix << QStringList{"q=a+b&c/d?e#f%"}
                                        << QByteArray("q=a%2Bb%26c%2Fd%3Fe%23f%25");
            *row("unreserved kept")
                << prefix << QStringList{"k-._~=Az09-._~"} << QByteArray("k-._~=Az09-._~");
            *row("empty value, order kept")
                << prefix << QStringList{"cmd=feedback", "email=", "appname=Hushmill"}
                << QByteArray("cmd=feedback&email=&appname=Hushmill");
            *row("line breaks") << prefix << QStringList{"feedback=a\r\nb"}
                                << QByteArray("feedback=a%0D%0Ab");
            *row("no fields") << prefix << QStringList{} << QByteArray();
        }
    }
    void formBodyOnTheWire()
    {
        QFETCH(QString, prefix);
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, body);
        PostForm(address(prefix), fields, 3000);
        const QList<VendorServer::Request> requests = server->requests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().body, body);
    }

    void replyDecodedAsText_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("body");
        const QString check = QStringLiteral("<version>1.3</version>\r\n<url>http://h/d</url>\r\n"
                                             "\r\n<result>1</result>\r\n");
        QTest::newRow("check reply")
            << "https://" << QByteArray("text/html; charset=UTF-8") << QByteArray("utf-8") << check;
        QTest::newRow("check reply over http")
            << "http://" << QByteArray("text/html") << QByteArray("utf-8") << check;
        QTest::newRow("feedback reply")
            << "https://" << QByteArray("text/plain") << QByteArray("utf-8") << "OK\n";
        QTest::newRow("no charset is UTF-8") << "https://" << QByteArray("text/plain")
                                             << QByteArray("utf-8") << QString::fromUtf8("Grüße €");
        QTest::newRow("Latin-1") << "https://" << QByteArray("text/plain; charset=ISO-8859-1")
                                 << QByteArray("latin-1") << QString::fromUtf8("Grüße");
        QTest::newRow("Cyrillic, quoted charset")
            << "https://" << QByteArray("text/plain; Charset=\"windows-1251\"")
            << QByteArray("cp1251") << QString::fromUtf8("Привет");
        QTest::newRow("empty") << "https://" << QByteArray("text/plain") << QByteArray("utf-8")
                               << "";
    }
    void replyDecodedAsText()
    {
        QFETCH(QString, prefix);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, encoding);
        QFETCH(QString, body);
        VendorServer::Reply reply;
        reply.body = body;
        reply.contentType = contentType;
        reply.encoding = encoding;
        server->setReply(path, reply);
        QCOMPARE(PostForm(address(prefix), {QStringLiteral("cmd=check")}, 3000), body);
    }

    void errorStatusOnlyFailsThePlainClient_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("fails");
        // clang-format off
        QTest::newRow("https 404") << "https://" << 404 << false;
        QTest::newRow("https 500") << "https://" << 500 << false;
        QTest::newRow("http 404")  << "http://"  << 404 << true;
        QTest::newRow("http 500")  << "http://"  << 500 << true;
        QTest::newRow("http 400")  << "http://"  << 400 << true;
        QTest::newRow("http 399")  << "http://"  << 399 << false;
        // clang-format on
    }
    void errorStatusOnlyFailsThePlainClient()
    {
        QFETCH(QString, prefix);
        QFETCH(int, status);
        QFETCH(bool, fails);
        VendorServer::Reply reply;
        reply.status = status;
        reply.body = QStringLiteral("ERROR page");
        server->setReply(path, reply);
        if (fails) {
            QVERIFY(postFormError(address(prefix)).contains(QString::number(status)));
        } else {
            QCOMPARE(PostForm(address(prefix), {}, 3000), reply.body);
        }
    }

    void unscriptedPathIsNotFound()
    {
        // The server's own 404: the encrypted client hands its body on, the plain one fails.
        const QString missing = QStringLiteral("/php/missing.php");
        QCOMPARE(PostForm(address(QStringLiteral("https://"), missing), {}, 3000),
                 QStringLiteral("Not Found"));
        QVERIFY(postFormError(address(QStringLiteral("http://"), missing)).contains("404"));
    }

    void silentServerEndsTheCallAfterTheTimeout_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("https") << "https://";
        QTest::newRow("http") << "http://";
    }
    void silentServerEndsTheCallAfterTheTimeout()
    {
        QFETCH(QString, prefix);
        VendorServer::Reply reply;
        reply.silent = true;
        server->setReply(path, reply);
        QElapsedTimer clock;
        clock.start();
        const QString error = postFormError(address(prefix), shortTimeoutMs);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(error.contains(QString::number(shortTimeoutMs)), qPrintable(error));
        // The error names the limit that ended the call; a busy machine may end it later.
        QVERIFY2(elapsed >= shortTimeoutMs, qPrintable(QString::number(elapsed)));
        QCOMPARE(server->requests().size(), 1); // the request did arrive
    }

    void refusedConnectionFails_data() { silentServerEndsTheCallAfterTheTimeout_data(); }
    void refusedConnectionFails()
    {
        QFETCH(QString, prefix);
        const QString error =
            postFormError(prefix + QStringLiteral("127.0.0.1:%1/x").arg(closedPort()));
        QVERIFY2(error.contains(QLatin1String("onnect")), qPrintable(error));
    }

    void stalledHandshakeEndsAfterTheConnectTimeout()
    {
        const UnansweredPort unanswered;
        QElapsedTimer clock;
        clock.start();
        const QString error = postFormError(
            QStringLiteral("https://127.0.0.1:%1/x").arg(unanswered.port()), shortTimeoutMs);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(error.contains(QRegularExpression(QStringLiteral("time(d )?out"))),
                 qPrintable(error));
        QVERIFY2(elapsed >= shortTimeoutMs - 50, qPrintable(QString::number(elapsed)));
    }

    void unknownHostFails()
    {
        // ".invalid" never resolves.
        QVERIFY(!postFormError(QStringLiteral("https://vendor.invalid/x")).isEmpty());
    }

    void certificateIsCheckedAgainstTheCaFile()
    {
        const QByteArray caFile = qgetenv("HUSHMILL_CA_FILE");
        qunsetenv("HUSHMILL_CA_FILE");
        const QString error = postFormError(address(QStringLiteral("https://")));
        qputenv("HUSHMILL_CA_FILE", caFile);
        QVERIFY2(error.contains(QLatin1String("certificate")), qPrintable(error));
        QVERIFY(server->requests().isEmpty());

        QCOMPARE(PostForm(address(QStringLiteral("https://")), {}, 3000), QString());
        // A CA file is only for the encrypted client; the plain one ignores it.
        qputenv("HUSHMILL_CA_FILE", "/nonexistent/ca.pem");
        const QString plainReply = PostForm(address(QStringLiteral("http://")), {}, 3000);
        qputenv("HUSHMILL_CA_FILE", caFile);
        QCOMPARE(plainReply, QString());
    }

    void replyIsReadUpToOneMebibyte_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<bool>("fails");
        // clang-format off
        QTest::newRow("https, exactly 1 MiB") << "https://" << 16  << false;
        QTest::newRow("https, over 1 MiB")    << "https://" << 17  << true;
        QTest::newRow("http, over 1 MiB")     << "http://"  << 17  << true;
        QTest::newRow("https, 32 MiB")        << "https://" << 512 << true;
        // clang-format on
    }
    void replyIsReadUpToOneMebibyte()
    {
        QFETCH(QString, prefix);
        QFETCH(int, repeat);
        QFETCH(bool, fails);
        VendorServer::Reply reply;
        reply.body = QString(64 * 1024, QLatin1Char('x'));
        reply.repeat = repeat;
        server->setReply(path, reply);
        if (fails)
            QVERIFY(postFormError(address(prefix)).contains(QLatin1String("larger")));
        else
            QCOMPARE(PostForm(address(prefix), {}, 3000).size(), maxReplyBytes);
    }

    void unknownCharsetFails()
    {
        VendorServer::Reply reply;
        reply.body = QStringLiteral("OK");
        reply.contentType = "text/plain; charset=x-no-such-charset";
        server->setReply(path, reply);
        QVERIFY(postFormError(address(QStringLiteral("https://")))
                    .contains(QLatin1String("x-no-such-charset")));
    }

    void callsOnTwoThreadsDoNotWaitForEachOther()
    {
        // One thread waits on a silent server while this one goes on posting.
        const QString silentPath = QStringLiteral("/silent");
        VendorServer::Reply silent;
        silent.silent = true;
        server->setReply(silentPath, silent);
        VendorServer::Reply ok;
        ok.body = QStringLiteral("OK");
        server->setReply(path, ok);

        QString silentError;
        const std::unique_ptr<QThread> waiting(QThread::create([&] {
            silentError = postFormError(address(QStringLiteral("https://"), silentPath), 8000);
        }));
        waiting->start();
        QTRY_COMPARE(server->requests().size(), 1);
        for (int i = 0; i < 5; ++i) {
            const QString prefix = i % 2 ? QStringLiteral("https://") : QStringLiteral("http://");
            QCOMPARE(PostForm(address(prefix), {QStringLiteral("n=%1").arg(i)}, 3000),
                     QStringLiteral("OK"));
        }
        // Five answered posts while the silent one still waits for its limit.
        QVERIFY(waiting->isRunning());
        QVERIFY(waiting->wait(60000));
        QVERIFY(silentError.contains(QLatin1String("8000")));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const WebClientSetup webClient;
    TestPostForm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_postform.moc"
