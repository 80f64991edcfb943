#include "about/matriximage.h"

#include <QFontMetrics>
#include <QPainter>

namespace
{
// The largest size of a fixed-pitch face whose lines fit the cell height, descenders included.
QFont cellFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    int pixels = MatrixEffect::charHeight;
    do
        font.setPixelSize(pixels--);
    while (pixels > 1 && QFontMetrics(font).height() > MatrixEffect::charHeight);
    return font;
}

QRect cellRect(int column, int row, int rows = 1)
{
    return {column * MatrixEffect::charWidth, row * MatrixEffect::charHeight,
            MatrixEffect::charWidth, rows * MatrixEffect::charHeight};
}
} // namespace

// Draws the cells of one tick into the image and collects where it drew.
class MatrixImage::CellPainter : public MatrixCanvas
{
public:
    explicit CellPainter(MatrixImage &image) : m_owner(image), m_painter(&image.m_image) {}

    void eraseCell(int column, int row) override
    {
        const QRect cell = cellRect(column, row);
        m_painter.fillRect(cell, Qt::black);
        m_changed += cell;
    }

    void drawCell(int column, int row, QChar ch, int level) override
    {
        const QRect cell = cellRect(column, row);
        m_painter.drawImage(cell.topLeft(), m_owner.glyph(ch, level));
        m_changed += cell;
    }

    QRegion changed() const { return m_changed; }

private:
    MatrixImage &m_owner;
    QPainter m_painter;
    QRegion m_changed;
};

MatrixImage::MatrixImage() : m_font(cellFont()) {}

void MatrixImage::reset(QSize size, qreal devicePixelRatio)
{
    if (!qFuzzyCompare(devicePixelRatio, m_image.devicePixelRatio()))
        m_glyphs.clear();
    m_image = QImage(size * devicePixelRatio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(devicePixelRatio);
    m_image.fill(Qt::black);
}

QRegion MatrixImage::step(MatrixEffect &effect)
{
    CellPainter cells(*this);
    effect.StepMatrix(cells);
    return cells.changed();
}

void MatrixImage::paint(QPainter &painter, const QRegion &region) const
{
    const qreal ratio = m_image.devicePixelRatio();
    for (const QRect &rect : region) {
        const QRectF source(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio);
        painter.drawImage(QRectF(rect), m_image, source);
    }
}

const QImage &MatrixImage::glyph(QChar ch, int level)
{
    const quint32 key = quint32(ch.unicode()) << 8 | quint32(level);
    auto found = m_glyphs.constFind(key);
    if (found != m_glyphs.constEnd())
        return *found;

    const qreal ratio = m_image.devicePixelRatio();
    QImage picture(QSize(MatrixEffect::charWidth, MatrixEffect::charHeight) * ratio,
                   QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    const MatrixColour colour = matrixColour(level);
    painter.setPen(QColor(colour.red, colour.green, colour.blue));
    painter.setFont(m_font);
    painter.drawText(cellRect(0, 0), Qt::AlignLeft | Qt::AlignTop, QString(ch));
    painter.end();
    return *m_glyphs.insert(key, picture);
}
