#include "app/appform.h"

#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "app/namedfile.h"
#include "base/folders.h"
#include "platform/beep.h"
#include "processing/commandline.h"
#include "processing/conversionresult.h"
#include "processing/outputpath.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace
{
// The running state of the window for the length of a batch: busy cursor, progress bar
// shown, button disabled. Leaving it, normally or through an error, makes the window idle
// again.
class BatchRunning
{
public:
    BatchRunning(TAppForm &form, int rows) : m_form(form)
    {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        m_form.ProgressBar1->setRange(0, rows);
        m_form.ProgressBar1->setValue(0);
        m_form.ProgressBar1->show();
        m_form.Button1->setEnabled(false);
        QCoreApplication::processEvents();
    }
    ~BatchRunning()
    {
        m_form.Button1->setEnabled(true);
        m_form.ProgressBar1->hide();
        QGuiApplication::restoreOverrideCursor();
    }
    BatchRunning(const BatchRunning &) = delete;
    BatchRunning &operator=(const BatchRunning &) = delete;

private:
    TAppForm &m_form;
};
} // namespace

void TAppForm::Button1Click()
{
    if (FileList->rowCount() == 0) {
        dialogs::message(this, QMessageBox::Warning, QStringLiteral("WARNING"),
                         QStringLiteral("Please add files!"));
        return;
    }
    {
        const BatchRunning running(*this, FileList->rowCount());
        FileList->clearResults();
        MemoCMD->clear();
        QCoreApplication::processEvents();

        // The list, the target folder and the sliders stay usable between rows, so each row
        // reads them afresh. A window closed meanwhile ends the run after the current row.
        for (int i = 0; i < FileList->rowCount() && isVisible(); ++i) {
            const ConversionOutcome outcome = convertRow(i);
            FileList->setResult(i, outcome.result, outcome.failure);
            setProgressPosition(i + 2);
            QCoreApplication::processEvents();
            setProgressPosition(i + 1);
            QCoreApplication::processEvents();
        }
    }
    // A run stopped by an error ends in the error box instead.
    platform::beep();
}

ConversionOutcome TAppForm::convertRow(int row)
{
    // The text shown for a name that is not text would name another file.
    if (FileList->isUnreadable(row))
        return {conversionError, notTextReason};
    const QString input = FileList->path(row);
    const QString targetFolder = absolutePath(Edit1->text());
    createFolderWithParents(targetFolder);
    const QString output = MakeUniqueFileName(outputPathFor(targetFolder, input));
    return FFmpegIleDonustur(input, output);
}

void TAppForm::setProgressPosition(int position)
{
    // A position past the end shows as a full bar.
    ProgressBar1->setValue(qMin(position, ProgressBar1->maximum()));
}
