#include "app/appform.h"

void TAppForm::TimerCheckerTimer() {}
void TAppForm::UpdateNotifications1Click() {}
