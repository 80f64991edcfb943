#include "webservice/scrambling.h"

#include <QByteArray>

namespace
{
constexpr quint16 seed = 0xB1A7;
constexpr quint16 multiplier = 0x4E6D;
constexpr quint16 increment = 0x3039;

// The state after a scrambled byte, the same in both directions.
quint16 advance(quint16 state, quint8 scrambled)
{
    return quint16((state + scrambled) * multiplier + increment);
}

quint8 highByte(quint16 state)
{
    return quint8(state >> 8);
}

// The value of a hexadecimal digit of either case; -1 for any other character.
int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}
} // namespace

QString ScrambleText(const QString &text)
{
    QByteArray scrambled;
    quint16 state = seed;
    for (const char byte : text.toUtf8()) {
        const auto c = quint8(quint8(byte) ^ highByte(state));
        state = advance(state, c);
        scrambled += char(c);
    }
    return QString::fromLatin1(scrambled.toHex().toUpper());
}

QString UnscrambleText(const QString &text)
{
    QByteArray plain;
    quint16 state = seed;
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const int high = hexValue(text.at(i));
        const int low = hexValue(text.at(i + 1));
        if (high < 0 || low < 0)
            return {};
        const auto c = quint8(high * 16 + low);
        plain += char(c ^ highByte(state));
        state = advance(state, c);
    }
    return QString::fromUtf8(plain);
}
