#include "app/filenametext.h"

#include <QTest>

class TestFileNameText : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("isText");
        QTest::addColumn<QString>("forPeople");
        QTest::addColumn<QString>("asField");
        QTest::newRow("plain") << QByteArray("/m/a.mp3") << true << "/m/a.mp3"
                               << "/m/a.mp3";
        QTest::newRow("UTF-8, and U+FFFD itself")
            << QByteArray("/m/\xc3\xa9\xef\xbf\xbd.mp3") << true
            << QString::fromUtf8("/m/é\uFFFD.mp3") << QString::fromUtf8("/m/é\uFFFD.mp3");
        QTest::newRow("separators of a line")
            << QByteArray("/m/a\\b\tc\nd.mp3") << true << "/m/a\\b\tc\nd.mp3"
            << "/m/a\\\\b\\tc\\nd.mp3";
        QTest::newRow("bytes that are no UTF-8")
            << QByteArray("/m/\xff\xfe.mp3") << false << "/m/\\xff\\xfe.mp3"
            << "/m/\\xff\\xfe.mp3";
        QTest::newRow("a sequence cut short, then text")
            << QByteArray("/m/\xc3.\xe2\x82") << false << "/m/\\xc3.\\xe2\\x82"
            << "/m/\\xc3.\\xe2\\x82";
        QTest::newRow("overlong slash, encoded surrogate, beyond U+10FFFF")
            << QByteArray("\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80") << false
            << "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80"
            << "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80";
        // U+FEFF is a character inside a name; first, the program's text drops it as a
        // byte-order mark, so there the name is no text and the mark is written as bytes.
        const QString mark(QChar(0xFEFF));
        QTest::newRow("U+FEFF inside")
            << QByteArray("/m/\xef\xbb\xbf.mp3") << true << "/m/" + mark + ".mp3"
            << "/m/" + mark + ".mp3";
        QTest::newRow("U+FEFF first")
            << QByteArray("\xef\xbb\xbf\x61.mp3") << false << "\\xef\\xbb\\xbfa.mp3"
            << "\\xef\\xbb\\xbfa.mp3";
        QTest::newRow("four bytes")
            << QByteArray("\xf0\x9f\x8e\xb5") << true << QString::fromUtf8("\U0001F3B5")
            << QString::fromUtf8("\U0001F3B5");
    }
    void names()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, isText);
        QFETCH(QString, forPeople);
        QFETCH(QString, asField);
        QCOMPARE(isNameText(bytes), isText);
        QCOMPARE(readableName(bytes), forPeople);
        QCOMPARE(readableName(bytes, NameEscapes::Fields), asField);
    }

    void folderToRenameIn_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("folder");
        QTest::newRow("file") << QByteArray("/m/n/\xff.mp3") << "/m/n";
        QTest::newRow("folder on the way") << QByteArray("/m/\xff/\xfe/a.mp3") << "/m";
        QTest::newRow("in the root") << QByteArray("/\xff.mp3") << "/";
        QTest::newRow("U+FEFF starts a folder on the way") << QByteArray("/m/\xef\xbb\xbf"
                                                                         "a/\xff.mp3")
                                                           << "/m/" + QString(QChar(0xFEFF)) + "a";
    }
    void folderToRenameIn()
    {
        QFETCH(QByteArray, path);
        QFETCH(QString, folder);
        QCOMPARE(folderOfUnreadableName(path), folder);
    }
};

QTEST_GUILESS_MAIN(TestFileNameText)
#include "tst_filenametext.moc"
