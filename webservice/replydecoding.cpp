#include "webservice/replydecoding.h"

#include "base/apperror.h"

#include <QByteArrayList>
#include <QStringDecoder>

namespace
{

// The charset parameter of a Content-Type value, without quotes; empty when there is none.
QByteArray declaredCharset(const QByteArray &contentType)
{
    const QByteArrayList parameters = contentType.split(';');
    for (qsizetype i = 1; i < parameters.size(); ++i) {
        const QByteArray parameter = parameters.at(i).trimmed();
        const qsizetype equals = parameter.indexOf('=');
        if (equals < 0 || parameter.left(equals).trimmed().toLower() != "charset")
            continue;
        QByteArray value = parameter.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.sliced(1, value.size() - 2);
        return value;
    }
    return {};
}

} // namespace

QString decodeReplyBody(const QByteArray &body, const QByteArray &contentType)
{
    const QByteArray charset = declaredCharset(contentType);
    // Stateless: the body is whole, so a character cut short at its end is decoded as a
    // replacement character instead of being held back for bytes that never come.
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.constData(),
                           QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        throw AppError(QStringLiteral("The reply's character set \"%1\" is not supported")
                           .arg(QString::fromLatin1(charset)));
    return decoder.decode(body);
}
