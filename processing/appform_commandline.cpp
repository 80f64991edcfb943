#include "app/appform.h"

#include "app/application.h"
#include "app/filelistmodel.h"
#include "app/filenametext.h"
#include "app/namedfile.h"
#include "base/apperror.h"
#include "base/folders.h"
#include "platform/beep.h"
#include "processing/commandline.h"
#include "processing/conversionresult.h"
#include "processing/scriptoutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextStream>
#include <QTimer>

namespace
{
bool isOptionWord(const QString &argument)
{
    return argument == QLatin1String("-input") || argument == QLatin1String("-output");
}

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
    const CommandLineRequest request = readCommandLine(CommandLineArguments);
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
    if (!request.convertsOneFile()) {
        fillListFromCommandLine();
        return;
    }
    // The two paths are text rebuilt from the arguments: a path that is not text would turn
    // into the text of another.
    for (qsizetype i = 0; i < CommandLineArguments.size(); ++i) {
        const QByteArray path = absolutePath(argumentBytes(i));
        if (!isNameText(path) && !isOptionWord(CommandLineArguments[i])) {
            refuseUnreadableFile(path);
            return;
        }
    }
    convertFromCommandLine(absolutePath(request.input), absolutePath(request.output));
}

QByteArray TAppForm::argumentBytes(qsizetype index) const
{
    return index < CommandLineBytes.size() ? CommandLineBytes[index]
                                           : QFile::encodeName(CommandLineArguments[index]);
}

void TAppForm::refuseUnreadableFile(const QByteArray &path)
{
    setStatusText(conversionError);
    addUnreadable({path});
    if (Application::isHeadless()) {
        scriptoutput::printReason(path, notTextReason);
        endHeadless(1, statusText());
    }
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
    const ConversionOutcome outcome = FFmpegIleDonustur(input, output);
    if (outcome.succeeded()) {
        QCoreApplication::exit(0);
        return;
    }
    setStatusText(conversionError);
    if (Application::isHeadless()) {
        scriptoutput::printReason(QFile::encodeName(input), outcome.failure);
        endHeadless(1, statusText());
    }
}

void TAppForm::fillListFromCommandLine()
{
    QList<QByteArray> unreadable;
    for (qsizetype i = 0; i < CommandLineArguments.size(); ++i) {
        const QByteArray path = absolutePath(argumentBytes(i));
        if (isFolder(path)) {
            loadFolder(path);
            continue;
        }
        const QString refusal = namedFileRefusal(path);
        const bool isText = isNameText(path);
        if (refusal.isEmpty() && isText) {
            Ekle(QFile::decodeName(path));
        } else if (Application::isHeadless()) {
            // A script learns of every file it named that is not converted.
            scriptoutput::printSkipped(path, refusal.isEmpty() ? notTextReason : refusal);
            namedFileSkipped = true;
        } else if (refusal.isEmpty()) {
            unreadable.append(path);
        }
    }
    addUnreadable(unreadable);
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
    // Each row is printed the moment its file is done, so that a run ended half-way has
    // reported what it did.
    const QMetaObject::Connection printing =
        connect(FileList, &FileListModel::resultSet, this, [this](int row) {
            const QByteArray path = FileList->nameBytes(row);
            scriptoutput::printResult(FileList->result(row), path);
            if (!FileList->failure(row).isEmpty())
                scriptoutput::printReason(path, FileList->failure(row));
        });
    const auto stopPrinting = qScopeGuard([&printing] { disconnect(printing); });
    Button1Click();
    bool allOK = !namedFileSkipped;
    for (int row = 0; row < FileList->rowCount(); ++row)
        allOK = allOK && FileList->result(row) == conversionOK;
    // After the rows, the summary the window shows in its status bar.
    endHeadless(allOK ? 0 : 1, statusText());
}
