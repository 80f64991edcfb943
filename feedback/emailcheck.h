#pragma once

#include <QString>

// Whether Text looks like an e-mail address: a local part of ASCII letters, digits, "_", ".",
// "+" and "-"; one "@"; a first domain label of ASCII letters, digits and "-"; a dot; then
// letters, digits, "-" and dots ending in a letter or digit. Nothing is trimmed, and no
// character outside ASCII ever matches. Safe on any thread.
bool IsValidEmail(const QString &Text);
