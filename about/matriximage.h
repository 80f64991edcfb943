#pragma once

#include "about/matrixeffect.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QRegion>

class QPainter;

// The falling characters kept in an image of a window's client area, so that a tick redraws
// only the cells it changed and a repaint copies them back from the image.
class MatrixImage
{
public:
    MatrixImage();

    // A black image of `size` (logical pixels) at `devicePixelRatio`.
    void reset(QSize size, qreal devicePixelRatio);
    // Runs one tick of `effect` on the image; answers the area it changed, in logical pixels.
    QRegion step(MatrixEffect &effect);
    // Copies `region` of the image to `painter`, at the same place.
    void paint(QPainter &painter, const QRegion &region) const;

    const QImage &image() const { return m_image; }

private:
    class CellPainter;
    // A character on black, one cell large, drawn once per character and level.
    const QImage &glyph(QChar ch, int level);

    QImage m_image;
    QFont m_font;
    QHash<quint32, QImage> m_glyphs;
};
