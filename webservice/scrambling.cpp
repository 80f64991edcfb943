#include "webservice/scrambling.h"

#include <QByteArray>
#include <QRegularExpression>

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
    // Whole pairs only: a last single digit is ignored.
    const QString pairs = text.left(text.size() - text.size() % 2);
    static const QRegularExpression hexadecimal(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9A-Fa-f]*")));
    if (!hexadecimal.match(pairs).hasMatch())
        return {};
    QByteArray plain;
    quint16 state = seed;
    for (const char byte : QByteArray::fromHex(pairs.toLatin1())) {
        const auto c = quint8(byte);
        plain += char(c ^ highByte(state));
        state = advance(state, c);
    }
    return QString::fromUtf8(plain);
}
