// Texts as the tests compare them: lists of texts, and the texts a window holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using Texts = std::vector<std::wstring>;

// The text of a window of this process or of another one, as WM_GETTEXT gives it.
std::wstring TextOf(HWND window);
// The clipboard's text; empty when it holds none or cannot be opened.
std::wstring ClipboardText();
// The texts of the tabs of a tab control of this process, in order.
Texts TabTextsOf(HWND tabs);
