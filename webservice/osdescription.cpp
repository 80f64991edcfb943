#include "webservice/osdescription.h"

#include "platform/systeminfo.h"

#include <QByteArrayList>

namespace
{

// A value of an os-release line: shell-like, optionally in single or double quotes, with
// backslash escapes inside double quotes.
QByteArray unquotedValue(QByteArray value)
{
    if (value.size() < 2 || value.front() != value.back() ||
        (value.front() != '"' && value.front() != '\''))
        return value;
    const char quote = value.front();
    value = value.sliced(1, value.size() - 2);
    if (quote == '\'')
        return value;
    QByteArray plain;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == '\\' && i + 1 < value.size())
            ++i;
        plain += value.at(i);
    }
    return plain;
}

// The leading decimal number of a version part ("0-18-amd64" gives 0), 0 when there is none.
int leadingNumber(const QByteArray &part)
{
    qsizetype digits = 0;
    while (digits < part.size() && digits < 9 && part.at(digits) >= '0' && part.at(digits) <= '9')
        ++digits;
    return part.left(digits).toInt();
}

} // namespace

QString formatOSDescription(const OSVersion &version)
{
    const QString edition =
        version.x86_64 ? QStringLiteral("64-bit Edition") : QStringLiteral("32-bit Edition");
    const QString servicePack =
        version.servicePackMajor == 0
            ? QString()
            : QStringLiteral(" Service Pack %1").arg(version.servicePackMajor);
    // One pass over all arguments, so that a "%" in the name is not taken for a placeholder.
    return QStringLiteral("%1%2 (Version %3.%4, Build %5, %6)")
        .arg(version.name, servicePack, QString::number(version.major),
             QString::number(version.minor), QString::number(version.build), edition);
}

QString distributionName(const QByteArray &osRelease)
{
    // Later assignments win, as when the file is read by a shell.
    const QByteArray key = "PRETTY_NAME=";
    QByteArray name;
    for (const QByteArray &line : osRelease.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith(key))
            name = unquotedValue(trimmed.sliced(key.size()));
    }
    return name.isEmpty() ? QStringLiteral("Linux") : QString::fromUtf8(name);
}

OSVersion linuxVersion(const QByteArray &osRelease, const QByteArray &kernelRelease,
                       const QByteArray &machine)
{
    const QByteArrayList parts = kernelRelease.split('.');
    OSVersion version;
    version.name = distributionName(osRelease);
    version.major = leadingNumber(parts.value(0));
    version.minor = leadingNumber(parts.value(1));
    version.build = leadingNumber(parts.value(2));
    version.x86_64 = machine == "x86_64";
    return version;
}

QString GetOSDescription()
{
    platform::SystemFile osRelease = platform::readSystemFile(platform::osReleasePath);
    if (osRelease.error != 0)
        osRelease = platform::readSystemFile(platform::osReleaseFallbackPath);
    const platform::KernelInfo kernel = platform::kernelInfo();
    return formatOSDescription(linuxVersion(osRelease.text, kernel.release, kernel.machine));
}
