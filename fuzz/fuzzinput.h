#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Helpers shared by the fuzz targets: the fuzzer's bytes as the values a parser takes, and a
// check that stops the run like a sanitizer does when a promise of the code under test breaks.

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Text as the program meets it from files, replies and arguments: UTF-8, where a byte that is
// no UTF-8 becomes U+FFFD.
inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(fuzzBytes(data, size));
}

// Several texts in one input, separated by zero bytes (texts such as a feedback message hold
// line breaks, so a line break cannot separate them).
inline QStringList fuzzTexts(const uint8_t *data, size_t size)
{
    QStringList texts;
    for (const QByteArray &part : fuzzBytes(data, size).split('\0'))
        texts << QString::fromUtf8(part);
    return texts;
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
