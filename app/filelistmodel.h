#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariant>

// The rows of the file list: one input path each with its result ("", "OK", "Error" or
// "Stopped") and what its conversion saved ("25.5 s → 11.3 s (−56 %)", or empty).
// Rows keep the order in which they were added; no two rows hold paths that are equal
// character for character (paths differing only in letter case are different rows).
//
// A row may also stand for a file whose path is not text (app/filenametext.h): it shows the
// path with its odd bytes written \xHH, keeps the bytes, and is never converted.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { FileColumn, ResultColumn, SavedColumn, ColumnCount };

    explicit FileListModel(QObject *parent = nullptr);

    // The picture shown beside every path (the window hands in its icon).
    void setRowIcon(const QVariant &icon);

    // Appends the paths not in the list yet, in their order, as one insertion; a path that
    // occurs twice in `paths` is added once. Returns how many rows were added.
    qsizetype add(const QStringList &paths);
    // The same for paths that are not text, given as their bytes.
    qsizetype addUnreadable(const QList<QByteArray> &paths);
    // Removes the given rows (in any order, repeats allowed).
    void removeRowsAt(QList<int> rows);
    void clear();

    QString path(int row) const { return m_rows[row].path; }
    bool isUnreadable(int row) const { return !m_rows[row].unreadableName.isEmpty(); }
    // The path as the file system holds it.
    QByteArray nameBytes(int row) const;
    QString result(int row) const { return m_rows[row].result; }
    // Why the row's conversion failed, in one line; empty unless the result is "Error".
    QString failure(int row) const { return m_rows[row].failure; }
    QString saved(int row) const { return m_rows[row].saved; }
    void setResult(int row, const QString &text, const QString &failure = {},
                   const QString &saved = {});
    // Empties every row's result, failure and saved text.
    void clearResults();

    // The row of `path`, or -1. Rows only move up as rows above them go, so the search starts
    // at `formerRow`, where the path stood once, and goes up.
    int rowOf(const QString &path, int formerRow) const;

signals:
    // A row got its result.
    void resultSet(int row);

public:
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        QString path; // for a path that is not text: as it is shown
        QString result;
        QString failure;
        QString saved;
        QByteArray unreadableName; // the bytes of a path that is not text
    };
    // What the duplicate test compares: no path that is text can equal that of one that is not.
    static QString keyOf(const Row &row);
    qsizetype append(QList<Row> rows);
    QList<Row> m_rows;
    QSet<QString> m_paths; // the paths of m_rows, for the duplicate test
    QVariant m_icon;
};
