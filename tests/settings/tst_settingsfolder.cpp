#include "settings/settingsfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestSettingsFolder : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("programFolder"); // how the program folder is prepared
        QTest::addColumn<bool>("perUser");
        // clang-format off
        QTest::newRow("writable")              << "writable"  << false;
        QTest::newRow("chk.tmp already there") << "chk.tmp"   << true;
        QTest::newRow("read-only")             << "read-only" << true;
        // clang-format on
    }
    void choice()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, perUser);
        QTemporaryDir root;
        QString program = root.filePath("program");
        const QString config = root.filePath("config");
        QVERIFY(QDir().mkdir(program));
        if (programFolder == "chk.tmp") {
            QFile marker(program + "/chk.tmp");
            QVERIFY(marker.open(QIODevice::WriteOnly));
        }
        if (programFolder == "read-only") {
            // Permissions do not stop root; nobody may create files in /proc.
            if (geteuid() == 0)
                program = "/proc";
            else
                QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        }

        const QString chosen = settingsFolderFor(program, config, "QUONDEL", "Hushmill");
        QCOMPARE(chosen, perUser ? config + "/QUONDEL/Hushmill/" : program + "/");
        QVERIFY(QFileInfo(chosen).isDir());
        QCOMPARE(QFile::exists(program + "/chk.tmp"), programFolder == "chk.tmp");
        QCOMPARE(QFileInfo::exists(config), perUser);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void programFolderWithTrailingSlash()
    {
        QTemporaryDir root;
        QCOMPARE(settingsFolderFor(root.path() + "/", "", "", ""), root.path() + "/");
        QVERIFY(IsFolderWritable(root.path()));
        QVERIFY(QDir(root.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsFolder)
#include "tst_settingsfolder.moc"
