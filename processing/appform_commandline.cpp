#include "app/appform.h"

#include "app/application.h"
#include "app/filelistmodel.h"
#include "app/mediatypes.h"
#include "base/apperror.h"
#include "base/folders.h"
#include "platform/beep.h"
#include "processing/commandline.h"
#include "processing/conversionresult.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

namespace
{
// The folder of a path: up to its last "/", which is left out unless it is the root.
QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? path.left(slash + 1) : path.left(slash);
}

// Without a display nobody can close the window or press its button: the command line
// ends the program with a status that tells how it went, the reason on standard error.
void endHeadless(int status, const QString &reason = {})
{
    if (!reason.isEmpty())
        QTextStream(stderr) << reason << Qt::endl;
    QCoreApplication::exit(status);
}
} // namespace

void TAppForm::TimerParamTimer()
{
    TimerParam->stop();
    if (CommandLineArguments.isEmpty())
        return;
    const CommandLineRequest request = parseCommandLine(joinArguments(CommandLineArguments));
    if (!Application::isHeadless()) {
        handleCommandLine(request);
        return;
    }
    try {
        handleCommandLine(request);
    } catch (const std::exception &error) {
        endHeadless(1, errorBoxText(exceptionText(error)));
    }
}

void TAppForm::handleCommandLine(const CommandLineRequest &request)
{
    if (request.convertsOneFile())
        convertFromCommandLine(absolutePath(request.input), absolutePath(request.output));
    else
        fillListFromCommandLine();
}

void TAppForm::convertFromCommandLine(const QString &input, const QString &output)
{
    setStatusText(QStringLiteral("Processing ") + input + QStringLiteral("..."));
    Ekle(input);
    if (!fileExists(input)) {
        setStatusText(QStringLiteral("File not found!"));
        QCoreApplication::processEvents();
        if (Application::isHeadless())
            endHeadless(1, statusText());
        return;
    }
    createFolderWithParents(folderOf(output));
    if (FFmpegIleDonustur(input, output) == conversionOK) {
        QCoreApplication::exit(0);
        return;
    }
    setStatusText(conversionError);
    if (Application::isHeadless())
        endHeadless(1, statusText());
}

void TAppForm::fillListFromCommandLine()
{
    for (const QString &argument : std::as_const(CommandLineArguments)) {
        const QString path = absolutePath(argument);
        if (QFileInfo(path).isDir())
            KlasorYukle(path);
        else if (IsMediaFile(path))
            Ekle(path);
    }
    if (FileList->rowCount() == 0) {
        platform::beep();
        setStatusText(QStringLiteral("Invalid Command Line Arguments!"));
        QCoreApplication::processEvents();
        if (Application::isHeadless())
            endHeadless(1, statusText());
        return;
    }
    if (Application::isHeadless())
        runListHeadless();
}

void TAppForm::runListHeadless()
{
    Button1Click();
    QTextStream out(stdout);
    bool allOK = true;
    for (int row = 0; row < FileList->rowCount(); ++row) {
        out << FileList->result(row) << '\t' << FileList->path(row) << Qt::endl;
        allOK = allOK && FileList->result(row) == conversionOK;
    }
    endHeadless(allOK ? 0 : 1);
}
