#pragma once

#include "processing/levelsdecode.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <memory>

class QThread;

// Reads files' levels on a thread of their own, one file at a time, and keeps every result
// (an error included) for the rest of the run, so a file is decoded once however often it is
// shown. Asking for another file while one is read drops the unfinished one.
class LevelsLoader : public QObject
{
    Q_OBJECT

public:
    explicit LevelsLoader(QString workingFolder, QObject *parent = nullptr);
    ~LevelsLoader() override;

    // The result for `path` when it is known; otherwise null, and `ready` follows once it is.
    const LevelsResult *request(const QString &path);

signals:
    void ready(const QString &path);

private:
    void dropCurrent();

    QString m_workingFolder;
    QHash<QString, LevelsResult> m_cache;
    QString m_currentPath; // the file being read, empty when none
    std::shared_ptr<std::atomic<bool>> m_currentCancel;
    QList<QPointer<QThread>> m_threads; // every thread not yet ended, dropped ones included
};
