#pragma once

#include <functional>

// The default beep (a list command meeting a missing file, the end of a batch run).
void beep();

// Tests count beeps: the function replaces the sound; an empty function restores it.
void setBeepForTesting(std::function<void()> sound);
