#pragma once

#include "processing/conversionjobs.h"
#include "processing/memolog.h"
#include "processing/savedtime.h"

#include <QEventLoop>
#include <QHash>
#include <QObject>

#include <exception>

class TAppForm;

// One run of "Remove Silence" over the list, up to a number of conversions at once. While it
// lives the window shows that a run is going on (busy cursor, progress bar, the button reading
// "Stop") and stays usable: rows, the target folder and the sliders are read as each row
// starts. Each row's output name is decided, and reserved, as it starts, in row order.
//
// With one conversion at a time the log shows ffmpeg's output as it arrives; with more, each
// conversion's log goes into the window as one block when it ends.
//
// A preview runs the same commands for the chosen rows with FFmpeg's null output: nothing is
// written, and each row reads "Preview" with the lengths its file would have.
class BatchRun : public QObject
{
public:
    enum class Kind { Convert, Preview };

    // Converts every row, or previews the rows `chosen` (in list order).
    BatchRun(TAppForm &form, int jobs, Kind kind = Kind::Convert, const QList<int> &chosen = {});
    // Back to idle. Conversions still running (the program is quitting) are stopped.
    ~BatchRun() override;
    BatchRun(const BatchRun &) = delete;
    BatchRun &operator=(const BatchRun &) = delete;

    // Runs the rows, returning when the last conversion has ended. An error that kept a row
    // from starting (no target folder, a path that cannot be) starts no further rows and is
    // answered once the running conversions have ended.
    std::exception_ptr exec();

    // Ends the running conversions and starts no more rows; their rows read "Stopped" unless
    // they had completed.
    void stop();

    // Whether every row ran, with no stop and no error.
    bool completed() const;
    // What the rows converted came to; empty for a preview.
    const BatchTally &tally() const { return m_tally; }

private:
    struct StartedRow {
        QString input;
        int row; // where the row stood when it started
    };

    // How many rows the run goes through.
    int rowsToRun() const;
    void startRows();
    void startRow(int index);
    void finishRow(int id, const ConversionReport &report);
    // Shows how a row ended (none: the row was removed meanwhile), counts it and moves the bar.
    void markRow(int row, const ConversionOutcome &outcome, const std::optional<SavedTime> &saved);
    void setProgressPosition(int position);

    TAppForm &m_form;
    const int m_jobs;
    const Kind m_kind;
    QList<StartedRow> m_chosen; // the rows a preview goes through, as they stood at its start
    ConversionJobs m_conversions;
    MemoLog m_log;
    QEventLoop m_loop;
    QHash<int, StartedRow> m_started;
    int m_nextRow = 0;
    int m_nextId = 0;
    int m_finished = 0;
    bool m_stopped = false;
    std::exception_ptr m_error;
    BatchTally m_tally;
};
