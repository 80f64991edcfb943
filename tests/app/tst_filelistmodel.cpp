#include "app/filelistmodel.h"

#include <QSignalSpy>
#include <QTest>

class TestFileListModel : public QObject
{
    Q_OBJECT

    static QStringList paths(const FileListModel &model)
    {
        QStringList result;
        for (int row = 0; row < model.rowCount(); ++row)
            result << model.path(row);
        return result;
    }

private slots:
    void addsInOneInsertionWithoutDuplicates()
    {
        FileListModel model;
        model.add({"/m/a.mp3"});
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QCOMPARE(model.add({"/m/b.mp3", "/m/a.mp3", "/m/A.mp3", "/m/b.mp3", "/m/c.mp3"}), 3);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(paths(model), QStringList({"/m/a.mp3", "/m/b.mp3", "/m/A.mp3", "/m/c.mp3"}));
        QCOMPARE(model.add({"/m/c.mp3"}), 0);
        QCOMPARE(inserted.size(), 1);
    }

    void pathsThatAreNotTextKeepTheirBytes()
    {
        FileListModel model;
        // The text shown for the bytes is a path of its own, not a duplicate.
        model.add({"/m/\\xff.mp3"});
        QCOMPARE(model.addUnreadable({"/m/\xff.mp3", "/m/\xff.mp3"}), 1);
        QCOMPARE(paths(model), QStringList({"/m/\\xff.mp3", "/m/\\xff.mp3"}));
        QVERIFY(!model.isUnreadable(0));
        QVERIFY(model.isUnreadable(1));
        QCOMPARE(model.nameBytes(0), QByteArray("/m/\\xff.mp3"));
        QCOMPARE(model.nameBytes(1), QByteArray("/m/\xff.mp3"));
        model.removeRowsAt({1});
        QCOMPARE(model.addUnreadable({"/m/\xff.mp3"}), 1);
    }

    void removedPathsCanComeBack()
    {
        FileListModel model;
        model.add({"/0", "/1", "/2", "/3", "/4", "/5"});
        model.removeRowsAt({4, 1, 2, 4});
        QCOMPARE(paths(model), QStringList({"/0", "/3", "/5"}));
        QCOMPARE(model.add({"/1", "/3"}), 1);
        QCOMPARE(paths(model), QStringList({"/0", "/3", "/5", "/1"}));
        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.add({"/3"}), 1);
    }

    void scatteredRowsAreRemovedInOnePass()
    {
        FileListModel model;
        QStringList all, kept, removed;
        QList<int> everyOther;
        for (int row = 0; row < 100; ++row) {
            all << QStringLiteral("/%1").arg(row);
            (row % 2 ? kept : removed) << all.last();
            if (row % 2 == 0)
                everyOther << row;
        }
        model.add(all);
        model.removeRowsAt(everyOther);
        QCOMPARE(paths(model), kept);
        QCOMPARE(model.add(all), 50);
        QCOMPARE(paths(model), kept + removed);
    }

    void results()
    {
        FileListModel model;
        model.add({"/a", "/b"});
        const QModelIndex result = model.index(1, FileListModel::ResultColumn);
        QCOMPARE(model.data(result).toString(), QString());
        model.setResult(1, QStringLiteral("OK"), {}, QStringLiteral("6.0 s → 3.1 s (−48 %)"));
        QCOMPARE(model.data(result).toString(), QStringLiteral("OK"));
        QCOMPARE(model.data(result.siblingAtColumn(FileListModel::SavedColumn)).toString(),
                 QStringLiteral("6.0 s → 3.1 s (−48 %)"));
        model.clearResults();
        QCOMPARE(model.result(1), QString());
        QCOMPARE(model.saved(1), QString());
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("File"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Result"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Saved"));
    }

    void rowOfFollowsRowsThatMovedUp()
    {
        FileListModel model;
        model.add({"/a", "/b", "/c", "/d"});
        model.removeRowsAt({0, 2});
        QCOMPARE(model.rowOf("/d", 3), 1);
        QCOMPARE(model.rowOf("/b", 1), 0);
        QCOMPARE(model.rowOf("/c", 2), -1);
        // Removed and added again: a new row below where the old one stood.
        model.removeRowsAt({0});
        model.add({"/b"});
        QCOMPARE(model.rowOf("/b", 0), -1);
        QCOMPARE(model.rowOf("/b", 1), 1);
    }
};

QTEST_GUILESS_MAIN(TestFileListModel)
#include "tst_filelistmodel.moc"
