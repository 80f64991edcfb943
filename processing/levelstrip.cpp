#include "processing/levelstrip.h"

#include "processing/savedtime.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double lowestDb = -100.0; // the bottom edge; the threshold slider's lowest setting
constexpr int margin = 2;

} // namespace

LevelStrip::LevelStrip(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(96);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LevelStrip::showLoudness(const Loudness &loudness)
{
    m_loudness = loudness;
    m_hasLoudness = true;
    m_message.clear();
    reshade();
}

void LevelStrip::showMessage(const QString &text)
{
    m_loudness = Loudness();
    m_hasLoudness = false;
    m_message = text;
    reshade();
}

void LevelStrip::setSettings(const SilenceSettings &settings)
{
    m_settings = settings;
    reshade();
}

void LevelStrip::reshade()
{
    m_removed = m_hasLoudness ? removedStretches(m_loudness, m_settings) : QList<WindowStretch>();
    m_removedSeconds = ::removedSeconds(m_loudness, m_removed);
    update();
}

double LevelStrip::yOf(double db) const
{
    const double share = std::clamp(db / lowestDb, 0.0, 1.0);
    return margin + share * (height() - 2 * margin);
}

void LevelStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    if (!m_hasLoudness) {
        painter.setPen(palette().text().color());
        painter.drawText(area.adjusted(6, 0, -6, 0), Qt::AlignCenter | Qt::TextSingleLine,
                         m_message);
        return;
    }

    const qsizetype windows = m_loudness.meanSquares.size();
    const int width = std::max(1, area.width() - 2 * margin);
    const auto xOf = [&](qsizetype window) {
        return margin + double(window) * width / double(std::max<qsizetype>(windows, 1));
    };

    // What would be removed, behind the levels.
    const QColor shade(220, 60, 60, 70);
    for (const WindowStretch &stretch : std::as_const(m_removed))
        painter.fillRect(
            QRectF(QPointF(xOf(stretch.first), area.top() + 1),
                   QPointF(std::max(xOf(stretch.end), xOf(stretch.first) + 1), area.bottom())),
            shade);

    // The loudest window of each column of pixels.
    painter.setPen(palette().highlight().color());
    for (int x = 0; x < width; ++x) {
        const auto first = qsizetype(double(x) * windows / width);
        const auto end = std::max(first + 1, qsizetype(double(x + 1) * windows / width));
        if (first >= windows)
            break;
        float loudest = 0.0f;
        for (qsizetype i = first; i < std::min(end, windows); ++i)
            loudest = std::max(loudest, m_loudness.meanSquares[i]);
        painter.drawLine(QPointF(margin + x + 0.5, yOf(levelDb(loudest))),
                         QPointF(margin + x + 0.5, area.bottom() - margin));
    }

    const double threshold = -double(m_settings.threshold);
    painter.setPen(QPen(QColor(200, 30, 30), 1));
    painter.drawLine(QPointF(margin, yOf(threshold)),
                     QPointF(area.right() - margin, yOf(threshold)));

    painter.setPen(palette().text().color());
    const QString summary = QStringLiteral("%1 of %2 removed")
                                .arg(clockText(std::llround(m_removedSeconds)),
                                     clockText(std::llround(m_loudness.seconds())));
    painter.drawText(area.adjusted(6, 3, -6, -3), Qt::AlignTop | Qt::AlignRight, summary);
}
