#include "app/appform.h"

void TAppForm::restoreParameters() {}
void TAppForm::restoreTargetFolder() {}
void TAppForm::TrackBar1Change() {}
void TAppForm::TrackBar2Change() {}
void TAppForm::Edit1Change() {}
void TAppForm::Button2Click() {}
void TAppForm::ChangeDirectory1Click() {}
void TAppForm::ShowinExplorer2Click() {}
