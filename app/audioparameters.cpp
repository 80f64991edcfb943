#include "app/audioparameters.h"

#include "processing/silencecommand.h"

#include <cmath>

namespace
{
QString secondsLabel(int hundredths, const QLocale &locale)
{
    QString seconds = QString::number(hundredths / 100.0, 'g', 15);
    return seconds.replace(u'.', locale.decimalPoint()) + QStringLiteral(" s");
}
} // namespace

QString thresholdLabel(int position)
{
    return u'-' + QString::number(position) + QStringLiteral(" dB");
}

QString durationLabel(int position, const QLocale &locale)
{
    return secondsLabel(position * 10, locale);
}

QString keepLabel(int position, const QLocale &locale)
{
    return secondsLabel(position * keepStepHundredths, locale);
}

int keepPositionFromSetting(const QString &stored)
{
    bool ok = false;
    const double seconds = QLocale::c().toDouble(stored.trimmed(), &ok);
    if (!ok || !(seconds >= 0.0 && seconds <= 1.0))
        return 0;
    return int(std::lround(seconds * 100.0 / keepStepHundredths));
}
