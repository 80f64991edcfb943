// The settings reader over any bytes found in settings.ini: it reads the three values as the
// program does at start, writes them back, and a store rebuilt from its own bytes must give the
// same bytes and values again.
#include "fuzzinput.h"
#include "settings/inifile.h"

namespace
{
const QString Section = QStringLiteral("Settings");
const QString Threshold = QStringLiteral("Threshold");
const QString Duration = QStringLiteral("Duration");
const QString Destination = QStringLiteral("Destination");

struct Values {
    int threshold;
    int duration;
    QString destination;
    bool operator==(const Values &) const = default;
};

Values readValues(const IniFile &store)
{
    return {store.readInteger(Section, Threshold, 50), store.readInteger(Section, Duration, 2),
            store.readString(Section, Destination, QStringLiteral("/default"))};
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IniFile store;
    if (!store.parse(fuzzBytes(data, size)))
        return 0;
    const Values values = readValues(store);
    store.writeInteger(Section, Threshold, values.threshold);
    store.writeInteger(Section, Duration, values.duration);
    store.writeString(Section, Destination, values.destination);

    const QByteArray written = store.toBytes();
    IniFile reread;
    FUZZ_CHECK(reread.parse(written));
    FUZZ_CHECK(reread.toBytes() == written);
    FUZZ_CHECK(readValues(reread) == values);
    return 0;
}
