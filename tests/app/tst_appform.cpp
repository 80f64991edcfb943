#include "app/appform.h"
#include "app/dialogs.h"
#include "app/filelistmodel.h"
#include "base/apperror.h"
#include "support/guitestmain.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <optional>

class TestAppForm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qputenv("HUSHMILL_VENDOR_HOST", "vendor.test:8080");
        window.emplace();
        form = window->open();
        QVERIFY(form);
    }
    void cleanup() { window.reset(); }

    void startsWithHiddenLogProgressAndEmptyStatus()
    {
        QVERIFY(!form->findChild<QPlainTextEdit *>("MemoCMD")->isVisible());
        QVERIFY(!form->findChild<QProgressBar *>("ProgressBar1")->isVisible());
        QCOMPARE(form->statusText(), QString());
        QVERIFY(form->findChild<QTableView *>("ListView1")->isVisible());
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Hushmill"));
    }

    void showLogShowsAndHidesTheLogUnderTheList()
    {
        auto *memo = form->findChild<QPlainTextEdit *>("MemoCMD");
        const int listHeight = form->ListView1->height();
        QVERIFY(form->ShowLog1->isCheckable());
        QVERIFY(!form->ShowLog1->isChecked());
        form->ShowLog1->trigger();
        QVERIFY(form->ShowLog1->isChecked());
        QVERIFY(memo->isVisible());
        QTRY_VERIFY(form->ListView1->height() < listHeight);
        QVERIFY(memo->geometry().top() > form->ListView1->mapTo(form, QPoint(0, 0)).y());
        form->ShowLog1->trigger();
        QVERIFY(!memo->isVisible());
        QTRY_COMPARE(form->ListView1->height(), listHeight);
    }

    void identityComesFromTheExecutablesVersionBlock()
    {
        QCOMPARE(form->CompanyName, QStringLiteral("QUONDEL"));
        QCOMPARE(form->ProductName, QStringLiteral("Hushmill"));
        QCOMPARE(form->AppName, QStringLiteral("QUONDEL - Hushmill"));
        QCOMPARE(form->AppVersion, QStringLiteral("1.2"));
        QCOMPARE(form->windowTitle(), QStringLiteral("QUONDEL - Hushmill"));
    }

    void toolbarButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        // clang-format off
        QTest::newRow("add files")  << "ToolButton3" << "Add Files"  << "Select audio files";
        QTest::newRow("add folder") << "ToolButton1" << "Add Folder" << "Select audio folders";
        QTest::newRow("feedback")   << "ToolButton7" << "Feedback"   << "Send feedback";
        QTest::newRow("about")      << "ToolButton2" << "About"      << "Show aboutbox";
        QTest::newRow("help")       << "ToolButton4" << "Help"       << "Online help";
        // clang-format on
    }
    void toolbarButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        auto *button = form->findChild<QToolButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(button->iconSize(), QSize(64, 64));
        QVERIFY(!button->icon().pixmap(64, 64).toImage().isNull());
    }

    void menus()
    {
        QStringList captions;
        for (QAction *menu : form->menuBar()->actions()) {
            QStringList items;
            for (QAction *item : menu->menu()->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            captions << menu->text() + QLatin1Char(':') + items.join(QLatin1Char('|'));
        }
        QCOMPARE(
            captions,
            QStringList({"File:Add Files...|Add Folder...|Preview|-|Show Log|Show Levels|-|Exit",
                         "Settings:Parallel Conversions|-|Reset to Defaults...",
                         "Help:Online Help|-|Update Notifications|-|Send Feedback...|About..."}));
        QCOMPARE(form->Help2->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(form->UpdateNotifications1->isChecked());
        QVERIFY(!form->UpdateNotifications1->isEnabled());
    }

    void popupMenus()
    {
        auto texts = [](QMenu *menu) {
            QStringList items;
            for (QAction *item : menu->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            return items;
        };
        QCOMPARE(texts(form->PopupMenu1), QStringList({"Open", "Show in Explorer", "Preview", "-",
                                                       "Delete", "Delete All", "-", "Properties"}));
        QCOMPARE(form->PopupMenu1->defaultAction(), form->Open1);
        QCOMPARE(texts(form->PopupMenu2),
                 QStringList({"Change Destination Folder...", "Show in Explorer"}));
        QCOMPARE(form->Button2->menu(), form->PopupMenu2);
        QCOMPARE(form->Button2->toolTip(), QStringLiteral("Change Destination Folder"));
    }

    void parameterPanel()
    {
        QCOMPARE(form->Label1->text(), QStringLiteral("Threshold:"));
        QCOMPARE(form->Label4->text(), QStringLiteral("Duration:"));
        QCOMPARE(form->Label2->text(), QStringLiteral("Target Folder:"));
        QCOMPARE(form->Button1->text(), QStringLiteral("Remove Silence"));
        QCOMPARE(form->TrackBar1->maximum(), 100);
        QCOMPARE(form->TrackBar2->maximum(), 10);
        QCOMPARE(form->Label6->text(), QStringLiteral("Keep:"));
        QCOMPARE(form->TrackBar3->maximum(), 20);
        QCOMPARE(form->Panel4->width(), 238);
    }

    // Pixels between a widget of the parameter panel and its neighbours: the one above it and
    // the panel's left and right edges.
    void parameterPanelSpacing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("above");
        QTest::addColumn<int>("gapAbove");
        QTest::addColumn<int>("sides"); // -1: not fixed
        // clang-format off
        QTest::newRow("target folder label") << "Label2"  << "Panel7" << 10 << -1;
        QTest::newRow("remove silence")      << "Button1" << "Panel5" << 10 << 2;
        // clang-format on
    }
    void parameterPanelSpacing()
    {
        QFETCH(QString, name);
        QFETCH(QString, above);
        QFETCH(int, gapAbove);
        QFETCH(int, sides);
        const QRect widget = form->Panel4->findChild<QWidget *>(name)->geometry();
        QCOMPARE(widget.top() - form->Panel4->findChild<QWidget *>(above)->geometry().bottom() - 1,
                 gapAbove);
        if (sides >= 0) {
            QCOMPARE(widget.left(), sides);
            QCOMPARE(form->Panel4->width() - 1 - widget.right(), sides);
        }
    }

    void timers()
    {
        QCOMPARE(form->TimerChecker->interval(), 1000);
        QVERIFY(form->TimerChecker->isActive());
        QCOMPARE(form->TimerParam->interval(), 1);
    }

    void helpOpensTheSameAddressFromEveryPlace()
    {
        form->Help2->trigger();
        form->ToolButton4->click();
        QTest::keyClick(form, Qt::Key_F1);
        const QUrl expected(QStringLiteral("http://vendor.test:8080/help/hushmill/"));
        QCOMPARE(window->openedUrls, QList<QUrl>({expected, expected, expected}));
    }

    void errorEscapingAHandlerIsShownAndTheLoopGoesOn()
    {
        QTimer::singleShot(0, form,
                           [] { throw AppError(QStringLiteral("Unable to create directory")); });
        QTimer::singleShot(0, form, [] { throw OSError(13); });
        QList<dialogs::ShownMessage> shown;
        QTRY_COMPARE((shown += dialogs::takeShownMessages()).size(), 2);
        QCOMPARE(shown[0].caption, QStringLiteral("Hushmill"));
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(shown[0].text, QStringLiteral("Unable to create directory."));
        QCOMPARE(shown[1].text, QStringLiteral("System Error.  Code: 13.\nPermission denied."));
        QVERIFY(form->isVisible());
    }

    // A handler's error is shown before its slot returns, also when the signal comes straight
    // from code with no event underneath for the application's last resort to catch.
    void errorOfAHandlerIsShownBeforeItsSlotReturns_data()
    {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("error"); // $SETTINGS stands for the settings file
        // clang-format off
        QTest::newRow("show target folder") << "ShowinExplorer2" << "Unable to create directory.";
        QTest::newRow("remove silence")     << "Button1"         << "Unable to create directory.";
        QTest::newRow("threshold slider")   << "TrackBar1"       << "Cannot create file \"$SETTINGS\". Is a directory.";
        // clang-format on
    }
    void errorOfAHandlerIsShownBeforeItsSlotReturns()
    {
        QFETCH(QString, handler);
        QFETCH(QString, error);
        form->Edit1->clear();
        form->FileList->add({window->folders().path() + QStringLiteral("/talk.mp3")});
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        if (handler == QLatin1String("ShowinExplorer2")) {
            form->ShowinExplorer2->trigger();
        } else if (handler == QLatin1String("Button1")) {
            form->Button1->click();
        } else {
            // A folder in place of the settings file: the write fails.
            QVERIFY(QFile::remove(window->folders().settingsFile()) &&
                    QDir().mkdir(window->folders().settingsFile()));
            form->TrackBar1->setValue(70);
        }
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(shown[0].caption, QStringLiteral("Hushmill"));
        QCOMPARE(shown[0].text,
                 error.replace(QStringLiteral("$SETTINGS"), window->folders().settingsFile()));
        QVERIFY(form->isVisible());
    }

private:
    std::optional<WindowUnderTest> window;
    TAppForm *form = nullptr;
};

HUSHMILL_GUI_TEST_MAIN(TestAppForm)
#include "tst_appform.moc"
