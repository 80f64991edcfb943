#include "app/appform.h"
#include "app/dialogs.h"
#include "app/icons.h"
#include "feedback/choicepanel.h"
#include "feedback/feedbackform.h"
#include "platform/beep.h"
#include "support/guitestmain.h"
#include "support/vendorserver.h"
#include "support/windowundertest.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>

using Scheme = VendorServer::Scheme;

namespace
{
const QString feedbackPath = QStringLiteral("/php/feedback.php");
const FeedbackIdentity identity{QStringLiteral("Hushmill"), QStringLiteral("QUONDEL - Hushmill"),
                                QStringLiteral("1.2")};
const QString failureText = QStringLiteral(
    "Something went wrong. Your feedback could not be delivered.\r\rPlease try again later.");
const QString successText = QStringLiteral("Your feedback is received.\r\rThank you!");

VendorServer::Reply replyWith(const QString &body, int status = 200)
{
    VendorServer::Reply reply;
    reply.body = body;
    reply.status = status;
    return reply;
}

// A reply over https that waits for VendorServer::release().
VendorServer::Reply heldReply(const QString &body)
{
    VendorServer::Reply reply = replyWith(body);
    reply.held = true;
    return reply;
}

// Counts the paint events a widget receives and calls onPaint at the first.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(std::function<void()> onPaint) : m_onPaint(std::move(onPaint)) {}
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && ++paints == 1)
            m_onPaint();
        return false;
    }

private:
    std::function<void()> m_onPaint;
};

// The colour drawn at a spot of the panel away from its caption, picture and border.
QColor backgroundOf(ChoicePanel *panel)
{
    return panel->grab().toImage().pixelColor(panel->width() - 12, 8);
}
} // namespace

class TestFeedbackForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<VendorServer> server;
    std::optional<WindowUnderTest> window;
    QPointer<TFeedbackForm> form;

    // Sets the choice by pressing the panels as a user would.
    void choose(const QString &choice)
    {
        if (choice == QLatin1String("like"))
            QTest::mouseClick(form->Panel4, Qt::LeftButton);
        else if (choice == QLatin1String("dislike"))
            QTest::mouseClick(form->Panel5, Qt::LeftButton);
    }

    // The same reply over https and http.
    void replyAlways(const VendorServer::Reply &reply)
    {
        server->setReply(feedbackPath, reply, Scheme::Https);
        server->setReply(feedbackPath, reply, Scheme::Http);
    }

    // The requests that reached the feedback endpoint (the main window may post elsewhere).
    QList<VendorServer::Request> feedbackRequests()
    {
        QList<VendorServer::Request> requests = server->requests();
        requests.removeIf(
            [](const VendorServer::Request &request) { return request.path != feedbackPath; });
        return requests;
    }

    QStringList requestSchemes()
    {
        QStringList schemes;
        for (const VendorServer::Request &request : feedbackRequests())
            schemes << request.scheme;
        return schemes;
    }

