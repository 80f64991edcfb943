#include "app/appform.h"
#include "app/filelistmodel.h"
#include "processing/levelsdecode.h"
#include "processing/levelstrip.h"
#include "support/guitestmain.h"
#include "support/testaudio.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QSlider>
#include <QTableView>
#include <QTest>
#include <optional>

// The strip under the list pictures the one selected file's levels.
class TestLevelView : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.emplace();
        form = window->open();
        QVERIFY(form);
    }
    void cleanup() { window.reset(); }

    // Moving the sliders re-shades the picture from what was read once: the file may be gone.
    void slidersReshadeWithoutReadingAgain()
    {
        const QString talk = addFile("talk.wav");
        QVERIFY(makeTestAudio(talk, 2));
        QVERIFY(!form->LevelStrip1->isVisible());
        select({0});
        QVERIFY(form->LevelStrip1->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(form->LevelStrip1->showsLoudness(), 30000);
        const double removed = form->LevelStrip1->removedSeconds();
        QVERIFY(removed > 2.0); // half of six seconds is pauses

        QVERIFY(QFile::remove(talk));
        form->TrackBar2->setValue(10); // no sound lasts a second: nothing is kept
        QCOMPARE(form->LevelStrip1->removedSeconds(), 6.0);
        form->TrackBar2->setValue(2);
        QCOMPARE(form->LevelStrip1->removedSeconds(), removed);
        form->TrackBar3->setValue(2); // 0.1 s kept on either side of each pause
        QVERIFY(form->LevelStrip1->removedSeconds() < removed - 0.5);
        form->TrackBar1->setValue(0); // everything is quieter than 0 dB
        QVERIFY(form->LevelStrip1->removedSeconds() > 5.9);
        QVERIFY(form->LevelStrip1->showsLoudness());
    }

    // Instead of a picture, a line that says why there is none.
    void messages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("damaged file")          << "damaged.mp3" << levelsUnreadable;
        QTest::newRow("video never converted") << "film.mkv"    << videoSkippedText;
        // clang-format on
    }
    void messages()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QVERIFY(writeBytes(addFile(name), "not a recording"));
        select({0});
        QTRY_COMPARE_WITH_TIMEOUT(form->LevelStrip1->message(), message, 30000);
        QVERIFY(form->LevelStrip1->isVisible());
        QVERIFY(!form->LevelStrip1->showsLoudness());
    }

    // Shown only for exactly one selected row, and only while "Show Levels" is checked.
    void shownForOneRowOnly()
    {
        QVERIFY(writeBytes(addFile("a.mp3"), "x"));
        QVERIFY(writeBytes(addFile("b.mp3"), "x"));
        select({0, 1});
        QVERIFY(!form->LevelStrip1->isVisible());
        select({1});
        QVERIFY(form->LevelStrip1->isVisible());
        form->ShowLevels1->trigger();
        QVERIFY(!form->LevelStrip1->isVisible());
        form->ShowLevels1->trigger();
        QVERIFY(form->LevelStrip1->isVisible());
        form->FileList->clear();
        QVERIFY(!form->LevelStrip1->isVisible());
    }

private:
    QString addFile(const QString &name)
    {
        const QString path = window->folders().work() + u'/' + name;
        form->Ekle(path);
        return path;
    }

    void select(const QList<int> &rows)
    {
        QItemSelectionModel *selection = form->ListView1->selectionModel();
        selection->clearSelection();
        for (const int row : rows)
            selection->select(form->FileList->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestLevelView)
#include "tst_levelview.moc"
