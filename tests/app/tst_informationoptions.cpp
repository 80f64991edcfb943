#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// "--help" and "--version" asked of the built program: answered on standard output before any
// window or display is needed, and only when the word is the one argument.
class TestInformationOptions : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // A copy alone in a fresh folder: a command line that does start the program keeps
        // its settings out of the build.
        work = std::make_unique<QTemporaryDir>();
        QDir(work->path()).mkpath(QStringLiteral("home"));
        program = work->filePath(QStringLiteral("hushmill"));
        QVERIFY(QFile::copy(QStringLiteral(HUSHMILL_EXECUTABLE), program));
    }

    void answersWithoutAnyDisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("wayland");
        // A display that cannot be reached ends any program that tries to open it.
        for (const char *option : {"--help", "--version"}) {
            QTest::addRow("%s, no display", option) << option << ""
                                                    << "";
            QTest::addRow("%s, unreachable X11", option) << option << ":9876"
                                                         << "";
            QTest::addRow("%s, unreachable Wayland", option) << option << ""
                                                             << "hushmill-none";
        }
    }
    void answersWithoutAnyDisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, display);
        QFETCH(QString, wayland);
        QVERIFY(run({option}, display, wayland));
        QCOMPARE(errors, QString());
        QCOMPARE(exitCode, 0);
        if (option == u"--version")
            QCOMPARE(output, QStringLiteral("Hushmill " HUSHMILL_MAJOR_MINOR "\n"));
        else
            QVERIFY2(output.startsWith(QStringLiteral("Usage: hushmill [FILE | FOLDER]...\n")),
                     qPrintable(output));
    }

    void theVersionComesFromTheVersionBlock()
    {
        QProcess objcopy;
        objcopy.start(QStringLiteral("objcopy"),
                      {QStringLiteral("--remove-section=.vs_version_info"), program});
        QVERIFY(objcopy.waitForFinished());
        QCOMPARE(objcopy.exitCode(), 0);
        QVERIFY(run({QStringLiteral("--version")}));
        QCOMPARE(exitCode, 1);
        QCOMPARE(output, QString());
        QVERIFY2(errors.startsWith(QStringLiteral("System Error.  Code: 61.")), qPrintable(errors));
    }

    // Anything else is the command line it always was: here the list form, which skips each
    // argument as a file it cannot take and finds nothing to add.
    void otherCommandLinesKeepTheirMeaning_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("help and a file") << QStringList{"--help", "notes.txt"};
        QTest::newRow("a file and version") << QStringList{"notes.txt", "--version"};
        QTest::newRow("both") << QStringList{"--help", "--version"};
        QTest::newRow("capitals") << QStringList{"--HELP"};
        QTest::newRow("one dash") << QStringList{"-version"};
    }
    void otherCommandLinesKeepTheirMeaning()
    {
        QFETCH(QStringList, arguments);
        QVERIFY(run(arguments));
        QCOMPARE(exitCode, 1);
        const QStringList rows = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), arguments.size());
        for (const QString &row : rows)
            QVERIFY2(row.startsWith(QStringLiteral("Skipped\t")), qPrintable(row));
        QVERIFY2(errors.contains(QStringLiteral("Invalid Command Line Arguments!")),
                 qPrintable(errors));
    }

private:
    bool run(const QStringList &arguments, const QString &display = {}, const QString &wayland = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME"})
            environment.remove(QString::fromLatin1(name));
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        if (!wayland.isEmpty())
            environment.insert(QStringLiteral("WAYLAND_DISPLAY"), wayland);
        environment.insert(QStringLiteral("HOME"), work->filePath(QStringLiteral("home")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work->path());
        process.start(program, arguments);
        if (!process.waitForFinished(60000))
            return false;
        exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        output = QString::fromLocal8Bit(process.readAllStandardOutput());
        errors = QString::fromLocal8Bit(process.readAllStandardError());
        return true;
    }

    std::unique_ptr<QTemporaryDir> work;
    QString program;
    int exitCode = -1;
    QString output;
    QString errors;
};

QTEST_GUILESS_MAIN(TestInformationOptions)
#include "tst_informationoptions.moc"
