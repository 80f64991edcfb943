#include "app/helpaddress.h"
#include "base/apperror.h"

#include <QTest>
#include <cerrno>

class TestAppError : public QObject
{
    Q_OBJECT

private slots:
    void errorBoxText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("plain")              << "Unable to create directory"  << "Unable to create directory.";
        QTest::newRow("period")             << "Done."                       << "Done.";
        QTest::newRow("exclamation")        << "File not found!"             << "File not found!";
        QTest::newRow("blank")              << "Trailing "                   << "Trailing ";
        QTest::newRow("comma")              << "a,"                          << "a,";
        QTest::newRow("slash after period") << "path/"                       << "path/.";
        QTest::newRow("quote")              << "Cannot create file \"x\""    << "Cannot create file \"x\"";
        QTest::newRow("letter")             << "x"                           << "x.";
        QTest::newRow("empty")              << ""                            << "";
        QTest::newRow("non-ASCII")          << QString::fromUtf8("Fehler ä") << QString::fromUtf8("Fehler ä.");
        // clang-format on
    }
    void errorBoxText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(::errorBoxText(message), shown);
    }

    void osErrorCarriesCodeAndSystemText()
    {
        const OSError error(ENOENT);
        QCOMPARE(error.code(), ENOENT);
        QCOMPARE(error.message(),
                 QStringLiteral("System Error.  Code: 2.\nNo such file or directory"));
        QCOMPARE(exceptionText(error), error.message());
        QCOMPARE(QString::fromUtf8(error.what()), error.message());
    }

    void helpAddress_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("address");
        // clang-format off
        QTest::newRow("one word")       << "Hushmill"                    << "http://h.example/help/hushmill/";
        QTest::newRow("two words")      << "Two Words"                   << "http://h.example/help/two-words/";
        QTest::newRow("non-ASCII kept") << QString::fromUtf8("Ünï Mill") << QString::fromUtf8("http://h.example/help/Ünï-mill/");
        // clang-format on
    }
    void helpAddress()
    {
        QFETCH(QString, product);
        QFETCH(QString, address);
        QCOMPARE(::helpAddress(QStringLiteral("h.example"), product), address);
    }
};

QTEST_GUILESS_MAIN(TestAppError)
#include "tst_apperror.moc"
