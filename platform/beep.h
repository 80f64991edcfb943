#pragma once

namespace platform
{

// Sounds the default beep.
void beep();

// How many beeps this process has sounded; tests read it.
int beepCount();

} // namespace platform
