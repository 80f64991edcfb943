#include "feedback/choicepanel.h"

#include "app/icons.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

namespace
{
constexpr int pictureSide = 32;
constexpr int pictureMargin = 6;
} // namespace

ChoicePanel::ChoicePanel(const QString &pictureName, QWidget *parent)
    : QFrame(parent), m_picture(new QLabel(this)), m_caption(new QLabel(this))
{
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setLineWidth(1);

    m_picture->setFixedSize(pictureSide, pictureSide);
    m_picture->setScaledContents(true);
    m_picture->setPixmap(appIcon(pictureName).pixmap(pictureSide, pictureSide));
    m_caption->setAlignment(Qt::AlignCenter);
    // Presses on the picture and the caption belong to the panel.
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Picture and caption share the panel: the caption is centred over its whole width.
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(pictureMargin, 0, pictureMargin, 0);
    layout->addWidget(m_caption, 0, 0);
    layout->addWidget(m_picture, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);

    setSelected(false);
}

QString ChoicePanel::caption() const
{
    return m_caption->text();
}

void ChoicePanel::setCaption(const QString &caption)
{
    m_caption->setText(caption);
}

void ChoicePanel::setSelected(bool selected)
{
    m_selected = selected;
    setFrameStyle(QFrame::Panel | (selected ? QFrame::Sunken : QFrame::Raised));
    setBackgroundRole(selected ? QPalette::Highlight : QPalette::Button);
    m_caption->setForegroundRole(selected ? QPalette::HighlightedText : QPalette::WindowText);
}

void ChoicePanel::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
}
