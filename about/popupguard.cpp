#include "about/popupguard.h"

#include <chrono>

quint32 steadyTickCount()
{
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

PopupGuard::PopupGuard(std::function<quint32()> clock) : m_clock(std::move(clock)) {}

bool PopupGuard::mayOpen(const QObject *button, const QObject *menu)
{
    // Unsigned difference: right also when the tick count has wrapped round in between.
    if (button == m_button && menu == m_menu && quint32(m_clock() - m_returnedAt) < ReopenDelay) {
        m_button = nullptr;
        m_menu = nullptr;
        return false;
    }
    return true;
}

void PopupGuard::popupReturned(const QObject *button, const QObject *menu)
{
    m_returnedAt = m_clock();
    m_button = button;
    m_menu = menu;
}

void PopupGuard::setClock(std::function<quint32()> clock)
{
    m_clock = std::move(clock);
}
