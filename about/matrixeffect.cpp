#include "about/matrixeffect.h"

MatrixColour matrixColour(int level)
{
    return {level * 150 / 255, level, level * 100 / 255};
}

MatrixEffect::MatrixEffect(quint32 seed) : m_random(seed)
{
    m_drops.reserve(MaxDrops);
}

void MatrixEffect::StartMatrix(int bitmapWidth, int bitmapHeight)
{
    m_frame = 0;
    m_bitmapWidth = bitmapWidth;
    m_bitmapHeight = bitmapHeight;
    ResetMatrix();
}

void MatrixEffect::ResetMatrix()
{
    m_matrixWidth = m_bitmapWidth / charWidth;
    m_matrixHeight = m_bitmapHeight / charHeight;
    ResetDrops();
}

void MatrixEffect::ResetDrops()
{
    m_drops.clear();
    for (int i = 0; i < 2 * m_matrixWidth; ++i)
        AddDrop();
}

void MatrixEffect::AddDrop()
{
    if (m_drops.size() >= MaxDrops || m_matrixWidth <= 0)
        return;
    TMatrixDrop drop;
    drop.column = int(m_drops.size()) % m_matrixWidth;
    drop.row = randomBelow(m_matrixHeight);
    drop.speed = 1 + randomBelow(3);
    drop.brightness = randomBelow(100);
    m_drops.push_back(drop);
}

void MatrixEffect::StepMatrix(MatrixCanvas &canvas)
{
    for (TMatrixDrop &drop : m_drops) {
        DrawDrop(drop, MatrixChars.at(randomBelow(int(MatrixChars.size()))), canvas);
        if (m_frame % drop.speed == 0 && ++drop.row > m_matrixHeight + 1) {
            drop.row = 0;
            drop.speed = 1 + randomBelow(3);
            drop.brightness = randomBelow(100);
        }
    }
    ++m_frame;
}

void MatrixEffect::DrawDrop(const TMatrixDrop &drop, QChar ch, MatrixCanvas &canvas) const
{
    // The trail ends TrailLength rows above the head, counted round a grid of
    // matrixHeight + 1 rows when the grid is shorter.
    int trailEnd = drop.row - TrailLength;
    while (trailEnd < 0)
        trailEnd += m_matrixHeight + 1;
    canvas.eraseCell(drop.column, trailEnd);

    const int bright = drop.brightness * 255 / 100;
    if (drop.row > 0)
        canvas.drawCell(drop.column, drop.row - 1, ch, bright / 3);
    canvas.drawCell(drop.column, drop.row, ch, bright);
}

int MatrixEffect::randomBelow(int count)
{
    return count > 0 ? int(m_random.bounded(quint32(count))) : 0;
}
