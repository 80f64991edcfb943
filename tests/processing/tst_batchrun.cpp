#include "app/appform.h"
#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "platform/beep.h"
#include "support/fakeffmpeg.h"
#include "support/guitestmain.h"
#include "support/testaudio.h"
#include "support/windowundertest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

// "Remove Silence" over the list, with the real ffmpeg unless a test puts a fake first.
class TestBatchRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(audio.isValid());
        talk = audio.filePath(QStringLiteral("talk.mp3"));
        QVERIFY(makeTestAudio(talk, 1));
    }

    void init()
    {
        window.emplace();
        work = QDir(window->folders().work());
        form = window->open();
        QVERIFY(form);
        // One conversion at a time unless a test says otherwise: the sequence as it always was.
        form->Jobs = 1;
    }
    void cleanup() { window.reset(); }

    void emptyListOnlyWarns()
    {
        form->MemoCMD->setPlainText(QStringLiteral("kept"));
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QStringLiteral("WARNING"));
        QCOMPARE(shown[0].text, QStringLiteral("Please add files!"));
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(form->MemoCMD->toPlainText(), QStringLiteral("kept"));
        QVERIFY(!form->ProgressBar1->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void convertsEveryRowWithoutTouchingTheSources()
    {
        // Same file name in two folders, the target being the first source folder, an input
        // that has vanished and a skipped video type.
        const QString a = folder(QStringLiteral("a")), b = folder(QStringLiteral("b"));
        const QString first = copyTalk(a + QStringLiteral("/talk.mp3"));
        const QString second = copyTalk(b + QStringLiteral("/talk.mp3"));
        const QString gone = a + QStringLiteral("/gone.mp3");
        const QString video = copyTalk(b + QStringLiteral("/clip.mkv"));
        const QByteArray firstBytes = readBytes(first), secondBytes = readBytes(second);
        form->FileList->add({first, second, gone, video});
        form->Edit1->setText(a);

        QList<int> positions;
        connect(form->ProgressBar1, &QProgressBar::valueChanged, this,
                [&](int value) { positions << value; });
        const int beeps = platform::beepCount();
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"OK", "OK", "Error", "Error"}));
        const QString firstOut = a + QStringLiteral("/talk (2).mp3");
        const QString secondOut = a + QStringLiteral("/talk (3).mp3");
        QVERIFY(audioSeconds(firstOut) > 1 && audioSeconds(firstOut) < audioSeconds(first));
        QVERIFY(audioSeconds(secondOut) > 1 && audioSeconds(secondOut) < audioSeconds(second));
        QCOMPARE(readBytes(first), firstBytes);
        QCOMPARE(readBytes(second), secondBytes);
        QVERIFY(form->MemoCMD->toPlainText().contains(QStringLiteral("Video file skipped")));
        // From 0: positions 2, 1, 3, 2, 4, 3, 5, 4 on a bar of 4; past the end shows full.
        QCOMPARE(positions, QList<int>({0, 2, 1, 3, 2, 4, 3, 4}));
        QCOMPARE(platform::beepCount(), beeps + 1);
        expectIdle();
    }

    void laterRowsUseChangedParametersAndTargetFolder()
    {
        const QString log = work.filePath(QStringLiteral("filters.txt"));
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), "printf '%s\\n' \"$6\" >> '" +
                                                                  log.toLocal8Bit() +
                                                                  "'; printf x > \"$out\"")
                     .isEmpty());
        const QString source = folder(QStringLiteral("in"));
        form->FileList->add(
            {source + QStringLiteral("/one.mp3"), source + QStringLiteral("/two.mp3")});
        form->TrackBar1->setValue(20);
        form->TrackBar2->setValue(2);
        form->Edit1->setText(folder(QStringLiteral("first")));

        bool changed = false;
        // Position 2 is set after the first row, before the window may handle input.
        connect(form->ProgressBar1, &QProgressBar::valueChanged, this, [&](int position) {
            if (position == 2 && !std::exchange(changed, true)) {
                form->TrackBar1->setValue(35);
                form->TrackBar2->setValue(10);
                form->Edit1->setText(work.filePath(QStringLiteral("second/deeper")));
            }
        });
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"OK", "OK"}));
        const QStringList filters = QString::fromLocal8Bit(readBytes(log)).split(QLatin1Char('\n'));
        QVERIFY2(filters[0].contains(QStringLiteral("start_threshold=-20dB:start_duration=0.2")),
                 qPrintable(filters.join("|")));
        QVERIFY(filters[1].contains(QStringLiteral("start_threshold=-35dB:start_duration=1.0")));
        QVERIFY(QFile::exists(work.filePath(QStringLiteral("first/one.mp3"))));
        QVERIFY(QFile::exists(work.filePath(QStringLiteral("second/deeper/two.mp3"))));
    }

    void closingTheWindowEndsTheRunAfterTheCurrentRow()
    {
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), "printf x > \"$out\"").isEmpty());
        form->FileList->add({QStringLiteral("/in/one.mp3"), QStringLiteral("/in/two.mp3")});
        form->Edit1->setText(folder(QStringLiteral("out")));
        connect(form->ProgressBar1, &QProgressBar::valueChanged, this, [&](int position) {
            if (position == 2)
                form->close();
        });
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"OK", ""}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void failedWriteOfTheOutputIsAnErrorAndLeavesNothing()
    {
        QVERIFY(!writeFfmpegWithFileSizeLimit(window->fakeProgramFolder()).isEmpty());
        const QString out = folder(QStringLiteral("out"));
        form->FileList->add({talk});
        form->Edit1->setText(out);
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"Error"}));
        QVERIFY(form->MemoCMD->toPlainText().contains(QStringLiteral("File too large")));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void closingTheWindowDuringAConversionStopsItAndRemovesItsOutput()
    {
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(),
                                 "printf part > \"$out\"; echo writing; sleep 60")
                     .isEmpty());
        form->FileList->add({QStringLiteral("/in/one.mp3"), QStringLiteral("/in/two.mp3")});
        const QString out = folder(QStringLiteral("out"));
        form->Edit1->setText(out);
        connect(form->MemoCMD, &QPlainTextEdit::textChanged, this, [&] {
            if (form->MemoCMD->toPlainText().contains(QStringLiteral("writing")))
                form->close();
        });
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"Stopped", ""}));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void rowWhoseNameIsNotTextIsNeverConverted()
    {
        // Its text shown, "\uFFFD.mp3", is the name of another file.
        const QString log = work.filePath(QStringLiteral("inputs.txt"));
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), "printf '%s\\n' \"$4\" >> '" +
                                                                  log.toLocal8Bit() +
                                                                  "'; printf x > \"$out\"")
                     .isEmpty());
        const QString in = folder(QStringLiteral("in"));
        const QString twin = copyTalk(in + QStringLiteral("/\uFFFD.mp3"));
        form->FileList->addUnreadable({QFile::encodeName(in) + "/\xff.mp3"});
        form->FileList->add({twin});
        form->Edit1->setText(folder(QStringLiteral("out")));
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"Error", "OK"}));
        QCOMPARE(form->FileList->failure(0), QStringLiteral("name is not valid UTF-8"));
        QCOMPARE(readBytes(log), QFile::encodeName(twin) + '\n');
    }

    void relativeTargetFolderMeansTheCurrentFolder()
    {
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), "printf '%s' \"$out\" > \"$out\"")
                     .isEmpty());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(work.path());
        form->FileList->add({QStringLiteral("/in/talk.mp3")});
        form->Edit1->setText(QStringLiteral("relative/out"));
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        QDir::setCurrent(previous);

        const QString expected = work.filePath(QStringLiteral("relative/out/talk.mp3"));
        QCOMPARE(window->listedResults(), QStringList({"OK"}));
        QCOMPARE(readBytes(expected), expected.toLocal8Bit());
    }

    void parallelRunGivesWhatOneJobGives()
    {
        // Two inputs of one name, an input that has vanished, a skipped video, a wav and more
        // rows than conversions at once.
        const QString a = folder(QStringLiteral("a")), b = folder(QStringLiteral("b"));
        const QString wav = a + QStringLiteral("/more.wav");
        QVERIFY(makeTestAudio(wav, 2));
        form->FileList->add(
            {copyTalk(a + QStringLiteral("/talk.mp3")), copyTalk(b + QStringLiteral("/talk.mp3")),
             a + QStringLiteral("/gone.mp3"), copyTalk(b + QStringLiteral("/clip.mkv")), wav,
             copyTalk(b + QStringLiteral("/last.mp3"))});

        const BatchOutcome one = runBatch(1, folder(QStringLiteral("one")));
        const BatchOutcome three = runBatch(3, folder(QStringLiteral("three")));

        QCOMPARE(one.results, QStringList({"OK", "OK", "Error", "Error", "OK", "OK"}));
        QCOMPARE(three.results, one.results);
        QCOMPARE(one.outputs, QStringList({"last.mp3", "more.wav", "talk (2).mp3", "talk.mp3"}));
        QCOMPARE(three.outputs, one.outputs);
        QCOMPARE(three.commands, one.commands);
        QCOMPARE(three.saved, one.saved);
        QVERIFY2(one.saved[0].contains(QStringLiteral(" s → ")), qPrintable(one.saved[0]));
        QCOMPARE(one.saved[2], QString());
        QCOMPARE(one.summary, three.summary);
        QVERIFY2(one.summary.startsWith(QStringLiteral("4 converted, 2 errors, 0:")),
                 qPrintable(one.summary));
        QCOMPARE(form->statusText(), three.summary);
    }

    void conversionsRunAtOnceWhileTheWindowStaysUsable()
    {
        // Each stand-in notes its start and end, and waits at its start until the test opens
        // the gate, which it does once two are waiting.
        const QString notes = work.filePath(QStringLiteral("notes"));
        const QString gate = work.filePath(QStringLiteral("gate"));
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(),
                                 "echo start >> '" + notes.toLocal8Bit() + "'\nwhile [ ! -e '" +
                                     gate.toLocal8Bit() +
                                     "' ]; do sleep 0.02; done\nprintf x > \"$out\"\n"
                                     "echo end >> '" +
                                     notes.toLocal8Bit() + "'")
                     .isEmpty());
        form->Jobs = 2;
        form->FileList->add({QStringLiteral("/in/one.mp3"), QStringLiteral("/in/two.mp3"),
                             QStringLiteral("/in/three.mp3")});
        form->Edit1->setText(folder(QStringLiteral("out")));

        // The timer runs while the batch does: the window handles its events meanwhile.
        QTimer opener;
        QString buttonWhileRunning;
        connect(&opener, &QTimer::timeout, this, [&] {
            if (readBytes(notes).count("start") == 2 && !QFile::exists(gate)) {
                buttonWhileRunning = form->Button1->text();
                QVERIFY(writeBytes(gate, ""));
            }
        });
        opener.start(10);
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), QStringList({"OK", "OK", "OK"}));
        QCOMPARE(buttonWhileRunning, QStringLiteral("Stop"));
        // Never more than two at once.
        int running = 0;
        for (const QByteArray &note : readBytes(notes).split('\n')) {
            running += note == "start" ? 1 : note == "end" ? -1 : 0;
            QVERIFY(running <= 2);
        }
        QCOMPARE(form->ProgressBar1->value(), 3);
        expectIdle();
    }

    void stopEndsTheRunningConversions_data()
    {
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Stop, one job") << 1 << "Stop" << QStringList{"OK", "Stopped", "", ""};
        QTest::newRow("Stop, two jobs")
            << 2 << "Stop" << QStringList{"OK", "Stopped", "Stopped", ""};
        QTest::newRow("Escape, two jobs")
            << 2 << "Escape" << QStringList{"OK", "Stopped", "Stopped", ""};
        QTest::newRow("closing the window, two jobs")
            << 2 << "close" << QStringList{"OK", "Stopped", "Stopped", ""};
    }
    void stopEndsTheRunningConversions()
    {
        QFETCH(int, jobs);
        QFETCH(QString, how);
        QFETCH(QStringList, expected);
        // Real ffmpeg; inputs named "...slow.mp3" are read at the pace of playback.
        const QString pids = work.filePath(QStringLiteral("pids"));
        QVERIFY(!writeFfmpegPacedForSlowInputs(window->folders().program(), pids).isEmpty());
        const QString in = folder(QStringLiteral("in")), out = folder(QStringLiteral("out"));
        form->FileList->add({copyTalk(in + QStringLiteral("/first.mp3")),
                             copyTalk(in + QStringLiteral("/a-slow.mp3")),
                             copyTalk(in + QStringLiteral("/b-slow.mp3")),
                             copyTalk(in + QStringLiteral("/last.mp3"))});
        form->Edit1->setText(out);
        form->Jobs = jobs;
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));

        // Once every slow conversion that may run is writing its output.
        QStringList writing{out + QStringLiteral("/a-slow.mp3")};
        if (jobs == 2)
            writing << out + QStringLiteral("/b-slow.mp3");
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (!allOpenInStartedProcesses(pids, writing))
                return;
            watch.stop();
            if (how == QLatin1String("Stop"))
                QTest::mouseClick(form->Button1, Qt::LeftButton);
            else if (how == QLatin1String("Escape"))
                QTest::keyClick(form, Qt::Key_Escape);
            else
                form->close();
        });
        watch.start(10);
        const int beeps = platform::beepCount();
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        QCOMPARE(window->listedResults(), expected);
        // The finished file stays whole; nothing of the stopped ones is left.
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"first.mp3"}));
        QVERIFY(audioSeconds(out + QStringLiteral("/first.mp3")) > 1);
        for (const QByteArray &pid : startedProcesses(pids))
            QVERIFY(!isRunning(pid));
        QCOMPARE(form->FileList->saved(1), QString());
        QVERIFY(!form->FileList->saved(0).isEmpty());
        QVERIFY2(form->statusText().startsWith(
                     QStringLiteral("1 converted, 0 errors, %1 stopped").arg(jobs)),
                 qPrintable(form->statusText()));
        QCOMPARE(platform::beepCount(), beeps);
        if (how == QLatin1String("close")) {
            QTRY_VERIFY(!form->isVisible());
        } else {
            QCOMPARE(form->Button1->text(), QStringLiteral("Remove Silence"));
            expectIdle();
        }
    }

    void stoppedRunLeavesTheWindowIdle_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("error");
        // clang-format off
        QTest::newRow("empty target")   << ""                                                        << "Unable to create directory.";
        QTest::newRow("zero character") << QStringLiteral("/tmp/a") + QChar(0) + QStringLiteral("b") << "Invalid characters in path.";
        // clang-format on
    }
    void stoppedRunLeavesTheWindowIdle()
    {
        QFETCH(QString, target);
        QFETCH(QString, error);
        form->FileList->add({talk});
        form->Edit1->setText(target);
        const int beeps = platform::beepCount();
        QTest::mouseClick(form->Button1, Qt::LeftButton);

        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QStringLiteral("Hushmill"));
        QCOMPARE(shown[0].text, error);
        QCOMPARE(window->listedResults(), QStringList({""}));
        QCOMPARE(platform::beepCount(), beeps); // the error box closes the run, not the beep
        expectIdle();
    }

