#include "feedback/feedbackform.h"

#include "app/dialogs.h"
#include "app/icons.h"
#include "feedback/choicepanel.h"
#include "feedback/emailcheck.h"
#include "feedback/feedbackdelivery.h"
#include "feedback/glyphbutton.h"
#include "feedback/memolimit.h"
#include "platform/beep.h"
#include "processing/waitingwindow.h"
#include "webservice/vendorhost.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <chrono>
#include <future>
#include <system_error>

namespace
{
constexpr int memoMaxLength = 10000;
constexpr int addressMaxLength = 100;
constexpr int sideMargin = 8;
constexpr std::chrono::milliseconds keepAliveInterval(20);

template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QFont tahoma(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A strip of the window's full width and a fixed height, laying its children out in a row.
QWidget *strip(const char *name, int height, QHBoxLayout *&row)
{
    auto *panel = named(new QWidget, name);
    panel->setFixedHeight(height);
    row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    return panel;
}

// The application-wide busy cursor for the length of a scope.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Posts the feedback on a thread of its own, under the busy cursor, while the waiting window
// keeps repainting and answering the desktop; it takes no input meanwhile, so nothing in it
// changes until the outcome is known.
bool deliverWhileWindowWaits(WaitingWindow &waiting, const QStringList &fields)
{
    const BusyCursor busy;
    try {
        std::future<bool> delivery = std::async(std::launch::async, &deliverFeedback,
                                                feedbackEndpoint(vendorHost()), fields);
        while (delivery.wait_for(keepAliveInterval) != std::future_status::ready)
            waiting.keepAlive();
        return delivery.get();
    } catch (const std::system_error &) {
        return false; // no thread to post on
    }
}
} // namespace

TFeedbackForm::TFeedbackForm(const FeedbackIdentity &identity, QWidget *parent)
    : QDialog(parent), m_identity(identity)
{
    setObjectName(QStringLiteral("FeedbackForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose); // every opening starts with a new, empty window
    setFont(tahoma(13));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    createChoiceStrip();
    createMessageArea();
    createAddressStrip();
    createSendStrip();
    setTabOrder(Memo1, Edit1);
    setTabOrder(Edit1, BitBtn1);
    Memo1->setFocus();

    setFixedSize(525, 326);
    move(screen()->availableGeometry().center() - rect().center());

    FormCreate();
}

void TFeedbackForm::createChoiceStrip()
{
    QHBoxLayout *row = nullptr;
    Panel3 = strip("Panel3", 46, row);
    Panel4 = named(new ChoicePanel(QStringLiteral("smile"), Panel3), "Panel4");
    Panel5 = named(new ChoicePanel(QStringLiteral("sad"), Panel3), "Panel5");
    Image1 = named(Panel4->picture(), "Image1");
    Image2 = named(Panel5->picture(), "Image2");
    for (ChoicePanel *panel : {Panel4, Panel5})
        panel->setFont(tahoma(16));
    Panel5->setFixedWidth(256);
    row->addWidget(Panel4, 1);
    row->addWidget(Panel5);
    layout()->addWidget(Panel3);

    connect(Panel4, &ChoicePanel::pressed, this, &TFeedbackForm::Image1MouseDown);
    connect(Panel5, &ChoicePanel::pressed, this, &TFeedbackForm::Image2MouseDown);
}

void TFeedbackForm::createMessageArea()
{
    Label1 = named(new QLabel(this), "Label1");
    Label1->setFont(tahoma(16));
    Label1->setContentsMargins(sideMargin, 8, sideMargin, 2);
    Label2 = named(new QLabel(this), "Label2");
    Label2->setFont(tahoma(13, true));
    Label2->setContentsMargins(sideMargin, 4, sideMargin, 4);

    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(true);
    limitMemoLength(Memo1, memoMaxLength);

    auto *memoRow = new QHBoxLayout;
    memoRow->setContentsMargins(sideMargin, 0, sideMargin, 4);
    memoRow->addWidget(Memo1);
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->addWidget(Label1);
    column->addWidget(Label2);
    column->addLayout(memoRow, 1);
}

void TFeedbackForm::createAddressStrip()
{
    QHBoxLayout *row = nullptr;
    Panel1 = strip("Panel1", 30, row);
    row->setContentsMargins(sideMargin, 0, sideMargin, 0);
    row->setSpacing(6);
    Label3 = named(new QLabel(Panel1), "Label3");
    Edit1 = named(new QLineEdit(Panel1), "Edit1");
    Edit1->setMaxLength(addressMaxLength);
    row->addWidget(Label3, 0, Qt::AlignVCenter);
    row->addWidget(Edit1, 1, Qt::AlignVCenter);
    layout()->addWidget(Panel1);
}

void TFeedbackForm::createSendStrip()
{
    QHBoxLayout *row = nullptr;
    Panel2 = strip("Panel2", 39, row);
    row->setContentsMargins(0, 3, sideMargin, 3);
    BitBtn1 = named(new GlyphButton(appIcon(QStringLiteral("feedback")), 5, Panel2), "BitBtn1");
    BitBtn1->setIconSize(QSize(16, 16));
    BitBtn1->setFixedSize(172, 33);
    BitBtn1->setFont(tahoma(16));
    // Return in the memo or the address field does not send.
    BitBtn1->setAutoDefault(false);
    row->addStretch(1);
    row->addWidget(BitBtn1);
    layout()->addWidget(Panel2);

    connect(BitBtn1, &QPushButton::clicked, this, &TFeedbackForm::BitBtn1Click);
}

void TFeedbackForm::FormCreate()
{
    setWindowTitle(m_identity.ProductName + QStringLiteral(" feedback"));
    Label1->setText(QStringLiteral("We would really appreciate your feedback."));
    Label2->setText(QStringLiteral("What did you like or dislike?"));
    Label3->setText(QStringLiteral("Include my e-mail:"));
    BitBtn1->setText(QStringLiteral("Send"));
    Panel4->setCaption(QStringLiteral("I like it!"));
    Panel5->setCaption(QStringLiteral("I dislike it!"));
}

void TFeedbackForm::Image1MouseDown(Qt::MouseButton Button)
{
    toggleChoice(Panel4, Panel5, Button);
}

void TFeedbackForm::Image2MouseDown(Qt::MouseButton Button)
{
    toggleChoice(Panel5, Panel4, Button);
}

void TFeedbackForm::toggleChoice(ChoicePanel *pressed, ChoicePanel *other, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (pressed->isSelected()) {
        pressed->setSelected(false);
        return;
    }
    pressed->setSelected(true);
    other->setSelected(false);
}

FeedbackChoice TFeedbackForm::choice() const
{
    if (Panel4->isSelected())
        return FeedbackChoice::Like;
    if (Panel5->isSelected())
        return FeedbackChoice::Dislike;
    return FeedbackChoice::None;
}

void TFeedbackForm::BitBtn1Click()
{
    const QString message = trimmedText(Memo1->toPlainText());
    if (message.isEmpty()) {
        Memo1->setFocus();
        platform::beep();
        return;
    }
    const QString address = trimmedText(Edit1->text());
    if (!address.isEmpty() && !IsValidEmail(address)) {
        Edit1->setFocus();
        dialogs::message(this, QMessageBox::Critical, QStringLiteral("Failure"),
                         QStringLiteral("Invalid e-mail address!"));
        return;
    }
    const QStringList fields = feedbackFields(m_identity.AppName, m_identity.AppVersion,
                                              composeFeedbackText(choice(), message), address);

    bool delivered = false;
    {
        // A request to close the window while it waits is carried out once the outcome is shown.
        WaitingWindow waiting(this);
        delivered = deliverWhileWindowWaits(waiting, fields);
        if (delivered)
            dialogs::message(this, QMessageBox::Information, QStringLiteral("Success"),
                             QStringLiteral("Your feedback is received.\r\rThank you!"));
        else
            dialogs::message(this, QMessageBox::Critical, QStringLiteral("Failure"),
                             QStringLiteral("Something went wrong. Your feedback could not be "
                                            "delivered.\r\rPlease try again later."));
    }
    if (delivered)
        close();
}
