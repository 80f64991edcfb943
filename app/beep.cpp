#include "app/beep.h"

#include <QApplication>

namespace
{
std::function<void()> &testSound()
{
    static std::function<void()> sound;
    return sound;
}
} // namespace

void beep()
{
    if (testSound())
        testSound()();
    else
        QApplication::beep();
}

void setBeepForTesting(std::function<void()> sound)
{
    testSound() = std::move(sound);
}
