#include "app/application.h"

#include "app/apperror.h"
#include "app/dialogs.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Hushmill"));
    setApplicationDisplayName(QStringLiteral("Hushmill"));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        showErrorBox(exceptionText(error));
    }
    return false;
}

namespace
{
bool headlessRun = false;
}

bool Application::isHeadless()
{
    return headlessRun;
}

void Application::setHeadless(bool headless)
{
    headlessRun = headless;
    dialogs::setPrintingInstead(headless);
}

void Application::showErrorBox(const QString &message)
{
    dialogs::message(activeWindow(), QMessageBox::Critical, applicationDisplayName(),
                     errorBoxText(message));
}
