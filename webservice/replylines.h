#pragma once

#include <QStringList>

// The lines of a reply: the text split at every CR LF pair, lone CR and lone LF. A line break
// at the very end adds no empty line; empty lines inside the text are kept.
QStringList splitReplyLines(const QString &reply);

// The value of a tagged reply line "<name>value</name>": the line must begin with the opening
// and end with the closing tag of the lower-cased name, compared exactly (no trimming, no case
// folding of the line). Empty when the line or the name is empty or the tags do not match.
QString GetTagValue(const QString &line, const QString &name);
