#include "app/folderscan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TestFolderScan : public QObject
{
    Q_OBJECT

    QTemporaryDir temporary;
    QString root;
    bool lockedIsReadable = false;

    void file(const QString &relative)
    {
        QVERIFY(QDir(root).mkpath(QFileInfo(relative).path()));
        QFile created(root + u'/' + relative);
        QVERIFY(created.open(QIODevice::WriteOnly));
    }
    void link(const QString &target, const QString &relative)
    {
        QVERIFY(QFile::link(target, root + u'/' + relative));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(temporary.isValid());
        root = temporary.path() + QStringLiteral("/tree");
        file("b.mp3");
        file("B.mp3");
        file("A.wav");
        file(".hidden.flac");
        file("_intro.mp3");
        file("c.MP3");
        file("notes.txt");
        file("album.mp3/inner.wv");
        file("Sub/z.m4a");
        file("Sub/deep/x.ogg");
        file("Sub/deep/y.aac");
        file("Sub/deep/deeper/w.webm");
        file("empty/readme");
        file("locked/secret.mp3");
        link(".", "loop");       // back to the folder being scanned
        link("..", "Sub/back");  // back to an ancestor
        link("Sub", "zlink");    // to a folder scanned already
        link("missing", "gone"); // broken: neither file of a known type nor folder
        // Pipes never count: reading one waits for a writer.
        QCOMPARE(::mkfifo(QFile::encodeName(root + "/pipe.mp3").constData(), 0600), 0);
        link("pipe.mp3", "pipelink.mp3");
        QVERIFY(QFile::setPermissions(root + "/locked", {}));
        // Without the right to read it, the folder adds nothing; the superuser may read it.
        lockedIsReadable = QDir(root + "/locked").entryList(QDir::Files).size() == 1;
    }
    void cleanupTestCase()
    {
        QFile::setPermissions(root + "/locked",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void depthFirstInNameOrder_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("folder") << "";
        QTest::newRow("folder with a closing slash") << "/";
    }
    void depthFirstInNameOrder()
    {
        QFETCH(QString, suffix);
        QStringList expected = {".hidden.flac", "A.wav", "album.mp3/inner.wv",
                                "B.mp3",        "b.mp3", "c.MP3"};
        if (lockedIsReadable)
            expected << "locked/secret.mp3";
        expected << "Sub/deep/deeper/w.webm"
                 << "Sub/deep/y.aac"
                 << "Sub/z.m4a"
                 << "_intro.mp3";
        for (QString &path : expected)
            path.prepend(root + u'/');

        QStringList found = {"/kept/first.mp3"};
        QList<QByteArray> unreadable;
        scanMediaFiles(QFile::encodeName(root + suffix), found, unreadable);
        QCOMPARE(found, QStringList("/kept/first.mp3") + expected);
        QCOMPARE(unreadable, QList<QByteArray>());
    }

    void missingFolderAddsNothing()
    {
        QStringList found;
        QList<QByteArray> unreadable;
        scanMediaFiles(QFile::encodeName(root + "/no such folder"), found, unreadable);
        scanMediaFiles(QFile::encodeName(root + "/b.mp3"), found, unreadable);
        QCOMPARE(found, QStringList());
        QCOMPARE(unreadable, QList<QByteArray>());
    }

    void namesThatAreNotTextStayBytes()
    {
        // "\xff\xfe.mp3" reads as "\uFFFD\uFFFD.mp3", the name of its neighbour: never
        // take the one for the other. Below a folder whose name is not text, nothing is text.
        const QByteArray odd = QFile::encodeName(temporary.path()) + "/odd";
        const QByteArray twin = "\xef\xbf\xbd\xef\xbf\xbd.mp3";
        QVERIFY(QDir().mkpath(QFile::decodeName(odd)));
        for (const QByteArray &name : {QByteArray("\xff\xfe.mp3"), twin,
                                       QByteArray("\xff"
                                                  "dir")}) {
            if (name.endsWith(".mp3"))
                QVERIFY(::close(::open(odd + '/' + name, O_CREAT | O_WRONLY, 0600)) == 0);
            else
                QCOMPARE(::mkdir(odd + '/' + name, 0700), 0);
        }
        QVERIFY(::close(::open(odd + "/\xff"
                                     "dir/inside.mp3",
                               O_CREAT | O_WRONLY, 0600)) == 0);

        QStringList found;
        QList<QByteArray> unreadable;
        scanMediaFiles(odd, found, unreadable);
        QCOMPARE(found, QStringList(QFile::decodeName(odd + '/' + twin)));
        QCOMPARE(unreadable, QList<QByteArray>({odd + "/\xff"
                                                      "dir/inside.mp3",
                                                odd + "/\xff\xfe.mp3"}));
    }
};

QTEST_GUILESS_MAIN(TestFolderScan)
#include "tst_folderscan.moc"
