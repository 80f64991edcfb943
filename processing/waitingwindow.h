#pragma once

#include <QObject>

class QWidget;

// Keeps a window alive while its thread waits on a child process, the way a window whose thread
// is busy should behave: it repaints and answers the desktop's pings, but takes no input. Mouse
// and key input wait in the window system's queue and timers wait too, so no handler and no
// timer (TimerParam, TimerChecker) runs before the wait ends. Drops are refused. A request to
// close the window ends the running children, so the wait ends at once, and is carried out then.
//
// Posted events still run, since layouts and repaints travel as posted events; so a handler
// connected through a queued call would run too, and none of the window's handlers is.
class WaitingWindow : public QObject
{
public:
    explicit WaitingWindow(QWidget *window);
    ~WaitingWindow() override;
    WaitingWindow(const WaitingWindow &) = delete;
    WaitingWindow &operator=(const WaitingWindow &) = delete;

    // Handles the window system's pending events within the rules above.
    void keepAlive();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    bool m_closeRequested = false;
};
