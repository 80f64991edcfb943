#include "app/appform.h"

#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "app/filenametext.h"
#include "app/filepropertieswindow.h"
#include "app/folderscan.h"
#include "app/icons.h"
#include "app/mediatypes.h"
#include "app/namedfile.h"
#include "base/folders.h"
#include "platform/beep.h"
#include "platform/filemanager.h"
#include "platform/urlopener.h"
#include "processing/conversionresult.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
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
    // Wide enough for what a file under a minute saved; the user may widen it.
    header->setSectionResizeMode(FileListModel::SavedColumn, QHeaderView::Interactive);
    header->resizeSection(FileListModel::SavedColumn,
                          ListView1->fontMetrics().horizontalAdvance(
                              QStringLiteral("59.9 s \u2192 59.9 s (\u2212100 %)")) +
                              12);
}

void TAppForm::Ekle(const QString &isim)
{
    FileList->add({isim});
}

void TAppForm::KlasorYukle(const QString &klasor)
{
    loadFolder(QFile::encodeName(klasor));
}

void TAppForm::loadFolder(const QByteArray &folder)
{
    setStatusText(QStringLiteral("Loading Files..."));
    QCoreApplication::processEvents();
    ScanList.clear();
    UnreadableScanList.clear();
    LastFolder = QFile::decodeName(folder);
    ScanFolder(folder);
    FileList->add(ScanList); // one insertion: the list repaints once
    setStatusText(QString());
    addUnreadable(UnreadableScanList);
}

void TAppForm::ScanFolder(const QByteArray &folder)
{
    scanMediaFiles(folder, ScanList, UnreadableScanList);
}

void TAppForm::addUnreadable(const QList<QByteArray> &paths)
{
    if (paths.isEmpty())
        return;
    const int first = FileList->rowCount();
    FileList->addUnreadable(paths);
    for (int row = first; row < FileList->rowCount(); ++row)
        FileList->setResult(row, conversionError, notTextReason);
    dialogs::message(this, QMessageBox::Warning, QStringLiteral("WARNING"),
                     unreadableNamesMessage(paths));
}

void TAppForm::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void TAppForm::dropEvent(QDropEvent *event)
{
    // The names are taken whole from the drop, in its order, as the bytes they were sent as:
    // a name that is not text must not turn into the text of another.
    QList<QByteArray> unreadable;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        const QByteArray name =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        // A zero character (sent as "%00") cannot stand in a path: the system would read the
        // name only up to it, and so reach a different file.
        if (name.contains('\0'))
            continue;
        try {
            if (isFolder(name))
                loadFolder(name);
            else if (!namedFileRefusal(name).isEmpty())
                continue;
            else if (isNameText(name))
                Ekle(QFile::decodeName(name));
            else
                unreadable.append(name);
        } catch (const std::exception &) {
            // A name that fails is left out; the others still come in.
        }
    }
    addUnreadable(unreadable);
    event->acceptProposedAction();
}

void TAppForm::AddFile1Click()
{
    const QStringList files = dialogs::chooseFiles(this, qtNameFilters(OpenDialog1Filter),
                                                   QStringLiteral("mp3"), QString());
    // The dialog shows a name that is not text as text, and answers the text: the files it
    // may have meant are refused, and a file that holds that very text is taken too.
    QList<QByteArray> unreadable;
    for (const QString &file : files) {
        const QList<QByteArray> twins = unreadableTwins(file);
        unreadable += twins;
        if (!isSpecialFile(file) && (twins.isEmpty() || QFileInfo::exists(file)))
            Ekle(file);
    }
    addUnreadable(unreadable);
}

void TAppForm::AddFolder1Click()
{
    const QStringList folders = dialogs::chooseFolders(this, QStringLiteral("Select folder:"),
                                                       QStringLiteral("Select"), LastFolder, true);
    for (const QString &folder : folders) {
        const QList<QByteArray> twins = unreadableTwins(folder);
        for (const QByteArray &twin : twins)
            loadFolder(twin);
        if (twins.isEmpty() || QFileInfo(folder).isDir())
            KlasorYukle(folder);
    }
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
        // The text shown for a name that is not text names another file, if any.
        if (!FileList->isUnreadable(row) && fileExists(path))
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
