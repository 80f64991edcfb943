#include "app/icons.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace
{
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString &fileName) : m_fileName(fileName) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        QSvgRenderer renderer(m_fileName);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        renderer.render(painter, rect);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return picture;
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_fileName); }

private:
    QString m_fileName;
};
} // namespace

QIcon appIcon(const QString &name)
{
    return QIcon(new SvgIconEngine(QStringLiteral(":/icons/%1.svg").arg(name)));
}
