#include "app/appform.h"
#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "platform/beep.h"
#include "support/fakeffmpeg.h"
#include "support/guitestmain.h"
#include "support/windowundertest.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>

// The command line as the window handles it once it is shown (with a display: the window
// stays open except after a successful single conversion).
class TestCommandLineMode : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.emplace();
        work = QDir(window->folders().work());
    }
    void cleanup() { window.reset(); }

    void singleFile_data()
    {
        QTest::addColumn<QByteArray>("fake");
        QTest::addColumn<bool>("inputExists");
        QTest::addColumn<QString>("status");
        // clang-format off
        QTest::newRow("input missing")    << QByteArray("printf x > \"$out\"") << false << "File not found!";
        QTest::newRow("conversion fails") << QByteArray("exit 1")            << true  << "Error";
        // clang-format on
    }
    void singleFile()
    {
        QFETCH(QByteArray, fake);
        QFETCH(bool, inputExists);
        QFETCH(QString, status);
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), fake).isEmpty());
        const QString input = work.filePath(QStringLiteral("in/my talk.mp3"));
        if (inputExists) {
            QDir().mkpath(work.filePath(QStringLiteral("in")));
            QVERIFY(writeBytes(input, "audio"));
        }
        const QString output = work.filePath(QStringLiteral("out/deeper/my talk.mp3"));
        start({QStringLiteral("-input"), input, QStringLiteral("-output"), output});

        QCOMPARE(form->statusText(), status);
        QCOMPARE(window->listedPaths(), QStringList({input}));
        QCOMPARE(form->FileList->result(0), QString());
        QCOMPARE(QDir(work.filePath(QStringLiteral("out/deeper"))).exists(), inputExists);
        QVERIFY(form->isVisible());
    }

    void relativeArgumentsMeanTheCurrentFolder()
    {
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), "exit 1").isEmpty());
        QVERIFY(writeBytes(work.filePath(QStringLiteral("a.mp3")), "audio"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(work.path());
        start({QStringLiteral("-input"), QStringLiteral("a.mp3"), QStringLiteral("-output"),
               QStringLiteral("-out/a.mp3")});
        QDir::setCurrent(previous);
        QCOMPARE(window->listedPaths(), QStringList({work.filePath(QStringLiteral("a.mp3"))}));
        QVERIFY(QDir(work.filePath(QStringLiteral("-out"))).exists());
        QCOMPARE(form->statusText(), QStringLiteral("Error"));
    }

    void listForm()
    {
        const QString music = work.filePath(QStringLiteral("music"));
        QDir().mkpath(music + QStringLiteral("/sub"));
        QVERIFY(writeBytes(music + QStringLiteral("/b.wav"), "x"));
        QVERIFY(writeBytes(music + QStringLiteral("/sub/a.flac"), "x"));
        QVERIFY(writeBytes(music + QStringLiteral("/notes.txt"), "x"));
        const QString loose = work.filePath(QStringLiteral("not-there.mp3"));
        const int beeps = platform::beepCount();
        start({QStringLiteral("-input"), music, loose, work.filePath(QStringLiteral("x.txt"))});

        QCOMPARE(window->listedPaths(),
                 QStringList({music + QStringLiteral("/b.wav"),
                              music + QStringLiteral("/sub/a.flac"), loose}));
        QCOMPARE(form->statusText(), QString());
        QCOMPARE(platform::beepCount(), beeps);
        QVERIFY(form->Button1->isEnabled());
    }

    void namesThatAreNotTextAreRefusedVisibly_data()
    {
        QTest::addColumn<bool>("oneFile");
        QTest::newRow("one file") << true;
        QTest::newRow("list") << false;
    }
    void namesThatAreNotTextAreRefusedVisibly()
    {
        // "\xff.mp3" reads as "\uFFFD.mp3", which names a real file here.
        QFETCH(bool, oneFile);
        QVERIFY(!writeFakeFfmpeg(window->fakeProgramFolder(), "printf x > \"$out\"").isEmpty());
        QVERIFY(writeBytes(work.filePath(QStringLiteral("\uFFFD.mp3")), "audio"));
        const QByteArray odd = QFile::encodeName(work.path()) + "/\xff.mp3";
        const QByteArray output = QFile::encodeName(work.filePath(QStringLiteral("out/a.mp3")));
        const QList<QByteArray> bytes =
            oneFile ? QList<QByteArray>{"-input", odd, "-output", output} : QList<QByteArray>{odd};
        QStringList texts;
        for (const QByteArray &argument : bytes)
            texts << QFile::decodeName(argument);
        start(texts, bytes);

        QCOMPARE(window->listedPaths(), QStringList({work.path() + QStringLiteral("/\\xff.mp3")}));
        QCOMPARE(form->FileList->result(0), QStringLiteral("Error"));
        const auto shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.endsWith(QLatin1Char('\n') + work.path()));
        QCOMPARE(form->statusText(), oneFile ? QStringLiteral("Error") : QString());
        QVERIFY(!QFile::exists(QFile::decodeName(output)));
    }

    void listFormWithNothingToAdd()
    {
        const int beeps = platform::beepCount();
        start({QStringLiteral("-output"), QStringLiteral("/x/a.txt"), QStringLiteral("-INPUT")});
        QCOMPARE(window->listedPaths(), QStringList());
        QCOMPARE(form->statusText(), QStringLiteral("Invalid Command Line Arguments!"));
        QCOMPARE(platform::beepCount(), beeps + 1);
    }

private:
    void start(const QStringList &arguments, const QList<QByteArray> &bytes = {})
    {
        form = window->open(arguments, bytes);
        QVERIFY(form);
        QTRY_VERIFY(!form->TimerParam->isActive());
    }

    std::optional<WindowUnderTest> window;
    QDir work; // the test's own files
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestCommandLineMode)
#include "tst_commandlinemode.moc"
