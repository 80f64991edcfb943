#include "app/appform.h"
#include "app/application.h"
#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "platform/beep.h"
#include "support/windowundertest.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

class TestIntake : public QObject
{
    Q_OBJECT

    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;
    QString dir; // the test's own files
    int beepsBefore = 0;

    QString file(const QString &relative)
    {
        const QString path = dir + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly))
            qFatal("cannot create %s", qPrintable(path));
        created.write("data");
        return path;
    }
    int beeps() const { return platform::beepCount() - beepsBefore; }
    void select(const QList<int> &rowNumbers)
    {
        form->ListView1->clearSelection();
        for (const int row : rowNumbers)
            form->ListView1->selectionModel()->select(form->FileList->index(row, 0),
                                                      QItemSelectionModel::Select |
                                                          QItemSelectionModel::Rows);
    }
    // A drop as the window system delivers it: over the list, passed on to the window.
    void drop(const QStringList &names)
    {
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << QUrl::fromLocalFile(name);
        dropUrls(urls);
    }
    void dropUrls(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QWidget *target = form->ListView1->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QVERIFY(dropped.isAccepted());
    }

    // The names the dialog's list shows, top to bottom.
    static QStringList shownNames(const QListView *view)
    {
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        return names;
    }

    // Chooses every entry once the dialog's list shows `names` in that order, and confirms. The
    // dialog fills and sorts its list from another thread and applies a changed type filter
    // later; what it returns follows the order shown. The dialog closes either way, so that a
    // failure cannot leave it waiting.
    static void chooseEverythingShown(QFileDialog *dialog, const QStringList &names)
    {
        auto *view = dialog->findChild<QListView *>(QStringLiteral("listView"));
        const bool listed = view && QTest::qWaitFor([&] { return shownNames(view) == names; });
        if (listed)
            view->selectAll();
        QMetaObject::invokeMethod(dialog, listed ? "accept" : "reject");
    }

