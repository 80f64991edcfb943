#include "webservice/newver.h"

#include "about/vendorpages.h"
#include "app/icons.h"
#include "platform/urlopener.h"
#include "webservice/downloadaddress.h"
#include "webservice/vendorhost.h"

#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWindow>
#include <algorithm>

namespace
{
constexpr int clientWidth = 320;
constexpr int clientHeight = 68;
constexpr int screenEdgeGap = 5;
constexpr int animationMs = 100;

template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QFont tahoma(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    return font;
}

// Wayland lets no client place or move its own windows: the compositor does, also while the
// user drags one.
bool compositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

TNewVer::TNewVer(QWidget *mainWindow, const QString &productName, const QString &replyVersion,
                 const QString &downloadUrl)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus),
      m_mainWindow(mainWindow), DownloadURL(downloadUrl)
{
    setObjectName(QStringLiteral("NewVer"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(clientWidth, clientHeight);
    setFont(tahoma(11));
    setCursor(Qt::ArrowCursor);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    createComponents();
    FormCreate(productName, replyVersion);
}

void TNewVer::createComponents()
{
    // Panel1 keeps the whole size while the window grows and shrinks around its centre.
    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(0, 0, clientWidth, clientHeight);
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // 60 by 60 pixels inside margins of 3.
    Image1 = named(new QLabel(Panel1), "Image1");
    Image1->setContentsMargins(3, 3, 3, 3);
    Image1->setFixedWidth(66);
    Image1->setAlignment(Qt::AlignCenter);
    row->addWidget(Image1);

    // Label1 and Label2 cover Panel2; only Label2 keeps its mouse events from the window.
    Panel2 = named(new QWidget(Panel1), "Panel2");
    auto *column = new QVBoxLayout(Panel2);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Label1 = named(new QLabel(Panel2), "Label1");
    QFont bold = tahoma(13);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setContentsMargins(3, 3, 3, 3);
    column->addWidget(Label1);
    Label2 = named(new QLabel(Panel2), "Label2");
    QFont underlined = tahoma(13);
    underlined.setUnderline(true);
    Label2->setFont(underlined);
    Label2->setTextFormat(Qt::PlainText); // the version comes from the network
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setAttribute(Qt::WA_NoMousePropagation);
    Label2->installEventFilter(this);
    column->addWidget(Label2, 1);
    row->addWidget(Panel2, 1);

    Panel3 = named(new QWidget(Panel1), "Panel3");
    Panel3->setFixedWidth(22);
    auto *side = new QVBoxLayout(Panel3);
    side->setContentsMargins(0, 0, 0, 0);
    Button1 = named(new QToolButton(Panel3), "Button1");
    Button1->setFixedSize(22, 22);
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->setIcon(appIcon(QStringLiteral("close")));
    Button1->setIconSize(QSize(16, 16));
    side->addWidget(Button1);
    side->addStretch(1);
    row->addWidget(Panel3);
    connect(Button1, &QToolButton::clicked, this, &TNewVer::Button1Click);

    TimerStart = named(new QTimer(this), "TimerStart");
    TimerStart->setInterval(1);
    TimerClose = named(new QTimer(this), "TimerClose");
    TimerClose->setInterval(1000);
    TimerLink = named(new QTimer(this), "TimerLink");
    TimerLink->setInterval(100);
    connect(TimerStart, &QTimer::timeout, this, &TNewVer::TimerStartTimer);
    connect(TimerClose, &QTimer::timeout, this, &TNewVer::TimerCloseTimer);
    connect(TimerLink, &QTimer::timeout, this, &TNewVer::TimerLinkTimer);
    for (QTimer *timer : {TimerStart, TimerClose, TimerLink})
        timer->start();

    reveal = new QVariantAnimation(this);
    reveal->setDuration(animationMs);
    connect(reveal, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { revealFraction(value.toReal()); });
    connect(reveal, &QVariantAnimation::finished, this, [this] {
        if (shrinking)
            close();
        else
            revealFraction(1);
    });
}

void TNewVer::FormCreate(const QString &productName, const QString &replyVersion)
{
    Image1->setPixmap(
        appIcon(QStringLiteral("hushmill")).pixmap(QSize(48, 48), devicePixelRatio()));
    // The whole screen counts, not its work area. Where the compositor places windows, it
    // decides instead.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.x() + screen.width() - clientWidth - screenEdgeGap, screen.y() + screenEdgeGap);
    Label1->setText(QStringLiteral("UPDATE AVAILABLE"));
    Label2->setText(QStringLiteral("Click to download") + QLatin1Char(' ') + productName +
                    QLatin1Char(' ') + replyVersion);
}

void TNewVer::TimerStartTimer()
{
    TimerStart->stop();
    growIntoView();
    m_mainWindow->activateWindow();
}

void TNewVer::TimerCloseTimer()
{
    if (--CloseCountdown != 0)
        return;
    TimerClose->stop();
    shrinkAndClose();
}

void TNewVer::TimerLinkTimer()
{
    const bool hovered = Label2->rect().contains(Label2->mapFromGlobal(QCursor::pos()));
    QPalette colours = Label2->palette();
    colours.setColor(QPalette::WindowText,
                     palette().color(hovered ? QPalette::Highlight : QPalette::WindowText));
    Label2->setPalette(colours);
}

void TNewVer::Label2Click()
{
    platform::openUrl(downloadTarget(DownloadURL, vendorHomePage(vendorHost())));
    close();
}

void TNewVer::Button1Click()
{
    close();
}

void TNewVer::growIntoView()
{
    fullGeometry = QRect(pos(), QSize(clientWidth, clientHeight));
    revealFraction(0);
    show();
    reveal->setStartValue(0.0);
    reveal->setEndValue(1.0);
    reveal->start();
}

void TNewVer::shrinkAndClose()
{
    if (!isVisible())
        return;
    reveal->stop();
    fullGeometry = geometry();
    shrinking = true;
    reveal->setStartValue(1.0);
    reveal->setEndValue(0.0);
    reveal->start();
}

// Shows the centred part of the notice that is `fraction` of its width and height (at least a
// pixel): the window takes that part's place, and the panel inside stays where it was on screen.
void TNewVer::revealFraction(qreal fraction)
{
    const int width = std::max(1, qRound(clientWidth * fraction));
    const int height = std::max(1, qRound(clientHeight * fraction));
    const QPoint inset((clientWidth - width) / 2, (clientHeight - height) / 2);
    setGeometry(QRect(fullGeometry.topLeft() + inset, QSize(width, height)));
    Panel1->move(-inset);
}

void TNewVer::FormMouseDown(const QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        return;
    if (compositorPlacesWindows() && windowHandle() && windowHandle()->startSystemMove())
        return;
    const QPoint pointer = event->globalPosition().toPoint();
    dx = pointer.x();
    dy = pointer.y();
    dragging = true;
}

void TNewVer::FormMouseMove(const QMouseEvent *event)
{
    if (!dragging)
        return;
    const QPoint pointer = event->globalPosition().toPoint();
    move(pos() + QPoint(pointer.x() - dx, pointer.y() - dy));
    dx = pointer.x();
    dy = pointer.y();
}

void TNewVer::FormMouseUp()
{
    dragging = false;
}

void TNewVer::mousePressEvent(QMouseEvent *event)
{
    FormMouseDown(event);
}

void TNewVer::mouseMoveEvent(QMouseEvent *event)
{
    FormMouseMove(event);
}

void TNewVer::mouseReleaseEvent(QMouseEvent *)
{
    FormMouseUp();
}

bool TNewVer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Label2)
        return false;
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *release = static_cast<QMouseEvent *>(event);
    if (release->button() == Qt::LeftButton &&
        Label2->rect().contains(release->position().toPoint()))
        Label2Click();
    return true;
}
