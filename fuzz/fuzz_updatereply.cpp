// The two values of the update service's reply that the program acts on (zero bytes separate
// them in the input): the version, which counts as another version only when its digits, once
// the dots are gone, are a signed 32-bit number; and the download address, which opens only as
// an http or https address with a host and otherwise gives the home page.
#include "fuzzinput.h"
#include "webservice/downloadaddress.h"
#include "webservice/updaterules.h"

#include <QUrl>

#include <charconv>
#include <cstdint>

namespace
{
const QString appVersion = QStringLiteral("1.2");
const QString homePage = QStringLiteral("http://www.example.com/");

bool isNumber32(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    if (bytes.size() > 1 && bytes[0] == '+' && bytes[1] >= '0' && bytes[1] <= '9')
        bytes.remove(0, 1);
    std::int32_t value = 0;
    const char *end = bytes.constData() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.constData(), end, value);
    return error == std::errc() && stop == end;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList values = fuzzTexts(data, size);
    const QString version = values.value(0);
    const QString address = values.value(1);

    FUZZ_CHECK(!reportsOtherVersion(version, version));
    if (version != appVersion) {
        FUZZ_CHECK(reportsOtherVersion(version, appVersion) ==
                   isNumber32(QString(version).remove(u'.')));
    }

    const QUrl target = downloadTarget(address, homePage);
    const QString scheme = target.scheme();
    if (target != QUrl(homePage)) {
        FUZZ_CHECK(scheme == QLatin1String("http") || scheme == QLatin1String("https"));
        FUZZ_CHECK(target.isValid() && !target.host().isEmpty());
    }
    return 0;
}
