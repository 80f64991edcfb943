#include "about/aboutbox.h"

#include "about/popupbelowbutton.h"
#include "about/vendorpages.h"
#include "app/dialogs.h"
#include "app/icons.h"
#include "base/folders.h"
#include "platform/runningprogram.h"
#include "platform/urlopener.h"
#include "webservice/vendorhost.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace
{
template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QFont tahoma(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

// White text on black; buttons dark grey, frames in greys that show on black.
QPalette blackPalette()
{
    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, Qt::black);
        palette.setColor(group, QPalette::WindowText, Qt::white);
        palette.setColor(group, QPalette::Button, QColor(0x30, 0x30, 0x30));
        palette.setColor(group, QPalette::ButtonText, Qt::white);
        palette.setColor(group, QPalette::Light, QColor(0x90, 0x90, 0x90));
        palette.setColor(group, QPalette::Midlight, QColor(0x60, 0x60, 0x60));
        palette.setColor(group, QPalette::Mid, QColor(0x40, 0x40, 0x40));
        palette.setColor(group, QPalette::Dark, QColor(0x38, 0x38, 0x38));
        palette.setColor(group, QPalette::Shadow, QColor(0x18, 0x18, 0x18));
    }
    return palette;
}

// A picture that the window can be dragged by: mouse presses pass on to the window.
QLabel *picture(const char *name, const QRect &geometry, QWidget *parent)
{
    auto *label = named(new QLabel(parent), name);
    label->setGeometry(geometry);
    label->setScaledContents(true);
    return label;
}
} // namespace

TAboutBox::TAboutBox(const QString &productName, const QString &appVersion, QWidget *parent)
    : QDialog(parent), m_productName(productName), m_appVersion(appVersion)
{
    setObjectName(QStringLiteral("AboutBox"));
    // A tool window with a thin caption bar and only the close box; not resizable.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    setPalette(blackPalette());
    setFont(tahoma(11));
    // The window paints every pixel of its client area itself.
    setAttribute(Qt::WA_OpaquePaintEvent);

    createHiddenPicture();
    createPanel();
    createInfoMenu();
    createTimers();

    const QRect screenArea = screen()->availableGeometry();
    move(screenArea.center() - rect().center());

    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::createHiddenPicture()
{
    PanelEgg = named(new QFrame(this), "PanelEgg");
    PanelEgg->setFrameShape(QFrame::NoFrame);
    PanelEgg->setAutoFillBackground(true);
    PanelEgg->resize(324, 220);
    PanelEgg->hide();
    ImageEgg = picture("ImageEgg", QRect(2, 3, 320, 214), PanelEgg);
    ImageEgg->installEventFilter(this);
}

void TAboutBox::createPanel()
{
    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(48, 42, 350, 291);

    Image2 = picture("Image2", QRect(3, 4, 344, 105), Panel1);

    Bevel1 = named(new QFrame(Panel1), "Bevel1");
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(9, 122, 34, 34);
    Image1 = picture("Image1", QRect(10, 123, 32, 32), Panel1);
    Image1->installEventFilter(this);

    Label2 = named(new QLabel(Panel1), "Label2");
    Label2->setGeometry(49, 122, 290, 40);
    Label2->setFont(tahoma(16));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    BitBtn1 = named(new QPushButton(Panel1), "BitBtn1");
    BitBtn1->setGeometry(49, 226, 122, 33);
    BitBtn1->setFont(tahoma(16));
    BitBtn2 = named(new QPushButton(Panel1), "BitBtn2");
    BitBtn2->setGeometry(177, 226, 122, 33);
    BitBtn2->setFont(tahoma(16));
    BitBtn2Arrow = named(new QLabel(BitBtn2), "BitBtn2Arrow");
    BitBtn2Arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (QPushButton *button : {BitBtn1, BitBtn2})
        button->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, &TAboutBox::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TAboutBox::BitBtn2Click);

    Label5 = named(new QLabel(Panel1), "Label5");
    QFont link(QStringLiteral("MS Sans Serif"));
    link.setPixelSize(11);
    link.setUnderline(true);
    Label5->setFont(link);
    QPalette lime = Label5->palette();
    lime.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
    Label5->setPalette(lime);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setCursor(Qt::PointingHandCursor);
    const int linkHeight = Label5->fontMetrics().height();
    Label5->setGeometry(4, Panel1->height() - 4 - linkHeight, Panel1->width() - 8, linkHeight);
    Label5->installEventFilter(this);
}

