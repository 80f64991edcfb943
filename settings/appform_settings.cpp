#include "app/appform.h"

void TAppForm::chooseSettingsFolder() {}
void TAppForm::openSettingsStore() {}
void TAppForm::ResettoDefaults1Click() {}
