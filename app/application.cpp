#include "app/application.h"

#include "app/dialogs.h"
#include "base/apperror.h"
#include "webservice/backgroundwork.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // The title only: a display name would also be appended by the window system's plug-in to
    // every other window's caption ("Confirmation — Hushmill").
    setApplicationName(QStringLiteral("Hushmill"));
    // The name of the installed desktop entry: Wayland desktops find the icon through it.
    setDesktopFileName(QStringLiteral(HUSHMILL_APP_ID));
}

Application::~Application()
{
    endBackgroundWork();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        showErrorBox(error);
    }
    return false;
}

namespace
{
bool headlessRun = false;
QtMessageHandler qtHandler = nullptr;

// Lines the offscreen platform writes about itself, which would only clutter the output of
// a headless run.
void quietOffscreenMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QLatin1String("This plugin does not support propagateSizeHints")) ||
        text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, text);
}
} // namespace

bool Application::isHeadless()
{
    return headlessRun;
}

void Application::setHeadless(bool headless)
{
    headlessRun = headless;
    dialogs::setPrintingInstead(headless);
    if (headless && !qtHandler)
        qtHandler = qInstallMessageHandler(quietOffscreenMessages);
}

void Application::showErrorBox(const QString &message)
{
    dialogs::message(activeWindow(), QMessageBox::Critical, applicationName(),
                     errorBoxText(message));
}

void Application::showErrorBox(const std::exception &error)
{
    showErrorBox(exceptionText(error));
}
