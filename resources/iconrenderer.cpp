// Draws the program's icon as a square PNG of a given size, for the icon theme's fixed-size
// folders: iconrenderer <icon.svg> <size> <output.png>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        QTextStream(stderr) << "usage: iconrenderer ICON.svg SIZE OUTPUT.png\n";
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[2]).toInt();
    if (!renderer.isValid() || size <= 0) {
        QTextStream(stderr) << "iconrenderer: cannot draw " << argv[1] << " at size " << argv[2]
                            << '\n';
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
