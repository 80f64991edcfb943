#include "platform/urlopener.h"

#include <QDesktopServices>

namespace platform
{

namespace
{
std::function<void(const QUrl &)> &testOpener()
{
    static std::function<void(const QUrl &)> opener;
    return opener;
}
} // namespace

void openUrl(const QUrl &url)
{
    if (testOpener())
        testOpener()(url);
    else
        QDesktopServices::openUrl(url);
}

void setUrlOpenerForTesting(std::function<void(const QUrl &)> opener)
{
    testOpener() = std::move(opener);
}

} // namespace platform
