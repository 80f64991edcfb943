#include "app/folderscan.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// "hushmill --list-supported FOLDER [-0]" asked of the built program: the files a folder load
// would take, for scripts that spread the conversions themselves.
class TestSupportedListing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        music = root.filePath(QStringLiteral("music"));
        QDir().mkpath(music + QStringLiteral("/sub/deep"));
        for (const char *name : {"B.MP3", "a.wav", ".hidden.flac", "notes.txt", "x.ogg",
                                 "sub/deep/c.m4a", "line\nbreak.mp3", "it's \"quoted\".mp3"})
            QVERIFY(writeBytes(music + u'/' + QString::fromUtf8(name), "not checked"));
        // A link back up must not make the listing loop.
        QVERIFY(QFile::link(music, music + QStringLiteral("/sub/loop")));
    }

    void listsWhatAFolderLoadTakes_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("lines") << "";
        QTest::newRow("zero bytes") << "-0";
    }
    void listsWhatAFolderLoadTakes()
    {
        QFETCH(QString, ending);
        const bool zeroEnded = !ending.isEmpty();
        QStringList arguments{QStringLiteral("--list-supported"), music};
        if (zeroEnded)
            arguments << ending;
        QVERIFY(run(arguments));
        QCOMPARE(errors, QByteArray());
        QCOMPARE(exitCode, 0);

        QStringList loaded;
        QList<QByteArray> unreadable;
        scanMediaFiles(QFile::encodeName(music), loaded, unreadable);
        const char end = zeroEnded ? '\0' : '\n';
        QByteArray expected;
        for (const QString &path : std::as_const(loaded))
            expected += QFile::encodeName(path) + end;
        QCOMPARE(output, expected);

        QStringList names;
        for (const QString &path : std::as_const(loaded))
            names << path.mid(music.size() + 1);
        QCOMPARE(names, QStringList({QStringLiteral(".hidden.flac"), QStringLiteral("a.wav"),
                                     QStringLiteral("B.MP3"), QStringLiteral("it's \"quoted\".mp3"),
                                     QStringLiteral("line\nbreak.mp3"),
                                     QStringLiteral("sub/deep/c.m4a")}));
    }

    void pathsBeginWithTheFolderAsGiven()
    {
        QVERIFY(run({QStringLiteral("--list-supported"), QStringLiteral("music/sub"),
                     QStringLiteral("-0")}));
        QCOMPARE(exitCode, 0);
        QVERIFY(output.startsWith(QByteArray("music/sub/deep/c.m4a\0", 21)));
    }

    void refusesWhatIsNoFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("missing") << "nowhere";
        QTest::newRow("a file") << "music/a.wav";
    }
    void refusesWhatIsNoFolder()
    {
        QFETCH(QString, folder);
        QVERIFY(run({QStringLiteral("--list-supported"), folder}));
        QCOMPARE(exitCode, 1);
        QCOMPARE(output, QByteArray());
        QVERIFY2(errors.contains("Not a readable folder: " + folder.toUtf8()), errors);
    }

private:
    bool run(const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(root.path());
        process.start(QStringLiteral(HUSHMILL_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000))
            return false;
        exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        output = process.readAllStandardOutput();
        errors = process.readAllStandardError();
        return true;
    }

    QTemporaryDir root;
    QString music;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

QTEST_GUILESS_MAIN(TestSupportedListing)
#include "tst_supportedlisting.moc"
