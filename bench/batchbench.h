#pragma once

// What the batch benchmarks share: their inputs with the ffmpeg commands a shell would run for
// them, and the window that runs "Remove Silence" over them.
#include "app/appform.h"
#include "app/filelistmodel.h"
#include "processing/conversionresult.h"
#include "processing/silencecommand.h"
#include "support/testaudio.h"

#include <QDir>
#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

// A text that a shell reads back as exactly `text`.
inline QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

inline void clearFolder(const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

// Says which rows of a run did not end "OK", so that a ratio over failed runs is not believed.
inline void reportFailedRows(const FileListModel &rows)
{
    for (int row = 0; row < rows.rowCount(); ++row)
        if (rows.result(row) != conversionOK)
            std::fprintf(stderr, "row %d: %s\n", row, qPrintable(rows.result(row)));
}

// Inputs for a batch benchmark: speech-like files talk0.mp3, talk1.mp3, ... in `folder`, one of
// each length in `seconds`, and for each the ffmpeg command that "Remove Silence" runs for it
// into `target`, as a shell would run it, its output silenced.
struct BenchFiles {
    QStringList inputs;
    QStringList shellCommands;
};
inline std::optional<BenchFiles> makeBenchFiles(const QString &folder, const QString &target,
                                                const QList<int> &seconds,
                                                const SilenceSettings &settings)
{
    BenchFiles made;
    for (qsizetype i = 0; i < seconds.size(); ++i) {
        const QString name = QStringLiteral("talk%1.mp3").arg(i);
        const QString input = folder + QLatin1Char('/') + name;
        if (!makeTestAudio(input, 2, {}, seconds[i])) {
            std::fprintf(stderr, "could not make the test audio\n");
            return std::nullopt;
        }
        made.inputs << input;
        QStringList command{ffmpegProgram};
        for (const QString &argument :
             silenceCommandArguments(input, target + QLatin1Char('/') + name, settings))
            command << shellQuoted(argument);
        made.shellCommands << command.join(QLatin1Char(' ')) +
                                  QStringLiteral(" </dev/null >/dev/null 2>&1");
    }
    return made;
}

// The window of a batch benchmark, shown, its target folder "out" in a temporary work folder.
// Made after the application object.
struct BatchBenchWindow {
    BatchBenchWindow() : target(work.filePath(QStringLiteral("out")))
    {
        form.show();
        form.Edit1->setText(target);
    }
    SilenceSettings settings() const { return form.silenceSettings(); }

    QTemporaryDir work;
    const QString target;
    TAppForm form;
};
