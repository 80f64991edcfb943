#include "processing/levelsdecode.h"
#include "processing/levelsloader.h"
#include "processing/silenceshading.h"
#include "support/testaudio.h"
#include "support/testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace
{
// Gates of the time t: 1 inside [from, to), else 0.
QString between(double from, double to)
{
    return QStringLiteral("(gte(t\\,%1)*lt(t\\,%2))").arg(from).arg(to);
}

// A sine whose RMS level is `db` dB.
QString tone(double db, int hertz = 440)
{
    return QStringLiteral("%1*sin(2*PI*%2*t)")
        .arg(std::sqrt(2.0) * std::pow(10.0, db / 20), 0, 'g', 10)
        .arg(hertz);
}

// White noise whose RMS level is `db` dB.
QString noise(double db)
{
    return QStringLiteral("%1*(2*random(0)-1)")
        .arg(std::sqrt(3.0) * std::pow(10.0, db / 20), 0, 'g', 10);
}

double meanDb(const Loudness &loudness, double from, double to)
{
    const auto first = qsizetype(from / loudness.windowSeconds());
    const auto end = qsizetype(to / loudness.windowSeconds());
    double sum = 0;
    for (qsizetype i = first; i < end; ++i)
        sum += levelDb(loudness.meanSquares[i]);
    return sum / double(end - first);
}

LevelsResult decode(const QString &path)
{
    const std::atomic<bool> cancel = false;
    return decodeLevels(path, QDir::tempPath(), cancel);
}
} // namespace

