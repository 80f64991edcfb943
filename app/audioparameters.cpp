#include "app/audioparameters.h"

QString thresholdLabel(int position)
{
    return u'-' + QString::number(position) + QStringLiteral(" dB");
}

QString durationLabel(int position, const QLocale &locale)
{
    QString seconds = QString::number(position / 10.0, 'g', 15);
    return seconds.replace(u'.', locale.decimalPoint()) + QStringLiteral(" s");
}
