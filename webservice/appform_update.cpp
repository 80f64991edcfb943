#include "app/appform.h"

#include "app/application.h"
#include "platform/knownfolders.h"
#include "webservice/newver.h"
#include "webservice/updatecheck.h"
#include "webservice/vendorhost.h"

#include <QAction>
#include <QTimer>

void TAppForm::TimerCheckerTimer()
{
    if (!CheckStarted) {
        CheckStarted = true;
        UpdateCheck = std::make_shared<UpdateCheckState>();
        UpdateCheckRequest request;
        request.AppName = AppName;
        request.AppVersion = AppVersion;
        request.storeFile =
            UpdateStore::fileFor(platform::userConfigFolder(), CompanyName, ProductName);
        request.CheckEndpoint = checkEndpointOn(vendorHost());
        if (!TChecker::start(UpdateCheck, request))
            TimerChecker->stop(); // the program is ending
        return;
    }
    if (!UpdateCheck->CheckDone.load(std::memory_order_acquire))
        return;
    TimerChecker->stop();
    UpdateNotifications1->setEnabled(true);
    if (UpdateCheck->ShowUpdate == 0)
        UpdateNotifications1->setChecked(false);
    // Without a display nobody would see the notice.
    if (UpdateCheck->NewVersionFound && !Application::isHeadless() && !NewVer)
        NewVer =
            new TNewVer(this, ProductName, UpdateCheck->ReplyVersion, UpdateCheck->DownloadURL);
}

// The item has checked or unchecked itself; the choice holds from the next start on.
void TAppForm::UpdateNotifications1Click()
{
    UpdateCheck->UpdateKeyAccess.writeString(
        QStringLiteral("ShowUpdate"),
        UpdateNotifications1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}
