#include "base/apperror.h"
#include "support/testfiles.h"
#include "webservice/localename.h"
#include "webservice/machineid.h"
#include "webservice/osdescription.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

namespace
{
const QRegularExpression
    guidPattern(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
} // namespace

class TestSystemDescription : public QObject
{
    Q_OBJECT

private slots:
    void formatOSDescription_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("servicePack");
        QTest::addColumn<bool>("x86_64");
        QTest::addColumn<QString>("description");
        QTest::newRow("no service pack") << "Debian GNU/Linux 12 (bookworm)" << 0 << true
                                         << "Debian GNU/Linux 12 (bookworm) (Version 6.1, "
                                            "Build 7, 64-bit Edition)";
        QTest::newRow("service pack, 32-bit") << "Linux" << 2 << false
                                              << "Linux Service Pack 2 (Version 6.1, Build 7, "
                                                 "32-bit Edition)";
        QTest::newRow("percent signs kept") << "100% %1 Linux" << 0 << true
                                            << "100% %1 Linux (Version 6.1, Build 7, "
                                               "64-bit Edition)";
    }
    void formatOSDescription()
    {
        QFETCH(QString, name);
        QFETCH(int, servicePack);
        QFETCH(bool, x86_64);
        QFETCH(QString, description);
        OSVersion version;
        version.name = name;
        version.major = 6;
        version.minor = 1;
        version.build = 7;
        version.servicePackMajor = servicePack;
        version.x86_64 = x86_64;
        QCOMPARE(::formatOSDescription(version), description);
    }

    void distributionName_data()
    {
        QTest::addColumn<QByteArray>("osRelease");
        QTest::addColumn<QString>("name");
        QTest::newRow("double quotes") << QByteArray("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/"
                                                     "Linux 12 (bookworm)\"\nID=debian\n")
                                       << "Debian GNU/Linux 12 (bookworm)";
        QTest::newRow("single quotes")
            << QByteArray("PRETTY_NAME='Fedora Linux 40'") << "Fedora Linux 40";
        QTest::newRow("unquoted") << QByteArray("PRETTY_NAME=Arch") << "Arch";
        QTest::newRow("escapes") << QByteArray("PRETTY_NAME=\"A \\\"B\\\" \\\\ C\"")
                                 << "A \"B\" \\ C";
        QTest::newRow("UTF-8") << QByteArray("PRETTY_NAME=\"Dist\xC3\xBC\"")
                               << QString::fromUtf8("Distü");
        QTest::newRow("blanks, comment")
            << QByteArray("# PRETTY_NAME=no\n  PRETTY_NAME=\"X\"  \n") << "X";
        QTest::newRow("last one wins") << QByteArray("PRETTY_NAME=A\nPRETTY_NAME=B\n") << "B";
        QTest::newRow("no PRETTY_NAME") << QByteArray("NAME=Debian\n") << "Linux";
        QTest::newRow("empty PRETTY_NAME") << QByteArray("PRETTY_NAME=\"\"\n") << "Linux";
        QTest::newRow("no file") << QByteArray() << "Linux";
    }
    void distributionName()
    {
        QFETCH(QByteArray, osRelease);
        QFETCH(QString, name);
        QCOMPARE(::distributionName(osRelease), name);
    }

    void linuxVersion_data()
    {
        QTest::addColumn<QByteArray>("release");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<bool>("x86_64");
        QTest::newRow("Debian") << QByteArray("6.1.0-18-amd64") << QByteArray("x86_64")
                                << QList<int>{6, 1, 0} << true;
        QTest::newRow("patch number") << QByteArray("5.15.153.1-microsoft-standard-WSL2")
                                      << QByteArray("x86_64") << QList<int>{5, 15, 153} << true;
        QTest::newRow("suffix after minor")
            << QByteArray("6.8-rc3") << QByteArray("aarch64") << QList<int>{6, 8, 0} << false;
        QTest::newRow("32-bit x86")
            << QByteArray("4.19.0-6-686") << QByteArray("i686") << QList<int>{4, 19, 0} << false;
        QTest::newRow("nothing") << QByteArray() << QByteArray() << QList<int>{0, 0, 0} << false;
        QTest::newRow("too long a number") << QByteArray("99999999999.1.2") << QByteArray("x86_64")
                                           << QList<int>{999999999, 1, 2} << true;
    }
    void linuxVersion()
    {
        QFETCH(QByteArray, release);
        QFETCH(QByteArray, machine);
        QFETCH(QList<int>, numbers);
        QFETCH(bool, x86_64);
        const OSVersion version = ::linuxVersion("PRETTY_NAME=Debian", release, machine);
        QCOMPARE(version.name, QStringLiteral("Debian"));
        QCOMPARE((QList<int>{version.major, version.minor, version.build}), numbers);
        QCOMPARE(version.servicePackMajor, 0);
        QCOMPARE(version.x86_64, x86_64);
    }

