#include "app/appform.h"
#include "app/application.h"
#include "support/fakeffmpeg.h"
#include "processing/silencecommand.h"
#include "support/testfiles.h"

#include <QDir>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

// The window's conversion, with a fake ffmpeg put first along PATH (none stands in the program
// folder, the conversion's working folder).
class TestAppFormConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { originalPath = qgetenv("PATH"); }

    void init()
    {
        fakeDir = std::make_unique<QTemporaryDir>();
        workDir = std::make_unique<QTemporaryDir>();
        QVERIFY(fakeDir->isValid() && workDir->isValid());
        qputenv("PATH", fakeDir->path().toLocal8Bit() + ':' + originalPath);
        folders.emplace();
        form = std::make_unique<TAppForm>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup()
    {
        form.reset();
        folders.reset();
        qputenv("PATH", originalPath);
    }

    void logsTheCommandAndTheOutputIntoTheMemo()
    {
        QVERIFY(
            !writeFakeFfmpeg(fakeDir->path(), "printf x > \"$6\"; pwd; printf 'last'").isEmpty());
        form->TrackBar1->setValue(35);
        form->TrackBar2->setValue(7);
        form->MemoCMD->setPlainText(QStringLiteral("earlier run\n"));
        const QString in = workDir->filePath(QStringLiteral("talk.mp3"));
        const QString out = workDir->filePath(QStringLiteral("out/talk.mp3"));
        QVERIFY(QDir(workDir->path()).mkdir(QStringLiteral("out")));

        QCOMPARE(form->FFmpegIleDonustur(in, out), QStringLiteral("OK"));
        QCOMPARE(form->MemoCMD->toPlainText(),
                 QStringLiteral("earlier run\n") + silenceCommandText(in, out, {35, 7}) +
                     QStringLiteral("\nCommencing processing...\n") +
                     QDir(folders->program()).canonicalPath() +
                     QStringLiteral("\nlast\nProcessing completed successfully.\n"
                                    "**********************************\n"));

        QCOMPARE(form->FFmpegIleDonustur(workDir->filePath(QStringLiteral("Talk.MKV")),
                                         workDir->filePath(QStringLiteral("Talk.MKV"))),
                 QStringLiteral("Error"));
        QVERIFY(form->MemoCMD->toPlainText().endsWith(QStringLiteral("***\nVideo file skipped\n")));
    }

    void windowRepaintsButRunsNoTimerAndTakesNoDropWhileFfmpegRuns()
    {
        // The fake finishes only once the window has painted during the run.
        QVERIFY(!writeFakeFfmpeg(fakeDir->path(), waitForFile("painted") + "; printf x > \"$6\"")
                     .isEmpty());
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(5);

        bool running = false;
        int paintsWhileRunning = 0;
        bool dropAccepted = true;
        PaintCounter counter([&] {
            if (running && ++paintsWhileRunning == 1)
                letFakeGoOn(folders->program(), QStringLiteral("painted"));
        });
        form->installEventFilter(&counter);
        // Runs at the first moment the window is kept alive during the conversion.
        QMetaObject::invokeMethod(
            form.get(),
            [&] {
                form->update();
                QMimeData files;
                files.setUrls({QUrl::fromLocalFile(workDir->filePath(QStringLiteral("a.mp3")))});
                QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton,
                                      Qt::NoModifier);
                QCoreApplication::sendEvent(form.get(), &enter);
                dropAccepted = enter.isAccepted();
                form->close();
            },
            Qt::QueuedConnection);

        running = true;
        const QString result = form->FFmpegIleDonustur(workDir->filePath(QStringLiteral("a.mp3")),
                                                       workDir->filePath(QStringLiteral("b.mp3")));
        running = false;
        QCOMPARE(result, QStringLiteral("OK"));
        QVERIFY(paintsWhileRunning > 0);
        QCOMPARE(ticks, 0);
        QVERIFY(!dropAccepted);
        // The close asked for during the run happens once the run is over.
        QVERIFY(form->isVisible());
        QTRY_VERIFY(!form->isVisible());
        QTRY_VERIFY(ticks > 0);
    }

private:
    class PaintCounter : public QObject
    {
    public:
        explicit PaintCounter(std::function<void()> onPaint) : m_onPaint(std::move(onPaint)) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                m_onPaint();
            return false;
        }

    private:
        std::function<void()> m_onPaint;
    };

    QByteArray originalPath;
    std::unique_ptr<QTemporaryDir> fakeDir;
    std::unique_ptr<QTemporaryDir> workDir;
    std::optional<TestFolders> folders; // settings go there, not beside the test
    std::unique_ptr<TAppForm> form;
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestAppFormConversion test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_appformconversion.moc"
