#include "webservice/replydecoding.h"
#include "webservice/replylines.h"

#include <QTest>

class TestReplyLines : public QObject
{
    Q_OBJECT

private slots:
    void splitReplyLines_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF, empty line inside")
            << "first\r\n\r\nsecond" << QStringList{"first", "", "second"};
        QTest::newRow("final LF adds no line") << "first\nsecond\n"
                                               << QStringList{"first", "second"};
        QTest::newRow("lone CR") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("mixed") << "a\r\nb\rc\nd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("only a break") << "\r\n" << QStringList{""};
        QTest::newRow("two final breaks") << "a\n\n" << QStringList{"a", ""};
        QTest::newRow("blanks kept") << " a \r\n\t" << QStringList{" a ", "\t"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("check reply")
            << "<version>1.3</version>\r\n<url>http://h/d</url>\r\n\r\n<result>1</result>\r\n"
            << QStringList{"<version>1.3</version>", "<url>http://h/d</url>", "",
                           "<result>1</result>"};
    }
    void splitReplyLines()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, lines);
        QCOMPARE(::splitReplyLines(reply), lines);
    }

    void GetTagValue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        // clang-format off
        QTest::newRow("value")                   << "<version>1.3</version>"                    << "version" << "1.3";
        QTest::newRow("name in capitals")        << "<version>1.3</version>"                    << "VERSION" << "1.3";
        QTest::newRow("tags must be lower case") << "<Version>1.3</Version>"                    << "version" << "";
        QTest::newRow("blank before")            << " <version>1.3</version>"                   << "version" << "";
        QTest::newRow("blank after")             << "<version>1.3</version> "                   << "version" << "";
        QTest::newRow("inside a longer line")    << "x<url>a</url>y"                            << "url"     << "";
        QTest::newRow("empty value")             << "<url></url>"                               << "url"     << "";
        QTest::newRow("other tag")               << "<url>a</url>"                              << "version" << "";
        QTest::newRow("opening tag only")        << "<url>a"                                    << "url"     << "";
        QTest::newRow("blanks in value kept")    << "<url> a b </url>"                          << "url"     << " a b ";
        QTest::newRow("tags inside value")       << "<url><url>x</url></url>"                   << "url"     << "<url>x</url>";
        QTest::newRow("non-ASCII value")         << QString::fromUtf8("<result>Grüße</result>") << "result"  << QString::fromUtf8("Grüße");
        QTest::newRow("empty line")              << ""                                          << "url"     << "";
        QTest::newRow("empty name")              << "<>x</>"                                    << ""        << "";
        // clang-format on
    }
    void GetTagValue()
    {
        QFETCH(QString, line);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(::GetTagValue(line, name), value);
    }

    void decodeReplyBody_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QString>("text");
        const QByteArray utf8 = QString::fromUtf8("Grüße").toUtf8();
        const QByteArray latin1 = QString::fromUtf8("Grüße").toLatin1();
        QTest::newRow("no Content-Type") << utf8 << QByteArray() << QString::fromUtf8("Grüße");
        QTest::newRow("no charset")
            << utf8 << QByteArray("text/html") << QString::fromUtf8("Grüße");
        QTest::newRow("charset in capitals, blanks")
            << latin1 << QByteArray("text/plain ;  CHARSET = ISO-8859-1 ")
            << QString::fromUtf8("Grüße");
        QTest::newRow("quoted charset after another parameter")
            << latin1 << QByteArray("text/plain; format=flowed; charset=\"latin1\"")
            << QString::fromUtf8("Grüße");
        QTest::newRow("byte-order mark dropped")
            << QByteArray("\xEF\xBB\xBFOK") << QByteArray("text/plain; charset=utf-8") << "OK";
        // A reply is whole: a character cut short at its end is shown as such, not dropped.
        QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("OK\xC3") << QByteArray("text/plain") << QStringLiteral(u"OK\uFFFD");
        QTest::newRow("UTF-16 cut short at the end")
            << QByteArray("O\0K\0!", 5) << QByteArray("text/plain; charset=UTF-16LE")
            << QStringLiteral(u"OK\uFFFD");
    }
    void decodeReplyBody()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(QString, text);
        QCOMPARE(::decodeReplyBody(body, contentType), text);
    }
};

QTEST_GUILESS_MAIN(TestReplyLines)
#include "tst_replylines.moc"
