#pragma once

#include <QIcon>

// The program's own pictures by name ("add-folder", "tick_button", ...), drawn from the
// compiled-in SVG files, sharp at every size the icon is asked for.
QIcon appIcon(const QString &name);
