#pragma once

#include <QString>
#include <QStringList>

// The audio parameters as the sliders hold them.
struct SilenceSettings {
    int threshold = 20; // minus this many decibels, 0..100
    int duration = 2;   // tenths of a second, 0..10
    int keep = 0;       // silence kept on either side of a cut, in steps of 0.05 s, 0..20
};

// Seconds per step of `SilenceSettings::keep`, in hundredths.
inline constexpr int keepStepHundredths = 5;

// "-20dB" for threshold 20.
QString thresholdText(int threshold);

// `value` / 10^`decimals` with exactly `decimals` decimals and "." whatever the locale:
// (25, 2) gives "0.25".
QString fixedPointText(int value, int decimals);

// The duration in seconds with one decimal and "." whatever the locale: 2 gives "0.2".
QString durationText(int duration);

// The kept silence in seconds with two decimals and "." whatever the locale: 5 gives "0.25".
QString keepText(int keep);

// The audio filter: silenceremove with the same threshold and duration on both sides. When
// some silence is kept, start_silence keeps that much before each sound that follows a cut and
// stop_silence that much after each sound that precedes one (the filter keeps at most the
// duration there).
QString silenceFilter(const SilenceSettings &settings);

// The program the conversion runs.
inline const QString ffmpegProgram = QStringLiteral("ffmpeg");

// The command as the log shows it: ffmpeg -y -i "<input>" -af <filter> "<output>".
QString silenceCommandText(const QString &infile, const QString &outfile,
                           const SilenceSettings &settings);

// The arguments that command means, after the program name: each path whole, whatever
// characters it holds. They begin with "-xerror", which the log's text leaves out: ffmpeg
// then ends with an error status at its first error, a failed write of the output among them.
QStringList silenceCommandArguments(const QString &infile, const QString &outfile,
                                    const SilenceSettings &settings);

// The same command with FFmpeg's null output in place of the output file: it runs the whole
// filter and writes nothing. As the log shows it, and its arguments.
QString silencePreviewText(const QString &infile, const SilenceSettings &settings);
QStringList silencePreviewArguments(const QString &infile, const SilenceSettings &settings);

// Inputs with these extensions (".mkv", ".wmv", any letter case) are never converted.
bool isSkippedVideo(const QString &infile);

// What the log says for such an input.
inline const QString videoSkippedText = QStringLiteral("Video file skipped");
