#include "feedback/emailcheck.h"

#include <QTest>

class TestEmailCheck : public QObject
{
    Q_OBJECT

private slots:
    void isValidEmail_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        // clang-format off
        QTest::newRow("plain")                                   << "me@example.com"                              << true;
        QTest::newRow("every local character")                   << "John.Doe_1+tag-x@mail.example.co.uk"         << true;
        QTest::newRow("upper case")                              << "ME@EXAMPLE.COM"                              << true;
        QTest::newRow("one-letter labels")                       << "a@b.c"                                       << true;
        QTest::newRow("domain label starting with minus")        << "me@-example.com"                             << true;
        QTest::newRow("dots in a row after the first label")     << "me@example..com"                             << true;
        QTest::newRow("empty")                                   << ""                                            << false;
        QTest::newRow("no local part")                           << "@example.com"                                << false;
        QTest::newRow("no at-sign")                              << "me.example.com"                              << false;
        QTest::newRow("two at-signs")                            << "me@@example.com"                             << false;
        QTest::newRow("single domain label")                     << "me@localhost"                                << false;
        QTest::newRow("domain ending in a dot")                  << "me@example.com."                             << false;
        QTest::newRow("domain ending in a minus")                << "me@example.com-"                             << false;
        QTest::newRow("underscore in the domain")                << "me@my_host.com"                              << false;
        QTest::newRow("blank inside")                            << "my name@example.com"                         << false;
        QTest::newRow("surrounding blanks are not trimmed here") << " me@example.com "                            << false;
        QTest::newRow("non-ASCII letter in the local part")      << QString::fromUtf8("jürgen@example.com")       << false;
        QTest::newRow("non-ASCII letter in the domain")          << QString::fromUtf8("me@exämple.com")           << false;
        QTest::newRow("non-ASCII letter at the end")             << QString::fromUtf8("me@example.cö")            << false;
        QTest::newRow("Cyrillic look-alike a")                   << QString::fromUtf8("me@ex\u0430mple.com")      << false;
        QTest::newRow("character outside the basic plane")       << QString::fromUtf8("me\U0001F600@example.com") << false;
        // clang-format on
    }
    void isValidEmail()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidEmail(text), valid);
    }
};

QTEST_GUILESS_MAIN(TestEmailCheck)
#include "tst_emailcheck.moc"
