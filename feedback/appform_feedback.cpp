#include "app/appform.h"

#include "feedback/feedbackform.h"

void TAppForm::SendFeedback1Click()
{
    // The window destroys itself when it closes; exec() holds that off until it returns.
    auto *form = new TFeedbackForm({ProductName, AppName, AppVersion}, this);
    form->exec();
}
