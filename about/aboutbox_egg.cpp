// The picture hidden behind the panel, and dragging the window.
#include "about/aboutbox.h"

#include <QFrame>
#include <QMouseEvent>
#include <QTimer>

void TAboutBox::Image1DblClick()
{
    if (TimerEgg->isActive())
        return;
    PanelEgg->show();
    TimerEgg->start();
}

void TAboutBox::TimerEggTimer()
{
    Panel1->move(Panel1->x() + 5, Panel1->y());
    if (width() < Panel1->x())
        TimerEgg->stop();
}

void TAboutBox::ImageEggDblClick()
{
    if (TimerEgg->isActive())
        return;
    PanelEgg->hide();
    Panel1->move((width() - Panel1->width()) / 2, Panel1->y());
}

void TAboutBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        return;
    dragging = true;
    dragPoint = event->globalPosition().toPoint();
}

void TAboutBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    const QPoint point = event->globalPosition().toPoint();
    move(pos() + point - dragPoint);
    dragPoint = point;
}

void TAboutBox::mouseReleaseEvent(QMouseEvent *)
{
    dragging = false;
}
