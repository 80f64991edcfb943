#pragma once

#include <QChar>
#include <QRandomGenerator>
#include <QString>
#include <vector>

// One falling drop of characters: its grid column, the grid row of its head, how often it
// moves (one row on every `speed`-th tick, 1 to 3) and how bright it is (0 to 99).
struct TMatrixDrop {
    int column = 0;
    int row = 0;
    int speed = 1;
    int brightness = 0;
};

// A colour of the falling characters: a green tint of one brightness level.
struct MatrixColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const MatrixColour &, const MatrixColour &) = default;
};

// The colour of a brightness level (0 to 255).
MatrixColour matrixColour(int level);

// Where the effect draws: cells of the grid, addressed by column and row. A cell may lie
// beyond the visible area; the surface then simply does not show it.
class MatrixCanvas
{
public:
    virtual ~MatrixCanvas() = default;
    // Paints the cell black.
    virtual void eraseCell(int column, int row) = 0;
    // Replaces the cell by `ch` in the colour of brightness `level` on black.
    virtual void drawCell(int column, int row, QChar ch, int level) = 0;
};

// The falling characters: a grid of 8 x 12 pixel cells over a window's outer size, two drops
// per column (at most 5000 drops), moved and drawn once per tick.
class MatrixEffect
{
public:
    static constexpr int MaxDrops = 5000;
    static constexpr int charWidth = 8;
    static constexpr int charHeight = 12;
    // How far above its head a drop erases its trail.
    static constexpr int TrailLength = 40;

    // A fixed seed makes the drops repeatable; without one every effect differs.
    explicit MatrixEffect(quint32 seed = QRandomGenerator::global()->generate());

    // The characters the drops show.
    QString MatrixChars = QStringLiteral("quo");

    // Starts over for a window of this outer size in pixels: tick 0, a new grid, new drops.
    void StartMatrix(int bitmapWidth, int bitmapHeight);
    // A new grid and new drops, always for the size given to StartMatrix.
    void ResetMatrix();
    // Removes every drop and adds two per column.
    void ResetDrops();
    // Adds a drop in the next column round the grid, unless there are 5000 already.
    void AddDrop();
    // One tick: every drop, in order, draws a random character and moves when its speed says.
    void StepMatrix(MatrixCanvas &canvas);

    int matrixWidth() const { return m_matrixWidth; }
    int matrixHeight() const { return m_matrixHeight; }
    int MatrixFrame() const { return m_frame; }
    const std::vector<TMatrixDrop> &MatrixDrops() const { return m_drops; }
    TMatrixDrop &drop(int index) { return m_drops.at(std::size_t(index)); }

private:
    void DrawDrop(const TMatrixDrop &drop, QChar ch, MatrixCanvas &canvas) const;
    // A random whole number from 0 to `count` - 1; 0 when `count` is not positive.
    int randomBelow(int count);

    QRandomGenerator m_random;
    int m_bitmapWidth = 0;
    int m_bitmapHeight = 0;
    int m_matrixWidth = 0;
    int m_matrixHeight = 0;
    int m_frame = 0;
    std::vector<TMatrixDrop> m_drops;
};
