#include "platform/filemanager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QUrl>

namespace platform
{

namespace
{
void callFileManager(const QString &method, const QString &path, QObject *context,
                     std::function<void()> fallback)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        fallback();
        return;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
                                       QStringLiteral("/org/freedesktop/FileManager1"),
                                       QStringLiteral("org.freedesktop.FileManager1"), method);
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    message << QStringList(uri) << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [fallback = std::move(fallback)](QDBusPendingCallWatcher *call) {
                         if (call->isError())
                             fallback();
                         call->deleteLater();
                     });
}
} // namespace

void showItemInFileManager(const QString &path, QObject *context, std::function<void()> fallback)
{
    callFileManager(QStringLiteral("ShowItems"), path, context, std::move(fallback));
}

void showItemPropertiesInFileManager(const QString &path, QObject *context,
                                     std::function<void()> fallback)
{
    callFileManager(QStringLiteral("ShowItemProperties"), path, context, std::move(fallback));
}

} // namespace platform