    void osDescriptionOfThisSystem()
    {
        const QString description = GetOSDescription();
        QVERIFY2(description.contains(QRegularExpression(QStringLiteral(
                     "^.+ \\(Version \\d+\\.\\d+, Build \\d+, (64|32)-bit Edition\\)$"))),
                 qPrintable(description));
        QFile osRelease(QStringLiteral("/etc/os-release"));
        if (osRelease.open(QIODevice::ReadOnly))
            QVERIFY(description.startsWith(::distributionName(osRelease.readAll()) + " (Version"));
    }

    void localeName_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("en_US")          << "en_US" << "en-US";
        QTest::newRow("de_DE")          << "de_DE" << "de-DE";
        QTest::newRow("language alone") << "de"    << "de-DE";
        QTest::newRow("pt_BR")          << "pt_BR" << "pt-BR";
        QTest::newRow("C")              << "C"     << "xx";
        QTest::newRow("unknown")        << "qq_QQ" << "xx";
        // clang-format on
    }
    void localeName()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QCOMPARE(::localeName(QLocale(locale)), name);
    }

    void userLocaleOfTheCLocaleIsXx()
    {
        // CTest runs the tests with LC_ALL=C.UTF-8.
        if (QLocale::system().language() != QLocale::C)
            QSKIP("The system's locale is not the C locale");
        QCOMPARE(GetUserLocaleName(), QStringLiteral("xx"));
    }

    void machineIdIsAKeyedHash()
    {
        const QByteArray systemId = "0123456789abcdef0123456789abcdef";
        const QString id = machineIdFrom(systemId);
        QVERIFY2(guidPattern.match(id).hasMatch(), qPrintable(id));
        // The same on every run and in every version: a new key would make the machine new.
        QCOMPARE(id, QStringLiteral("95842d92-77c1-ed9b-f19c-5422befd4c57"));
        QCOMPARE(machineIdFrom(systemId + '\n'), id);
        QVERIFY(machineIdFrom("0123456789abcdef0123456789abcdee") != id);
        QCOMPARE(machineIdFrom(""), QString());
        QCOMPARE(machineIdFrom(" \n"), QString());
    }

    void machineIdFromFile()
    {
        const QTemporaryDir folder;
        const QByteArray systemId = "4c4c4544004d3510804bb4c04f4e4a32\n";
        QVERIFY(writeBytes(folder.filePath("machine-id"), systemId));
        QVERIFY(writeBytes(folder.filePath("empty"), ""));
        QCOMPARE(::machineIdFromFile(folder.filePath("machine-id")), machineIdFrom(systemId));
        QCOMPARE(::machineIdFromFile(folder.filePath("missing")), QString());
        QCOMPARE(::machineIdFromFile(folder.filePath("empty")), QString());
        try {
            ::machineIdFromFile(folder.path()); // exists, but is no file to read
            QFAIL("a machine-id that cannot be read must raise");
        } catch (const OSError &error) {
            QCOMPARE(error.code(), EISDIR);
        }
    }

    void machineIdOfThisSystem()
    {
        QFile file(QStringLiteral("/etc/machine-id"));
        if (!file.open(QIODevice::ReadOnly) || file.readAll().trimmed().isEmpty())
            QSKIP("This machine has no machine-id");
        const QString id = GetMachineId();
        QVERIFY2(guidPattern.match(id).hasMatch(), qPrintable(id));
        QCOMPARE(GetMachineId(), id);
    }
};

QTEST_GUILESS_MAIN(TestSystemDescription)
#include "tst_systemdescription.moc"