private slots:
    void initTestCase()
    {
        qApp->setQuitOnLastWindowClosed(false);
        server = std::make_unique<VendorServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorString()));
        qputenv("HUSHMILL_VENDOR_HOST", server->hostAndPort().toLatin1());
    }
    void init()
    {
        qputenv("HUSHMILL_CA_FILE", server->caFile().toLocal8Bit());
        server->clearRequests();
        replyAlways(replyWith(QStringLiteral("OK")));
        window.emplace();
        form = new TFeedbackForm(identity);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
    void cleanup()
    {
        delete form;
        window.reset();
    }
    void cleanupTestCase() { server.reset(); }

    void layoutAndTexts()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Hushmill feedback"));
        QCOMPARE(form->size(), QSize(525, 326));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        QCOMPARE(form->Panel4->caption(), QStringLiteral("I like it!"));
        QCOMPARE(form->Panel5->caption(), QStringLiteral("I dislike it!"));
        QCOMPARE(form->Label1->text(), QStringLiteral("We would really appreciate your feedback."));
        QCOMPARE(form->Label2->text(), QStringLiteral("What did you like or dislike?"));
        QCOMPARE(form->Label3->text(), QStringLiteral("Include my e-mail:"));
        QCOMPARE(form->BitBtn1->text(), QStringLiteral("Send"));
        QCOMPARE(form->Label1->font().pixelSize(), 16);
        QVERIFY(form->Label2->font().bold());
        QCOMPARE(form->BitBtn1->font().pixelSize(), 16);

        // Top to bottom: choices, labels, memo, address strip, send strip.
        QCOMPARE(form->Panel3->geometry(), QRect(0, 0, 525, 46));
        QCOMPARE(form->Panel5->geometry(), QRect(269, 0, 256, 46));
        QCOMPARE(form->Panel4->geometry(), QRect(0, 0, 269, 46));
        QCOMPARE(form->Panel2->geometry(), QRect(0, 326 - 39, 525, 39));
        QCOMPARE(form->Panel1->geometry(), QRect(0, 326 - 39 - 30, 525, 30));
        QCOMPARE(form->BitBtn1->size(), QSize(172, 33));
        QVERIFY(form->BitBtn1->geometry().right() > 525 - 20);
        QVERIFY(form->Label2->geometry().top() >= form->Label1->geometry().bottom());
        const QRect memo = form->Memo1->geometry();
        QVERIFY(memo.top() >= form->Label2->geometry().bottom());
        QVERIFY(memo.bottom() < form->Panel1->geometry().top());
        QVERIFY(memo.height() > 100);

        QCOMPARE(QApplication::focusWidget(), form->Memo1);
        QCOMPARE(form->Panel4->cursor().shape(), Qt::PointingHandCursor);
        for (QLabel *picture : {form->Image1, form->Image2}) {
            QCOMPARE(picture->size(), QSize(32, 32));
            QVERIFY(picture->x() < 10); // at the left of its panel
        }
    }

    // Each face fills its square, leaving the corners transparent for the panel's colour.
    void facePictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("smiling") << "smile";
        QTest::newRow("sad") << "sad";
    }
    void facePictures()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QFETCH(QString, name);
        const QImage image = appIcon(name).pixmap(32, 32).toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(31, 31)), 0);
        QCOMPARE(qAlpha(image.pixel(16, 3)), 255);
        QCOMPARE(qAlpha(image.pixel(3, 16)), 255);
        QCOMPARE(qAlpha(image.pixel(28, 16)), 255);
    }

    // Presses, in order, on "like" (L) or "dislike" (D), by the left button on the panel (the
    // letter), on its picture (the letter with "img") or by the right or middle button.
    void choiceToggles_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<bool>("like");
        QTest::addColumn<bool>("dislike");
        // clang-format off
        QTest::newRow("none")                        << QStringList{}                                         << false << false;
        QTest::newRow("like")                        << QStringList{"L"}                                      << true  << false;
        QTest::newRow("like on its picture")         << QStringList{"L img"}                                  << true  << false;
        QTest::newRow("like twice clears it")        << QStringList{"L", "L img"}                             << false << false;
        QTest::newRow("dislike moves the choice")    << QStringList{"L", "D"}                                 << false << true;
        QTest::newRow("dislike twice clears it")     << QStringList{"L", "D", "D img"}                        << false << false;
        QTest::newRow("like moves it back")          << QStringList{"D", "L"}                                 << true  << false;
        QTest::newRow("right button does nothing")   << QStringList{"L right", "D right"}                     << false << false;
        QTest::newRow("right button keeps a choice") << QStringList{"D", "D right", "L right", "L img right"} << false << true;
        QTest::newRow("middle button does nothing")  << QStringList{"L middle"}                               << false << false;
        // clang-format on
    }
    void choiceToggles()
    {
        QFETCH(QStringList, presses);
        QFETCH(bool, like);
        QFETCH(bool, dislike);
        for (const QString &press : presses) {
            ChoicePanel *panel = press.startsWith(u'L') ? form->Panel4 : form->Panel5;
            QWidget *target = panel;
            if (press.contains(QLatin1String("img")))
                target = panel->picture();
            const Qt::MouseButton button = press.contains(QLatin1String("right")) ? Qt::RightButton
                                           : press.contains(QLatin1String("middle"))
                                               ? Qt::MiddleButton
                                               : Qt::LeftButton;
            QTest::mouseClick(target, button);
        }
        QCOMPARE(form->Panel4->isSelected(), like);
        QCOMPARE(form->Panel5->isSelected(), dislike);

        // Each panel shows its state in the palette's colours and bevel.
        const QPalette palette = form->palette();
        for (ChoicePanel *panel : {form->Panel4, form->Panel5}) {
            const bool selected = panel->isSelected();
            QCOMPARE(backgroundOf(panel),
                     palette.color(selected ? QPalette::Highlight : QPalette::Button));
            QCOMPARE(panel->frameShadow(), selected ? QFrame::Sunken : QFrame::Raised);
            for (const QLabel *label : panel->findChildren<QLabel *>()) {
                if (label->text() == panel->caption())
                    QCOMPARE(label->foregroundRole(),
                             selected ? QPalette::HighlightedText : QPalette::WindowText);
            }
        }
    }

    void memoTakesAtMostTenThousandCharacters()
    {
        form->Memo1->setPlainText(QString(9998, u'a'));
        form->Memo1->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->Memo1, QStringLiteral("bcd"));
        QCOMPARE(form->Memo1->toPlainText(), QString(9998, u'a') + QStringLiteral("bc"));

        form->Memo1->clear();
        QApplication::clipboard()->setText(QString(6000, u'x') + u'\n' + QString(6000, u'y'));
        form->Memo1->paste();
        QCOMPARE(form->Memo1->toPlainText(), QString(6000, u'x') + u'\n' + QString(3999, u'y'));
        form->Memo1->undo();
        QCOMPARE(form->Memo1->toPlainText(), QString());

        // An insertion in the middle keeps what stood after it.
        form->Memo1->setPlainText(QStringLiteral("head") + QString(9990, u'-') +
                                  QStringLiteral("tail"));
        QTextCursor cursor = form->Memo1->textCursor();
        cursor.setPosition(4);
        form->Memo1->setTextCursor(cursor);
        QTest::keyClicks(form->Memo1, QStringLiteral("12345"));
        QCOMPARE(form->Memo1->toPlainText(),
                 QStringLiteral("head12") + QString(9990, u'-') + QStringLiteral("tail"));
    }

    void addressTakesAtMostHundredCharacters()
    {
        QTest::keyClicks(form->Edit1, QString(99, u'm') + QStringLiteral("@x"));
        QCOMPARE(form->Edit1->text(), QString(99, u'm') + u'@');
    }

    void escapeClosesWithoutSending_data()
    {
        QTest::addColumn<QString>("component");
        QTest::newRow("memo") << "Memo1";
        QTest::newRow("e-mail field") << "Edit1";
        QTest::newRow("Send") << "BitBtn1";
    }
    void escapeClosesWithoutSending()
    {
        QFETCH(QString, component);
        form->Memo1->setPlainText(QStringLiteral("Nice"));
        form->Edit1->setText(QStringLiteral("me@example.com"));
        auto *target = form->findChild<QWidget *>(component);
        QVERIFY(target);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_Escape);
        QTRY_VERIFY(form.isNull());
        QCOMPARE(feedbackRequests().size(), 0);
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void returnDoesNotSend()
    {
        form->Memo1->setPlainText(QStringLiteral("Nice"));
        form->Edit1->setFocus();
        QTest::keyClick(form->Edit1, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(form->isVisible());
        QCOMPARE(feedbackRequests().size(), 0);
    }

    void postedBody_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("feedbackAndEmail");
        QTest::newRow("like") << "like"
                              << "Great"
                              << "" << QByteArray("feedback=I+like+it%21%0DGreat");
        QTest::newRow("dislike, with address")
            << "dislike"
            << "Too slow"
            << "me@example.com"
            << QByteArray("feedback=I+dislike+it%21%0DToo+slow&email=me%40example.com");
        QTest::newRow("no choice") << ""
                                   << "Just a note"
                                   << "" << QByteArray("feedback=Just+a+note");
        QTest::newRow("blanks and control characters trimmed, inner breaks kept")
            << "like"
            << " \t\x01\nfirst line\nsecond line \n\n"
            << "  a.b+c@d-e.org \t"
            << QByteArray(
                   "feedback=I+like+it%21%0Dfirst+line%0Asecond+line&email=a.b%2Bc%40d-e.org");
    }
    void postedBody()
    {
        QFETCH(QString, choice);
        QFETCH(QString, memo);
        QFETCH(QString, address);
        QFETCH(QByteArray, feedbackAndEmail);
        choose(choice);
        form->Memo1->setPlainText(memo);
        form->Edit1->setText(address);
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);

        const QList<VendorServer::Request> requests = feedbackRequests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().scheme, QStringLiteral("https"));
        QCOMPARE(requests.first().path, feedbackPath);
        QCOMPARE(requests.first().body,
                 "cmd=feedback&appname=QUONDEL+-+Hushmill&version=1.2&" + feedbackAndEmail);
    }

    void emptyMessageOnlyBeeps_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << " \n\t \r\n ";
    }
    void emptyMessageOnlyBeeps()
    {
        QFETCH(QString, memo);
        choose(QStringLiteral("like"));
        form->Memo1->setPlainText(memo);
        form->Edit1->setText(QStringLiteral("not an address"));
        form->BitBtn1->setFocus();
        const int beeps = platform::beepCount();
        form->BitBtn1->click();
        QCOMPARE(platform::beepCount(), beeps + 1);
        QCOMPARE(QApplication::focusWidget(), form->Memo1);
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        QCOMPARE(feedbackRequests().size(), 0);
        QVERIFY(form->isVisible());
    }

    void invalidAddressIsRefused_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("single domain label") << "me@localhost";
        QTest::newRow("domain ending in a dot") << " me@example.com. ";
        QTest::newRow("non-ASCII") << QString::fromUtf8("jürgen@example.com");
    }
    void invalidAddressIsRefused()
    {
        QFETCH(QString, address);
        form->Memo1->setPlainText(QStringLiteral("Nice"));
        form->Edit1->setText(address);
        form->BitBtn1->setFocus();
        form->BitBtn1->click();
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Critical);
        QCOMPARE(shown.first().caption, QStringLiteral("Failure"));
        QCOMPARE(shown.first().text, QStringLiteral("Invalid e-mail address!"));
        QCOMPARE(QApplication::focusWidget(), form->Edit1);
        QCOMPARE(feedbackRequests().size(), 0);
        QVERIFY(form->isVisible());
    }

    // What the service answers over https and over http (with `trusted` false the https
    // attempt fails: its certificate is not trusted), and whether that counts as delivered.
    void replyDecidesDelivery_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<QString>("httpsBody");
        QTest::addColumn<QString>("httpBody");
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<bool>("delivered");
        QTest::addColumn<QStringList>("schemes");
        const QStringList https{QStringLiteral("https")};
        const QStringList http{QStringLiteral("http")};
        // clang-format off
        QTest::newRow("OK")                             << true  << "OK"            << ""       << 200 << true  << https;
        QTest::newRow("OK and line breaks")             << true  << "OK\r\n\r\n"    << ""       << 200 << true  << https;
        QTest::newRow("OK and a lone LF")               << true  << "OK\n"          << ""       << 200 << true  << https;
        QTest::newRow("OK among blanks")                << true  << " \r\n\t OK \n" << ""       << 200 << true  << https;
        QTest::newRow("lower case")                     << true  << "ok"            << "OK"     << 200 << false << https;
        QTest::newRow("full stop")                      << true  << "OK."           << "OK"     << 200 << false << https;
        QTest::newRow("second line")                    << true  << "OK\r\nsaved"   << "OK"     << 200 << false << https;
        QTest::newRow("second line after an empty one") << true  << "OK\n\nsaved"   << "OK"     << 200 << false << https;
        QTest::newRow("empty")                          << true  << ""              << "OK"     << 200 << false << https;
        QTest::newRow("https failing, http OK")         << false << ""              << "OK\r\n" << 200 << true  << http;
        QTest::newRow("https failing, http not OK")     << false << ""              << "ERROR"  << 200 << false << http;
        QTest::newRow("both failing")                   << false << ""              << "OK"     << 500 << false << http;
        // clang-format on
    }
    void replyDecidesDelivery()
    {
        QFETCH(bool, trusted);
        QFETCH(QString, httpsBody);
        QFETCH(QString, httpBody);
        QFETCH(int, httpStatus);
        QFETCH(bool, delivered);
        QFETCH(QStringList, schemes);
        if (!trusted)
            qunsetenv("HUSHMILL_CA_FILE");
        server->setReply(feedbackPath, replyWith(httpsBody), Scheme::Https);
        server->setReply(feedbackPath, replyWith(httpBody, httpStatus), Scheme::Http);
        choose(QStringLiteral("dislike"));
        form->Memo1->setPlainText(QStringLiteral("Crashes"));
        form->Edit1->setText(QStringLiteral("me@example.com"));

        form->BitBtn1->click();
        QCOMPARE(requestSchemes(), schemes);
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        if (delivered) {
            QCOMPARE(shown.first().icon, QMessageBox::Information);
            QCOMPARE(shown.first().caption, QStringLiteral("Success"));
            QCOMPARE(shown.first().text, successText);
            QTRY_VERIFY(form.isNull());
        } else {
            QCOMPARE(shown.first().icon, QMessageBox::Critical);
            QCOMPARE(shown.first().caption, QStringLiteral("Failure"));
            QCOMPARE(shown.first().text, failureText);
            // Everything stays for another try.
            QVERIFY(form->isVisible());
            QVERIFY(form->Panel5->isSelected());
            QCOMPARE(form->Memo1->toPlainText(), QStringLiteral("Crashes"));
            QCOMPARE(form->Edit1->text(), QStringLiteral("me@example.com"));
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // While the post runs the window repaints under the busy cursor, but no timer fires: the
    // window's thread handles only what keeps it alive, no input and no timers.
    void windowRepaintsUnderTheBusyCursorButRunsNoTimerWhilePosting()
    {
        // The service answers only once the window has repainted during the post.
        server->setReply(feedbackPath, heldReply(QStringLiteral("ERROR")), Scheme::Https);
        form->Memo1->setPlainText(QStringLiteral("Hello"));
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(5);
        PaintWatcher watcher([this] { server->release(); });
        Qt::CursorShape cursorWhilePosting = Qt::ArrowCursor;
        // Runs at the first moment the window is kept alive during the post.
        QMetaObject::invokeMethod(
            form,
            [&] {
                if (const QCursor *cursor = QGuiApplication::overrideCursor())
                    cursorWhilePosting = cursor->shape();
                form->installEventFilter(&watcher);
                form->update();
            },
            Qt::QueuedConnection);

        form->BitBtn1->click();
        form->removeEventFilter(&watcher);
        QCOMPARE(cursorWhilePosting, Qt::BusyCursor);
        QCOMPARE(requestSchemes(), QStringList{QStringLiteral("https")}); // answered, no retry
        QVERIFY(watcher.paints > 0);
        QCOMPARE(ticks, 0);
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, failureText);
        QVERIFY(!QGuiApplication::overrideCursor());
        QTRY_VERIFY(ticks > 0);
    }

    void closeAskedForWhilePostingHappensAfterTheOutcome()
    {
        server->setReply(feedbackPath, heldReply(QStringLiteral("ERROR")), Scheme::Https);
        form->Memo1->setPlainText(QStringLiteral("Hello"));
        QMetaObject::invokeMethod(
            form,
            [&] {
                form->close();
                server->release();
            },
            Qt::QueuedConnection);
        form->BitBtn1->click();
        QCOMPARE(requestSchemes(), QStringList{QStringLiteral("https")});
        QVERIFY(form && form->isVisible());
        const QList<dialogs::ShownMessage> shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, failureText);
        QTRY_VERIFY(form.isNull());
    }

    // The main window's menu item and toolbar button open a new, empty, modal window each time,
    // carrying the identity of the running program.
    void openedFromTheMainWindow()
    {
        delete form;
        TAppForm *main = window->open();
        QVERIFY(main);

        struct Opening {
            QPointer<TFeedbackForm> window;
            QString caption;
            bool modal = false;
            bool empty = false;
        };
        const auto openAndThen = [&](const std::function<void()> &open,
                                     const std::function<void(TFeedbackForm *)> &use) {
            Opening opening;
            QMetaObject::invokeMethod(
                main,
                [&] {
                    auto *feedback =
                        qobject_cast<TFeedbackForm *>(QApplication::activeModalWidget());
                    opening.window = feedback;
                    if (!feedback)
                        return;
                    opening.caption = feedback->windowTitle();
                    opening.modal = feedback->isModal();
                    opening.empty = feedback->Memo1->toPlainText().isEmpty() &&
                                    feedback->Edit1->text().isEmpty() &&
                                    !feedback->Panel4->isSelected() &&
                                    !feedback->Panel5->isSelected();
                    use(feedback);
                    if (opening.window)
                        opening.window->close();
                },
                Qt::QueuedConnection);
            open();
            return opening;
        };

        const Opening first = openAndThen([&] { main->SendFeedback1->trigger(); },
                                          [](TFeedbackForm *feedback) {
                                              QTest::mouseClick(feedback->Panel4, Qt::LeftButton);
                                              feedback->Memo1->setPlainText(QStringLiteral("Hi"));
                                              feedback->Edit1->setText(QStringLiteral("me@x.org"));
                                              feedback->BitBtn1->click();
                                          });
        QVERIFY(first.window.isNull());
        QCOMPARE(first.caption, QStringLiteral("Hushmill feedback"));
        QVERIFY(first.modal);
        QVERIFY(first.empty);
        const QList<VendorServer::Request> requests = feedbackRequests();
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().body, QByteArray("cmd=feedback&appname=QUONDEL+-+Hushmill&"
                                                   "version=1.2&feedback=I+like+it%21%0DHi&"
                                                   "email=me%40x.org"));
        QCOMPARE(dialogs::takeShownMessages().size(), 1);

        const Opening second =
            openAndThen([&] { main->ToolButton7->click(); }, [](TFeedbackForm *) {});
        QVERIFY(second.window.isNull());
        QVERIFY(second.empty);
        QCOMPARE(feedbackRequests().size(), 1);
    }
};

HUSHMILL_GUI_TEST_MAIN(TestFeedbackForm)
#include "tst_feedbackform.moc"
