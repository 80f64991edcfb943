#include "processing/batchrun.h"

#include "app/appform.h"
#include "app/filelistmodel.h"
#include "app/namedfile.h"
#include "base/folders.h"
#include "platform/runningprogram.h"
#include "processing/commandline.h"
#include "processing/conversionresult.h"
#include "processing/outputpath.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace
{
const QString stoppedResult = QStringLiteral("Stopped");
const QString previewResult = QStringLiteral("Preview");

void showStopButton(TAppForm &form, bool stop)
{
    form.Button1->setText(stop ? QStringLiteral("Stop") : QStringLiteral("Remove Silence"));
    if (auto *tick = form.Button1->findChild<QLabel *>(QStringLiteral("Button1Icon")))
        tick->setVisible(!stop);
    form.Button1->setEnabled(true);
}
} // namespace

BatchRun::BatchRun(TAppForm &form, int jobs, Kind kind, const QList<int> &chosen)
    : m_form(form), m_jobs(jobs), m_kind(kind), m_conversions(jobs == 1), m_log(form.MemoCMD)
{
    for (const int row : chosen)
        m_chosen.append({m_form.FileList->path(row), row});
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    m_form.ProgressBar1->setRange(0, rowsToRun());
    m_form.ProgressBar1->setValue(0);
    m_form.ProgressBar1->show();
    showStopButton(m_form, true);
    m_form.setStatusText(QString());
    if (m_kind == Kind::Preview) {
        for (const int row : chosen)
            m_form.FileList->setResult(row, QString());
    } else {
        m_form.FileList->clearResults();
    }
    m_form.MemoCMD->clear();

    connect(&m_conversions, &ConversionJobs::logged, this,
            [this](int, const QString &text) { m_log.appendText(text); });
    connect(&m_conversions, &ConversionJobs::finished, this, &BatchRun::finishRow);
}

BatchRun::~BatchRun()
{
    showStopButton(m_form, false);
    m_form.ProgressBar1->hide();
    QGuiApplication::restoreOverrideCursor();
}

std::exception_ptr BatchRun::exec()
{
    startRows();
    // The loop ends when the last conversion has reported; it cannot run at all once the
    // program is quitting, and the conversions still running are then stopped unreported.
    while (m_conversions.running() > 0) {
        if (m_loop.exec() < 0)
            break;
    }
    return m_error;
}

void BatchRun::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    // Until the stopped conversions have reported, which takes a moment.
    m_form.Button1->setEnabled(false);
    m_conversions.stop();
}

bool BatchRun::completed() const
{
    return !m_stopped && !m_error && m_conversions.running() == 0 && m_nextRow >= rowsToRun();
}

int BatchRun::rowsToRun() const
{
    return m_kind == Kind::Preview ? int(m_chosen.size()) : m_form.FileList->rowCount();
}

void BatchRun::startRows()
{
    // The list may have changed since the last row started: its length is read again. A window
    // closed meanwhile ends the run.
    try {
        while (!m_stopped && !m_error && m_conversions.running() < m_jobs &&
               m_nextRow < rowsToRun() && m_form.isVisible())
            startRow(m_nextRow++);
    } catch (...) {
        m_error = std::current_exception();
    }
}

void BatchRun::startRow(int index)
{
    // A chosen row may have moved up meanwhile, or gone.
    const int row = m_kind == Kind::Preview
                        ? m_form.FileList->rowOf(m_chosen[index].input, m_chosen[index].row)
                        : index;
    // The text shown for a name that is not text would name another file.
    if (row < 0 || m_form.FileList->isUnreadable(row)) {
        markRow(row, {conversionError, notTextReason}, std::nullopt);
        return;
    }
    const QString input = m_form.FileList->path(row);
    if (m_kind == Kind::Preview) {
        const int id = m_nextId++;
        m_conversions.start(
            id, {input, QString(), m_form.silenceSettings(), platform::programFolder(), true});
        m_started.insert(id, {input, row});
        return;
    }
    const QString targetFolder = absolutePath(m_form.Edit1->text());
    createFolderWithParents(targetFolder);
    const QString output = MakeUniqueFileName(outputPathFor(targetFolder, input));
    const SilenceSettings settings = m_form.silenceSettings();
    const int id = m_nextId++;
    try {
        m_conversions.start(id, {input, output, settings, platform::programFolder()});
    } catch (...) {
        // No thread to run it: the name reserved goes again.
        const runningwork::UnfinishedOutput unused(output);
        throw;
    }
    m_started.insert(id, {input, row});
}

void BatchRun::finishRow(int id, const ConversionReport &report)
{
    const StartedRow started = m_started.take(id);
    // A conversion that completed before the stop reached it keeps its result and its file.
    const bool cutShort = m_stopped && !report.outcome.succeeded();
    const bool previewed = m_kind == Kind::Preview && report.outcome.succeeded();
    const QString result =
        cutShort ? stoppedResult : (previewed ? previewResult : report.outcome.result);
    const QString failure = cutShort ? QString() : report.outcome.failure;
    if (m_jobs > 1)
        m_log.appendText(report.log);
    // Rows removed meanwhile move the row up; a row removed altogether takes no result.
    markRow(m_form.FileList->rowOf(started.input, started.row), {result, failure}, report.saved);
    startRows();
    if (m_conversions.running() == 0)
        m_loop.quit();
}

void BatchRun::markRow(int row, const ConversionOutcome &outcome,
                       const std::optional<SavedTime> &saved)
{
    if (row >= 0)
        m_form.FileList->setResult(row, outcome.result, outcome.failure, savedText(saved));
    // A preview converts nothing: it has no tally to add to.
    if (m_kind == Kind::Convert)
        m_tally.add(outcome.result, saved);
    // The bar counts finished files; it passes one ahead first, as it always has.
    ++m_finished;
    setProgressPosition(m_finished + 1);
    setProgressPosition(m_finished);
}

void BatchRun::setProgressPosition(int position)
{
    // A position past the end shows as a full bar.
    m_form.ProgressBar1->setValue(qMin(position, m_form.ProgressBar1->maximum()));
}
