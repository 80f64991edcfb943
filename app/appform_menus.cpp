#include "app/appform.h"

#include "app/helpaddress.h"
#include "platform/urlopener.h"
#include "webservice/vendorhost.h"

#include <QApplication>

void TAppForm::Help2Click()
{
    platform::openUrl(QUrl(helpAddress(vendorHost(), ProductName)));
}

void TAppForm::About1Click() {}

void TAppForm::Exit1Click()
{
    QApplication::quit();
}
