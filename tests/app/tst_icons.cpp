#include "app/icons.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    // Qt's SVG renderer warns about what it cannot draw (unknown elements, dangling references).
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void drawsVisiblyAtListAndToolbarSizes_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name :
             {"hushmill", "file-sound", "add-video", "add-folder", "envelope-letter-icon",
              "sign-info-icon", "sign-question-icon", "exit", "help", "feedback", "about",
              "tick_button", "folder32", "close", "arrow"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // A missing file or one Qt's SVG renderer cannot read gives a transparent square; a picture
    // drawn for a larger view box than it declares ends up as a speck in the corner.
    void drawsVisiblyAtListAndToolbarSizes()
    {
        QFETCH(QString, name);
        for (int side : {16, 64}) {
            const QImage image = appIcon(name).pixmap(side, side).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            QRect drawn;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    if (qAlpha(image.pixel(x, y)) > 0)
                        drawn |= QRect(x, y, 1, 1);
            QVERIFY2(drawn.width() >= side / 2 || drawn.height() >= side / 2,
                     qPrintable(QStringLiteral("%1 at %2 px covers only %3 x %4")
                                    .arg(name)
                                    .arg(side)
                                    .arg(drawn.width())
                                    .arg(drawn.height())));
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // the background stays transparent
        }
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
