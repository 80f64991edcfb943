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

    void closingTheWindowDuringAConversionEndsItAndRemovesItsOutput()
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

        QCOMPARE(window->listedResults(), QStringList({"Error", ""}));
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
