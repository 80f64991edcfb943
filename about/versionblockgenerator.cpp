// Writes a C++ source file that places a version block into the ELF section that the version
// reader looks in. CMake runs it for every executable that carries the block
// (cmake/VersionBlock.cmake).
//
//   hushmill_versionblock_generator <output.cpp> <version> <translation> <Key=Value>...
//
// <version> is up to four numbers (1.2.0.0), used as file and product version; <translation> is
// eight hex digits, language then code page (040904E4); each Key=Value is one string of the
// string table, in order.

#include "about/versionblocklayout.h"
#include "about/versionblockwriter.h"

#include <QSaveFile>
#include <QStringList>
#include <cstdio>
#include <stdexcept>

namespace
{

std::optional<std::array<quint16, 4>> parseVersion(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 4)
        return {};
    std::array<quint16, 4> numbers{};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts[i].toUShort(&ok);
        if (!ok)
            return {};
    }
    return numbers;
}

std::optional<VersionBlockContent> parseContent(const QStringList &arguments)
{
    const std::optional<std::array<quint16, 4>> version = parseVersion(arguments[0]);
    const QString translation = arguments[1].toUpper();
    bool languageOk = false;
    bool codePageOk = false;
    const quint16 language = translation.left(4).toUShort(&languageOk, 16);
    const quint16 codePage = translation.mid(4).toUShort(&codePageOk, 16);
    if (!version || translation.size() != 8 || !languageOk || !codePageOk)
        return {};

    VersionBlockContent content;
    content.fixedInfo = VersionBlockContent::FixedInfo{*version, *version};
    content.translations = QList<std::pair<quint16, quint16>>{{language, codePage}};
    VersionBlockContent::StringTable table{translation, {}};
    for (const QString &string : arguments.mid(2)) {
        const qsizetype equals = string.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return {};
        table.strings.append({string.left(equals), string.mid(equals + 1)});
    }
    content.stringTables = {table};
    return content;
}

QByteArray assemblySource(const QByteArray &block)
{
    QByteArray source =
        "// Written by hushmill_versionblock_generator: this executable's version block, in a\n"
        "// section of its own that is not loaded into memory and that strip keeps.\n"
        "asm(\".pushsection ";
    source += versionblock::sectionName;
    source += ", \\\"\\\", %progbits\\n\"\n    \".balign 4\\n\"\n";
    for (qsizetype line = 0; line < block.size(); line += 16) {
        QByteArrayList bytes;
        for (const char byte : block.mid(line, 16))
            bytes << "0x" + QByteArray::number(quint8(byte), 16).rightJustified(2, '0');
        source += "    \".byte " + bytes.join(',') + "\\n\"\n";
    }
    source += "    \".popsection\\n\");\n";
    return source;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);
    const std::optional<VersionBlockContent> content =
        arguments.size() >= 3 ? parseContent(arguments.mid(1)) : std::nullopt;
    if (!content) {
        std::fprintf(stderr, "usage: hushmill_versionblock_generator <output.cpp> <a.b.c.d> "
                             "<LLLLCCCC> <Key=Value>...\n");
        return 2;
    }
    try {
        QSaveFile output(arguments[0]);
        if (!output.open(QIODevice::WriteOnly) ||
            output.write(assemblySource(writeVersionBlock(*content))) < 0 || !output.commit()) {
            std::fprintf(stderr, "hushmill_versionblock_generator: %s\n",
                         qPrintable(output.errorString()));
            return 1;
        }
    } catch (const std::length_error &error) {
        std::fprintf(stderr, "hushmill_versionblock_generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
