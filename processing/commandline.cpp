#include "processing/commandline.h"

#include "platform/currentfolder.h"

#include <QFile>

QString joinArguments(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

CommandLineRequest parseCommandLine(const QString &joined)
{
    static const QString outputWord = QStringLiteral("-output");
    static const QString inputWord = QStringLiteral("-input");

    CommandLineRequest request;
    QString searched = joined;
    const qsizetype outputAt = joined.indexOf(outputWord);
    if (outputAt >= 0) {
        request.output = joined.mid(outputAt + outputWord.size() + 1);
        searched = joined.left(qMax<qsizetype>(outputAt - 1, 0));
    }
    const qsizetype inputAt = searched.indexOf(inputWord);
    if (inputAt >= 0)
        request.input = searched.mid(inputAt + inputWord.size() + 1);
    return request;
}

CommandLineRequest readCommandLine(const QStringList &arguments)
{
    static const QString inputWord = QStringLiteral("-input");
    static const QString outputWord = QStringLiteral("-output");
    if (arguments.size() == 4) {
        if (arguments[0] == inputWord && arguments[2] == outputWord)
            return {arguments[1], arguments[3]};
        if (arguments[0] == outputWord && arguments[2] == inputWord)
            return {arguments[3], arguments[1]};
    }
    return parseCommandLine(joinArguments(arguments));
}

QString absolutePath(const QString &path)
{
    return QFile::decodeName(absolutePath(QFile::encodeName(path)));
}

QByteArray absolutePath(const QByteArray &path)
{
    if (path.isEmpty() || path.startsWith('/'))
        return path;
    const QByteArray here = platform::currentFolder();
    return here.endsWith('/') ? here + path : here + '/' + path;
}
