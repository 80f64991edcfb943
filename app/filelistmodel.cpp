#include "app/filelistmodel.h"

#include "app/filenametext.h"

#include <QFile>

#include <algorithm>

FileListModel::FileListModel(QObject *parent) : QAbstractTableModel(parent) {}

void FileListModel::setRowIcon(const QVariant &icon)
{
    m_icon = icon;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, FileColumn), index(rowCount() - 1, FileColumn),
                         {Qt::DecorationRole});
}

QString FileListModel::keyOf(const Row &row)
{
    // A path that is text holds no zero character.
    return row.unreadableName.isEmpty() ? row.path : QChar(0) + row.path;
}

QByteArray FileListModel::nameBytes(int row) const
{
    return isUnreadable(row) ? m_rows[row].unreadableName : QFile::encodeName(m_rows[row].path);
}

qsizetype FileListModel::add(const QStringList &paths)
{
    QList<Row> rows;
    rows.reserve(paths.size());
    for (const QString &path : paths)
        rows.append({path, {}, {}, {}, {}});
    return append(std::move(rows));
}

qsizetype FileListModel::addUnreadable(const QList<QByteArray> &paths)
{
    QList<Row> rows;
    for (const QByteArray &path : paths)
        rows.append({readableName(path, NameEscapes::Fields), {}, {}, {}, path});
    return append(std::move(rows));
}

qsizetype FileListModel::append(QList<Row> rows)
{
    QList<Row> fresh;
    for (Row &row : rows) {
        const QString key = keyOf(row);
        if (!m_paths.contains(key)) {
            m_paths.insert(key);
            fresh.append(std::move(row));
        }
    }
    if (fresh.isEmpty())
        return 0;
    const qsizetype added = fresh.size();
    beginInsertRows({}, rowCount(), rowCount() + int(added) - 1);
    m_rows.append(std::move(fresh));
    endInsertRows();
    return added;
}

void FileListModel::removeRowsAt(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<std::pair<int, int>> runs; // runs of neighbouring rows, from the bottom up
    for (const int row : std::as_const(rows)) {
        if (!runs.isEmpty() && runs.last().first == row + 1)
            runs.last().first = row;
        else
            runs.append({row, row});
    }

    // Each removal costs the views time in proportion to the list; a scattered selection of
    // thousands of rows is removed in one pass and the views start afresh.
    constexpr qsizetype mostSeparateRemovals = 32;
    if (runs.size() > mostSeparateRemovals) {
        beginResetModel();
        for (const int row : std::as_const(rows))
            m_paths.remove(keyOf(m_rows[row]));
        QList<bool> removed(m_rows.size(), false);
        for (const int row : std::as_const(rows))
            removed[row] = true;
        qsizetype kept = 0;
        for (qsizetype row = 0; row < m_rows.size(); ++row) {
            if (!removed[row])
                m_rows[kept++] = std::move(m_rows[row]);
        }
        m_rows.resize(kept);
        endResetModel();
        return;
    }
    for (const auto &[first, last] : std::as_const(runs)) {
        beginRemoveRows({}, first, last);
        for (int row = first; row <= last; ++row)
            m_paths.remove(keyOf(m_rows[row]));
        m_rows.remove(first, last - first + 1);
        endRemoveRows();
    }
}

void FileListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_paths.clear();
    endResetModel();
}

void FileListModel::setResult(int row, const QString &text, const QString &failure,
                              const QString &saved)
{
    m_rows[row].result = text;
    m_rows[row].failure = failure;
    m_rows[row].saved = saved;
    emit dataChanged(index(row, ResultColumn), index(row, SavedColumn), {Qt::DisplayRole});
    emit resultSet(row);
}

void FileListModel::clearResults()
{
    for (Row &row : m_rows) {
        row.result.clear();
        row.failure.clear();
        row.saved.clear();
    }
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, ResultColumn), index(rowCount() - 1, SavedColumn),
                         {Qt::DisplayRole});
}

int FileListModel::rowOf(const QString &path, int formerRow) const
{
    if (!m_paths.contains(path))
        return -1;
    for (int row = std::min(formerRow, rowCount() - 1); row >= 0; --row) {
        if (m_rows[row].path == path)
            return row;
    }
    return -1;
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Row &row = m_rows[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case FileColumn:
            return row.path;
        case ResultColumn:
            return row.result;
        default:
            return row.saved;
        }
    }
    if (role == Qt::DecorationRole && index.column() == FileColumn)
        return m_icon;
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case FileColumn:
        return QStringLiteral("File");
    case ResultColumn:
        return QStringLiteral("Result");
    default:
        return QStringLiteral("Saved");
    }
}
