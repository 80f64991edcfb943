#pragma once

#include <QString>
#include <functional>

class QObject;

namespace platform
{

// Ask the desktop's file manager (org.freedesktop.FileManager1 on the session bus) to show a
// file: selected in its folder, or in the file's properties window. The request is sent
// without waiting; `fallback` runs, once, when no file manager answers it, unless `context`
// has been destroyed by then.
void showItemInFileManager(const QString &path, QObject *context, std::function<void()> fallback);
void showItemPropertiesInFileManager(const QString &path, QObject *context,
                                     std::function<void()> fallback);

} // namespace platform
