#include "about/exeversiondata.h"
#include "about/versionblock.h"
#include "about/versionblockfile.h"
#include "about/versionblocklayout.h"
#include "about/versionblockwriter.h"
#include "base/apperror.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cerrno>

using Translations = QList<std::pair<quint16, quint16>>;

namespace
{

// The ELF layouts the reader is tried on, as the binary tools name them.
const QStringList elfFormats{"elf64-little", "elf64-big", "elf32-little", "elf32-big"};

// The block of data/handwritten.hex: "#" starts a comment, the rest is hex bytes.
QByteArray handWrittenBlock()
{
    QFile file(QStringLiteral(HUSHMILL_TEST_DATA "/handwritten.hex"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray hex;
    for (const QByteArray &line : file.readAll().split('\n'))
        hex += line.left(line.indexOf('#') < 0 ? line.size() : line.indexOf('#'));
    return QByteArray::fromHex(hex);
}

// What the hand-written block holds.
VersionBlockContent handWrittenContent()
{
    VersionBlockContent content;
    content.fixedInfo = VersionBlockContent::FixedInfo{{10, 15, 3, 0}, {10, 15, 3, 0}};
    content.stringTables = {{QStringLiteral("040704E4"),
                             {{QStringLiteral("CompanyName"), QStringLiteral("QD")},
                              {QStringLiteral("OriginalFilename"), QStringLiteral("a.exe")}}}};
    content.translations = Translations{{0x0407, 0x04E4}};
    return content;
}

// A block with a string table for each key, whose CompanyName is the table's own key.
QByteArray blockWithTables(const QStringList &tableKeys, const Translations &translations)
{
    VersionBlockContent content = handWrittenContent();
    content.stringTables.clear();
    for (const QString &key : tableKeys)
        content.stringTables.append({key, {{QStringLiteral("CompanyName"), key}}});
    content.translations = translations;
    return writeVersionBlock(content);
}

QByteArray withWord(QByteArray block, qsizetype offset, quint16 word)
{
    qToLittleEndian(word, block.data() + offset);
    return block;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

class TestVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    // Files to read: copies and variants of the built program, and files without a block.
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        const QString program = QStringLiteral(HUSHMILL_EXECUTABLE);
        const QString objcopy = QStringLiteral(HUSHMILL_OBJCOPY);
        const QString section = QLatin1String(versionblock::sectionName);
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("alone")));
        QVERIFY(QFile::copy(program, file("alone/hushmill")));
        QVERIFY(QFile::copy(program, file("stripped")));
        QVERIFY(run(QStringLiteral(HUSHMILL_STRIP), {file("stripped")}));
        QVERIFY(run(objcopy, {QStringLiteral("--remove-section"), section, program,
                              file("without section")}));
        QVERIFY(writeBytes(file("text"), "Not an executable\n"));
        QVERIFY(writeBytes(file("empty"), {}));
        QFile programFile(program);
        QVERIFY(programFile.open(QIODevice::ReadOnly));
        QVERIFY(writeBytes(file("cut short"), programFile.read(200)));
        QVERIFY(run(objcopy, {QStringLiteral("--update-section"), section + '=' + file("text"),
                              program, file("other bytes in section")}));

        QVERIFY(writeBytes(file("block"), handWrittenBlock()));
        for (const QString &format : elfFormats) {
            QVERIFY(run(objcopy, {QStringLiteral("-I"), QStringLiteral("binary"),
                                  QStringLiteral("-O"), format, QStringLiteral("--rename-section"),
                                  ".data=" + section, file("block"), file(format)}));
        }
    }

    void writerLaysOutTheHandWrittenBlock()
    {
        const QByteArray expected = handWrittenBlock();
        QCOMPARE(expected.size(), qsizetype(0x138));
        QCOMPARE(writeVersionBlock(handWrittenContent()).toHex(' '), expected.toHex(' '));
    }

    void readsTheHandWrittenBlock()
    {
        TEXEVersionData data;
        data.PrivateBuild = QStringLiteral("kept");
        readEXEVersionData(handWrittenBlock(), data);
        QCOMPARE(data.CompanyName, QStringLiteral("QD"));
        QCOMPARE(data.OriginalFileName, QStringLiteral("a.exe"));
        QCOMPARE(data.ProductName, QString());
        QCOMPARE(data.PrivateBuild, QStringLiteral("kept"));
        QCOMPARE(fixedFileVersionMS(handWrittenBlock()), 0x000A000Fu);
        QCOMPARE(majorMinorVersion(0x000A000F), QStringLiteral("10.15"));
    }

