#include "platform/urlopener.h"
#include "support/guitestmain.h"
#include "webservice/newver.h"
#include "webservice/vendorhost.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <optional>

// The new-version notice on the offscreen platform, beside a stand-in main window.
class TestNewVer : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> mainWindow;
    TNewVer *notice = nullptr;
    std::optional<QUrl> opened;

    void makeNotice(const QString &downloadUrl = QStringLiteral("https://dl.vendor.test/h.exe"))
    {
        notice = new TNewVer(mainWindow.get(), QStringLiteral("Hushmill"), QStringLiteral("1.3"),
                             downloadUrl);
    }
    // The notice once it has grown into view.
    bool shown() const
    {
        return notice->isVisible() && notice->size() == QSize(320, 68) &&
               notice->Panel1->pos() == QPoint(0, 0);
    }

private slots:
    void init()
    {
        qputenv("HUSHMILL_VENDOR_HOST", "vendor.test");
        platform::setUrlOpenerForTesting([this](const QUrl &url) { opened = url; });
        opened.reset();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(400, 300);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow.get()));
    }
    void cleanup()
    {
        mainWindow.reset(); // owns the notice
        platform::setUrlOpenerForTesting({});
    }

    void appearsAtTheTopRightOfThePrimaryScreen()
    {
        makeNotice();
        QVERIFY(!notice->isVisible());
        QTRY_VERIFY(shown());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(notice->geometry(),
                 QRect(screen.right() + 1 - 5 - 320, screen.top() + 5, 320, 68));
        QCOMPARE(notice->frameGeometry(), notice->geometry());
        const Qt::WindowFlags flags = notice->windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(notice->isWindow());
        // The keyboard stays with the main window.
        QCOMPARE(QApplication::activeWindow(), mainWindow.get());
        QVERIFY(!notice->isActiveWindow());
    }

    void showsTheTitleAndTheLink()
    {
        makeNotice();
        QCOMPARE(notice->Label1->text(), QStringLiteral("UPDATE AVAILABLE"));
        QVERIFY(notice->Label1->font().bold());
        QCOMPARE(notice->Label1->font().pixelSize(), 13);
        QCOMPARE(notice->Label2->text(), QStringLiteral("Click to download Hushmill 1.3"));
        QVERIFY(notice->Label2->font().underline());
        QCOMPARE(notice->Label2->font().pixelSize(), 13);
        QCOMPARE(notice->Label2->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(notice->Button1->size(), QSize(22, 22));
        QVERIFY(!notice->Button1->icon().isNull());
        QVERIFY(!notice->Image1->pixmap().isNull());
        QCOMPARE(notice->TimerStart->interval(), 1);
        QCOMPARE(notice->TimerClose->interval(), 1000);
        QCOMPARE(notice->TimerLink->interval(), 100);
    }

    void linkOpensTheDownloadAddressAndCloses_data()
    {
        QTest::addColumn<QString>("downloadUrl");
        QTest::addColumn<QUrl>("target");
        const QUrl home(QStringLiteral("http://vendor.test/"));
        QTest::newRow("download address")
            << "https://dl.vendor.test/h.exe" << QUrl("https://dl.vendor.test/h.exe");
        QTest::newRow("no address") << "" << home;
        QTest::newRow("local file") << "file:///usr/bin/xterm" << home;
        QTest::newRow("other scheme") << "smb://server/share/h.exe" << home;
    }
    void linkOpensTheDownloadAddressAndCloses()
    {
        QFETCH(QString, downloadUrl);
        QFETCH(QUrl, target);
        makeNotice(downloadUrl);
        QTRY_VERIFY(shown());
        QTest::mouseClick(notice->Label2, Qt::LeftButton);
        QCOMPARE(opened, std::optional<QUrl>(target));
        QVERIFY(!notice->isVisible());
    }

    void closeButtonClosesAtOnce()
    {
        makeNotice();
        QTRY_VERIFY(shown());
        QTest::mouseClick(notice->Button1, Qt::LeftButton);
        QVERIFY(!notice->isVisible());
        QVERIFY(!opened);
    }

    void closesItselfElevenSecondsAfterCreation()
    {
        makeNotice();
        QTRY_VERIFY(shown());
        QVERIFY(notice->TimerClose->isActive());
        // The countdown's ticks, without waiting a second for each.
        for (int tick = 1; tick <= 10; ++tick)
            notice->TimerCloseTimer();
        QVERIFY(shown());
        notice->TimerCloseTimer();
        QVERIFY(!notice->TimerClose->isActive());
        QTRY_VERIFY(!notice->isVisible()); // after shrinking
        QVERIFY(!opened);
    }

    void countdownRunsOutQuietlyOnAClosedNotice()
    {
        makeNotice();
        QTRY_VERIFY(shown());
        notice->Button1Click();
        for (int tick = 1; tick <= 11; ++tick)
            notice->TimerCloseTimer();
        QVERIFY(!notice->isVisible());
        QVERIFY(!notice->TimerClose->isActive());
    }

    void linkColourFollowsThePointer()
    {
        makeNotice();
        QTRY_VERIFY(shown());
        const QColor hover = notice->palette().color(QPalette::Highlight);
        const QColor normal = notice->palette().color(QPalette::WindowText);
        QVERIFY(hover != normal);
        const auto linkColour = [this] {
            return notice->Label2->palette().color(QPalette::WindowText);
        };
        QCursor::setPos(notice->Label2->mapToGlobal(notice->Label2->rect().center()));
        QTRY_COMPARE(linkColour(), hover);
        QCursor::setPos(notice->Label1->mapToGlobal(notice->Label1->rect().center()));
        QTRY_COMPARE(linkColour(), normal);
    }

    void dragging_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("icon, left button") << "Image1" << Qt::LeftButton << true;
        QTest::newRow("title, middle button") << "Label1" << Qt::MiddleButton << true;
        QTest::newRow("close button's panel") << "Panel3" << Qt::LeftButton << true;
        QTest::newRow("frame") << "Panel1" << Qt::LeftButton << true;
        QTest::newRow("icon, right button") << "Image1" << Qt::RightButton << false;
        QTest::newRow("link") << "Label2" << Qt::LeftButton << false;
        QTest::newRow("close button") << "Button1" << Qt::LeftButton << false;
    }
    void dragging()
    {
        QFETCH(QString, part);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, moves);
        makeNotice();
        QTRY_VERIFY(shown());
        QWidget *widget = notice->findChild<QWidget *>(part);
        QVERIFY(widget);
        // A point of the part that none of its children covers.
        const QPoint start = part == QLatin1String("Panel1")   ? QPoint(0, 30)
                             : part == QLatin1String("Panel3") ? QPoint(10, 50)
                                                               : widget->rect().center();
        QCOMPARE(widget->childAt(start), nullptr);
        const QPoint before = notice->pos();
        QTest::mousePress(widget, button, {}, start);
        QTest::mouseMove(widget, start + QPoint(30, 20));
        QTest::mouseRelease(widget, button, {}, start + QPoint(30, 20));
        QCOMPARE(notice->pos(), moves ? before + QPoint(30, 20) : before);
        QCOMPARE(notice->size(), QSize(320, 68));
        QCOMPARE(opened.has_value(), part == QLatin1String("Label2"));
    }
};

HUSHMILL_GUI_TEST_MAIN(TestNewVer)
#include "tst_newver.moc"
