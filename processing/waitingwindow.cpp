#include "processing/waitingwindow.h"

#include "processing/runningwork.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

WaitingWindow::WaitingWindow(QWidget *window) : m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

WaitingWindow::~WaitingWindow()
{
    QCoreApplication::instance()->removeEventFilter(this);
    if (m_closeRequested)
        QMetaObject::invokeMethod(m_window, &QWidget::close, Qt::QueuedConnection);
}

void WaitingWindow::keepAlive()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
}

bool WaitingWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    case QEvent::Close:
        if (watched == m_window) {
            // Closing ends the program at once: the conversion is ended (and removes its
            // unfinished output), and the window closes when the wait is over.
            m_closeRequested = true;
            runningwork::stopChildren();
            event->ignore();
            return true;
        }
        return false;
    default:
        return false;
    }
}
