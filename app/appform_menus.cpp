#include "app/appform.h"

#include "about/aboutbox.h"
#include "app/helpaddress.h"
#include "platform/urlopener.h"
#include "webservice/vendorhost.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>

void TAppForm::Help2Click()
{
    platform::openUrl(QUrl(helpAddress(vendorHost(), ProductName)));
}

void TAppForm::About1Click()
{
    // A new box at every opening; it is modal and destroys itself when closed.
    (new TAboutBox(ProductName, AppVersion, this))->show();
}

void TAppForm::Exit1Click()
{
    QApplication::quit();
}

void TAppForm::ShowLog1Click()
{
    MemoCMD->setVisible(ShowLog1->isChecked());
}
