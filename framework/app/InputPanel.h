// The soft input panel as layouts see it.
#pragma once

// The panel's height in pixels while it is shown, 0 while it is down.
int GetSipHeight();
// Brings the panel up; always returns true.
bool ShowSip();
