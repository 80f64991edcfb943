#include "processing/savedtime.h"
#include "support/testfiles.h"

#include <QTest>

// The Saved text from what ffmpeg printed while converting, and the summary of a batch.
class TestSavedTime : public QObject
{
    Q_OBJECT

private slots:
    void savedText_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("expected");

        // Console output recorded from ffmpeg 5.1 converting six seconds at -50 dB and 0.2 s.
        const auto recorded = [](const char *name) {
            return QString::fromUtf8(
                readBytes(QStringLiteral(HUSHMILL_TEST_DATA "/ffmpeg-output/") + name));
        };
        QTest::newRow("mp3") << "OK" << recorded("talk.mp3.txt") << "6.0 s → 3.1 s (−48 %)";
        QTest::newRow("wav") << "OK" << recorded("talk.wav.txt") << "6.0 s → 3.1 s (−48 %)";
        QTest::newRow("m4a") << "OK" << recorded("talk.m4a.txt") << "6.0 s → 3.1 s (−48 %)";
        QTest::newRow("no silence") << "OK" << recorded("tone.mp3.txt") << "6.0 s → 6.0 s (0 %)";
        QTest::newRow("all silence, mp3")
            << "OK" << recorded("quiet.mp3.txt") << "6.0 s → 0.0 s (−100 %)";
        QTest::newRow("all silence, wav")
            << "OK" << recorded("quiet.wav.txt") << "6.0 s → 0.0 s (−100 %)";
        QTest::newRow("input missing") << "Error" << recorded("gone.mp3.txt") << "";
        // Lengths and progress were printed before the write failed.
        QTest::newRow("failed write") << "Error" << recorded("toolarge.wav.txt") << "";
        QTest::newRow("stopped") << "Stopped" << recorded("talk.mp3.txt") << "";

        QTest::newRow("minutes and hours")
            << "OK"
            << "  Duration: 01:02:05.40, start: 0.000000\nsize= 1kB time=00:02:05.49 bitrate"
            << "1:02:05 → 2:05 (−97 %)";
        QTest::newRow("just under a minute")
            << "OK"
            << "  Duration: 00:00:59.96, bitrate: 64 kb/s\nsize= 1kB time=00:00:59.94 bitrate"
            << "1:00 → 59.9 s (0 %)";
        QTest::newRow("early negative time, then the last")
            << "OK"
            << "  Duration: 00:00:10.00, start\nsize= 0kB time=-00:00:00.02 bitrate=N/A\r"
               "size= 9kB time=00:00:07.50 bitrate"
            << "10.0 s → 7.5 s (−25 %)";
        QTest::newRow("no progress at all") << "OK"
                                            << "  Duration: 00:00:10.00, start\n"
                                            << "";
        QTest::newRow("unknown input length")
            << "OK"
            << "  Duration: N/A, bitrate: N/A\nsize= 9kB time=00:00:07.50 bitrate"
            << "";
        QTest::newRow("a length beyond ffmpeg's clock is none")
            << "OK"
            << "  Duration: 00:00:10.00, start\nsize= 9kB time=9999999999999999:00:00.00 bitrate"
            << "";
        QTest::newRow("a metadata tag named Duration is no length")
            << "OK"
            << "    Duration        : 00:00:20.00\nsize= 9kB time=00:00:07.50 bitrate"
            << "";
    }
    void savedText()
    {
        QFETCH(QString, result);
        QFETCH(QString, output);
        QFETCH(QString, expected);
        QCOMPARE(::savedText(savedTimeOfRun(result, output)), expected);
    }

    void summary_data()
    {
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QList<double>>("lengths"); // input and output of each "OK" row
        QTest::addColumn<QString>("expected");
        QTest::newRow("one error")
            << QStringList{"OK", "Error", "OK"} << QList<double>{400, 250, 182, 111}
            << "2 converted, 1 error, 3:41 of silence removed (38 %)";
        QTest::newRow("errors only") << QStringList{"Error", "Error"} << QList<double>{}
                                     << "0 converted, 2 errors, 0:00 of silence removed (0 %)";
        QTest::newRow("stopped") << QStringList{"OK", "Stopped", "Stopped"}
                                 << QList<double>{7200, 3599.4}
                                 << "1 converted, 0 errors, 2 stopped, 1:00:01 of silence "
                                    "removed (50 %)";
    }
    void summary()
    {
        QFETCH(QStringList, results);
        QFETCH(QList<double>, lengths);
        QFETCH(QString, expected);
        BatchTally tally;
        qsizetype next = 0;
        for (const QString &result : results) {
            std::optional<SavedTime> saved;
            if (result == QLatin1String("OK")) {
                saved = SavedTime{lengths[next], lengths[next + 1]};
                next += 2;
            }
            tally.add(result, saved);
        }
        QCOMPARE(batchSummary(tally), expected);
    }
};

QTEST_GUILESS_MAIN(TestSavedTime)
#include "tst_savedtime.moc"
