#pragma once

#include <QString>
#include <QStringList>

// The extension test that guards every automatic way into the list (folder loads, drops,
// file names on the command line): true for the 21 supported audio and video extensions,
// compared without regard to the case of the letters A to Z.
bool IsMediaFile(const QString &path);

// The extensions IsMediaFile accepts, in lower case with their point (".mp3").
QStringList supportedExtensions();

// The filter of the "Add Files..." dialog as "|"-separated description and pattern pairs:
// "Supported Files" (which also shows .ogg and .opus) and "All Files".
QString addFilesFilter();

// The same filter in the form a Qt file dialog takes ("Supported Files (*.mp3 *.wav ...)",
// entries joined by ";;", the first one selected when the dialog opens).
QString qtNameFilters(const QString &filter);
