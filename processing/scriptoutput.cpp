#include "processing/scriptoutput.h"

#include "app/filenametext.h"

#include <cstdio>

namespace scriptoutput
{

namespace
{
void printLine(std::FILE *stream, const QByteArray &line)
{
    const QByteArray ended = line + '\n';
    std::fwrite(ended.constData(), 1, size_t(ended.size()), stream);
    std::fflush(stream);
}
} // namespace

QByteArray escapedField(const QByteArray &bytes)
{
    return readableName(bytes, NameEscapes::Fields).toUtf8();
}

void printResult(const QString &result, const QByteArray &path)
{
    printLine(stdout, result.toUtf8() + '\t' + escapedField(path));
}

void printSkipped(const QByteArray &path, const QString &reason)
{
    printLine(stdout, "Skipped\t" + escapedField(path) + '\t' + escapedField(reason.toUtf8()));
}

void printReason(const QByteArray &path, const QString &reason)
{
    printLine(stderr, escapedField(path) + ": " + escapedField(reason.toUtf8()));
}

} // namespace scriptoutput
