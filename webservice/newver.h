#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QMouseEvent;
class QTimer;
class QToolButton;
class QVariantAnimation;

// The new-version notice: a small borderless window that stays on top at the top right corner
// of the primary screen, grows into view, offers the download with an underlined link, can be
// dragged, and closes by itself about eleven seconds after it was made. The keyboard focus
// stays with the main window. Closing only hides it; the main window owns it.
class TNewVer : public QWidget
{
    Q_OBJECT

public:
    // The notice for a reported version, hidden at first: it shows itself 1 ms later.
    TNewVer(QWidget *mainWindow, const QString &productName, const QString &replyVersion,
            const QString &downloadUrl);

    // Components, by their names in the layout.
    QFrame *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QWidget *Panel2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QWidget *Panel3 = nullptr;
    QToolButton *Button1 = nullptr;
    QTimer *TimerStart = nullptr;
    QTimer *TimerClose = nullptr;
    QTimer *TimerLink = nullptr;

    // Seconds left until the notice closes by itself, counted from its creation.
    qint64 CloseCountdown = 11;

    void Label2Click();
    void Button1Click();
    void TimerStartTimer();
    void TimerCloseTimer();
    void TimerLinkTimer();

protected:
    // Dragging: from the window, Panel1, Image1, Label1 and Panel3, whose mouse events come up
    // to the window; Label2 and Button1 keep theirs (Panel2 lies wholly under the labels).
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The link's click.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QString &productName, const QString &replyVersion);
    void FormMouseDown(const QMouseEvent *event);
    void FormMouseMove(const QMouseEvent *event);
    void FormMouseUp();
    void createComponents();
    // Grows the window from its centre outwards, or shrinks it to its centre and closes it.
    void growIntoView();
    void shrinkAndClose();
    void revealFraction(qreal fraction);

    QWidget *m_mainWindow;
    QString DownloadURL;
    QVariantAnimation *reveal = nullptr;
    QRect fullGeometry; // where the notice stands while it grows or shrinks
    bool shrinking = false;
    bool dragging = false;
    int dx = 0;
    int dy = 0;
};
