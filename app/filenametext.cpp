#include "app/filenametext.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace
{
bool inRange(uchar byte, uchar low, uchar high)
{
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none.
qsizetype sequenceLength(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return uchar(bytes[at + i]); };
    const qsizetype left = bytes.size() - at;
    const uchar lead = byte(0);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    uchar low = 0x80; // the range of the second byte
    uchar high = 0xBF;
    if (inRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong form
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogate
    } else if (inRange(lead, 0xF0, 0xF4)) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong form
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (left < length || !inRange(byte(1), low, high))
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (!inRange(byte(i), 0x80, 0xBF))
            return 0;
    }
    return length;
}
} // namespace

bool isNameText(const QByteArray &bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; }))
        return true;
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

QString readableName(const QByteArray &bytes, NameEscapes escapes)
{
    // U+FEFF inside a name is a character like any other (the decoder keeps it, where
    // QString::fromUtf8 would drop it as a byte-order mark at the start of each piece). At the
    // very start the program's text drops it, so there it is written as bytes that are no text.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const bool markFirst = bytes.startsWith("\xEF\xBB\xBF");
    QString text = markFirst ? QStringLiteral("\\xef\\xbb\\xbf") : QString();
    qsizetype at = markFirst ? 3 : 0;
    while (at < bytes.size()) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length == 0) {
            text += QStringLiteral("\\x%1").arg(uchar(bytes[at]), 2, 16, QLatin1Char('0'));
            ++at;
            continue;
        }
        const QString piece = decoder(QByteArrayView(bytes.constData() + at, length));
        at += length;
        if (escapes == NameEscapes::Fields && piece == u"\\")
            text += QStringLiteral("\\\\");
        else if (escapes == NameEscapes::Fields && piece == u"\n")
            text += QStringLiteral("\\n");
        else if (escapes == NameEscapes::Fields && piece == u"\t")
            text += QStringLiteral("\\t");
        else
            text += piece;
    }
    return text;
}

QString folderOfUnreadableName(const QByteArray &path)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype slash = path.indexOf('/', start);
        // The path up to the name, not the name alone: U+FEFF at the start of a name is text
        // inside a path, but a byte-order mark at the start of a text.
        if (!isNameText(slash < 0 ? path : path.left(slash)) || slash < 0)
            return QFile::decodeName(start <= 1 ? path.left(start) : path.left(start - 1));
        start = slash + 1;
    }
}