private slots:
    void init()
    {
        window.emplace();
        dir = window->folders().work();
        beepsBefore = platform::beepCount();
        form = window->open();
        QVERIFY(form);
    }
    void cleanup() { window.reset(); }

    void listColumns()
    {
        QCOMPARE(form->ListView1->model(), form->FileList);
        QHeaderView *header = form->ListView1->horizontalHeader();
        QCOMPARE(header->sectionResizeMode(0), QHeaderView::Stretch);
        QCOMPARE(header->sectionSize(1), 71);
        form->Ekle(QStringLiteral("/m/a.mp3"));
        const QModelIndex first = form->FileList->index(0, 0);
        QVERIFY(form->FileList->data(first, Qt::DecorationRole).canConvert<QIcon>());
        QCOMPARE(form->FileList->data(first.siblingAtColumn(1)).toString(), QString());
    }

    void duplicatesAreExactAndCaseSensitive()
    {
        form->Ekle(QStringLiteral("/m/Song.mp3"));
        form->Ekle(QStringLiteral("/m/song.mp3"));
        form->Ekle(QStringLiteral("/m/Song.mp3"));
        form->Ekle(QStringLiteral("relative/never tested.txt"));
        QCOMPARE(window->listedPaths(),
                 QStringList({"/m/Song.mp3", "/m/song.mp3", "relative/never tested.txt"}));
    }

    void oneRowWhicheverWayAFileComesIn()
    {
        const QString song = file("album/song.mp3");
        const QString other = file("album/other.wav");
        dialogs::queueFileNames({song});
        form->AddFile1Click();
        drop({song});
        form->KlasorYukle(dir + "/album");
        dialogs::queueFileNames({other, song});
        form->AddFile1Click();
        QCOMPARE(window->listedPaths(), QStringList({song, other}));
    }

    void addFilesTakesWhatTheDialogReturns()
    {
        const QStringList chosen = {file("b.ogg"), file("a.opus"), file("notes.txt"),
                                    dir + "/not there.xyz"};
        dialogs::queueFileNames(chosen);
        form->AddFile1Click();
        QCOMPARE(window->listedPaths(), chosen);
        form->AddFile1Click(); // cancelled
        QCOMPARE(window->listedPaths(), chosen);
    }

    void addFilesDialog()
    {
        dialogs::stopAnswering();
        const QString song = file("song.mp3");
        const QString anything = file("README");
        QStringList filters, shownTypes;
        QString suffix;
        int selectedType = -1;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            if (auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))) {
                for (int i = 0; i < types->count(); ++i)
                    shownTypes << types->itemText(i);
                selectedType = types->currentIndex();
            }
            suffix = dialog->defaultSuffix();
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
            // Under "All Files" a name without a point shows too.
            dialog->setDirectory(dir);
            dialog->selectNameFilter(filters[1]);
            chooseEverythingShown(dialog, {"README", "song.mp3"});
        });
        form->AddFile1Click();
        QCOMPARE(filters.size(), 2);
        QVERIFY(filters[0].startsWith("Supported Files (*.mp3 *.wav "));
        QCOMPARE(filters[1], QStringLiteral("All Files (*)"));
        QCOMPARE(shownTypes, QStringList({"Supported Files", "All Files"}));
        QCOMPARE(selectedType, 0);
        QCOMPARE(suffix, QStringLiteral("mp3"));
        QCOMPARE(window->listedPaths(), QStringList({anything, song}));
    }

    void addFolderDialogLoadsSeveralFolders()
    {
        dialogs::stopAnswering();
        const QString first = file("one/a.mp3");
        const QString second = file("two/b.flac");
        form->LastFolder = dir;
        QString title, okLabel, startFolder;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            okLabel = dialog->labelText(QFileDialog::Accept);
            startFolder = dialog->directory().absolutePath();
            chooseEverythingShown(dialog, {"one", "two"});
        });
        form->AddFolder1Click();
        QCOMPARE(title, QStringLiteral("Select folder:"));
        QCOMPARE(okLabel, QStringLiteral("Select"));
        QCOMPARE(startFolder, dir);
        QCOMPARE(window->listedPaths(), QStringList({first, second}));
        QCOMPARE(form->LastFolder, dir + "/two");
    }

    void addFolderDialogAnswered()
    {
        const QString a = file("one/a.mp3");
        const QString b = file("two/b.mp3");
        dialogs::queueFileNames({dir + "/two", dir + "/one"});
        form->AddFolder1Click();
        QCOMPARE(window->listedPaths(), QStringList({b, a}));
        QCOMPARE(form->LastFolder, dir + "/one");
        form->AddFolder1Click(); // cancelled
        QCOMPARE(form->LastFolder, dir + "/one");
    }

    void folderLoadShowsItsStatus()
    {
        const QString kept = file("kept.mp3");
        form->Ekle(kept);
        const QString nested = file("music/Disc 1/01.mp3");
        const QString top = file("music/cover.flac");
        file("music/cover.jpg");
        QString statusDuringLoad;
        QTimer::singleShot(0, this, [&] { statusDuringLoad = form->statusText(); });
        form->KlasorYukle(dir + "/music");
        QCOMPARE(statusDuringLoad, QStringLiteral("Loading Files..."));
        QCOMPARE(form->statusText(), QString());
        QCOMPARE(form->LastFolder, dir + "/music");
        QCOMPARE(window->listedPaths(), QStringList({kept, top, nested}));
        QCOMPARE(form->ScanList, QStringList({top, nested}));

        file("pictures/cover.jpg");
        form->KlasorYukle(dir + "/pictures");
        QCOMPARE(window->listedPaths().size(), 3);
        QCOMPARE(form->statusText(), QString());
        QCOMPARE(form->ScanList, QStringList());
    }

    void dropsInTheirOrder()
    {
        const QString fromFolder = file("dropped/inside.wav");
        const QString song = file("song.mp3");
        const QString text = file("notes.txt");
        drop({song, dir + "/dropped", text});
        QCOMPARE(window->listedPaths(), QStringList({song, fromFolder}));
        QCOMPARE(form->LastFolder, dir + "/dropped");
    }

    void pipesNeverEnterTheList()
    {
        // Reading a pipe waits for a writer: a batch would hang on it.
        const QString song = file("song.mp3");
        const QString pipe = dir + "/pipe.mp3";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        drop({pipe, song});
        dialogs::queueFileNames({pipe, song});
        form->AddFile1Click();
        QCOMPARE(window->listedPaths(), QStringList({song}));
    }

    void namesThatAreNotTextBecomeErrorRowsInEveryWayIn()
    {
        // "\xff\xfe.mp3" reads as "\uFFFD\uFFFD.mp3", the name of the real file beside it.
        const QString twin = file(QStringLiteral("odd/\uFFFD\uFFFD.mp3"));
        const QByteArray odd = QFile::encodeName(dir) + "/odd/\xff\xfe.mp3";
        QCOMPARE(::close(::open(odd.constData(), O_CREAT | O_WRONLY, 0600)), 0);
        const QString shown = dir + QStringLiteral("/odd/\\xff\\xfe.mp3");
        const QString warning = QStringLiteral("File names that are not valid UTF-8 cannot be "
                                               "converted. Rename them in:\n") +
                                dir + QStringLiteral("/odd");

        const auto expectRowsAndWarning = [&](const QStringList &expected) {
            QCOMPARE(window->listedPaths(), expected);
            const int last = form->FileList->rowCount() - 1;
            QVERIFY(form->FileList->isUnreadable(last));
            QCOMPARE(form->FileList->result(last), QStringLiteral("Error"));
            QCOMPARE(form->FileList->nameBytes(last), odd);
            const auto messages = dialogs::takeShownMessages();
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].text, warning);
            form->DeleteAll1Click();
        };
        form->KlasorYukle(dir + "/odd");
        expectRowsAndWarning({twin, shown});

        dropUrls({QUrl::fromEncoded("file://" + odd.toPercentEncoding("/"))});
        expectRowsAndWarning({shown});

        // The dialog answers the text, which both names read as: both come in, neither in
        // place of the other.
        dialogs::queueFileNames({twin});
        form->AddFile1Click();
        expectRowsAndWarning({twin, shown});

        // "Open" never reaches the twin through the text shown.
        form->KlasorYukle(dir + "/odd");
        dialogs::takeShownMessages();
        select({1});
        form->Open1Click();
        QCOMPARE(window->openedUrls, QList<QUrl>());
        QCOMPARE(beeps(), 1);
    }

    void droppedNameWithAZeroIsNoPath()
    {
        const QString song = file("song.mp3");
        file("a"); // what the system would reach for "a\0.mp3"
        drop({dir + "/a" + QChar(0) + ".mp3", song});
        QCOMPARE(window->listedPaths(), QStringList({song}));
    }

    void droppedLongNamesArriveWhole()
    {
        const QString longName = file(QString(120, u'a') + u'/' + QString(120, u'b') + u'/' +
                                      QString(60, u'c') + ".mp3");
        QVERIFY(longName.size() > 300);
        drop({longName});
        QCOMPARE(window->listedPaths(), QStringList({longName}));
    }

    void fileCommandsActOnSelectedRowsInOrder()
    {
        const QString a = file("a b#1.mp3");
        const QString c = file("sub/c.mp3");
        form->Ekle(QStringLiteral("/x.mp3"));
        form->Ekle(c);
        form->Ekle(dir + "/missing.mp3");
        form->Ekle(a);
        form->Ekle(dir + "/sub"); // a folder is no file
        select({4, 3, 1, 2});

        form->Open1Click();
        QCOMPARE(window->openedUrls, QList<QUrl>({QUrl::fromLocalFile(c), QUrl::fromLocalFile(a)}));
        QCOMPARE(beeps(), 2);

        // No file manager on the bus: the containing folder opens instead.
        window->openedUrls.clear();
        form->ShowinExplorer1Click();
        QCOMPARE(window->openedUrls,
                 QList<QUrl>({QUrl::fromLocalFile(dir + "/sub"), QUrl::fromLocalFile(dir)}));
        QCOMPARE(beeps(), 4);

        // ... and the program's own properties window shows.
        form->Properties1Click();
        QCOMPARE(beeps(), 6);
        QStringList shownPaths;
        for (QWidget *properties :
             form->findChildren<QWidget *>(QStringLiteral("FileProperties"))) {
            shownPaths << properties->findChild<QLabel *>(QStringLiteral("PathValue"))->text();
            QCOMPARE(properties->findChild<QLabel *>(QStringLiteral("SizeValue"))->text(),
                     QStringLiteral("4 bytes"));
            QVERIFY(
                !properties->findChild<QLabel *>(QStringLiteral("TypeValue"))->text().isEmpty());
            properties->close();
        }
        QCOMPARE(shownPaths, QStringList({c, a}));
    }

    void doubleClickDoesNothing()
    {
        form->Ekle(file("a.mp3"));
        QWidget *viewport = form->ListView1->viewport();
        const QPoint onRow = form->ListView1->visualRect(form->FileList->index(0, 0)).center();
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, onRow);
        QCOMPARE(window->openedUrls, QList<QUrl>());
        QCOMPARE(beeps(), 0);
        QCOMPARE(window->listedPaths().size(), 1);
    }

    void deleteRemovesSelectedRowsOnly()
    {
        form->DeleteAll1Click(); // on an empty list
        const QStringList five = {"/0.mp3", "/1.mp3", "/2.mp3", "/3.mp3", "/4.mp3"};
        for (const QString &path : five)
            form->Ekle(path);
        form->ListView1->clearSelection();
        form->Delete1Click();
        QCOMPARE(window->listedPaths(), five);

        select({3, 1});
        form->Delete1Click();
        QCOMPARE(window->listedPaths(), QStringList({"/0.mp3", "/2.mp3", "/4.mp3"}));
        form->Ekle(QStringLiteral("/1.mp3"));
        QCOMPARE(window->listedPaths(), QStringList({"/0.mp3", "/2.mp3", "/4.mp3", "/1.mp3"}));

        form->DeleteAll1Click();
        QCOMPARE(window->listedPaths(), QStringList());
        form->Ekle(QStringLiteral("/4.mp3"));
        QCOMPARE(window->listedPaths(), QStringList({"/4.mp3"}));
    }
};

int main(int argc, char *argv[])
{
    // No file manager: the commands fall back to the program's own ways.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    Application app(argc, argv);
    TestIntake test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_intake.moc"
