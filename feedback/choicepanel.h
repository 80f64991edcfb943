#pragma once

#include <QFrame>

class QLabel;

// One choice of the feedback window: a panel with a 32 x 32 picture at its left and its caption
// in the middle. Not selected it is raised in the button colour with the window's text colour;
// selected it is sunken in the highlight colours. Both looks come from the palette. A press of
// any mouse button on the panel or its picture is announced by pressed(); what a press does is
// the window's business.
class ChoicePanel : public QFrame
{
    Q_OBJECT

public:
    explicit ChoicePanel(const QString &pictureName, QWidget *parent = nullptr);

    QLabel *picture() const { return m_picture; }
    QString caption() const;
    void setCaption(const QString &caption);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *m_picture;
    QLabel *m_caption;
    bool m_selected = false;
};
