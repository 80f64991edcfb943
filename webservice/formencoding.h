#pragma once

#include <QByteArray>
#include <QStringList>

// The body of an HTML form post (application/x-www-form-urlencoded) from an ordered list of
// "name=value" fields. Each field is split at its first "="; name and value are encoded apart
// (UTF-8 bytes, every byte outside the unreserved set as %XX, a space as "+") and the pairs are
// joined by "&" in list order. A field without "=" is a name with an empty value.
QByteArray encodeFormFields(const QStringList &fields);
