#include "base/apperror.h"
#include "settings/inifile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace
{
IniFile parsed(const QByteArray &bytes)
{
    IniFile store;
    if (!store.parse(bytes))
        qFatal("fixture is not valid UTF-8");
    return store;
}

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit saved{};
};
} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void integers_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        // clang-format off
        QTest::newRow("decimal")                    << "30"                    << 30;
        QTest::newRow("hexadecimal")                << "0x1E"                  << 30;
        QTest::newRow("hexadecimal, capitals")      << "0X1e"                  << 30;
        QTest::newRow("negative")                   << "-5"                    << -5;
        QTest::newRow("plus sign")                  << "+7"                    << 7;
        QTest::newRow("negative hexadecimal")       << "-0x1E"                 << -30;
        QTest::newRow("beyond the slider")          << "150"                   << 150;
        QTest::newRow("letters")                    << "abc"                   << 50;
        QTest::newRow("empty")                      << ""                      << 50;
        QTest::newRow("two numbers")                << "1 2"                   << 50;
        QTest::newRow("prefix alone")               << "0x"                    << 50;
        QTest::newRow("sign alone")                 << "-"                     << 50;
        QTest::newRow("decimal point")              << "2.5"                   << 50;
        QTest::newRow("other digits")               << QString::fromUtf8("٣٠") << 50;
        QTest::newRow("largest")                    << "2147483647"            << 2147483647;
        QTest::newRow("smallest")                   << "-2147483648"           << -2147483647 - 1;
        QTest::newRow("beyond 32 bits")             << "2147483648"            << 50;
        QTest::newRow("far beyond 32 bits")         << "99999999999"           << 50;
        QTest::newRow("all 32 bits in hexadecimal") << "0xFFFFFFFF"            << -1;
        QTest::newRow("33 bits in hexadecimal")     << "0x100000000"           << 50;
        // clang-format on
    }
    void integers()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        const IniFile store = parsed("[Settings]\r\nThreshold=" + value.toUtf8() +
                                     "\r\nDuration=  " + value.toUtf8() + "  \r\n");
        QCOMPARE(store.readInteger("Settings", "Threshold", 50), expected);
        QCOMPARE(store.readInteger("Settings", "Duration", 50), expected);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "<default>" when the key reads as missing

        const QByteArray plain = "[Settings]\r\nDestination=/music\r\n";
        QTest::newRow("without byte-order mark") << plain << "Settings"
                                                 << "Destination"
                                                 << "/music";
        QTest::newRow("with byte-order mark") << Bom + plain << "Settings"
                                              << "Destination"
                                              << "/music";
        QTest::newRow("names in lower case")
            << QByteArray("[settings]\r\ndestination=/music\r\n") << "Settings"
            << "DESTINATION"
            << "/music";
        QTest::newRow("LF and CR line ends")
            << QByteArray("[Settings]\nA=1\rDestination=/music") << "Settings"
            << "Destination"
            << "/music";
        QTest::newRow("trimmed lines, names and values")
            << QByteArray(" \t[ Settings ]\t\r\n\t Destination \t=\t /my music \r\n") << "Settings"
            << "Destination"
            << "/my music";
        QTest::newRow("value with =")
            << QByteArray("[Settings]\r\nDestination=/a=b\r\n") << "Settings"
            << "Destination"
            << "/a=b";
        QTest::newRow("empty value") << QByteArray("[Settings]\r\nDestination=\r\n") << "Settings"
                                     << "Destination"
                                     << "";
        QTest::newRow("comment") << QByteArray("[Settings]\r\n;Destination=/music\r\n")
                                 << "Settings"
                                 << "Destination"
                                 << "<default>";
        QTest::newRow("name without =") << QByteArray("[Settings]\r\nDestination\r\n") << "Settings"
                                        << "Destination"
                                        << "<default>";
        QTest::newRow("before the first section")
            << QByteArray("Destination=/music\r\n[Settings]\r\n") << "Settings"
            << "Destination"
            << "<default>";
        QTest::newRow("in another section")
            << QByteArray("[Other]\r\nDestination=/music\r\n") << "Settings"
            << "Destination"
            << "<default>";
        QTest::newRow("section named twice")
            << QByteArray("[Settings]\r\nA=1\r\n[Other]\r\nB=2\r\n[SETTINGS]\r\nDestination=/m\r\n")
            << "Settings"
            << "Destination"
            << "/m";
        QTest::newRow("first of two lines counts")
            << QByteArray("[Settings]\r\nDestination=/a\r\nDestination=/b\r\n") << "Settings"
            << "Destination"
            << "/a";
        QTest::newRow("non-ASCII UTF-8")
            << QByteArray("[Settings]\r\nDestination=/m\xC3\xBCsik\r\n") << "Settings"
            << "Destination" << QString::fromUtf8("/müsik");
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(parsed(bytes).readString(section, key, "<default>"), expected);
    }

    void invalidUtf8IsRefused()
    {
        IniFile store;
        QVERIFY(store.parse("[Settings]\r\nThreshold=30\r\n"));
        QVERIFY(!store.parse("[Settings]\r\nDestination=/m\xFCsik\r\n"));
        QCOMPARE(store.readInteger("Settings", "Threshold", 50), 50);
    }

    void writtenBytes_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("empty store gets section and keys in order")
            << QByteArray()
            << Bom + "[Settings]\r\nThreshold=50\r\nDuration=2\r\n"
                     "Destination=/home/u/Desktop\r\n\r\n";
        QTest::newRow("keys keep their place, with the writer's spelling")
            << QByteArray("[settings]\r\ndestination=/old\r\nOther=x\r\nthreshold=7\r\n")
            << Bom + "[settings]\r\nDestination=/home/u/Desktop\r\nOther=x\r\nThreshold=50\r\n"
                     "Duration=2\r\n\r\n";
        QTest::newRow("other sections, comments and stray lines")
            << QByteArray("stray=1\r\n[First]\r\n; note\r\nlonely\r\n  A = 1  \r\n[Settings]\r\n"
                          "[first]\r\nB=2")
            << Bom + "[First]\r\nlonely\r\nA=1\r\nB=2\r\n\r\n[Settings]\r\nThreshold=50\r\n"
                     "Duration=2\r\nDestination=/home/u/Desktop\r\n\r\n";
    }
    void writtenBytes()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        IniFile store = parsed(before);
        store.writeInteger("Settings", "Threshold", 50);
        store.writeInteger("Settings", "Duration", 2);
        store.writeString("Settings", "Destination", "/home/u/Desktop");
        QCOMPARE(store.toBytes(), after);
        QCOMPARE(parsed(after).toBytes(), after);
    }

    void openLoadsOrDiscards_data()
    {
        QTest::addColumn<QString>("fixture"); // copied in place of the file; empty: no file
        QTest::addColumn<int>("threshold");
        QTest::addColumn<bool>("fileStays");
        // clang-format off
        QTest::newRow("no file")         << ""           << 50 << false;
        QTest::newRow("valid file")      << "valid.ini"  << 30 << true;
        QTest::newRow("8-bit code page") << "latin1.ini" << 50 << false;
        // clang-format on
    }
    void openLoadsOrDiscards()
    {
        QFETCH(QString, fixture);
        QFETCH(int, threshold);
        QFETCH(bool, fileStays);
        QTemporaryDir folder;
        const QString path = folder.filePath("settings.ini");
        if (!fixture.isEmpty())
            QVERIFY(QFile::copy(QStringLiteral(HUSHMILL_TEST_DATA "/") + fixture, path));
        const IniFile store = IniFile::open(path);
        QCOMPARE(store.fileName(), path);
        QCOMPARE(store.readInteger("Settings", "Threshold", 50), threshold);
        QCOMPARE(QFile::exists(path), fileStays);
    }

    void openReadsAtMostOneMebibyte_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<bool>("fileStays");
        QTest::newRow("exactly 1 MiB: read") << qsizetype(1024 * 1024) << 30 << true;
        QTest::newRow("one byte more: damaged") << qsizetype(1024 * 1024 + 1) << 50 << false;
    }
    void openReadsAtMostOneMebibyte()
    {
        QFETCH(qsizetype, size);
        QFETCH(int, threshold);
        QFETCH(bool, fileStays);
        QTemporaryDir folder;
        const QString path = folder.filePath("settings.ini");
        QByteArray bytes = "[Settings]\r\nThreshold=30\r\n;";
        bytes += QByteArray(size - bytes.size(), 'x');
        QVERIFY(writeBytes(path, bytes));
        const IniFile store = IniFile::open(path);
        QCOMPARE(store.readInteger("Settings", "Threshold", 50), threshold);
        QCOMPARE(QFile::exists(path), fileStays);
    }

    void openFileThatCannotBeReadGivesEmptyStore()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("settings.ini");
        QVERIFY(QDir().mkdir(path));
        const IniFile store = IniFile::open(path);
        QCOMPARE(store.toBytes(), Bom);
    }

    void updateFileWritesExactBytesAndLeavesNothingElse()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("settings.ini");
        QVERIFY(writeBytes(path, "[Settings]\r\nThreshold=1\r\n"));
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        IniFile store = IniFile::open(path);
        store.writeString("Settings", "Destination", QString::fromUtf8("/tmp/Müsik"));
        store.updateFile();
        QCOMPARE(readBytes(path),
                 Bom + "[Settings]\r\nThreshold=1\r\nDestination=/tmp/M\xC3\xBCsik\r\n\r\n");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList("settings.ini"));
        QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                               QFile::WriteUser | QFile::ReadGroup);
    }

    void updateFileWritesThroughSymbolicLink()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath("kept.ini");
        const QString link = folder.filePath("settings.ini");
        QVERIFY(writeBytes(target, ""));
        QVERIFY(QFile::link(target, link));
        IniFile store(link);
        store.writeInteger("Settings", "Duration", 3);
        store.updateFile();
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readBytes(target), Bom + "[Settings]\r\nDuration=3\r\n\r\n");
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<QString>("name"); // below the temporary folder
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("folder is a file")   << "file/settings.ini" << "Not a directory";
        QTest::newRow("file is a folder")   << "folder"            << "Is a directory";
        QTest::newRow("disk full half-way") << "settings.ini"      << "File too large";
        // clang-format on
    }
    void failedWriteKeepsOldFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QByteArray old = Bom + "[Settings]\r\nThreshold=1\r\n\r\n";
        QVERIFY(writeBytes(folder.filePath("file"), ""));
        QVERIFY(writeBytes(folder.filePath("settings.ini"), old));
        QVERIFY(QDir(folder.path()).mkdir("folder"));
        const QString path = folder.filePath(name);

        IniFile store(path);
        store.writeString("Settings", "Destination", QString(4096, u'x'));
        std::optional<FileSizeLimit> fullDisk;
        if (name == "settings.ini")
            fullDisk.emplace(100);
        QString message;
        try {
            store.updateFile();
        } catch (const AppError &error) {
            message = error.message();
        }
        fullDisk.reset();
        QCOMPARE(message, QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
        QCOMPARE(readBytes(folder.filePath("settings.ini")), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"file", "settings.ini"}));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
