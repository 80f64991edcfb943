#include "app/appform.h"

void TAppForm::TimerParamTimer() {}
