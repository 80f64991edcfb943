#pragma once

namespace platform
{

// Whether a desktop session is there to show windows on (an X11 or Wayland display).
bool hasDisplay();

} // namespace platform
