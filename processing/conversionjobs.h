#pragma once

#include "processing/conversion.h"
#include "processing/runningwork.h"
#include "processing/savedtime.h"
#include "processing/silencecommand.h"

#include <QObject>
#include <QString>

#include <map>
#include <optional>
#include <thread>

// One file to convert, as its row read it when it started. A preview writes nothing and has no
// output file.
struct ConversionJob {
    QString infile;
    QString outfile;
    SilenceSettings settings;
    QString workingFolder;
    bool preview = false;
};

// How a conversion ended ("OK", or "Error" and why), its whole log, and the lengths ffmpeg
// reported when the file was converted.
struct ConversionReport {
    ConversionOutcome outcome;
    QString log;
    std::optional<SavedTime> saved;
};

// Conversions running at once, each on a thread of its own, their ffmpeg runs in one group that
// stops together. What they log and how they end is reported through the event loop of the
// thread that owns this object, in the order it happened for each conversion.
class ConversionJobs : public QObject
{
    Q_OBJECT

public:
    // With `liveLog` every piece of a conversion's log is reported as it arrives (logged()), as
    // well as whole in the report.
    explicit ConversionJobs(bool liveLog, QObject *parent = nullptr);
    // Stops the conversions still running and waits for their threads; their reports are lost.
    ~ConversionJobs() override;
    ConversionJobs(const ConversionJobs &) = delete;
    ConversionJobs &operator=(const ConversionJobs &) = delete;

    // Starts converting `job` (see convertWithFFmpeg); `id` names it in the reports.
    void start(int id, const ConversionJob &job);

    // The conversions started and not yet reported finished.
    int running() const { return int(m_threads.size()); }

    // Ends the running ffmpeg runs (terminate, then kill after a short grace) and starts no more;
    // the conversions then report "Error" as usual, unless they had completed.
    void stop();

signals:
    void logged(int id, const QString &text);
    void finished(int id, const ConversionReport &report);

private:
    void reportFinished(int id, const ConversionReport &report);

    bool m_liveLog;
    runningwork::ChildGroup m_group;
    std::map<int, std::thread> m_threads;
};
