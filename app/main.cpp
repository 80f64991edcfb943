#include "app/appform.h"
#include "app/application.h"
#include "app/informationoptions.h"
#include "platform/display.h"
#include "platform/namedmutex.h"
#include "platform/runningprogram.h"
#include "platform/terminationsignals.h"
#include "processing/runningwork.h"
#include "webservice/postform.h"

#include <QFile>

int main(int argc, char *argv[])
{
    // Before any thread starts. A signal to end ends the running ffmpeg and removes its
    // unfinished output first.
    platform::endOnTerminationSignals(runningwork::endForExit);
    const WebClientSetup webClient;
    platform::holdNamedMutex(QStringLiteral("QUONDEL_Hushmill"));

    // Taken before Qt sees them: the application object removes the options it knows.
    QStringList arguments;
    QList<QByteArray> argumentBytes;
    for (int i = 1; i < argc; ++i) {
        argumentBytes << QByteArray(argv[i]);
        arguments << QFile::decodeName(argumentBytes.last());
    }
    if (const std::optional<int> status =
            answerInformationOption(arguments, platform::runningExecutable()))
        return *status;

    const bool headless = !platform::hasDisplay();
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application::setHeadless(headless);

    Application app(argc, argv);
    try {
        TAppForm form;
        form.CommandLineArguments = arguments;
        form.CommandLineBytes = argumentBytes;
        form.show();
        return app.exec();
    } catch (const std::exception &error) {
        // Creating the window failed (an executable without a readable version block, for
        // one): the rest of start-up rests on what failed, so say why and end.
        Application::showErrorBox(error);
        return 1;
    }
}
