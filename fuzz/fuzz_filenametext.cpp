// File names as bytes from the system, shown as text: a name that is text reads as itself and
// comes back to the same bytes; any other name is written with \xHH for its odd bytes. Written
// as a field of a headless row, a name never holds a raw line break or tab and can be read back
// to its bytes, so no two names print alike. The folder named for a path that is not text is
// the part before the name that ends its text.
#include "app/filenametext.h"
#include "fuzzinput.h"

#include <QFile>

namespace
{
int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

// The bytes of a name written as a field, read back by its escapes.
QByteArray bytesOfField(const QString &field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            const qsizetype length = field[i].isHighSurrogate() ? 2 : 1;
            bytes += field.sliced(i, length).toUtf8();
            i += length - 1;
            continue;
        }
        FUZZ_CHECK(i + 1 < field.size());
        const QChar escaped = field[++i];
        if (escaped == u'\\') {
            bytes += '\\';
        } else if (escaped == u'n') {
            bytes += '\n';
        } else if (escaped == u't') {
            bytes += '\t';
        } else {
            FUZZ_CHECK(escaped == u'x' && i + 2 < field.size());
            const int high = hexValue(field[i + 1]);
            const int low = hexValue(field[i + 2]);
            FUZZ_CHECK(high >= 0 && low >= 0);
            bytes += char(high * 16 + low);
            i += 2;
        }
    }
    return bytes;
}

void checkFolderOfUnreadableName(const QByteArray &path)
{
    const QByteArray folder = QFile::encodeName(folderOfUnreadableName(path));
    FUZZ_CHECK(isNameText(folder));
    FUZZ_CHECK(path.startsWith(folder));
    if (isNameText(path))
        return;
    // The path is text up to the folder and its next name, and no longer with the name after.
    qsizetype start = folder.size();
    while (start < path.size() && path[start] == '/')
        ++start;
    FUZZ_CHECK(start == 0 || path[start - 1] == '/');
    const qsizetype slash = path.indexOf('/', start);
    FUZZ_CHECK(isNameText(path.left(start)));
    FUZZ_CHECK(!isNameText(slash < 0 ? path : path.left(slash)));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray name = fuzzBytes(data, size);

    const QString readable = readableName(name, NameEscapes::Bytes);
    if (isNameText(name)) {
        FUZZ_CHECK(readable == QFile::decodeName(name));
        FUZZ_CHECK(QFile::encodeName(readable) == name);
    } else {
        FUZZ_CHECK(readable.contains(QStringLiteral("\\x")));
        FUZZ_CHECK(!readable.contains(QChar::ReplacementCharacter) ||
                   name.contains("\xEF\xBF\xBD"));
    }

    const QString field = readableName(name, NameEscapes::Fields);
    FUZZ_CHECK(!field.contains(u'\n') && !field.contains(u'\t'));
    FUZZ_CHECK(bytesOfField(field) == name);

    checkFolderOfUnreadableName(name);
    return 0;
}
