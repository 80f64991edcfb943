#include "app/appform.h"

#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "platform/beep.h"
#include "processing/batchrun.h"
#include "processing/paralleljobs.h"

#include <QCloseEvent>
#include <QScopedValueRollback>

void TAppForm::Button1Click()
{
    if (RunningBatch) {
        RunningBatch->stop();
        return;
    }
    if (FileList->rowCount() == 0) {
        dialogs::message(this, QMessageBox::Warning, QStringLiteral("WARNING"),
                         QStringLiteral("Please add files!"));
        return;
    }
    runBatch(false);
}

void TAppForm::Preview1Click()
{
    const QList<int> chosen = selectedFileRows();
    if (RunningBatch || chosen.isEmpty())
        return;
    runBatch(true, chosen);
}

void TAppForm::runBatch(bool preview, const QList<int> &chosen)
{
    std::exception_ptr error;
    bool completed = false;
    {
        BatchRun run(*this, paralleljobs::jobsToRun(Jobs),
                     preview ? BatchRun::Kind::Preview : BatchRun::Kind::Convert, chosen);
        const QScopedValueRollback current(RunningBatch, &run);
        error = run.exec();
        completed = run.completed();
        if (!error && !preview)
            setStatusText(batchSummary(run.tally()));
    }
    if (std::exchange(closeAfterBatch, false))
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    // A run stopped by an error ends in the error box, a stopped one in silence.
    if (error)
        std::rethrow_exception(error);
    if (completed)
        platform::beep();
}

void TAppForm::EscapePressed()
{
    if (RunningBatch)
        RunningBatch->stop();
}

void TAppForm::closeEvent(QCloseEvent *event)
{
    // Closing stops the batch as Stop does; the window closes once the run has ended.
    if (RunningBatch) {
        RunningBatch->stop();
        closeAfterBatch = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
