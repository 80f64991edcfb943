#pragma once

#include "feedback/feedbackmessage.h"

#include <QDialog>

class ChoicePanel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The values of the running program that feedback carries.
struct FeedbackIdentity {
    QString ProductName;
    QString AppName;
    QString AppVersion;
};

// The feedback window: a message, an optional "I like it!" or "I dislike it!" mark and an
// optional e-mail address, sent to the vendor's service. Closing the window destroys it, so
// every opening starts empty; Escape closes it without sending.
class TFeedbackForm : public QDialog
{
    Q_OBJECT

public:
    explicit TFeedbackForm(const FeedbackIdentity &identity, QWidget *parent = nullptr);

    // Handlers.
    void FormCreate();
    void Image1MouseDown(Qt::MouseButton Button);
    void Image2MouseDown(Qt::MouseButton Button);
    void BitBtn1Click();

    // Components, by their names in the layout.
    QWidget *Panel3 = nullptr;
    ChoicePanel *Panel4 = nullptr;
    QLabel *Image1 = nullptr;
    ChoicePanel *Panel5 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QWidget *Panel1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QWidget *Panel2 = nullptr;
    QPushButton *BitBtn1 = nullptr;

private:
    void createChoiceStrip();
    void createMessageArea();
    void createAddressStrip();
    void createSendStrip();

    // A left press on `pressed` clears it when selected, otherwise selects it and clears `other`.
    static void toggleChoice(ChoicePanel *pressed, ChoicePanel *other, Qt::MouseButton button);
    FeedbackChoice choice() const;

    FeedbackIdentity m_identity;
};
