// The device screen as the stand-ins measure it.
#pragma once

// A length in 96-DPI design pixels on the current screen.
int ScaleToScreen(int designPixels);
