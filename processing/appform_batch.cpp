#include "app/appform.h"

void TAppForm::Button1Click() {}
