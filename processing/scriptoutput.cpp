#include "processing/scriptoutput.h"

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
    QByteArray field;
    field.reserve(bytes.size());
    for (const char byte : bytes) {
        switch (byte) {
        case '\\':
            field += "\\\\";
            break;
        case '\n':
            field += "\\n";
            break;
        case '\t':
            field += "\\t";
            break;
        default:
            field += byte;
        }
    }
    return field;
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
