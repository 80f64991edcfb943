#include "app/appform.h"
#include "app/application.h"
#include "processing/silencecommand.h"
#include "support/fakeffmpeg.h"
#include "support/windowundertest.h"

#include <QDir>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <optional>

// The window's conversion, with a fake ffmpeg put first along PATH (none stands in the program
// folder, the conversion's working folder).
class TestAppFormConversion : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.emplace();
        fakes = window->fakeProgramFolder();
        work = QDir(window->folders().work());
        form = window->open();
        QVERIFY(form);
    }
    void cleanup() { window.reset(); }

    void logsTheCommandAndTheOutputIntoTheMemo()
    {
        QVERIFY(!writeFakeFfmpeg(fakes, "printf x > \"$out\"; pwd; printf 'last'").isEmpty());
        form->TrackBar1->setValue(35);
        form->TrackBar2->setValue(7);
        form->MemoCMD->setPlainText(QStringLiteral("earlier run\n"));
        const QString in = work.filePath(QStringLiteral("talk.mp3"));
        const QString out = work.filePath(QStringLiteral("out/talk.mp3"));
        QVERIFY(work.mkdir(QStringLiteral("out")));

        QCOMPARE(form->FFmpegIleDonustur(in, out).result, QStringLiteral("OK"));
        QCOMPARE(form->MemoCMD->toPlainText(),
                 QStringLiteral("earlier run\n") + silenceCommandText(in, out, {35, 7}) +
                     QStringLiteral("\nCommencing processing...\n") +
                     QDir(window->folders().program()).canonicalPath() +
                     QStringLiteral("\nlast\nProcessing completed successfully.\n"
                                    "**********************************\n"));

        QCOMPARE(form->FFmpegIleDonustur(work.filePath(QStringLiteral("Talk.MKV")),
                                         work.filePath(QStringLiteral("Talk.MKV")))
                     .result,
                 QStringLiteral("Error"));
        QVERIFY(form->MemoCMD->toPlainText().endsWith(QStringLiteral("***\nVideo file skipped\n")));
    }

    void windowRepaintsButRunsNoTimerAndTakesNoDropWhileFfmpegRunsAndCloseEndsIt()
    {
        // The fake would finish only when let go, which never happens: closing the window ends it.
        QVERIFY(!writeFakeFfmpeg(fakes, "printf part > \"$out\"; " + waitForFile("never") +
                                            "; printf x > \"$out\"")
                     .isEmpty());
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(5);

        bool running = false;
        int paintsWhileRunning = 0;
        bool dropAccepted = true;
        // The window is closed once it has painted during the run.
        PaintCounter counter([&] {
            if (running && paintsWhileRunning++ == 0)
                QMetaObject::invokeMethod(form, &QWidget::close, Qt::QueuedConnection);
        });
        form->installEventFilter(&counter);
        // Runs at the first moment the window is kept alive during the conversion.
        QMetaObject::invokeMethod(
            form,
            [&] {
                form->update();
                QMimeData files;
                files.setUrls({QUrl::fromLocalFile(work.filePath(QStringLiteral("a.mp3")))});
                QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton,
                                      Qt::NoModifier);
                QCoreApplication::sendEvent(form, &enter);
                dropAccepted = enter.isAccepted();
            },
            Qt::QueuedConnection);

        running = true;
        const QString result = form->FFmpegIleDonustur(work.filePath(QStringLiteral("a.mp3")),
                                                       work.filePath(QStringLiteral("b.mp3")))
                                   .result;
        running = false;
        // Closing ended the conversion at once, and what it had written went with it.
        QCOMPARE(result, QStringLiteral("Error"));
        QVERIFY(!QFile::exists(work.filePath(QStringLiteral("b.mp3"))));
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

    std::optional<WindowUnderTest> window;
    QString fakes;
    QDir work;
    TAppForm *form = nullptr;
};

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestAppFormConversion test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_appformconversion.moc"
