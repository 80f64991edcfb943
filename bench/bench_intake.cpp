// Loads a tree of 100,000 supported files into the main window and compares the time with
// `find` listing the same tree, then loads it again (every path a duplicate). Prints the
// ratios and the resident memory of the window holding the rows; last, deletes every other
// row (a scattered selection of 50,000 rows).
#include "app/appform.h"
#include "app/application.h"
#include "app/filelistmodel.h"
#include "support/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

namespace
{
constexpr int topFolders = 50, subFolders = 20, filesPerFolder = 100;

void createTree(const QString &root)
{
    const char *extensions[] = {"mp3", "wav", "flac", "m4a", "MP3"};
    for (int top = 0; top < topFolders; ++top) {
        for (int sub = 0; sub < subFolders; ++sub) {
            const QString folder =
                QStringLiteral("%1/Artist %2/Album %3").arg(root).arg(top).arg(sub);
            QDir().mkpath(folder);
            for (int n = 0; n < filesPerFolder; ++n) {
                QFile file(QStringLiteral("%1/%2 - Track number %3.%4")
                               .arg(folder)
                               .arg(n, 3, 10, QLatin1Char('0'))
                               .arg(n)
                               .arg(QLatin1String(extensions[n % 5])));
                file.open(QIODevice::WriteOnly);
            }
        }
    }
}

qint64 findMilliseconds(const QString &root)
{
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.start(QStringLiteral("find"), {root});
    find.waitForFinished(-1);
    const qsizetype lines = find.readAllStandardOutput().count('\n');
    const qint64 elapsed = timer.elapsed();
    std::printf("find listed %lld entries\n", static_cast<long long>(lines));
    return elapsed;
}

qint64 loadMilliseconds(TAppForm &form, const QString &root)
{
    QElapsedTimer timer;
    timer.start();
    form.KlasorYukle(root);
    QCoreApplication::processEvents(); // the list lays itself out and repaints
    return timer.elapsed();
}

qint64 deleteEveryOtherRowMilliseconds(TAppForm &form)
{
    QItemSelection everyOther;
    for (int row = 0; row < form.FileList->rowCount(); row += 2)
        everyOther.select(form.FileList->index(row, 0), form.FileList->index(row, 1));
    form.ListView1->selectionModel()->select(everyOther, QItemSelectionModel::Select);
    QElapsedTimer timer;
    timer.start();
    form.Delete1Click();
    QCoreApplication::processEvents();
    return timer.elapsed();
}

// Resident memory of this process (the bench measures itself; the program never asks).
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const TestFolders folders; // the window's settings go there
    QTemporaryDir temporary;
    const QString root = temporary.path() + QStringLiteral("/archive");
    createTree(root);

    TAppForm form;
    form.show();
    QCoreApplication::processEvents();

    findMilliseconds(root); // both sides read a warm cache
    const qint64 find = findMilliseconds(root);
    const qint64 first = loadMilliseconds(form, root);
    const int rows = form.FileList->rowCount();
    const double resident = residentMegabytes();
    const qint64 second = loadMilliseconds(form, root);
    const int secondRows = form.FileList->rowCount();
    const qint64 scatteredDelete = deleteEveryOtherRowMilliseconds(form);

    const auto ratio = [](qint64 a, qint64 b) { return double(a) / double(qMax<qint64>(b, 1)); };
    std::printf("rows: %d (second load left %d, deleting every other left %d)\n", rows, secondRows,
                form.FileList->rowCount());
    std::printf("find: %lld ms, first load: %lld ms, second load: %lld ms\n",
                static_cast<long long>(find), static_cast<long long>(first),
                static_cast<long long>(second));
    std::printf("first load / find:        %.2f (limit 10)\n", ratio(first, find));
    std::printf("second load / first load: %.2f (limit 1.2)\n", ratio(second, first));
    std::printf("deleting every other row:  %lld ms, %.2f of the first load\n",
                static_cast<long long>(scatteredDelete), ratio(scatteredDelete, first));
    std::printf("resident memory with %d rows: %.1f MB (limit 150)\n", rows, resident);
    return 0;
}
