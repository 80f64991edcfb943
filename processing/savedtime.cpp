#include "processing/savedtime.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace
{
const QString conversionOK = QStringLiteral("OK");

// hours, minutes, seconds with their fraction: "00:01:25.50".
constexpr char clockPattern[] = R"((?<h>\d+):(?<m>\d{2}):(?<s>\d{2}(?:\.\d+)?))";

// ffmpeg keeps time in 64-bit microseconds; a longer length is none it printed.
constexpr double longestLength = 9223372036854.775807;

std::optional<double> secondsOf(const QRegularExpressionMatch &match)
{
    const double seconds = match.captured(u"h").toDouble() * 3600 +
                           match.captured(u"m").toDouble() * 60 + match.captured(u"s").toDouble();
    if (!(seconds <= longestLength))
        return std::nullopt;
    return seconds;
}

// The input's header line, "  Duration: 00:00:25.50, start: ...". Metadata lines stand deeper
// and put spaces before their colon, so a tag named "Duration" cannot pass for it.
const QRegularExpression &durationLine()
{
    static const QRegularExpression pattern(QStringLiteral("^  Duration: ") +
                                                QLatin1String(clockPattern),
                                            QRegularExpression::MultilineOption);
    return pattern;
}

// A progress line's "time=00:00:11.30"; early progress lines may read "time=-00:00:00.02".
const QRegularExpression &progressTime()
{
    static const QRegularExpression pattern(QStringLiteral("time=(?<minus>-?)") +
                                            QLatin1String(clockPattern));
    return pattern;
}

// "25.5 s" under a minute, the clock text from a minute on.
QString lengthText(double seconds)
{
    if (std::round(seconds * 10) < 600)
        return QString::number(seconds, 'f', 1) + QStringLiteral(" s");
    return clockText(std::llround(seconds));
}

// The share of `whole` that `part` is, in whole per cent, 0 to 100.
qint64 percentOf(double part, double whole)
{
    if (whole <= 0)
        return 0;
    return std::llround(std::clamp(part / whole, 0.0, 1.0) * 100);
}

QString plural(int count, const QString &one, const QString &many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}
} // namespace

std::optional<SavedTime> savedTimeFromConsole(QStringView consoleOutput)
{
    const QRegularExpressionMatch duration = durationLine().match(consoleOutput);
    if (!duration.hasMatch())
        return std::nullopt;
    std::optional<double> written;
    for (const QRegularExpressionMatch &time : progressTime().globalMatch(consoleOutput))
        written = time.capturedView(u"minus").isEmpty() ? secondsOf(time) : std::optional(0.0);
    const std::optional<double> read = secondsOf(duration);
    if (!read || !written)
        return std::nullopt;
    return SavedTime{*read, *written};
}

QString clockText(qint64 seconds)
{
    const auto twoDigits = [](qint64 value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    if (seconds >= 3600)
        return QString::number(seconds / 3600) + QLatin1Char(':') + twoDigits(seconds / 60 % 60) +
               QLatin1Char(':') + twoDigits(seconds % 60);
    return QString::number(seconds / 60) + QLatin1Char(':') + twoDigits(seconds % 60);
}

std::optional<SavedTime> savedTimeOfRun(const QString &result, QStringView consoleOutput)
{
    if (result != conversionOK)
        return std::nullopt;
    return savedTimeFromConsole(consoleOutput);
}

QString savedText(const std::optional<SavedTime> &run)
{
    if (!run)
        return QString();
    const SavedTime &saved = *run;
    const double removed = saved.inputSeconds - saved.outputSeconds;
    const qint64 percent = percentOf(removed, saved.inputSeconds);
    // U+2192 (arrow) and U+2212 (minus).
    return lengthText(saved.inputSeconds) + QStringLiteral(" \u2192 ") +
           lengthText(saved.outputSeconds) + QStringLiteral(" (") +
           (percent > 0 ? QStringLiteral("\u2212") : QString()) + QString::number(percent) +
           QStringLiteral(" %)");
}

void BatchTally::add(const QString &result, const std::optional<SavedTime> &saved)
{
    if (result == conversionOK) {
        ++converted;
        if (saved) {
            inputSeconds += saved->inputSeconds;
            outputSeconds += saved->outputSeconds;
        }
    } else if (result == QLatin1String("Stopped")) {
        ++stopped;
    } else {
        ++errors;
    }
}

QString batchSummary(const BatchTally &tally)
{
    const double removed = std::max(0.0, tally.inputSeconds - tally.outputSeconds);
    QString text = QString::number(tally.converted) + QStringLiteral(" converted, ") +
                   plural(tally.errors, QStringLiteral("error"), QStringLiteral("errors"));
    if (tally.stopped > 0)
        text += QStringLiteral(", ") + QString::number(tally.stopped) + QStringLiteral(" stopped");
    return text + QStringLiteral(", ") + clockText(std::llround(removed)) +
           QStringLiteral(" of silence removed (") +
           QString::number(percentOf(removed, tally.inputSeconds)) + QStringLiteral(" %)");
}
