#pragma once

#include <QPushButton>

// A push button whose icon stands `margin` pixels from its left edge, vertically centred, with
// the caption centred in the space right of the icon.
class GlyphButton : public QPushButton
{
public:
    GlyphButton(const QIcon &icon, int margin, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_margin;
};
