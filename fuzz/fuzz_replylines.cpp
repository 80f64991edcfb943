// The lines and tags of a reply from the vendor's service. The first line of the input is the
// tag name, the rest the reply. Lines hold no line break, and joined again they give the reply
// with its line breaks made alike; a tag value put back between its tags gives the line.
#include "fuzzinput.h"
#include "webservice/replylines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzzText(data, size);
    const qsizetype firstBreak = input.indexOf(u'\n');
    const QString name = firstBreak < 0 ? input : input.first(firstBreak);
    const QString reply = firstBreak < 0 ? QString() : input.sliced(firstBreak + 1);

    const QStringList lines = splitReplyLines(reply);
    QString alike = QString(reply).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    alike.replace(u'\r', u'\n');
    if (alike.endsWith(u'\n'))
        alike.chop(1);
    FUZZ_CHECK(lines.join(u'\n') == alike);

    const QString tag = name.toLower();
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        const QString value = GetTagValue(line, name);
        if (!value.isEmpty())
            FUZZ_CHECK(u'<' + tag + u'>' + value + QStringLiteral("</") + tag + u'>' == line);
    }
    return 0;
}
