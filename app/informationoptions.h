#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Command lines that ask the program something rather than starting it: "--help" or
// "--version" as the one and only argument, and "--list-supported FOLDER" with an optional
// "-0" after it. They are answered on standard output before the application object exists,
// so they need neither a window nor a display. Every other command line, these words among
// other arguments included, keeps its usual meaning.

// The exit status after answering, or nothing when `arguments` is no such command line.
// `executable` is the running program's file, whose version block names it.
std::optional<int> answerInformationOption(const QStringList &arguments, const QString &executable);

// The text "--help" prints.
QString usageText();

// The text "--version" prints: the product name and "major.minor" from the executable's
// version block ("Hushmill 1.2"). Raises OSError when the file has no readable block.
QString versionText(const QString &executable);
