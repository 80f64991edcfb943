#include "app/mediatypes.h"

#include <QTest>

class TestMediaTypes : public QObject
{
    Q_OBJECT

private slots:
    void isMediaFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accepted");
        // clang-format off
        QTest::newRow("upper case")                << "/music/song.MP3"                     << true;
        QTest::newRow("mixed case")                << "/music/song.Mp3"                     << true;
        QTest::newRow("blank after")               << "/music/song.mp3 "                    << false;
        QTest::newRow("backup")                    << "/music/song.mp3.bak"                 << false;
        QTest::newRow("last extension counts")     << "/music/archive.tar.flac"             << true;
        QTest::newRow("no point")                  << "/music/song"                         << false;
        QTest::newRow("only an extension")         << ".wav"                                << true;
        QTest::newRow("hidden file")               << "/music/.wav"                         << true;
        QTest::newRow("point in a folder name")    << "/music/music.mp3/readme"             << false;
        QTest::newRow("point then slash")          << "/music/song.mp3/"                    << false;
        QTest::newRow("ends in a point")           << "/music/song."                        << false;
        QTest::newRow("ogg")                       << "/music/song.ogg"                     << false;
        QTest::newRow("opus")                      << "/music/song.opus"                    << false;
        QTest::newRow("backslash is a character")  << "/music/a\\b.mp3"                     << true;
        QTest::newRow("backslash after the point") << "/music/a.mp3\\b"                     << false;
        QTest::newRow("colon is a character")      << "/music/c:.wav"                       << true;
        QTest::newRow("colon after the point")     << "/music/a.wav:b"                      << false;
        QTest::newRow("only A to Z are lowered")   << QString::fromUtf8("/v/clip.m\u212Av") << false;
        QTest::newRow("video")                     << "/v/clip.MKV"                         << true;
        QTest::newRow("empty")                     << ""                                    << false;
        // clang-format on
    }
    void isMediaFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        QCOMPARE(IsMediaFile(path), accepted);
    }

    void acceptsEachSupportedExtension()
    {
        const QStringList extensions =
            QStringLiteral("mp4 mkv avi mpg mpeg mov wmv flv f4v mp3 "
                           "wma wav m4a aiff aac ac3 eac3 mp2 wv webm flac")
                .split(u' ');
        QCOMPARE(extensions.size(), 21);
        for (const QString &extension : extensions) {
            QVERIFY2(IsMediaFile(QStringLiteral("/a/b.") + extension), qPrintable(extension));
            QVERIFY2(IsMediaFile(QStringLiteral("/a/b.") + extension.toUpper()),
                     qPrintable(extension));
        }
    }

    void addFilesDialogShowsTwoEntries()
    {
        const QStringList entries = qtNameFilters(addFilesFilter()).split(QStringLiteral(";;"));
        QCOMPARE(entries.size(), 2);
        const QString supported = QStringLiteral(
            "Supported Files (*.mp3 *.wav *.m4a *.wma *.flac *.webm *.aiff *.aac *.ogg *.opus "
            "*.ac3 *.eac3 *.mp2 *.wv *.mp4 *.mkv *.avi *.mpg *.mpeg *.mov *.wmv *.flv *.f4v)");
        QCOMPARE(entries[0], supported);
        QCOMPARE(supported.count(QStringLiteral("*.")), 23);
        // "All Files" must show names without a point too.
        QCOMPARE(entries[1], QStringLiteral("All Files (*)"));
    }
};

QTEST_GUILESS_MAIN(TestMediaTypes)
#include "tst_mediatypes.moc"
