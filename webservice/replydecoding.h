#pragma once

#include <QByteArray>
#include <QString>

// The text of a reply body, decoded by the charset that its Content-Type value declares (for
// example "text/plain; charset=ISO-8859-1"), as UTF-8 when it declares none. A charset that
// cannot be decoded raises AppError.
QString decodeReplyBody(const QByteArray &body, const QByteArray &contentType);
