#pragma once

#include <QString>

// The stored form of the download address: not secret, only not plain to read. The UTF-8 bytes
// of the text go through a 16-bit feedback cipher (each byte is XORed with the high byte of a
// state that then advances by the scrambled byte) and are written as upper-case hex pairs.
QString ScrambleText(const QString &text);

// The text back from ScrambleText's form. Lower-case hex digits are read too, and a last single
// digit is ignored; a pair that is not hexadecimal gives an empty text.
QString UnscrambleText(const QString &text);
