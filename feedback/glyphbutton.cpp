#include "feedback/glyphbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

GlyphButton::GlyphButton(const QIcon &icon, int margin, QWidget *parent)
    : QPushButton(icon, QString(), parent), m_margin(margin)
{
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect iconArea(QPoint(m_margin, (height() - iconSize().height()) / 2), iconSize());
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    icon().paint(&painter, iconArea, Qt::AlignCenter, mode);

    QStyleOptionButton label = option;
    label.icon = QIcon();
    label.rect.setLeft(iconArea.right() + 1);
    painter.drawControl(QStyle::CE_PushButtonLabel, label);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