void TAboutBox::createInfoMenu()
{
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    Credits1 = named(PopupMenu1->addAction(QString()), "Credits1");
    Howtouninstall1 = named(PopupMenu1->addAction(QString()), "Howtouninstall1");
    LicensePrivacyPolicy1 = named(PopupMenu1->addAction(QString()), "LicensePrivacyPolicy1");
    connect(Credits1, &QAction::triggered, this, &TAboutBox::Credits1Click);
    connect(Howtouninstall1, &QAction::triggered, this, &TAboutBox::Howtouninstall1Click);
    connect(LicensePrivacyPolicy1, &QAction::triggered, this,
            &TAboutBox::LicensePrivacyPolicy1Click);
}

void TAboutBox::createTimers()
{
    tmTimer = named(new QTimer(this), "tmTimer");
    tmTimer->setTimerType(Qt::PreciseTimer);
    connect(tmTimer, &QTimer::timeout, this, &TAboutBox::tmTimerTimer);
    TimerEgg = named(new QTimer(this), "TimerEgg");
    TimerEgg->setTimerType(Qt::PreciseTimer);
    TimerEgg->setInterval(5);
    connect(TimerEgg, &QTimer::timeout, this, &TAboutBox::TimerEggTimer);
}

void TAboutBox::FormCreate()
{
    StartMatrix();
    setWindowTitle(QStringLiteral("About %1").arg(m_productName));
    Label2->setText(m_productName + QLatin1Char(' ') + m_appVersion);
    BitBtn1->setText(QStringLiteral("OK"));
    BitBtn2->setText(QStringLiteral("Info"));
    Credits1->setText(QStringLiteral("Acknowledgements..."));
    Howtouninstall1->setText(QStringLiteral("How to uninstall..."));
    LicensePrivacyPolicy1->setText(QStringLiteral("License..."));
    Label5->setText(vendorHost());
    Label5->setToolTip(vendorHomePage(vendorHost()));
    HighDPIImageYukle();
    PanelEgg->move((width() - PanelEgg->width()) / 2, (height() - PanelEgg->height()) / 2);
}

void TAboutBox::HighDPIImageYukle()
{
    const qreal ratio = devicePixelRatioF();
    Image1->setPixmap(appIcon(QStringLiteral("hushmill")).pixmap(Image1->size(), ratio));
    Image2->setPixmap(
        appIcon(QStringLiteral("quondel-logo-big-ai-black")).pixmap(Image2->size(), ratio));
    ImageEgg->setPixmap(appIcon(QStringLiteral("cat")).pixmap(ImageEgg->size(), ratio));

    // The arrow stands right of the centred caption.
    const QSize arrow(16, 16);
    BitBtn2Arrow->setPixmap(appIcon(QStringLiteral("arrow")).pixmap(arrow, ratio));
    const int captionRight =
        (BitBtn2->width() + BitBtn2->fontMetrics().horizontalAdvance(BitBtn2->text())) / 2;
    BitBtn2Arrow->setGeometry(captionRight + 4, (BitBtn2->height() - arrow.height()) / 2,
                              arrow.width(), arrow.height());
}

void TAboutBox::FormAfterMonitorDpiChanged()
{
    HighDPIImageYukle();
    ResetMatrix();
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!watchingScreen && windowHandle()) {
        connect(windowHandle(), &QWindow::screenChanged, this,
                &TAboutBox::FormAfterMonitorDpiChanged);
        watchingScreen = true;
    }
}

void TAboutBox::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TAboutBox::FormClose()
{
    // Closing destroys the window (the attribute set at creation); the effect stops at once.
    tmTimer->stop();
    TimerEgg->stop();
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (watched == Image1)
            Image1DblClick();
        else if (watched == ImageEgg)
            ImageEggDblClick();
        break;
    case QEvent::MouseButtonPress:
        // The link takes no part in dragging.
        if (watched == Label5)
            return true;
        break;
    case QEvent::MouseButtonRelease:
        if (watched == Label5) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                Label5->rect().contains(mouse->position().toPoint()))
                Label5Click();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if ((watched == BitBtn1 || watched == BitBtn2) &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::BitBtn1Click()
{
    close();
}

void TAboutBox::BitBtn2Click()
{
    PopupBelowButton(BitBtn2, PopupMenu1);
}

void TAboutBox::Label5Click()
{
    platform::openUrl(QUrl(vendorHomePage(vendorHost())));
}

void TAboutBox::Credits1Click()
{
    platform::openUrl(QUrl(acknowledgementsPage(vendorHost())));
}

void TAboutBox::Howtouninstall1Click()
{
    platform::openUrl(QUrl(uninstallPage(vendorHost())));
}

void TAboutBox::LicensePrivacyPolicy1Click()
{
    const QString license = platform::programFolder() + QStringLiteral("/license.txt");
    if (fileExists(license))
        platform::openUrl(QUrl::fromLocalFile(license));
    else
        dialogs::message(this, QMessageBox::Critical, QStringLiteral("License"),
                         QStringLiteral("File not found!"));
}
