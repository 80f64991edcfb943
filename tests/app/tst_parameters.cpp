#include "app/appform.h"
#include "app/audioparameters.h"
#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "platform/beep.h"
#include "support/guitestmain.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>

// The sliders, their labels and the target folder field, each written through at every change.
class TestParameters : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.emplace();
        start();
    }
    void cleanup()
    {
        window.reset();
        QLocale::setDefault(QLocale::c());
    }

    void durationLabels_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("label");
        const QLocale point(QLocale::English, QLocale::UnitedStates);
        const QLocale comma(QLocale::German, QLocale::Germany);
        // clang-format off
        QTest::newRow("0")                   << 0  << point << "0 s";
        QTest::newRow("1")                   << 1  << point << "0.1 s";
        QTest::newRow("3")                   << 3  << point << "0.3 s";
        QTest::newRow("7")                   << 7  << point << "0.7 s";
        QTest::newRow("10")                  << 10 << point << "1 s";
        QTest::newRow("comma")               << 1  << comma << "0,1 s";
        QTest::newRow("comma, whole second") << 10 << comma << "1 s";
        // clang-format on
    }
    void durationLabels()
    {
        QFETCH(int, position);
        QFETCH(QLocale, locale);
        QFETCH(QString, label);
        QCOMPARE(durationLabel(position, locale), label);
    }

    void keepLabels_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("label");
        const QLocale point(QLocale::English, QLocale::UnitedStates);
        const QLocale comma(QLocale::German, QLocale::Germany);
        // clang-format off
        QTest::newRow("0")     << 0  << point << "0 s";
        QTest::newRow("1")     << 1  << point << "0.05 s";
        QTest::newRow("5")     << 5  << point << "0.25 s";
        QTest::newRow("10")    << 10 << point << "0.5 s";
        QTest::newRow("20")    << 20 << point << "1 s";
        QTest::newRow("comma") << 5  << comma << "0,25 s";
        // clang-format on
    }
    void keepLabels()
    {
        QFETCH(int, position);
        QFETCH(QLocale, locale);
        QFETCH(QString, label);
        QCOMPARE(keepLabel(position, locale), label);
    }

    // The keep slider reads its setting at start-up but leaves the file as it found it: a
    // missing or unusable value means nothing kept.
    void storedKeep_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        // clang-format off
        QTest::newRow("absent")        << QByteArray()             << 0  << "0 s";
        QTest::newRow("zero")          << QByteArray("Keep=0")     << 0  << "0 s";
        QTest::newRow("a quarter")     << QByteArray("Keep=0.25")  << 5  << "0.25 s";
        QTest::newRow("one second")    << QByteArray("Keep=1")     << 20 << "1 s";
        QTest::newRow("off the steps") << QByteArray("Keep=0.26")  << 5  << "0.25 s";
        QTest::newRow("negative")      << QByteArray("Keep=-3")    << 0  << "0 s";
        QTest::newRow("not a number")  << QByteArray("Keep=abc")   << 0  << "0 s";
        QTest::newRow("too long")      << QByteArray("Keep=5")     << 0  << "0 s";
        QTest::newRow("decimal comma") << QByteArray("Keep=0,25")  << 0  << "0 s";
        // clang-format on
    }
    void storedKeep()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, position);
        QFETCH(QString, label);
        const QByteArray stored = Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\n" +
                                  (line.isEmpty() ? QByteArray() : line + "\r\n") +
                                  "Destination=" + window->folders().desktop().toUtf8() +
                                  "\r\n\r\n";
        QVERIFY(writeBytes(window->folders().settingsFile(), stored));
        start();
        QCOMPARE(form->TrackBar3->value(), position);
        QCOMPARE(form->Label7->text(), label);
        QCOMPARE(form->silenceSettings().keep, position);
        QCOMPARE(readBytes(window->folders().settingsFile()), stored);
    }

    void movedKeepIsWrittenAndRestored()
    {
        QTest::keyClick(form->TrackBar3, Qt::Key_PageUp);
        QCOMPARE(form->Label7->text(), QStringLiteral("0.1 s"));
        QVERIFY(readBytes(window->folders().settingsFile()).endsWith("\r\nKeep=0.10\r\n\r\n"));
        QTest::keyClick(form->TrackBar3, Qt::Key_Home);
        QVERIFY(readBytes(window->folders().settingsFile()).endsWith("\r\nKeep=0.00\r\n\r\n"));
        QTest::keyClick(form->TrackBar3, Qt::Key_End);
        start();
        QCOMPARE(form->TrackBar3->value(), keepMaximum);
        QCOMPARE(form->Label7->text(), QStringLiteral("1 s"));
    }

    void sliderLabelFollowsUserDecimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        start();
        QCOMPARE(form->Label5->text(), QStringLiteral("0,2 s"));
        QVERIFY(readBytes(window->folders().settingsFile()).contains("\r\nDuration=2\r\n"));
    }

    void slidersWriteEveryStep_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QByteArray>("line");
        // clang-format off
        QTest::newRow("threshold, arrow") << "TrackBar1" << int(Qt::Key_Right)  << "-51 dB" << QByteArray("Threshold=51");
        QTest::newRow("threshold, page")  << "TrackBar1" << int(Qt::Key_PageUp) << "-52 dB" << QByteArray("Threshold=52");
        QTest::newRow("duration, arrow")  << "TrackBar2" << int(Qt::Key_Left)   << "0.1 s"  << QByteArray("Duration=1");
        QTest::newRow("duration, page")   << "TrackBar2" << int(Qt::Key_PageUp) << "0.4 s"  << QByteArray("Duration=4");
        QTest::newRow("duration, end")    << "TrackBar2" << int(Qt::Key_End)    << "1 s"    << QByteArray("Duration=10");
        // clang-format on
    }
    void slidersWriteEveryStep()
    {
        QFETCH(QString, slider);
        QFETCH(int, key);
        QFETCH(QString, label);
        QFETCH(QByteArray, line);
        auto *trackBar = form->findChild<QSlider *>(slider);
        QCOMPARE(trackBar->tickPosition(), QSlider::NoTicks);
        QTest::keyClick(trackBar, Qt::Key(key));
        QCOMPARE((slider == "TrackBar1" ? form->Label3 : form->Label5)->text(), label);
        QVERIFY(readBytes(window->folders().settingsFile()).contains("\r\n" + line + "\r\n"));
    }

    void typingWritesEveryKeystroke()
    {
        form->Edit1->clear();
        QVERIFY(readBytes(window->folders().settingsFile()).contains("\r\nDestination=\r\n"));
        const QString typed = QStringLiteral("/no/such/ordner");
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QTest::keyClick(form->Edit1, typed[i].toLatin1());
            QVERIFY(readBytes(window->folders().settingsFile())
                        .contains("\r\nDestination=" + typed.first(i + 1).toUtf8() + "\r\n"));
        }
        QCOMPARE(form->LastFolder, QString());
        start();
        QCOMPARE(form->Edit1->text(), typed);
    }

    // Text pasted with line breaks (a path copied from a terminal, several lines) stays one line
    // of the settings file and comes back as it was.
    void pastedLineBreaksStayOutOfTheField_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("field");
        // clang-format off
        QTest::newRow("trailing line break")           << "/music\n"                     << "/music";
        QTest::newRow("lines that look like settings") << "/a\r\nThreshold=0\r[Other]" << "/aThreshold=0[Other]";
        // clang-format on
    }
    void pastedLineBreaksStayOutOfTheField()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        form->Edit1->clear();
        QGuiApplication::clipboard()->setText(pasted);
        form->Edit1->paste();
        QCOMPARE(form->Edit1->text(), field);
        QVERIFY(readBytes(window->folders().settingsFile())
                    .endsWith("\r\nDestination=" + field.toUtf8() + "\r\n\r\n"));
        start();
        QCOMPARE(form->Edit1->text(), field);
        QCOMPARE(form->Label3->text(), QStringLiteral("-50 dB"));
    }

    // Files dropped on the target field go to the list, as a drop anywhere on the window does;
    // the field and its setting stay as they were.
    void filesDroppedOnTheFieldGoToTheList()
    {
        const QString song = window->folders().path() + "/song.mp3";
        QVERIFY(writeBytes(song, "x"));
        const QByteArray before = readBytes(window->folders().settingsFile());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(song)});
        data.setText(song);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->Edit1, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->Edit1, &dropped);
        QCOMPARE(form->Edit1->text(), window->folders().desktop());
        QCOMPARE(readBytes(window->folders().settingsFile()), before);
        QCOMPARE(form->FileList->rowCount(), 1);
        QCOMPARE(form->FileList->path(0), song);
    }

    void chosenFolderBecomesTarget()
    {
        const QString chosen = window->folders().path() + "/Musik";
        dialogs::queueFileNames({chosen});
        form->Button2->click();
        QCOMPARE(form->Edit1->text(), chosen);
        QCOMPARE(form->LastFolder, chosen);
        QVERIFY(readBytes(window->folders().settingsFile())
                    .contains("\r\nDestination=" + chosen.toUtf8()));
    }

    void cancelledFolderDialogChangesNothing()
    {
        form->LastFolder = window->folders().path();
        const QByteArray before = readBytes(window->folders().settingsFile());
        form->ChangeDirectory1->trigger();
        QCOMPARE(form->Edit1->text(), window->folders().desktop());
        QCOMPARE(form->LastFolder, window->folders().path());
        QCOMPARE(readBytes(window->folders().settingsFile()), before);
    }

    void showInExplorerCreatesAndOpens()
    {
        const QString target = window->folders().path() + "/new/with parents";
        form->Edit1->setText(target);
        const int beeps = platform::beepCount();
        form->ShowinExplorer2->trigger();
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(window->openedUrls, QList<QUrl>({QUrl::fromLocalFile(target)}));
        QCOMPARE(platform::beepCount(), beeps);
    }

    void showInExplorerBeepsWhenFolderCannotBeMade()
    {
        QFile file(window->folders().path() + "/file");
        QVERIFY(file.open(QIODevice::WriteOnly));
        form->Edit1->setText(file.fileName() + "/below");
        const int beeps = platform::beepCount();
        form->ShowinExplorer2->trigger();
        QCOMPARE(platform::beepCount(), beeps + 1);
        QVERIFY(window->openedUrls.isEmpty());
    }

    void showInExplorerWithEmptyField()
    {
        form->Edit1->clear();
        QTimer::singleShot(0, form->ShowinExplorer2, &QAction::trigger);
        QList<dialogs::ShownMessage> shown;
        QTRY_COMPARE((shown += dialogs::takeShownMessages()).size(), 1);
        QCOMPARE(shown[0].caption, QStringLiteral("Hushmill"));
        QCOMPARE(shown[0].text, QStringLiteral("Unable to create directory."));
        QVERIFY(window->openedUrls.isEmpty());
    }

private:
    void start()
    {
        form = window->open();
        QVERIFY(form);
    }

    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestParameters)
#include "tst_parameters.moc"
