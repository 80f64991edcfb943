#include "app/informationoptions.h"

#include "about/exeversiondata.h"
#include "app/supportedlisting.h"
#include "base/apperror.h"

#include <QTextStream>

QString usageText()
{
    return QStringLiteral(
        "Usage: hushmill [FILE | FOLDER]...\n"
        "       hushmill -input FILE -output FILE\n"
        "       hushmill --list-supported FOLDER [-0]\n"
        "       hushmill --help | --version\n"
        "\n"
        "Removes silent stretches from audio files with FFmpeg's silenceremove filter.\n"
        "\n"
        "  FILE | FOLDER...   put each supported file, and every supported file found\n"
        "                     in each folder and below it, into the list. Without a\n"
        "                     display, convert them at once into the target folder and\n"
        "                     print one line per file: OK or Error, a tab, the path.\n"
        "  -input FILE -output FILE\n"
        "                     convert one file; end with status 0 on success.\n"
        "  --list-supported FOLDER [-0]\n"
        "                     print the path of every file that FOLDER would put into\n"
        "                     the list, one a line (each ended by a zero byte with -0).\n"
        "  --help             print this text and end.\n"
        "  --version          print the program's name and version and end.\n"
        "\n"
        "The silence threshold, the minimum silence duration and the target folder\n"
        "come from settings.ini, beside the program when its folder is writable,\n"
        "otherwise in ~/.config/QUONDEL/Hushmill/. See hushmill(1).\n");
}

QString versionText(const QString &executable)
{
    TEXEVersionData versionData;
    GetEXEVersionData(executable, versionData);
    return versionData.ProductName + u' ' + majorMinorVersion(GetFileVersionNumber(executable)) +
           u'\n';
}

std::optional<int> answerInformationOption(const QStringList &arguments, const QString &executable)
{
    if (arguments.isEmpty())
        return std::nullopt;
    if (arguments.first() == u"--list-supported" &&
        (arguments.size() == 2 || (arguments.size() == 3 && arguments[2] == u"-0"))) {
        QTextStream errors(stderr);
        return listSupportedFiles(arguments[1], arguments.size() == 3, stdout, errors);
    }
    if (arguments.size() != 1)
        return std::nullopt;
    QTextStream out(stdout);
    if (arguments.first() == u"--help") {
        out << usageText();
        return 0;
    }
    if (arguments.first() != u"--version")
        return std::nullopt;
    try {
        out << versionText(executable);
        return 0;
    } catch (const std::exception &error) {
        QTextStream(stderr) << errorBoxText(exceptionText(error)) << Qt::endl;
        return 1;
    }
}
