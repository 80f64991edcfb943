#include "processing/conversionjobs.h"

#include "processing/conversion.h"
#include "processing/logsink.h"

#include <functional>

namespace
{
// A conversion's log, kept whole and handed on piece by piece when asked to.
class JobLog : public LogSink
{
public:
    explicit JobLog(std::function<void(const QString &)> handOn) : m_handOn(std::move(handOn)) {}

    QString text;

    void appendText(const QString &appended) override
    {
        text += appended;
        if (m_handOn)
            m_handOn(appended);
    }

protected:
    bool atLineStart() const override { return text.isEmpty() || text.endsWith(QLatin1Char('\n')); }

private:
    std::function<void(const QString &)> m_handOn;
};
} // namespace

ConversionJobs::ConversionJobs(bool liveLog, QObject *parent) : QObject(parent), m_liveLog(liveLog)
{
}

ConversionJobs::~ConversionJobs()
{
    m_group.stop();
    for (auto &[id, thread] : m_threads)
        thread.join();
}

void ConversionJobs::start(int id, const ConversionJob &job)
{
    m_threads.emplace(
        id, std::thread([this, id, job] {
            std::function<void(const QString &)> handOn;
            if (m_liveLog) {
                handOn = [this, id](const QString &text) {
                    QMetaObject::invokeMethod(
                        this, [this, id, text] { emit logged(id, text); }, Qt::QueuedConnection);
                };
            }
            JobLog log(handOn);
            ConversionReport report;
            report.outcome = job.preview ? previewWithFFmpeg(job.infile, job.settings,
                                                             job.workingFolder, log, &m_group)
                                         : convertWithFFmpeg(job.infile, job.outfile, job.settings,
                                                             job.workingFolder, log, {}, &m_group);
            report.log = std::move(log.text);
            report.saved = savedTimeOfRun(report.outcome.result, report.log);
            QMetaObject::invokeMethod(
                this, [this, id, report] { reportFinished(id, report); }, Qt::QueuedConnection);
        }));
}

void ConversionJobs::stop()
{
    m_group.stop();
}

void ConversionJobs::reportFinished(int id, const ConversionReport &report)
{
    // The thread's last act was to send this report.
    const auto thread = m_threads.find(id);
    thread->second.join();
    m_threads.erase(thread);
    emit finished(id, report);
}