    void queriesByPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text"); // null where the query finds nothing
        const QString none;
        // clang-format off
        QTest::newRow("string")           << "\\StringFileInfo\\040704E4\\CompanyName"      << "QD";
        QTest::newRow("any case")         << "\\stringfileinfo\\040704e4\\COMPANYNAME"      << "QD";
        QTest::newRow("OriginalFileName") << "\\StringFileInfo\\040704E4\\OriginalFileName" << "a.exe";
        QTest::newRow("empty parts")      << "StringFileInfo\\\\040704E4\\CompanyName\\"    << "QD";
        QTest::newRow("key prefix")       << "\\StringFileInfo\\040704E4\\Company"          << none;
        QTest::newRow("longer key")       << "\\StringFileInfo\\040704E4\\CompanyNames"     << none;
        QTest::newRow("other table")      << "\\StringFileInfo\\040904E4\\CompanyName"      << none;
        QTest::newRow("below a string")   << "\\StringFileInfo\\040704E4\\CompanyName\\QD"  << none;
        QTest::newRow("missing string")   << "\\StringFileInfo\\040704E4\\PrivateBuild"     << none;
        // clang-format on
    }
    void queriesByPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        const std::optional<QString> found = queryVersionText(handWrittenBlock(), path);
        QCOMPARE(found.has_value(), !text.isNull());
        QCOMPARE(found.value_or(QString()), text);
    }

    void queriesBinaryValues()
    {
        const QByteArray block = handWrittenBlock();
        const auto translations = queryVersionValue(block, u"\\VarFileInfo\\Translation\\");
        QVERIFY(translations);
        QCOMPARE(translations->toByteArray().toHex(), QByteArray("0704e404"));
        const auto fixedInfo = queryVersionValue(block, u"\\");
        QVERIFY(fixedInfo);
        QCOMPARE(fixedInfo->size(), qsizetype(52));
        QCOMPARE(fixedInfo->first(4).toByteArray().toHex(), QByteArray("bd04effe"));
    }

    void firstTranslationOnly_data()
    {
        QTest::addColumn<QStringList>("tableKeys");
        QTest::addColumn<Translations>("translations");
        QTest::addColumn<QString>("companyName");
        const QStringList keys{"040704E4", "040904B0"};
        // clang-format off
        QTest::newRow("040904B0 first")                 << keys                    << Translations{{0x0409, 0x04B0}, {0x0407, 0x04E4}} << "040904B0";
        QTest::newRow("040704E4 first")                 << keys                    << Translations{{0x0407, 0x04E4}, {0x0409, 0x04B0}} << "040704E4";
        QTest::newRow("table key in lower case")        << QStringList{"040904b0"} << Translations{{0x0409, 0x04B0}}                   << "040904b0";
        QTest::newRow("first translation has no table") << keys                    << Translations{{0x0409, 0x04E4}, {0x0407, 0x04E4}} << "before";
        // clang-format on
    }
    void firstTranslationOnly()
    {
        QFETCH(QStringList, tableKeys);
        QFETCH(Translations, translations);
        QFETCH(QString, companyName);
        TEXEVersionData data;
        data.CompanyName = QStringLiteral("before");
        readEXEVersionData(blockWithTables(tableKeys, translations), data);
        QCOMPARE(data.CompanyName, companyName);
    }

    void noTranslationIsAnError_data()
    {
        QTest::addColumn<QByteArray>("block");
        // The "T" of the key "Translation" turned into an "X".
        QTest::newRow("no translation table") << withWord(handWrittenBlock(), 0x11A, 'X');
        VersionBlockContent content = handWrittenContent();
        content.translations.reset();
        QTest::newRow("no VarFileInfo") << writeVersionBlock(content);
        QTest::newRow("empty translation table") << blockWithTables({"040904E4"}, {});
        QTest::newRow("not a version block") << QByteArray("VS_VERSION_INFO");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("root past the end") << withWord(handWrittenBlock(), 0, 0x139);
    }
    void noTranslationIsAnError()
    {
        QFETCH(QByteArray, block);
        TEXEVersionData data;
        data.CompanyName = QStringLiteral("before");
        try {
            readEXEVersionData(block, data);
            QFAIL("no error raised");
        } catch (const OSError &error) {
            QCOMPARE(error.code(), ENODATA);
        }
        QCOMPARE(data.CompanyName, QStringLiteral("before"));
    }

    void fixedFileVersion_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<quint32>("versionMS");
        QTest::addColumn<QString>("text");
        VersionBlockContent content = handWrittenContent();
        content.fixedInfo->fileVersion = {1, 2, 0, 0};
        QTest::newRow("1.2.0.0") << writeVersionBlock(content) << 0x00010002u << "1.2";
        content.fixedInfo->fileVersion = {65535, 1, 7, 7};
        QTest::newRow("65535.1.7.7") << writeVersionBlock(content) << 0xFFFF0001u << "65535.1";
        content.fixedInfo.reset();
        // clang-format off
        QTest::newRow("no fixed file information") << writeVersionBlock(content)                 << 0xFFFFFFFFu << "65535.65535";
        QTest::newRow("wrong signature")           << withWord(handWrittenBlock(), 0x28, 0x04BE) << 0xFFFFFFFFu << "65535.65535";
        // clang-format on
    }
    void fixedFileVersion()
    {
        QFETCH(QByteArray, block);
        QFETCH(quint32, versionMS);
        QFETCH(QString, text);
        QCOMPARE(fixedFileVersionMS(block), versionMS);
        QCOMPARE(majorMinorVersion(versionMS), text);
    }

    // Every length and size word of the block damaged in turn: queries stay inside the block's
    // bytes and end (run with -DHUSHMILL_ASAN=ON to see a stray read).
    void damagedBlocksAreReadSafely()
    {
        const QByteArray block = handWrittenBlock();
        for (qsizetype offset = 0; offset < block.size(); offset += 2) {
            for (const quint16 word : {0x0000, 0x0006, 0x0007, 0x0100, 0xFFFF}) {
                const QByteArray damaged = withWord(block, offset, word);
                TEXEVersionData data;
                try {
                    readEXEVersionData(damaged, data);
                } catch (const OSError &error) {
                    QCOMPARE(error.code(), ENODATA);
                }
                fixedFileVersionMS(damaged);
            }
        }
    }

    void readsTheBuiltProgram_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("as built") << QStringLiteral(HUSHMILL_EXECUTABLE);
        QTest::newRow("copied alone to another folder") << file("alone/hushmill");
        QTest::newRow("stripped") << file("stripped");
    }
    void readsTheBuiltProgram()
    {
        QFETCH(QString, path);
        TEXEVersionData data;
        GetEXEVersionData(path, data);
        QCOMPARE(data.CompanyName, QStringLiteral("QUONDEL"));
        QCOMPARE(data.FileDescription, QStringLiteral("Hushmill"));
        QCOMPARE(data.FileVersion, QStringLiteral("1.2.0.0"));
        QCOMPARE(data.InternalName, QStringLiteral("Hushmill"));
        QCOMPARE(data.OriginalFileName, QStringLiteral("hushmill.exe"));
        QCOMPARE(data.ProductName, QStringLiteral("Hushmill"));
        QCOMPARE(data.ProductVersion, QStringLiteral("1.2.0.0"));
        QVERIFY(!data.LegalCopyright.isEmpty());
        QVERIFY(!data.LegalTrademarks.isEmpty());
        QVERIFY(!data.Comments.isEmpty());
        QCOMPARE(data.PrivateBuild, QString());
        QCOMPARE(data.SpecialBuild, QString());
        QByteArray block;
        QCOMPARE(readVersionBlock(path, block), 0);
        QVERIFY(!queryVersionText(block, u"\\StringFileInfo\\040904E4\\ProgramID")->isEmpty());

        QCOMPARE(GetFileVersionNumber(path), 0x00010002u);
        QCOMPARE(majorMinorVersion(GetFileVersionNumber(path)), QStringLiteral("1.2"));
    }

    void findsTheSectionInEveryElfLayout_data()
    {
        QTest::addColumn<QString>("format");
        for (const QString &format : elfFormats)
            QTest::newRow(qPrintable(format)) << format;
    }
    void findsTheSectionInEveryElfLayout()
    {
        QFETCH(QString, format);
        QByteArray block;
        QCOMPARE(readVersionBlock(file(format), block), 0);
        QCOMPARE(block.toHex(), handWrittenBlock().toHex());
    }

    void filesWithoutVersionBlock_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("missing")                << file("missing")                << "System Error.  Code: 2.\nNo such file or directory";
        QTest::newRow("folder")                 << file("alone")                  << "System Error.  Code: 21.\nIs a directory";
        QTest::newRow("text")                   << file("text")                   << "System Error.  Code: 8.\nExec format error";
        QTest::newRow("empty")                  << file("empty")                  << "System Error.  Code: 8.\nExec format error";
        QTest::newRow("cut short")              << file("cut short")              << "System Error.  Code: 8.\nExec format error";
        QTest::newRow("without section")        << file("without section")        << "System Error.  Code: 61.\nNo data available";
        QTest::newRow("other bytes in section") << file("other bytes in section") << "System Error.  Code: 61.\nNo data available";
        // clang-format on
    }
    void filesWithoutVersionBlock()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        TEXEVersionData data;
        data.CompanyName = QStringLiteral("before");
        try {
            GetEXEVersionData(path, data);
            QFAIL("no error raised");
        } catch (const OSError &error) {
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(data.CompanyName, QStringLiteral("before"));
        QCOMPARE(GetFileVersionNumber(path), 0xFFFFFFFFu);
        QCOMPARE(majorMinorVersion(GetFileVersionNumber(path)), QStringLiteral("65535.65535"));
    }

    // Start-up of a program without its block: the error box (on standard error, for want of
    // a display) says why, and the program ends instead of running without an identity.
    void programWithoutVersionBlockSaysWhyAndEnds()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("HOME"), folder.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(file("without section"), {});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromUtf8(program.readAllStandardError())
                    .contains(QStringLiteral("Hushmill: System Error.  Code: 61.\nNo data "
                                             "available.\n")));
    }

private:
    QString file(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"
