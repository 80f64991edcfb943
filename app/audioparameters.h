#pragma once

#include <QLocale>
#include <QString>

// Label of the threshold slider: "-" + position + " dB" (the threshold is minus that many dB).
QString thresholdLabel(int position);

// Label of the duration slider, whose position counts tenths of a second: position / 10 as the
// shortest decimal number, with the locale's decimal separator, then " s" ("0.2 s", "1 s").
QString durationLabel(int position, const QLocale &locale = QLocale());
