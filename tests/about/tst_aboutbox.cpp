#include "about/aboutbox.h"
#include "about/popupbelowbutton.h"
#include "about/popupguard.h"
#include "app/appform.h"
#include "app/dialogs.h"
#include "support/guitestmain.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>

namespace
{
// Records the areas painted on the widgets it watches.
class PaintRecorder : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted[watched].append(static_cast<QPaintEvent *>(event)->region());
        return false;
    }
    QHash<QObject *, QList<QRegion>> painted;
};

qint64 area(const QRegion &region)
{
    qint64 pixels = 0;
    for (const QRect &rect : region)
        pixels += qint64(rect.width()) * rect.height();
    return pixels;
}

// The share of an image's pixels that are not transparent.
double coverage(const QImage &image)
{
    qint64 drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
    return double(drawn) / (qint64(image.width()) * image.height());
}

// A pixel of the falling characters' green tint.
bool isTintedGreen(QRgb pixel)
{
    return qGreen(pixel) > 0 && qRed(pixel) < qGreen(pixel) && qBlue(pixel) < qRed(pixel) + 1;
}
} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        popupBelowButtonGuard().setClock([this] { return now; });
    }

    void init()
    {
        // Far from the last test's menus, whose buttons' addresses a new box may reuse.
        now += 1'000'000;
        qputenv("HUSHMILL_VENDOR_HOST", "vendor.test:8080");
        window.emplace();
        box = new TAboutBox(QStringLiteral("Hushmill"), QStringLiteral("1.2"));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
    }

    void cleanup()
    {
        delete box;
        window.reset();
    }

    void windowAndTexts()
    {
        QCOMPARE(box->windowTitle(), QStringLiteral("About Hushmill"));
        QCOMPARE(box->windowType(), Qt::Tool);
        QVERIFY(box->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!box->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!box->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(box->isModal());
        QCOMPARE(box->size(), QSize(446, 374));
        QCOMPARE(box->minimumSize(), box->maximumSize());
        const QPoint screenCentre = box->screen()->availableGeometry().center();
        QVERIFY((box->geometry().center() - screenCentre).manhattanLength() <= 8);

        QCOMPARE(box->Label2->text(), QStringLiteral("Hushmill 1.2"));
        QCOMPARE(box->BitBtn1->text(), QStringLiteral("OK"));
        QCOMPARE(box->BitBtn2->text(), QStringLiteral("Info"));
        QStringList entries;
        for (const QAction *entry : box->PopupMenu1->actions())
            entries << entry->text();
        QCOMPARE(entries,
                 QStringList({"Acknowledgements...", "How to uninstall...", "License..."}));
        QCOMPARE(box->Label5->text(), QStringLiteral("vendor.test:8080"));
        QCOMPARE(box->Label5->toolTip(), QStringLiteral("http://vendor.test:8080/"));

        QCOMPARE(box->Panel1->geometry(), QRect(48, 42, 350, 291));
        QCOMPARE(box->PanelEgg->geometry(), QRect(61, 77, 324, 220));
        QVERIFY(!box->PanelEgg->isVisible());
        // The pictures are drawn at their sizes on the window, and drawn at all.
        for (const auto &[picture, size] :
             {std::pair{box->Image2, QSize(344, 105)}, std::pair{box->ImageEgg, QSize(320, 214)},
              std::pair{box->Image1, QSize(32, 32)}}) {
            const QPixmap pixmap = picture->pixmap();
            QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
            QVERIFY(coverage(pixmap.toImage()) > 0.1);
        }
    }

    void openedFromTheMenuAndTheToolbarAsANewModalBoxEachTime()
    {
        TAppForm *form = window->open();
        QVERIFY(form);
        for (const auto &open : std::initializer_list<std::function<void()>>{
                 [&] { form->About1->trigger(); }, [&] { form->ToolButton2->click(); }}) {
            open();
            QPointer<TAboutBox> aboutBox = form->findChild<TAboutBox *>();
            QVERIFY(aboutBox);
            QVERIFY(aboutBox->isVisible());
            QCOMPARE(QApplication::activeModalWidget(), aboutBox.data());
            // Product and version come from the executable's version block.
            QCOMPARE(aboutBox->Label2->text(), QStringLiteral("Hushmill 1.2"));
            QCOMPARE(aboutBox->windowTitle(), QStringLiteral("About Hushmill"));
            aboutBox->BitBtn1->click();
            QTRY_VERIFY(aboutBox.isNull());
        }
    }

    // Each tick repaints the cells it changed on the margins, never the panel.
    void charactersFallOnTheMarginsOnly()
    {
        QCOMPARE(box->tmTimer->interval(), 50);
        QVERIFY(box->tmTimer->isActive());
        QTRY_VERIFY(box->Matrix.MatrixFrame() >= 2);

        PaintRecorder recorder;
        box->installEventFilter(&recorder);
        box->Panel1->installEventFilter(&recorder);
        const int frame = box->Matrix.MatrixFrame();
        QTRY_VERIFY(box->Matrix.MatrixFrame() >= frame + 5 && !recorder.painted[box].isEmpty());
        QVERIFY(recorder.painted[box->Panel1].isEmpty());
        for (const QRegion &region : recorder.painted[box]) {
            QVERIFY(!region.intersects(box->Panel1->geometry()));
            QVERIFY(area(region) < 446 * 374 / 4);
        }

        // The characters show on the margin above the panel.
        const QImage shown = box->grab().toImage();
        bool green = false;
        for (int y = 0; y < 42 && !green; ++y)
            for (int x = 0; x < shown.width() && !green; ++x)
                green = isTintedGreen(shown.pixel(x, y));
        QVERIFY(green);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "OK";
        QTest::newRow("Escape on OK") << "Escape on OK";
        QTest::newRow("Escape on Info") << "Escape on Info";
        QTest::newRow("close box") << "close box";
    }
    void closing()
    {
        QFETCH(QString, how);
        QPointer<QTimer> timer = box->tmTimer;
        if (how == QLatin1String("OK"))
            QTest::mouseClick(box->BitBtn1, Qt::LeftButton);
        else if (how == QLatin1String("Escape on OK"))
            QTest::keyClick(box->BitBtn1, Qt::Key_Escape);
        else if (how == QLatin1String("Escape on Info"))
            QTest::keyClick(box->BitBtn2, Qt::Key_Escape);
        else
            box->windowHandle()->close();
        QVERIFY(timer.isNull() || !timer->isActive());
        QTRY_VERIFY(box.isNull());
    }

    void hiddenPictureSlidesOutAndBack()
    {
        QTest::mouseDClick(box->Image1, Qt::LeftButton);
        QTest::mouseRelease(box->Image1, Qt::LeftButton);
        QVERIFY(box->PanelEgg->isVisible());
        QVERIFY(box->TimerEgg->isActive());
        QCOMPARE(box->TimerEgg->interval(), 5);

        // Double-clicks on the icon or the picture while the panel slides change nothing.
        QTRY_VERIFY(box->Panel1->x() > 48);
        const int slidTo = box->Panel1->x();
        for (QLabel *picture : {box->Image1, box->ImageEgg}) {
            QTest::mouseDClick(picture, Qt::LeftButton);
            QTest::mouseRelease(picture, Qt::LeftButton);
        }
        QVERIFY(box->Panel1->x() >= slidTo);
        QVERIFY(box->PanelEgg->isVisible());

        // 5 pixels a tick until the panel's left edge is past the client area.
        QTRY_VERIFY(!box->TimerEgg->isActive());
        QCOMPARE(box->Panel1->pos(), QPoint(448, 42));
        QVERIFY(box->PanelEgg->isVisible());

        QTest::mouseDClick(box->ImageEgg, Qt::LeftButton);
        QTest::mouseRelease(box->ImageEgg, Qt::LeftButton);
        QCOMPARE(box->Panel1->pos(), QPoint(48, 42));
        QVERIFY(!box->PanelEgg->isVisible());
        QVERIFY(!box->TimerEgg->isActive());
    }

    void dragging_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("moves");
        // clang-format off
        QTest::newRow("logo, left")          << "Image2"   << Qt::LeftButton   << true;
        QTest::newRow("icon, middle")        << "Image1"   << Qt::MiddleButton << true;
        QTest::newRow("product label, left") << "Label2"   << Qt::LeftButton   << true;
        QTest::newRow("panel, left")         << "Panel1"   << Qt::LeftButton   << true;
        QTest::newRow("cat, left")           << "ImageEgg" << Qt::LeftButton   << true;
        QTest::newRow("background, middle")  << "AboutBox" << Qt::MiddleButton << true;
        QTest::newRow("logo, right")         << "Image2"   << Qt::RightButton  << false;
        QTest::newRow("background, right")   << "AboutBox" << Qt::RightButton  << false;
        QTest::newRow("OK button, left")     << "BitBtn1"  << Qt::LeftButton   << false;
        QTest::newRow("link, left")          << "Label5"   << Qt::LeftButton   << false;
        // clang-format on
    }
    void dragging()
    {
        QFETCH(QString, source);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, moves);
        if (source == QLatin1String("ImageEgg")) {
            box->Image1DblClick();
            QTRY_VERIFY(!box->TimerEgg->isActive());
        }
        QWidget *widget = source == box->objectName() ? box : box->findChild<QWidget *>(source);
        QVERIFY(widget);
        const QPoint start = box->pos();
        // Released away from the widget, so that neither button nor link counts a click.
        const QPoint from(5, 5), to(-15, -10);
        QTest::mousePress(widget, button, {}, from);
        QTest::mouseMove(widget, to);
        QTest::mouseRelease(widget, button, {}, to);
        if (moves) {
            QTRY_COMPARE(box->pos(), start + to - from);
        } else {
            QCoreApplication::processEvents();
            QCOMPARE(box->pos(), start);
        }
        QVERIFY(box->isVisible());
        QVERIFY(window->openedUrls.isEmpty());
    }

    void infoOpensItsMenuBelowTheButton()
    {
        QList<QPoint> shownAt;
        connect(box->PopupMenu1, &QMenu::aboutToShow, box, [&] {
            QTimer::singleShot(0, box, [&] {
                shownAt << box->PopupMenu1->pos();
                box->PopupMenu1->close();
            });
        });
        QTest::mouseClick(box->BitBtn2, Qt::LeftButton); // returns when the menu has closed
        QCOMPARE(shownAt, {box->BitBtn2->mapToGlobal(QPoint(0, box->BitBtn2->height()))});
    }

    // A click on "Info" while its menu is open closes the menu without opening it again; the
    // menu opens again on a click 100 ms after it returned, or on the click after one that was
    // kept from reopening it.
    void infoMenuReopening()
    {
        int shown = 0;
        QWindow *handle = box->windowHandle();
        const QPoint info = box->BitBtn2->mapTo(box, box->BitBtn2->rect().center());
        connect(box->PopupMenu1, &QMenu::aboutToShow, box, [&] {
            ++shown;
            QTimer::singleShot(0, box, [&] {
                if (shown == 1)
                    QTest::mouseClick(handle, Qt::LeftButton, {}, info);
                else
                    box->PopupMenu1->close();
            });
        });
        QTest::mouseClick(box->BitBtn2, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(shown, 1);
        QVERIFY(!box->PopupMenu1->isVisible());

        now += PopupGuard::ReopenDelay - 1;
        box->BitBtn2->click();
        QCOMPARE(shown, 1);
        box->BitBtn2->click();
        QCOMPARE(shown, 2);
        now += PopupGuard::ReopenDelay;
        box->BitBtn2->click();
        QCOMPARE(shown, 3);
    }

    void vendorPagesOpen()
    {
        QTest::mouseClick(box->Label5, Qt::LeftButton);
        box->Credits1->trigger();
        box->Howtouninstall1->trigger();
        QCOMPARE(
            window->openedUrls,
            QList<QUrl>({QUrl("http://vendor.test:8080/"),
                         QUrl("https://vendor.test:8080/blog/credits-and-acknowledgements/"),
                         QUrl("http://vendor.test:8080/blog/how-to-uninstall-quondel-software/")}));
        QVERIFY(box->isVisible());
    }

    void license_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        // clang-format off
        QTest::newRow("present")             << "file"          << true;
        QTest::newRow("link to a file")      << "link"          << true;
        QTest::newRow("missing")             << "none"          << false;
        QTest::newRow("dangling link")       << "dangling link" << false;
        QTest::newRow("folder of that name") << "folder"        << false;
        // clang-format on
    }
    void license()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        const QString path = window->folders().program() + QStringLiteral("/license.txt");
        const QString elsewhere = window->folders().path() + QStringLiteral("/licence text");
        if (kind == QLatin1String("file"))
            QVERIFY(writeBytes(path, "Licence terms\n"));
        else if (kind == QLatin1String("link"))
            QVERIFY(writeBytes(elsewhere, "Licence terms\n") && QFile::link(elsewhere, path));
        else if (kind == QLatin1String("dangling link"))
            QVERIFY(QFile::link(elsewhere, path));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));

        box->LicensePrivacyPolicy1->trigger();
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        if (opens) {
            QCOMPARE(window->openedUrls, {QUrl::fromLocalFile(path)});
            QVERIFY(shown.isEmpty());
        } else {
            QVERIFY(window->openedUrls.isEmpty());
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].icon, QMessageBox::Critical);
            QCOMPARE(shown[0].caption, QStringLiteral("License"));
            QCOMPARE(shown[0].text, QStringLiteral("File not found!"));
        }
    }

private:
    quint32 now = 0;
    std::optional<WindowUnderTest> window;
    QPointer<TAboutBox> box;
};

HUSHMILL_GUI_TEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
