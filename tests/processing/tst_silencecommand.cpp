#include "base/fileextension.h"
#include "processing/silencecommand.h"

#include <QLocale>
#include <QTest>

class TestSilenceCommand : public QObject
{
    Q_OBJECT

private slots:
    void parameterTexts_data()
    {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("duration");
        QTest::addColumn<QString>("expectedThreshold");
        QTest::addColumn<QString>("expectedDuration");
        // clang-format off
        QTest::newRow("lowest")        << 0   << 0  << "-0dB"   << "0.0";
        QTest::newRow("defaults")      << 20  << 2  << "-20dB"  << "0.2";
        QTest::newRow("half a second") << 7   << 5  << "-7dB"   << "0.5";
        QTest::newRow("highest")       << 100 << 10 << "-100dB" << "1.0";
        // clang-format on
    }
    void parameterTexts()
    {
        QFETCH(int, threshold);
        QFETCH(int, duration);
        QFETCH(QString, expectedThreshold);
        QFETCH(QString, expectedDuration);
        const QString filter = QStringLiteral("silenceremove=start_periods=1:start_threshold=%1"
                                              ":start_duration=%2:stop_periods=-1"
                                              ":stop_threshold=%1:stop_duration=%2")
                                   .arg(expectedThreshold, expectedDuration);
        QCOMPARE(silenceFilter({threshold, duration}), filter);

        // A locale with a decimal comma changes nothing.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(QLocale().toString(0.5, 'f', 1), QStringLiteral("0,5"));
        QCOMPARE(durationText(duration), expectedDuration);
        QCOMPARE(thresholdText(threshold), expectedThreshold);
        QCOMPARE(silenceFilter({threshold, duration}), filter);
        QLocale::setDefault(before);
    }

    // Without kept silence the filter is exactly the plain one; with it, both sides keep the
    // same amount.
    void commandTextAndArguments_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<QString>("kept");
        // clang-format off
        QTest::newRow("nothing kept")   << 0  << "";
        QTest::newRow("a quarter")      << 5  << ":start_silence=0.25:stop_silence=0.25";
        QTest::newRow("one step")       << 1  << ":start_silence=0.05:stop_silence=0.05";
        QTest::newRow("a whole second") << 20 << ":start_silence=1.00:stop_silence=1.00";
        // clang-format on
    }
    void commandTextAndArguments()
    {
        QFETCH(int, keep);
        QFETCH(QString, kept);
        const QString in = QStringLiteral("/music/my talk.mp3");
        const QString out = QStringLiteral("/out/my talk (2).mp3");
        const QString filter =
            QStringLiteral("silenceremove=start_periods=1:start_threshold=-20dB:start_duration=0.2"
                           ":stop_periods=-1:stop_threshold=-20dB:stop_duration=0.2") +
            kept;
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(silenceCommandText(in, out, {20, 2, keep}),
                 QStringLiteral("ffmpeg -y -i \"/music/my talk.mp3\" -af ") + filter +
                     QStringLiteral(" \"/out/my talk (2).mp3\""));
        QCOMPARE(silenceCommandArguments(in, out, {20, 2, keep}),
                 QStringList({"-xerror", "-y", "-i", in, "-af", filter, out}));
        QLocale::setDefault(before);
    }

    // The same command with the null output in place of the output file.
    void previewCommand()
    {
        const QString in = QStringLiteral("/music/my talk.mp3");
        const SilenceSettings settings{20, 2, 5};
        const QString filter = silenceFilter(settings);
        QCOMPARE(silencePreviewText(in, settings),
                 QStringLiteral("ffmpeg -y -i \"/music/my talk.mp3\" -af ") + filter +
                     QStringLiteral(" -f null -"));
        QCOMPARE(silencePreviewArguments(in, settings),
                 QStringList({"-xerror", "-y", "-i", in, "-af", filter, "-f", "null", "-"}));
    }

    void extensions_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("skipped");
        // clang-format off
        QTest::newRow("matroska in capitals")             << "/in/Talk.MKV"     << ".MKV" << true;
        QTest::newRow("windows media, mixed case")        << "/in/clip.Wmv"     << ".Wmv" << true;
        QTest::newRow("mp4 is converted")                 << "/in/clip.mp4"     << ".mp4" << false;
        QTest::newRow("no extension")                     << "/in/talk"         << ""     << false;
        QTest::newRow("dot in a folder name only")        << "/in/old.mkv/talk" << ""     << false;
        QTest::newRow("last dot counts")                  << "/in/talk.mkv.mp3" << ".mp3" << false;
        QTest::newRow("colon and backslash are ordinary") << "/in/a:b\\c.wmv"   << ".wmv" << true;
        QTest::newRow("dot file")                         << "/in/.mkv"         << ".mkv" << true;
        // clang-format on
    }
    void extensions()
    {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(bool, skipped);
        QCOMPARE(fileExtension(path), extension);
        QCOMPARE(isSkippedVideo(path), skipped);
    }
};

QTEST_GUILESS_MAIN(TestSilenceCommand)
#include "tst_silencecommand.moc"
