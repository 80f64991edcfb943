#include "about/popupguard.h"

#include <QObject>
#include <QTest>

class TestPopupGuard : public QObject
{
    Q_OBJECT

private slots:
    // The menu returned at `returnedAt`; the button is clicked again at `clickedAt`.
    void reopening_data()
    {
        QTest::addColumn<quint32>("returnedAt");
        QTest::addColumn<quint32>("clickedAt");
        QTest::addColumn<bool>("sameButton");
        QTest::addColumn<bool>("sameMenu");
        QTest::addColumn<bool>("opens");
        // clang-format off
        QTest::newRow("at once")                          << 5000u       << 5000u       << true  << true  << false;
        QTest::newRow("99 ms later")                      << 5000u       << 5099u       << true  << true  << false;
        QTest::newRow("100 ms later")                     << 5000u       << 5100u       << true  << true  << true;
        QTest::newRow("a second later")                   << 5000u       << 6000u       << true  << true  << true;
        QTest::newRow("tick count wrapped, 32 ms later")  << 0xFFFFFFF0u << 0x00000010u << true  << true  << false;
        QTest::newRow("tick count wrapped, 112 ms later") << 0xFFFFFFF0u << 0x00000060u << true  << true  << true;
        QTest::newRow("another button")                   << 5000u       << 5000u       << false << true  << true;
        QTest::newRow("another menu")                     << 5000u       << 5000u       << true  << false << true;
        // clang-format on
    }
    void reopening()
    {
        QFETCH(quint32, returnedAt);
        QFETCH(quint32, clickedAt);
        QFETCH(bool, sameButton);
        QFETCH(bool, sameMenu);
        QFETCH(bool, opens);
        QObject button, otherButton, menu, otherMenu;
        quint32 now = returnedAt;
        PopupGuard guard([&now] { return now; });
        QVERIFY(guard.mayOpen(&button, &menu));
        guard.popupReturned(&button, &menu);
        now = clickedAt;
        QCOMPARE(guard.mayOpen(sameButton ? &button : &otherButton, sameMenu ? &menu : &otherMenu),
                 opens);
        // A click kept from reopening the menu is forgotten: the next one opens it.
        if (!opens)
            QVERIFY(guard.mayOpen(&button, &menu));
    }
};

QTEST_GUILESS_MAIN(TestPopupGuard)
#include "tst_popupguard.moc"
