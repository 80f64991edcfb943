#include "app/appform.h"
#include "app/dialogs.h"
#include "platform/runningprogram.h"
#include "support/guitestmain.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <optional>

// Start-up of the settings, failed writes and the reset, seen through the main window.
class TestSettingsForm : public QObject
{
    Q_OBJECT

private slots:
    void init() { window.emplace(); }
    void cleanup() { window.reset(); }

    void freshStartWritesDefaultsBesideTheProgram()
    {
        start();
        QCOMPARE(form->SettingsFolder, window->folders().program() + "/");
        QCOMPARE(form->Label3->text(), QStringLiteral("-50 dB"));
        QCOMPARE(form->Label5->text(), QStringLiteral("0.2 s"));
        QCOMPARE(form->Edit1->text(), window->folders().desktop());
        QCOMPARE(readBytes(window->folders().settingsFile()), defaults());
        QCOMPARE(QDir(window->folders().program()).entryList(QDir::Files | QDir::Hidden),
                 QStringList("settings.ini"));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void programFolderTakenGivesPerUserFolder()
    {
        QVERIFY(writeBytes(window->folders().program() + "/chk.tmp", ""));
        start();
        const QString expected = window->folders().home() + "/.config/QUONDEL/Hushmill/";
        QCOMPARE(form->SettingsFolder, expected);
        QCOMPARE(readBytes(expected + "settings.ini"), defaults());
        QVERIFY(!QFile::exists(window->folders().settingsFile()));
    }

    void storedValues_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("written"); // $DESKTOP stands for the Desktop path

        QTest::newRow("clamped to the sliders")
            << QByteArray("[Settings]\r\nThreshold=150\r\nDuration=-5\r\n") << "-100 dB"
            << "0 s"
            << "$DESKTOP"
            << Bom + "[Settings]\r\nThreshold=100\r\nDuration=0\r\nDestination=$DESKTOP\r\n\r\n";
        QTest::newRow("lower-case names, hexadecimal, whole second")
            << QByteArray("[settings]\r\nthreshold=0x1E\r\nduration=10\r\ndestination=/no/such\r\n")
            << "-30 dB"
            << "1 s"
            << "/no/such"
            << Bom + "[settings]\r\nThreshold=30\r\nDuration=10\r\nDestination=/no/such\r\n\r\n";
        QTest::newRow("not numbers")
            << QByteArray("\xEF\xBB\xBF[Settings]\r\nThreshold=abc\r\nDuration=99999999999\r\n"
                          "Destination=\r\n")
            << "-50 dB"
            << "0.2 s"
            << "" << Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\nDestination=\r\n\r\n";
        QTest::newRow("larger than 1 MiB: deleted, defaults, the three values written")
            << "[Settings]\r\nThreshold=7\r\n" + QByteArray(2 * 1024 * 1024, ';') << "-50 dB"
            << "0.2 s"
            << "$DESKTOP"
            << Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\nDestination=$DESKTOP\r\n\r\n";
        QTest::newRow("8-bit code page: deleted, defaults")
            << readBytes(HUSHMILL_TEST_DATA "/latin1.ini") << "-50 dB"
            << "0.2 s"
            << "$DESKTOP"
            << Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\nDestination=$DESKTOP\r\n\r\n";
    }
    void storedValues()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, threshold);
        QFETCH(QString, duration);
        QFETCH(QString, target);
        QFETCH(QByteArray, written);
        QVERIFY(writeBytes(window->folders().settingsFile(), stored));
        start();
        QCOMPARE(form->Label3->text(), threshold);
        QCOMPARE(form->Label5->text(), duration);
        QCOMPARE(form->Edit1->text(),
                 QString(target).replace("$DESKTOP", window->folders().desktop()));
        QCOMPARE(readBytes(window->folders().settingsFile()),
                 written.replace("$DESKTOP", window->folders().desktop().toUtf8()));
    }

    // Parallel Conversions: stored as Jobs only once chosen; a missing or bad value means
    // automatic and stays as it stands until the user chooses.
    void jobsSetting_data()
    {
        QTest::addColumn<QByteArray>("jobsLine"); // empty: no Jobs key
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("checked");
        QTest::newRow("absent") << QByteArray() << 0 << "Automatic";
        QTest::newRow("0") << QByteArray("Jobs=0\r\n") << 0 << "Automatic";
        QTest::newRow("1") << QByteArray("Jobs=1\r\n") << 1 << "1";
        QTest::newRow("8") << QByteArray("Jobs=8\r\n") << 8 << "8";
        QTest::newRow("-3") << QByteArray("Jobs=-3\r\n") << 0 << "Automatic";
        QTest::newRow("abc") << QByteArray("Jobs=abc\r\n") << 0 << "Automatic";
    }
    void jobsSetting()
    {
        QFETCH(QByteArray, jobsLine);
        QFETCH(int, jobs);
        QFETCH(QString, checked);
        const QByteArray stored = Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\nDestination=" +
                                  window->folders().desktop().toUtf8() + "\r\n" + jobsLine + "\r\n";
        QVERIFY(writeBytes(window->folders().settingsFile(), stored));
        start();
        QCOMPARE(form->Jobs, jobs);
        QCOMPARE(checkedJobsItems(), QStringList(checked));
        QCOMPARE(readBytes(window->folders().settingsFile()), stored);

        // A choice is written at once, in the key's place or at the end of the section.
        QVERIFY(jobsItem("2") && jobsItem("Automatic"));
        jobsItem("2")->trigger();
        QCOMPARE(form->Jobs, 2);
        QCOMPARE(checkedJobsItems(), QStringList("2"));
        const QByteArray chosen = jobsLine.isEmpty()
                                      ? QByteArray(stored).replace("\r\n\r\n", "\r\nJobs=2\r\n\r\n")
                                      : QByteArray(stored).replace(jobsLine, "Jobs=2\r\n");
        QCOMPARE(readBytes(window->folders().settingsFile()), chosen);
        jobsItem("Automatic")->trigger();
        QCOMPARE(form->Jobs, 0);
        QCOMPARE(readBytes(window->folders().settingsFile()),
                 QByteArray(chosen).replace("Jobs=2", "Jobs=0"));

        // The next start reads the choice.
        window->closeWindow();
        QVERIFY(writeBytes(window->folders().settingsFile(),
                           QByteArray(chosen).replace("Jobs=2", "Jobs=4")));
        start();
        QCOMPARE(form->Jobs, 4);
        QCOMPARE(checkedJobsItems(), QStringList("4"));
    }

    void storeNeitherReadNorWritten()
    {
        // A folder in place of the file: it can be neither read nor deleted nor replaced.
        QVERIFY(QDir().mkdir(window->folders().settingsFile()));
        start();
        QCOMPARE(form->Label3->text(), QStringLiteral("-50 dB"));
        QCOMPARE(form->Label5->text(), QStringLiteral("0.2 s"));
        QCOMPARE(form->Edit1->text(), window->folders().desktop());
        const QString error = QStringLiteral("Cannot create file \"%1\". Is a directory.")
                                  .arg(window->folders().settingsFile());
        // Reported once the event loop runs; the messages gather, as taking them empties the
        // record.
        QStringList texts;
        QTRY_COMPARE(texts += shownTexts(), QStringList(error));

        // Each change tries again; the control keeps its value when the write fails.
        QTest::keyClick(form->TrackBar1, Qt::Key_Right);
        QCOMPARE(form->Label3->text(), QStringLiteral("-51 dB"));
        QCOMPARE(shownTexts(), QStringList(error));
        QVERIFY(QDir().rmdir(window->folders().settingsFile()));
        QTest::keyClick(form->TrackBar1, Qt::Key_Right);
        QVERIFY(shownTexts().isEmpty());
        QCOMPARE(readBytes(window->folders().settingsFile()),
                 defaults().replace("Threshold=50", "Threshold=52"));
    }

    void resetAnsweredNoChangesNothing()
    {
        start();
        form->TrackBar1->setValue(70);
        const QByteArray before = readBytes(window->folders().settingsFile());
        dialogs::queueAnswer(QMessageBox::No);
        form->ResettoDefaults1->trigger();

        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Question);
        QCOMPARE(shown[0].caption, QStringLiteral("Confirmation"));
        QCOMPARE(shown[0].text, QStringLiteral("Restart Application?"));
        QCOMPARE(readBytes(window->folders().settingsFile()), before);
        QVERIFY(window->startedPrograms.isEmpty());
        QVERIFY(form->isVisible());
    }

    void resetAnsweredYesRestartsWithDefaults()
    {
        start();
        form->TrackBar1->setValue(70);
        form->TrackBar2->setValue(9);
        form->Edit1->setText("/elsewhere");
        QStringList started;
        platform::setProgramStarterForTesting([&](const QString &program) {
            started << program;
            QVERIFY(!QFile::exists(window->folders().settingsFile()));
        });

        // Yes is the default answer; the handler must end the event loop.
        QTimer::singleShot(0, form->ResettoDefaults1, &QAction::trigger);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        guard.stop();
        QCOMPARE(started, QStringList(QCoreApplication::applicationFilePath()));
        QCOMPARE(dialogs::takeShownMessages().size(), 1);

        // The new instance.
        start();
        QCOMPARE(form->Label3->text(), QStringLiteral("-50 dB"));
        QCOMPARE(form->Label5->text(), QStringLiteral("0.2 s"));
        QCOMPARE(form->Edit1->text(), window->folders().desktop());
        QCOMPARE(readBytes(window->folders().settingsFile()), defaults());
    }

private:
    void start()
    {
        form = window->open();
        QVERIFY(form);
    }

    QAction *jobsItem(const QString &caption) const
    {
        for (QAction *item : form->ParallelConversions1->actions())
            if (item->text() == caption)
                return item;
        return nullptr;
    }
    QStringList checkedJobsItems() const
    {
        QStringList captions;
        for (QAction *item : form->ParallelConversions1->actions())
            if (item->isChecked())
                captions << item->text();
        return captions;
    }
    QByteArray defaults() const
    {
        return Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\nDestination=" +
               window->folders().desktop().toUtf8() + "\r\n\r\n";
    }

    static QStringList shownTexts()
    {
        QStringList texts;
        for (const dialogs::ShownMessage &message : dialogs::takeShownMessages())
            texts << message.text;
        return texts;
    }

    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestSettingsForm)
#include "tst_settingsform.moc"
