// The device screen as the stand-ins measure it.
#pragma once

#include <windows.h>

// A length in 96-DPI design pixels on the current screen.
int ScaleToScreen(int designPixels);

// The device's screen on the host. On a host screen no larger than a device's (the run
// command's Wine desktop, or a device) it is the whole screen. On a larger one it is a
// device-sized rectangle, 240 x 320 scaled to the screen's resolution, in the middle of the
// host's work area: there the program shows everything the device shows full screen, so
// that it looks and lays out as on the device rather than stretched over a desktop.
RECT DeviceScreenRect();

// Whether the host's screen is larger than a device's, as a desktop's is; a keyboard is
// then at hand.
bool IsDesktopScreen();
