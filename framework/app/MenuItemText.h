// Texts of menu items and tabs made from names that may hold anything: a folder's, or a
// section of a definition file.
#pragma once

#include <string>

// `text` as a menu `menuWidth` pixels wide shows it whole: "&" as itself, not as the mark
// of a key, and a text too wide for the menu cut to end with "...".
std::wstring MenuItemText(const std::wstring& text, int menuWidth);

// `text` for a tab control or menu, where "&" marks the next character as the key: each "&"
// doubled, so that it shows as itself.
std::wstring Unprefixed(const std::wstring& text);
