#include "base/apperror.h"
#include "processing/outputpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestOutputPath : public QObject
{
    Q_OBJECT

private slots:
    void outputPath_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        // clang-format off
        QTest::newRow("plain")                              << "/in/talk.mp3"   << "/t/talk.mp3";
        QTest::newRow("case kept")                          << "/in/Talk.MP3"   << "/t/Talk.MP3";
        QTest::newRow("no extension")                       << "/in/talk"       << "/t/talk";
        QTest::newRow("dotted folder")                      << "/in.d/talk"     << "/t/talk";
        QTest::newRow("colon and backslash are characters") << "/in/a:b\\c.wav" << "/t/a:b\\c.wav";
        // clang-format on
    }
    void outputPath()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QCOMPARE(outputPathFor(QStringLiteral("/t"), input), output);
    }

    void uniqueNamesAreReservedOnDisk()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + QStringLiteral("/talk.mp3");
        // Each answer is created at once, empty: asking again gives the next name.
        QCOMPARE(MakeUniqueFileName(base), base);
        QCOMPARE(QFileInfo(base).size(), 0);
        QCOMPARE(MakeUniqueFileName(base), dir.path() + QStringLiteral("/talk (2).mp3"));
        QVERIFY(QFileInfo::exists(dir.path() + QStringLiteral("/talk (2).mp3")));

        // A dangling link takes its name (ffmpeg would write through it); a folder does not,
        // and is answered without anything being created.
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/nowhere"),
                            dir.path() + QStringLiteral("/talk (3).mp3")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("talk (4).mp3")));
        QCOMPARE(MakeUniqueFileName(base), dir.path() + QStringLiteral("/talk (4).mp3"));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/nowhere")));

        const QString bare = dir.path() + QStringLiteral("/notes");
        touch(bare);
        QCOMPARE(MakeUniqueFileName(bare), dir.path() + QStringLiteral("/notes (2)"));

        const QString percent = dir.path() + QStringLiteral("/%1 %2.mp3");
        touch(percent);
        QCOMPARE(MakeUniqueFileName(percent), dir.path() + QStringLiteral("/%1 %2 (2).mp3"));

        // A folder that is missing: the name is answered for the conversion to fail on.
        const QString missing = dir.path() + QStringLiteral("/none/talk.mp3");
        QCOMPARE(MakeUniqueFileName(missing), missing);
    }

    void zeroCharacterIsInvalid()
    {
        const QString path = QStringLiteral("/t/a") + QChar(0) + QStringLiteral("b/x.mp3");
        try {
            MakeUniqueFileName(path);
            QFAIL("no error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Invalid characters in path"));
        }
    }

private:
    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
};

QTEST_GUILESS_MAIN(TestOutputPath)
#include "tst_outputpath.moc"
