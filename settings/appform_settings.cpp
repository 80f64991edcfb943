#include "app/appform.h"

#include "app/application.h"
#include "app/dialogs.h"
#include "base/apperror.h"
#include "platform/knownfolders.h"
#include "platform/runningprogram.h"
#include "settings/settingsfolder.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

void TAppForm::chooseSettingsFolder()
{
    SettingsFolder = settingsFolderFor(platform::programFolder(), platform::userConfigFolder(),
                                       CompanyName, ProductName);
}

void TAppForm::openSettingsStore()
{
    SettingsIni = IniFile::open(SettingsFolder + QStringLiteral("settings.ini"));
}

void TAppForm::writeSettingsFile()
{
    try {
        SettingsIni.updateFile();
    } catch (const AppError &error) {
        if (!restoringSettings)
            throw;
        if (std::exchange(startupWriteFailed, true))
            return;
        QTimer::singleShot(0, this, [error] { Application::showErrorBox(error); });
    }
}

void TAppForm::ResettoDefaults1Click()
{
    const auto answer =
        dialogs::message(this, QMessageBox::Question, QStringLiteral("Confirmation"),
                         QStringLiteral("Restart Application?"), QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::Yes, {QStringLiteral("Yes"), QStringLiteral("No")});
    if (answer != QMessageBox::Yes)
        return;
    QFile::remove(SettingsIni.fileName());
    QCoreApplication::processEvents();
    platform::startProgramAnew();
    QApplication::quit();
}