class TestLevels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        // Syllables of a gliding tone, with pauses of 0.15, 0.6, 0.1 and 1.3 s, a sound of
        // 0.1 s alone in the long pause, and silence at both ends.
        const QString syllables =
            QStringLiteral("0.3*sin(2*PI*(180+40*sin(2*PI*2*t))*t)*sqrt(abs(sin(2*PI*3*t)))");
        QVERIFY(makeAudioFromExpression(fixture("speech"),
                                        syllables + "*(" + between(0.3, 1.1) + "+" +
                                            between(1.25, 2.0) + "+" + between(2.6, 3.4) + "+" +
                                            between(3.5, 3.6) + "+" + between(4.9, 6.0) + ")",
                                        7));
        // A steady tone with gaps of 1, 0.5 and 0.15 s and 1.2 s of silence at the end.
        QVERIFY(makeAudioFromExpression(fixture("tone"),
                                        tone(-20) + "*(1-" + between(2, 3) + "-" +
                                            between(3.15, 3.65) + "-" + between(5.65, 5.8) + "-" +
                                            between(6.8, 8) + ")",
                                        8));
        // Noise at -60 dB throughout, three times louder stretches at -20 dB.
        QVERIFY(makeAudioFromExpression(fixture("noise"),
                                        noise(-60) + "*(1+99*(" + between(0.5, 2) + "+" +
                                            between(2.4, 4) + "+" + between(5, 6) + "))",
                                        7));
    }

    // Levels of known signals, the channels taken together as the filter does.
    void knownLevels_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<double>("toneDb");
        const QString parts =
            tone(-20) + "*" + between(0, 1) + "+" + noise(-60) + "*" + between(2, 3);
        const QString toneLeftOnly = parts + "|" + noise(-60) + "*" + between(2, 3);
        // clang-format off
        QTest::newRow("mono")                        << parts              << -20.0;
        QTest::newRow("stereo, the same both sides") << parts + "|" + parts << -20.0;
        QTest::newRow("stereo, tone on one side")    << toneLeftOnly       << -23.01;
        // clang-format on
    }
    void knownLevels()
    {
        QFETCH(QString, expression);
        QFETCH(double, toneDb);
        const QString path = folder.filePath("known.wav");
        QVERIFY(makeAudioFromExpression(path, expression, 3, {"-c:a", "pcm_f32le"}));
        const LevelsResult result = decode(path);
        QVERIFY2(result.loudness, qPrintable(result.error));
        const Loudness &loudness = *result.loudness;
        QCOMPARE(loudness.frames, 3 * 44100);
        QCOMPARE(loudness.windowFrames, 882);
        QCOMPARE(loudness.meanSquares.size(), 150);
        QVERIFY(qAbs(meanDb(loudness, 0.1, 0.9) - toneDb) < 0.1);
        QCOMPARE(meanDb(loudness, 1.1, 1.9), levelFloorDb);
        QVERIFY(qAbs(meanDb(loudness, 2.1, 2.9) + 60) < 0.5);
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // clang-format off
        QTest::newRow("not audio")   << QByteArray("this is no recording\n");
        QTest::newRow("empty")       << QByteArray();
        // clang-format on
    }
    void unreadableFiles()
    {
        QFETCH(QByteArray, bytes);
        const QString path = folder.filePath("damaged.mp3");
        QVERIFY(writeBytes(path, bytes));
        const LevelsResult result = decode(path);
        QVERIFY(!result.loudness);
        QCOMPARE(result.error, levelsUnreadable);
    }

    // What the shading says is removed agrees with what the filter removes.
    void shadingMatchesFilter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("duration");
        QTest::addColumn<int>("keep");
        // clang-format off
        QTest::newRow("speech")                        << "speech" << 50 << 2  << 0;
        QTest::newRow("speech, keep 0.25 s")           << "speech" << 50 << 2  << 5;
        QTest::newRow("speech, long pauses only")      << "speech" << 50 << 5  << 2;
        QTest::newRow("speech, no duration")           << "speech" << 30 << 0  << 0;
        QTest::newRow("speech, one second kept")       << "speech" << 50 << 10 << 20;
        QTest::newRow("tone")                          << "tone"   << 50 << 2  << 0;
        QTest::newRow("tone, keep 0.25 s")             << "tone"   << 50 << 2  << 5;
        QTest::newRow("tone, long pauses, some kept")  << "tone"   << 50 << 5  << 2;
        QTest::newRow("tone, keep without a duration") << "tone"   << 50 << 0  << 10;
        QTest::newRow("noise under the threshold")     << "noise"  << 50 << 2  << 0;
        QTest::newRow("noise over the threshold")      << "noise"  << 70 << 2  << 0;
        QTest::newRow("noise, short pauses adding up") << "noise"  << 50 << 5  << 10;
        QTest::newRow("noise, short steps")            << "noise"  << 40 << 1  << 1;
        // clang-format on
    }
    void shadingMatchesFilter()
    {
        QFETCH(QString, name);
        QFETCH(int, threshold);
        QFETCH(int, duration);
        QFETCH(int, keep);
        const SilenceSettings settings{threshold, duration, keep};
        const LevelsResult result = decode(fixture(name));
        QVERIFY2(result.loudness, qPrintable(result.error));
        const Loudness &loudness = *result.loudness;

        const QString out = folder.filePath("out.wav");
        QCOMPARE(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-i", fixture(name), "-af",
                                              silenceFilter(settings), out}),
                 0);
        const double filtered = audioSeconds(out);
        const double shaded =
            loudness.seconds() - removedSeconds(loudness, removedStretches(loudness, settings));
        QVERIFY2(qAbs(shaded - filtered) <= 0.02 * loudness.seconds(),
                 qPrintable(QStringLiteral("kept by the filter %1 s, by the shading %2 s")
                                .arg(filtered)
                                .arg(shaded)));
    }

    // A file is decoded once: its levels stay known after the file is gone.
    void loaderKeepsWhatItRead()
    {
        const QString path = folder.filePath("once.wav");
        QVERIFY(makeTestAudio(path, 1, {}, 2));
        LevelsLoader loader(QDir::tempPath());
        QSignalSpy ready(&loader, &LevelsLoader::ready);
        QVERIFY(!loader.request(path));
        QVERIFY(!loader.request(path)); // asked again while it is read: still one decode
        QVERIFY(ready.wait(30000));
        QCOMPARE(ready.size(), 1);
        QCOMPARE(ready.at(0).at(0).toString(), path);
        QVERIFY(QFile::remove(path));
        const LevelsResult *known = loader.request(path);
        QVERIFY(known && known->loudness);
        QCOMPARE(known->loudness->frames, 2 * 44100);
    }

    // A file no longer wanted is dropped unfinished; the loader goes without waiting for it.
    void droppedFileIsNotKept()
    {
        const QString first = folder.filePath("first.wav");
        const QString second = folder.filePath("second.wav");
        QVERIFY(makeTestAudio(first, 1, {}, 2));
        QVERIFY(makeTestAudio(second, 1, {}, 2));
        LevelsLoader loader(QDir::tempPath());
        QSignalSpy ready(&loader, &LevelsLoader::ready);
        loader.request(first);
        loader.request(second);
        QTRY_VERIFY_WITH_TIMEOUT(ready.contains({second}), 30000);
        QVERIFY(loader.request(second));
    }

private:
    QString fixture(const QString &name) const { return folder.filePath(name + ".wav"); }

    QTemporaryDir folder;
};

QTEST_GUILESS_MAIN(TestLevels)
#include "tst_levels.moc"
