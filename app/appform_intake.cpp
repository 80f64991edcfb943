#include "app/appform.h"

void TAppForm::prepareFileList() {}
void TAppForm::AddFile1Click() {}
void TAppForm::AddFolder1Click() {}
void TAppForm::Open1Click() {}
void TAppForm::ShowinExplorer1Click() {}
void TAppForm::Properties1Click() {}
void TAppForm::Delete1Click() {}
void TAppForm::DeleteAll1Click() {}
