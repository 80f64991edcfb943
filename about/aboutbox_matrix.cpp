// The falling characters of the About box.
#include "about/aboutbox.h"

#include <QFrame>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

void TAboutBox::StartMatrix()
{
    // The grid covers the window's outer size as it is now; later resizes keep that grid.
    const QSize outer = frameGeometry().size();
    Matrix.StartMatrix(outer.width(), outer.height());
    MatrixCells.reset(size(), devicePixelRatioF());
    tmTimer->setInterval(50);
    tmTimer->start();
}

void TAboutBox::ResetMatrix()
{
    MatrixCells.reset(size(), devicePixelRatioF());
    Matrix.ResetMatrix();
    update();
}

void TAboutBox::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ResetMatrix();
}

void TAboutBox::tmTimerTimer()
{
    // Only the changed cells that no panel covers are repainted: repainting under a panel
    // would repaint the panel and everything on it.
    update(MatrixCells.step(Matrix) & uncoveredArea());
}

QRegion TAboutBox::uncoveredArea() const
{
    QRegion area(rect());
    for (const QFrame *panel : {Panel1, PanelEgg})
        if (panel->isVisible())
            area -= panel->geometry();
    return area;
}

void TAboutBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    MatrixCells.paint(painter, event->region());
}
