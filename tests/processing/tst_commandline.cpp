#include "processing/commandline.h"

#include <QDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("oneFile");

        QTest::newRow("input then output")
            << QStringList{"-input", "/in/talk.mp3", "-output", "/out/talk.mp3"} << "/in/talk.mp3"
            << "/out/talk.mp3" << true;
        QTest::newRow("quoted path with spaces")
            << QStringList{"-input", "/in/my talk.mp3", "-output", "/out/my talk.mp3"}
            << "/in/my talk.mp3"
            << "/out/my talk.mp3" << true;
        QTest::newRow("unquoted spaces rebuilt with one space")
            << QStringList{"-input", "/in/my", "talk.mp3", "-output", "/out/x.mp3"}
            << "/in/my talk.mp3"
            << "/out/x.mp3" << true;
        QTest::newRow("output first")
            << QStringList{"-output", "/out/a.mp3", "-input", "/in/a.mp3"} << "/in/a.mp3"
            << "/out/a.mp3" << true;
        QTest::newRow("output first, unquoted spaces: no input found")
            << QStringList{"-output", "/out/a.mp3", "-input", "/in/my", "a.mp3"} << ""
            << "/out/a.mp3 -input /in/my a.mp3" << false;
        QTest::newRow("input alone") << QStringList{"-input", "/in/a.mp3"} << "/in/a.mp3"
                                     << "" << false;
        QTest::newRow("capitals not recognised")
            << QStringList{"-INPUT", "/in/a.mp3", "-OUTPUT", "/out/a.mp3"} << ""
            << "" << false;
        QTest::newRow("quoted paths holding the option words are taken whole")
            << QStringList{"-input", "/in/song -output x.mp3", "-output", "/o/-input.mp3"}
            << "/in/song -output x.mp3"
            << "/o/-input.mp3" << true;
        QTest::newRow("folder named my-output, given quoted")
            << QStringList{"-input", "/data/my-output/a.mp3", "-output", "/out/a.mp3"}
            << "/data/my-output/a.mp3"
            << "/out/a.mp3" << true;
        // The characters on both sides of "-output" are taken for separating blanks and dropped.
        QTest::newRow("unquoted path holding -output is cut there")
            << QStringList{"-input", "/data/my-output/my", "a.mp3", "-output", "/out/a.mp3"}
            << "/data/m"
            << "my a.mp3 -output /out/a.mp3" << true;
        QTest::newRow("plain list") << QStringList{"/a.mp3", "/music"} << ""
                                    << "" << false;
        QTest::newRow("output at the very start") << QStringList{"-output"} << ""
                                                  << "" << false;
        QTest::newRow("text before output too short") << QStringList{"x-output", "/o.mp3"} << ""
                                                      << "/o.mp3" << false;
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(bool, oneFile);
        const CommandLineRequest request = readCommandLine(arguments);
        QCOMPARE(request.input, input);
        QCOMPARE(request.output, output);
        QCOMPARE(request.convertsOneFile(), oneFile);
    }

    void relativePathsBecomeAbsolute_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("absolute");
        const QString here = QDir::currentPath();
        // clang-format off
        QTest::newRow("empty")                 << ""                   << "";
        QTest::newRow("absolute kept")         << "/in/a.mp3"          << "/in/a.mp3";
        QTest::newRow("relative")              << "in/a.mp3"           << here + "/in/a.mp3";
        QTest::newRow("looks like an option")  << "-y.mp3"             << here + "/-y.mp3";
        QTest::newRow("looks like a protocol") << "concat:a.mp3|b.mp3" << here + "/concat:a.mp3|b.mp3";
        // clang-format on
    }
    void relativePathsBecomeAbsolute()
    {
        QFETCH(QString, path);
        QFETCH(QString, absolute);
        QCOMPARE(absolutePath(path), absolute);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
