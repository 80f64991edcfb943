#include "webservice/downloadaddress.h"
#include "webservice/updaterules.h"

#include <QTest>

class TestUpdateRules : public QObject
{
    Q_OBJECT

private slots:
    void versionDecision_data()
    {
        QTest::addColumn<QString>("replyVersion");
        QTest::addColumn<bool>("other");
        QTest::newRow("higher minor") << "1.3" << true;
        QTest::newRow("two-digit minor") << "1.10" << true;
        QTest::newRow("three parts") << "1.2.1" << true;
        QTest::newRow("lower") << "1.1" << true;
        QTest::newRow("with sign") << "+1.3" << true;
        QTest::newRow("negative") << "-1.3" << true;
        QTest::newRow("largest 32-bit") << "2147483.647" << true;
        QTest::newRow("smallest 32-bit") << "-2147483.648" << true;
        QTest::newRow("same") << "1.2" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("word") << "beta" << false;
        QTest::newRow("digits beyond 32 bits") << "10.0.19045.1234" << false;
        QTest::newRow("one past the largest") << "2147483.648" << false;
        QTest::newRow("only dots") << "..." << false;
        QTest::newRow("only a sign") << "-." << false;
        QTest::newRow("blank around") << " 1.3" << false;
        QTest::newRow("suffix") << "1.3b" << false;
        QTest::newRow("hexadecimal") << "0x13" << false;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("١.٣") << false;
    }
    void versionDecision()
    {
        QFETCH(QString, replyVersion);
        QFETCH(bool, other);
        QCOMPARE(reportsOtherVersion(replyVersion, QStringLiteral("1.2")), other);
    }

    void dailyLimit_data()
    {
        QTest::addColumn<QString>("lastCheckDay");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<bool>("limitReached");
        QTest::addColumn<int>("countWithRequest");
        const QString today = QStringLiteral("10/12/2024");
        QTest::newRow("first ever") << "" << 0 << false << 1;
        QTest::newRow("second today") << today << 1 << false << 2;
        QTest::newRow("fifth today") << today << 4 << false << 5;
        QTest::newRow("sixth today") << today << 5 << true << 6;
        QTest::newRow("count beyond the limit") << today << 9 << true << 10;
        QTest::newRow("other day, limit reached then") << "09/12/2024" << 5 << false << 1;
        QTest::newRow("same day in another format") << "2024-12-10" << 5 << false << 1;
    }
    void dailyLimit()
    {
        QFETCH(QString, lastCheckDay);
        QFETCH(int, dayCount);
        QFETCH(bool, limitReached);
        QFETCH(int, countWithRequest);
        const QString today = QStringLiteral("10/12/2024");
        QCOMPARE(dailyLimitReached(lastCheckDay, today, dayCount), limitReached);
        QCOMPARE(dayCountWithRequest(lastCheckDay, today, dayCount), countWithRequest);
    }

    void noticeOnlyAtTheFirstThreeChecksOfADay_data()
    {
        QTest::addColumn<int>("showUpdate");
        QTest::addColumn<bool>("lastCheckWasToday");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<bool>("mayOpen");
        QTest::newRow("first of a new day") << 1 << false << 1 << true;
        QTest::newRow("third today") << 1 << true << 3 << true;
        QTest::newRow("fourth today") << 1 << true << 4 << false;
        QTest::newRow("fifth today") << 1 << true << 5 << false;
        QTest::newRow("ShowUpdate 2") << 2 << false << 1 << false;
        QTest::newRow("ShowUpdate 0") << 0 << false << 1 << false;
    }
    void noticeOnlyAtTheFirstThreeChecksOfADay()
    {
        QFETCH(int, showUpdate);
        QFETCH(bool, lastCheckWasToday);
        QFETCH(int, dayCount);
        QFETCH(bool, mayOpen);
        QCOMPARE(mayOpenNotice(showUpdate, lastCheckWasToday, dayCount), mayOpen);
    }

    void dayTextFollowsTheDateFormat()
    {
        const QDate date(2024, 12, 10);
        const QString american = dayText(date, QLocale(QLocale::English, QLocale::UnitedStates));
        const QString german = dayText(date, QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(american.contains(QLatin1String("12")));
        QVERIFY(american != german);
        QCOMPARE(todayText(), dayText(QDate::currentDate(), QLocale::system()));
    }

    void downloadTargetOnlyForWebAddresses_data()
    {
        QTest::addColumn<QString>("downloadUrl");
        QTest::addColumn<QString>("opened");
        const QString home = QStringLiteral("http://vendor.test/");
        QTest::newRow("https") << "https://dl.vendor.test/hushmill-1.3.exe"
                               << "https://dl.vendor.test/hushmill-1.3.exe";
        QTest::newRow("http with query") << "http://vendor.test/get?f=a&v=1.3"
                                         << "http://vendor.test/get?f=a&v=1.3";
        QTest::newRow("scheme in capitals") << "HTTPS://Vendor.test/x"
                                            << "https://vendor.test/x";
        QTest::newRow("empty") << "" << home;
        QTest::newRow("local file") << "file:///etc/passwd" << home;
        QTest::newRow("bare path") << "/usr/bin/xterm" << home;
        QTest::newRow("other scheme") << "ftp://vendor.test/hushmill.tar" << home;
        QTest::newRow("script") << "javascript:alert(1)" << home;
        QTest::newRow("no host") << "https:///x" << home;
        QTest::newRow("blank") << "   " << home;
    }
    void downloadTargetOnlyForWebAddresses()
    {
        QFETCH(QString, downloadUrl);
        QFETCH(QString, opened);
        QCOMPARE(downloadTarget(downloadUrl, QStringLiteral("http://vendor.test/")).toString(),
                 opened);
    }
};

QTEST_GUILESS_MAIN(TestUpdateRules)
#include "tst_updaterules.moc"
