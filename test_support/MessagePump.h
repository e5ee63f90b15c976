// Handles every queued message as the program's loop would, dialog pass included, so that
// window tests see what posted messages do. A quit message is dropped.
#pragma once

void PumpMessages();
