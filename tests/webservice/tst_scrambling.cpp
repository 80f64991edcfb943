#include "webservice/scrambling.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestScrambling : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("download address") << "https://www.quondel.com/download/hushmill-1.3.exe";
        QTest::newRow("one character") << "h";
        QTest::newRow("non-ASCII") << QString::fromUtf8("http://example.org/Grüße/€/日本語");
        QTest::newRow("outside the BMP") << QString::fromUtf8("🎧 ✓");
        QTest::newRow("zero and control characters") << QString::fromUtf8("a\0b\r\n\t", 6);
        QTest::newRow("long") << QString(5000, QLatin1Char('x'));
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        const QString scrambled = ScrambleText(text);
        QCOMPARE(scrambled.size(), 2 * text.toUtf8().size());
        QVERIFY(
            QRegularExpression(QStringLiteral("^(?:[0-9A-F]{2})*$")).match(scrambled).hasMatch());
        QCOMPARE(UnscrambleText(scrambled), text);
        QCOMPARE(UnscrambleText(scrambled.toLower()), text);
        QCOMPARE(ScrambleText(text), scrambled); // the same text always gives the same form
    }

    void scrambledTextIsNotThePlainBytes()
    {
        const QString text = QStringLiteral("https://www.quondel.com/download/aaaaaaaa");
        const QString scrambled = ScrambleText(text);
        QVERIFY(scrambled != QString::fromLatin1(text.toUtf8().toHex().toUpper()));
        // Each byte depends on all before it: the eight equal bytes at the end give unequal pairs.
        QSet<QString> pairs;
        for (qsizetype i = scrambled.size() - 16; i < scrambled.size(); i += 2)
            pairs.insert(scrambled.mid(i, 2));
        QVERIFY(pairs.size() > 1);
    }

    void lastSingleDigitIsIgnored()
    {
        const QString scrambled = ScrambleText(QStringLiteral("abc"));
        QCOMPARE(UnscrambleText(scrambled + QLatin1Char('7')), QStringLiteral("abc"));
        QCOMPARE(UnscrambleText(QStringLiteral("F")), QString());
    }

    void nonHexadecimalPairGivesEmptyText_data()
    {
        QTest::addColumn<QString>("text");
        const QString valid = ScrambleText(QStringLiteral("https://h/d"));
        QTest::newRow("letter beyond F") << valid.left(4) + QStringLiteral("G1") + valid.mid(6);
        QTest::newRow("blank") << valid.left(2) + QStringLiteral(" 1") + valid.mid(4);
        QTest::newRow("sign") << QStringLiteral("-1") + valid;
        QTest::newRow("line break at the end") << valid.chopped(1) + QStringLiteral("\n");
        QTest::newRow("plain address") << QStringLiteral("https://h/d");
        QTest::newRow("non-ASCII digit") << QString::fromUtf8("٣٣");
    }
    void nonHexadecimalPairGivesEmptyText()
    {
        QFETCH(QString, text);
        QCOMPARE(UnscrambleText(text), QString());
    }
};

QTEST_GUILESS_MAIN(TestScrambling)
#include "tst_scrambling.moc"
