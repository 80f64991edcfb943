#include "webservice/formencoding.h"

#include <QByteArrayList>

namespace
{

QByteArray encodeFormComponent(const QString &text)
{
    // toPercentEncoding keeps exactly the unreserved set (letters, digits, "-", ".", "_", "~");
    // the space is kept back from it only to become "+" afterwards.
    return text.toUtf8().toPercentEncoding(" ").replace(' ', '+');
}

} // namespace

QByteArray encodeFormFields(const QStringList &fields)
{
    QByteArrayList pairs;
    for (const QString &field : fields) {
        const qsizetype separator = field.indexOf(QLatin1Char('='));
        const QString value = separator < 0 ? QString() : field.mid(separator + 1);
        pairs << encodeFormComponent(field.left(separator)) + '=' + encodeFormComponent(value);
    }
    return pairs.join('&');
}
