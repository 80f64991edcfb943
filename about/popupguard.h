#pragma once

#include <QtGlobal>
#include <functional>

class QObject;

// Milliseconds of a steady clock, wrapping round after 2^32 like a tick count since start-up.
quint32 steadyTickCount();

// Keeps the click that closes a drop-down menu from opening it again at once: when the menu
// closes because its own button was clicked, that click reaches the button as soon as the
// menu has returned.
class PopupGuard
{
public:
    static constexpr quint32 ReopenDelay = 100; // milliseconds

    explicit PopupGuard(std::function<quint32()> clock = steadyTickCount);

    // Whether `menu` may open below `button` now. Not when the same button and menu returned
    // fewer than ReopenDelay milliseconds ago; that pair is then forgotten, so the next click
    // opens the menu again.
    bool mayOpen(const QObject *button, const QObject *menu);
    // Records that the menu opened by `button` has returned.
    void popupReturned(const QObject *button, const QObject *menu);

    void setClock(std::function<quint32()> clock);

private:
    std::function<quint32()> m_clock;
    const QObject *m_button = nullptr;
    const QObject *m_menu = nullptr;
    quint32 m_returnedAt = 0;
};
