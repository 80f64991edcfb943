#pragma once

#include <QLocale>
#include <QString>

// Label of the threshold slider: "-" + position + " dB" (the threshold is minus that many dB).
QString thresholdLabel(int position);

// Label of the duration slider, whose position counts tenths of a second: position / 10 as the
// shortest decimal number, with the locale's decimal separator, then " s" ("0.2 s", "1 s").
QString durationLabel(int position, const QLocale &locale = QLocale());

// Label of the keep slider, whose position counts steps of 0.05 s, written like the duration
// ("0.25 s", "1 s").
QString keepLabel(int position, const QLocale &locale = QLocale());

// Highest position of the keep slider: one second.
inline constexpr int keepMaximum = 20;

// The stored `Keep` value (seconds, "." as decimal separator) as a keep slider position,
// rounded to the nearest step; 0 for a value that is missing, not a number or outside 0..1 s.
int keepPositionFromSetting(const QString &stored);
