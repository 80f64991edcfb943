#pragma once

#include <QUrl>
#include <functional>

namespace platform
{

// Opens a web address, file or folder with the user's default handler. Failures are silent.
void openUrl(const QUrl &url);

// Tests replace the opener to see what would be opened; an empty function restores the real one.
void setUrlOpenerForTesting(std::function<void(const QUrl &)> opener);

} // namespace platform
