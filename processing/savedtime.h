#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// How long one file was before and after its silence was removed, as ffmpeg reported it while it
// converted the file.
struct SavedTime {
    double inputSeconds = 0;
    double outputSeconds = 0;
};

// The lengths from the console output of one ffmpeg run: the input's "Duration:" line and the
// last "time=" of the progress lines, which is the length written. Nothing when either is
// missing (ffmpeg could not read the input, or a stream has no known length).
std::optional<SavedTime> savedTimeFromConsole(QStringView consoleOutput);

// The lengths of a conversion that ended with `result` and printed `consoleOutput`: nothing
// unless the file was converted ("OK").
std::optional<SavedTime> savedTimeOfRun(const QString &result, QStringView consoleOutput);

// Whole seconds as "m:ss", or "h:mm:ss" from an hour on.
QString clockText(qint64 seconds);

// "25.5 s → 11.3 s (−56 %)": both lengths and the share removed; empty for nothing. Lengths of
// a minute and more read "2:05", of an hour and more "1:02:05".
QString savedText(const std::optional<SavedTime> &saved);

// What a batch did, file by file.
struct BatchTally {
    int converted = 0;
    int errors = 0;
    int stopped = 0;
    double inputSeconds = 0;  // of the converted files whose lengths are known
    double outputSeconds = 0; // likewise

    // Counts one finished row: "OK", "Stopped" or anything else (an error).
    void add(const QString &result, const std::optional<SavedTime> &saved);
};

// "12 converted, 1 error, 3:41 of silence removed (38 %)", with ", 2 stopped" after the errors
// when a stop cut rows short.
QString batchSummary(const BatchTally &tally);