private:
    QString folder(const QString &name)
    {
        const QString path = work.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    QString copyTalk(const QString &path)
    {
        QFile::copy(talk, path);
        return path;
    }
    // What one run of "Remove Silence" with `jobs` conversions at once did into `target`.
    struct BatchOutcome {
        QStringList results;
        QStringList saved;
        QStringList outputs;
        QStringList commands; // the commands in the log, sorted, the target folder left out
        QString summary;
    };
    BatchOutcome runBatch(int jobs, const QString &target)
    {
        form->Jobs = jobs;
        form->Edit1->setText(target);
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        BatchOutcome outcome;
        outcome.results = window->listedResults();
        for (int row = 0; row < form->FileList->rowCount(); ++row)
            outcome.saved << form->FileList->saved(row);
        outcome.outputs = QDir(target).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        outcome.commands = logCommands(form->MemoCMD->toPlainText());
        outcome.commands.replaceInStrings(target, QStringLiteral("<target>"));
        outcome.commands.sort();
        outcome.summary = form->statusText();
        return outcome;
    }
    // The commands of a log whose conversions each stand in one piece: a command, then what
    // ffmpeg printed about that input only, up to the closing line of asterisks.
    static QStringList logCommands(const QString &log)
    {
        QStringList commands;
        QString input; // of the conversion whose lines are being read
        for (const QString &line : log.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("ffmpeg -y -i \""))) {
                if (!input.isEmpty())
                    commands << QStringLiteral("<interleaved>");
                input = line.section(QLatin1Char('"'), 1, 1);
                commands << line;
            } else if (line == QString(34, QLatin1Char('*'))) {
                input.clear();
            } else if (line.contains(QLatin1String(", from '")) &&
                       !line.contains(QStringLiteral(", from '") + input + QLatin1String("':"))) {
                commands << QStringLiteral("<interleaved>");
            }
        }
        return commands;
    }
    void expectIdle()
    {
        QVERIFY(form->Button1->isEnabled());
        QVERIFY(!form->ProgressBar1->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    QTemporaryDir audio;
    QString talk;
    std::optional<WindowUnderTest> window;
    QDir work; // the test's own files
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestBatchRun)
#include "tst_batchrun.moc"
