#include "app/appform.h"

#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "app/filepropertieswindow.h"
#include "base/folders.h"
#include "app/folderscan.h"
#include "app/icons.h"
#include "app/mediatypes.h"
#include "platform/beep.h"
#include "platform/filemanager.h"
#include "platform/urlopener.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>
#include <algorithm>

namespace
{
QUrl fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}
} // namespace

void TAppForm::prepareFileList()
{
    OpenDialog1Filter = addFilesFilter();
    ScanList.clear();

    FileList = new FileListModel(this);
    FileList->setRowIcon(appIcon(QStringLiteral("file-sound")));
    ListView1->setModel(FileList);
    QHeaderView *header = ListView1->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(FileListModel::FileColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(FileListModel::ResultColumn, QHeaderView::Fixed);
    header->resizeSection(FileListModel::ResultColumn, 71);
}

void TAppForm::Ekle(const QString &isim)
{
    FileList->add({isim});
}

void TAppForm::KlasorYukle(const QString &klasor)
{
    setStatusText(QStringLiteral("Loading Files..."));
    QCoreApplication::processEvents();
    ScanList.clear();
    LastFolder = klasor;
    ScanFolder(klasor);
    FileList->add(ScanList); // one insertion: the list repaints once
    setStatusText(QString());
}

void TAppForm::ScanFolder(const QString &folder)
{
    scanMediaFiles(folder, ScanList);
}

void TAppForm::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void TAppForm::dropEvent(QDropEvent *event)
{
    // The names are taken whole from the drop, in its order.
    for (const QUrl &url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString name = url.toLocalFile();
        // A zero character (sent as "%00") cannot stand in a path: the system would read the
        // name only up to it, and so reach a different file.
        if (name.contains(QChar(0)))
            continue;
        try {
            if (QFileInfo(name).isDir())
                KlasorYukle(name);
            else if (IsMediaFile(name))
                Ekle(name);
        } catch (const std::exception &) {
            // A name that fails is left out; the others still come in.
        }
    }
    event->acceptProposedAction();
}

void TAppForm::AddFile1Click()
{
    const QStringList files = dialogs::chooseFiles(this, qtNameFilters(OpenDialog1Filter),
                                                   QStringLiteral("mp3"), QString());
    for (const QString &file : files)
        Ekle(file);
}

void TAppForm::AddFolder1Click()
{
    const QStringList folders = dialogs::chooseFolders(this, QStringLiteral("Select folder:"),
                                                       QStringLiteral("Select"), LastFolder, true);
    for (const QString &folder : folders)
        KlasorYukle(folder);
}

QList<int> TAppForm::selectedFileRows() const
{
    // Read from the selection's ranges: asking the selection row by row takes time in
    // proportion to the square of the number of ranges.
    QList<int> rows;
    for (const QItemSelectionRange &range : ListView1->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TAppForm::forEachSelectedFile(const std::function<void(const QString &)> &command)
{
    for (const int row : selectedFileRows()) {
        const QString path = FileList->path(row);
        if (fileExists(path))
            command(path);
        else
            platform::beep();
    }
}

void TAppForm::Open1Click()
{
    forEachSelectedFile([](const QString &path) { platform::openUrl(fileUrl(path)); });
}

void TAppForm::ShowinExplorer1Click()
{
    forEachSelectedFile([this](const QString &path) {
        platform::showItemInFileManager(path, this, [path] {
            platform::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
        });
    });
}

void TAppForm::Properties1Click()
{
    forEachSelectedFile([this](const QString &path) { ShowFileProperties(path); });
}

void TAppForm::ShowFileProperties(const QString &path)
{
    platform::showItemPropertiesInFileManager(
        path, this, [this, path] { showFilePropertiesWindow(this, path); });
}

void TAppForm::Delete1Click()
{
    FileList->removeRowsAt(selectedFileRows());
}

void TAppForm::DeleteAll1Click()
{
    FileList->clear();
}
