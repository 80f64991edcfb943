#pragma once

#include <QMessageBox>
#include <QStringList>

class QWidget;

// Every modal question, notice and file dialog of the program goes through here, so that
// tests can answer them in advance instead of leaving a window waiting for a click.
namespace dialogs
{

struct ShownMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
};

// A message box. With button texts, the push buttons get them in the order of `buttons`.
QMessageBox::StandardButton
message(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
        const QStringList &buttonTexts = {});

// "Add Files...": several existing files; empty when cancelled.
QStringList chooseFiles(QWidget *parent, const QString &filter, const QString &defaultSuffix,
                        const QString &startFolder);

// Folder picker; with `several` the user may choose more than one folder. Empty when cancelled.
QStringList chooseFolders(QWidget *parent, const QString &title, const QString &okLabel,
                          const QString &startFolder, bool several);

// Without a display: message boxes are written to standard error and answered with their
// default button; file dialogs answer as cancelled.
void setPrintingInstead(bool printing);

// Test seam. While answering is on, message boxes are not shown: they are recorded and get
// the queued answers (the default button when the queue is empty); file and folder dialogs
// get the queued file lists (an empty list when the queue is empty, as on cancel).
void startAnswering();
void stopAnswering();
void queueAnswer(QMessageBox::StandardButton answer);
void queueFileNames(const QStringList &names);
QList<ShownMessage> takeShownMessages();

} // namespace dialogs
