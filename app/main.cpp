#include "app/appform.h"
#include "app/application.h"
#include "platform/namedmutex.h"

int main(int argc, char *argv[])
{
    platform::holdNamedMutex(QStringLiteral("QUONDEL_Hushmill"));
    Application app(argc, argv);
    TAppForm form;
    form.show();
    return app.exec();
}
