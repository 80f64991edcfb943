#include "app/dialogs.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QPushButton>
#include <QQueue>
#include <QTextStream>

namespace dialogs
{

namespace
{
struct Answering {
    bool on = false;
    bool printing = false;
    QQueue<QMessageBox::StandardButton> answers;
    QQueue<QStringList> fileNames;
    QList<ShownMessage> shown;
};

Answering &answering()
{
    static Answering state;
    return state;
}

QStringList nextFileNames()
{
    return answering().fileNames.isEmpty() ? QStringList() : answering().fileNames.dequeue();
}
} // namespace

QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                    const QString &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton,
                                    const QStringList &buttonTexts)
{
    if (answering().printing) {
        QTextStream(stderr) << caption << ": " << text << Qt::endl;
        return defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : defaultButton;
    }
    if (answering().on) {
        answering().shown.append({icon, caption, text});
        if (!answering().answers.isEmpty())
            return answering().answers.dequeue();
        return defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : defaultButton;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const QList<QAbstractButton *> pushButtons = box.buttons();
    for (int i = 0; i < buttonTexts.size() && i < pushButtons.size(); ++i)
        pushButtons[i]->setText(buttonTexts[i]);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QStringList chooseFiles(QWidget *parent, const QString &filter, const QString &defaultSuffix,
                        const QString &startFolder)
{
    if (answering().printing)
        return {};
    if (answering().on)
        return nextFileNames();
    QFileDialog dialog(parent, QString(), startFolder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // The type box names each entry ("Supported Files", "All Files") without its patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QStringList chooseFolders(QWidget *parent, const QString &title, const QString &okLabel,
                          const QString &startFolder, bool several)
{
    if (answering().printing)
        return {};
    if (answering().on)
        return nextFileNames();
    QFileDialog dialog(parent, title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::Accept, okLabel);
    if (several) {
        // The platform's own dialogs choose one folder only; Qt's dialog can take several.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        for (auto *view : dialog.findChildren<QAbstractItemView *>())
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

void setPrintingInstead(bool printing)
{
    answering().printing = printing;
}

void startAnswering()
{
    answering() = Answering();
    answering().on = true;
}

void stopAnswering()
{
    answering() = Answering();
}

void queueAnswer(QMessageBox::StandardButton answer)
{
    answering().answers.enqueue(answer);
}

void queueFileNames(const QStringList &names)
{
    answering().fileNames.enqueue(names);
}

QList<ShownMessage> takeShownMessages()
{
    return std::exchange(answering().shown, {});
}

} // namespace dialogs
