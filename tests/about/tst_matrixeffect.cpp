#include "about/matrixeffect.h"

#include <QTest>

namespace
{
// One cell the effect touched: erased, or drawn with a character at a brightness level.
struct Cell {
    bool erased = false;
    int column = 0;
    int row = 0;
    QChar ch;
    int level = 0;
};

class RecordingCanvas : public MatrixCanvas
{
public:
    void eraseCell(int column, int row) override { cells.append({true, column, row, {}, 0}); }
    void drawCell(int column, int row, QChar ch, int level) override
    {
        cells.append({false, column, row, ch, level});
    }
    QList<Cell> cells;
};

// The cells the first drop touched in one tick: the erased end of its trail, then the dim cell
// above its head (when there is one), then its head.
QList<Cell> stepFirstDrop(MatrixEffect &effect)
{
    RecordingCanvas canvas;
    const bool hasDimCell = effect.drop(0).row > 0;
    effect.StepMatrix(canvas);
    return canvas.cells.mid(0, hasDimCell ? 3 : 2);
}
} // namespace

class TestMatrixEffect : public QObject
{
    Q_OBJECT

private slots:
    void gridAndDrops_data()
    {
        QTest::addColumn<int>("outerWidth");
        QTest::addColumn<int>("outerHeight");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("drops");
        // clang-format off
        QTest::newRow("framed About box")     << 462      << 400 << 57   << 33 << 114;
        QTest::newRow("client area only")     << 446      << 374 << 55   << 31 << 110;
        QTest::newRow("narrower than a cell") << 7        << 400 << 0    << 33 << 0;
        QTest::newRow("lower than a cell")    << 462      << 11  << 57   << 0  << 114;
        QTest::newRow("2600 columns")         << 2600 * 8 << 400 << 2600 << 33 << 5000;
        // clang-format on
    }
    void gridAndDrops()
    {
        QFETCH(int, outerWidth);
        QFETCH(int, outerHeight);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, drops);
        MatrixEffect effect;
        effect.StartMatrix(outerWidth, outerHeight);
        QCOMPARE(effect.matrixWidth(), columns);
        QCOMPARE(effect.matrixHeight(), rows);
        QCOMPARE(int(effect.MatrixDrops().size()), drops);
        // Drops go round the columns: drop n and drop n + columns share a column.
        for (int n = 0; n < drops; ++n) {
            const TMatrixDrop &drop = effect.MatrixDrops()[std::size_t(n)];
            QCOMPARE(drop.column, n % columns);
            QVERIFY(drop.row >= 0 && drop.row < std::max(rows, 1));
            QVERIFY(drop.speed >= 1 && drop.speed <= 3);
            QVERIFY(drop.brightness >= 0 && drop.brightness <= 99);
        }
        // A tick touches at most three cells per drop, and ends on any grid.
        RecordingCanvas canvas;
        effect.StepMatrix(canvas);
        QVERIFY(canvas.cells.size() <= 3 * drops);
        QCOMPARE(effect.MatrixFrame(), 1);
    }

    void randomValuesCoverTheirRanges()
    {
        MatrixEffect effect(7);
        effect.StartMatrix(2500 * 8, 400);
        QSet<int> speeds, brightness, rows;
        for (const TMatrixDrop &drop : effect.MatrixDrops()) {
            speeds << drop.speed;
            brightness << drop.brightness;
            rows << drop.row;
        }
        QCOMPARE(speeds, QSet<int>({1, 2, 3}));
        QCOMPARE(brightness.size(), 100);
        QCOMPARE(rows.size(), 33);
    }

    void startingAgainReplacesTheDrops()
    {
        MatrixEffect effect;
        effect.StartMatrix(462, 400);
        RecordingCanvas canvas;
        effect.StepMatrix(canvas);
        effect.StartMatrix(462, 400);
        QCOMPARE(effect.MatrixFrame(), 0);
        QCOMPARE(int(effect.MatrixDrops().size()), 114);
        effect.ResetMatrix();
        QCOMPARE(int(effect.MatrixDrops().size()), 114);
    }

    // Moves on ticks 0, 3, 6; draws its head with a new character on every tick.
    void speedThreeDropMovesEveryThirdTick()
    {
        MatrixEffect effect;
        effect.StartMatrix(462, 400);
        effect.drop(0) = {4, 5, 3, 99};
        const QList<int> heads = {5, 6, 6, 6, 7, 7, 7};
        for (int tick = 0; tick < heads.size(); ++tick) {
            const QList<Cell> cells = stepFirstDrop(effect);
            QCOMPARE(cells.size(), 3);
            const Cell &dim = cells[1];
            const Cell &head = cells[2];
            QCOMPARE(head.row, heads[tick]);
            QCOMPARE(head.column, 4);
            QCOMPARE(head.level, 252);
            QVERIFY(QStringLiteral("quo").contains(head.ch));
            QCOMPARE(dim.row, heads[tick] - 1);
            QCOMPARE(dim.level, 84);
            QCOMPARE(dim.ch, head.ch);
        }
        QCOMPARE(effect.drop(0).row, 8);
    }

    // Drawn at row matrixHeight + 1, the drop starts again at the top with a new speed and
    // brightness; at row 0 no dim cell is drawn above it.
    void dropRestartsAtTheTopAfterTheRowBelowTheGrid()
    {
        MatrixEffect effect;
        effect.StartMatrix(462, 400);
        effect.drop(0) = {9, 34, 1, 0};
        QCOMPARE(stepFirstDrop(effect).last().row, 34);
        const TMatrixDrop restarted = effect.drop(0);
        QCOMPARE(restarted.row, 0);
        QCOMPARE(restarted.column, 9);
        QVERIFY(restarted.speed >= 1 && restarted.speed <= 3);
        QVERIFY(restarted.brightness >= 0 && restarted.brightness <= 99);

        const QList<Cell> cells = stepFirstDrop(effect);
        QCOMPARE(cells.size(), 2);
        QVERIFY(cells[0].erased);
        QVERIFY(!cells[1].erased);
        QCOMPARE(cells[1].row, 0);
        QCOMPARE(cells[1].level, restarted.brightness * 255 / 100);
    }

    // The trail's end is erased 40 rows above the head, counted round a grid of rows + 1.
    void trailEndIsErased_data()
    {
        QTest::addColumn<int>("outerHeight");
        QTest::addColumn<int>("head");
        QTest::addColumn<int>("erased");
        QTest::newRow("40 rows above") << 600 << 45 << 5; // 50 rows
        QTest::newRow("at the head's row 40") << 400 << 40 << 0;
        QTest::newRow("wrapped once") << 400 << 10 << 4;  // 33 rows: 10 - 40 + 34
        QTest::newRow("wrapped twice") << 400 << 5 << 33; // 5 - 40 + 34 + 34
        QTest::newRow("short grid") << 120 << 3 << 7;     // 10 rows: 40 mod 11 = 7 above
        QTest::newRow("grid without rows") << 11 << 0 << 0;
    }
    void trailEndIsErased()
    {
        QFETCH(int, outerHeight);
        QFETCH(int, head);
        QFETCH(int, erased);
        MatrixEffect effect;
        effect.StartMatrix(462, outerHeight);
        effect.drop(0) = {2, head, 1, 50};
        const Cell cell = stepFirstDrop(effect).first();
        QVERIFY(cell.erased);
        QCOMPARE(cell.column, 2);
        QCOMPARE(cell.row, erased);
    }

    void brightAndDimLevels_data()
    {
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("bright");
        QTest::addColumn<int>("dim");
        // clang-format off
        QTest::newRow("brightest") << 99 << 252 << 84;
        QTest::newRow("half")      << 50 << 127 << 42;
        QTest::newRow("one")       << 1  << 2   << 0;
        QTest::newRow("darkest")   << 0  << 0   << 0;
        // clang-format on
    }
    void brightAndDimLevels()
    {
        QFETCH(int, brightness);
        QFETCH(int, bright);
        QFETCH(int, dim);
        MatrixEffect effect;
        effect.StartMatrix(462, 400);
        effect.drop(0) = {0, 10, 1, brightness};
        const QList<Cell> cells = stepFirstDrop(effect);
        QCOMPARE(cells[1].level, dim);
        QCOMPARE(cells[2].level, bright);
    }

    void levelColours_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        // clang-format off
        QTest::newRow("252") << 252 << 148 << 252 << 98;
        QTest::newRow("84")  << 84  << 49  << 84  << 32;
        QTest::newRow("255") << 255 << 150 << 255 << 100;
        QTest::newRow("0")   << 0   << 0   << 0   << 0;
        // clang-format on
    }
    void levelColours()
    {
        QFETCH(int, level);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QCOMPARE(matrixColour(level), (MatrixColour{red, green, blue}));
    }
};

QTEST_GUILESS_MAIN(TestMatrixEffect)
#include "tst_matrixeffect.moc"
