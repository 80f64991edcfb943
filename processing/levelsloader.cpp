#include "processing/levelsloader.h"

#include <QThread>

LevelsLoader::LevelsLoader(QString workingFolder, QObject *parent)
    : QObject(parent), m_workingFolder(std::move(workingFolder))
{
}

LevelsLoader::~LevelsLoader()
{
    // A dropped decode notices within a tenth of a second; none may outlive the loader.
    dropCurrent();
    for (const QPointer<QThread> &thread : std::as_const(m_threads))
        if (thread)
            thread->wait();
}

const LevelsResult *LevelsLoader::request(const QString &path)
{
    if (const auto found = m_cache.constFind(path); found != m_cache.constEnd())
        return &found.value();
    if (path == m_currentPath)
        return nullptr;
    dropCurrent();

    auto cancel = std::make_shared<std::atomic<bool>>(false);
    QThread *thread = QThread::create([this, path, cancel, folder = m_workingFolder] {
        LevelsResult result = decodeLevels(path, folder, *cancel);
        if (*cancel)
            return;
        // Handed to the window thread, which keeps it even if the file is no longer shown.
        QMetaObject::invokeMethod(
            this,
            [this, path, result = std::move(result)]() mutable {
                m_cache.insert(path, std::move(result));
                if (path == m_currentPath)
                    m_currentPath.clear();
                emit ready(path);
            },
            Qt::QueuedConnection);
    });
    thread->setObjectName(QStringLiteral("levels"));
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_threads.removeAll(nullptr);
    m_threads.append(thread);
    m_currentPath = path;
    m_currentCancel = cancel;
    thread->start(QThread::LowPriority);
    return nullptr;
}

void LevelsLoader::dropCurrent()
{
    if (m_currentCancel)
        *m_currentCancel = true;
    m_currentCancel.reset();
    m_currentPath.clear();
}
