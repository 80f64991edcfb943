#pragma once

#include <QString>

class QWidget;

// The program's own small properties window of a file (path, size, modified, type), shown
// when no file manager can show its own. It closes and frees itself.
void showFilePropertiesWindow(QWidget *parent, const QString &path);
