#include "CommandBar.h"

#include "ImageStrip.h"

#include <string>
#include <vector>

namespace {

constexpr UINT_PTR kCommandBarSubclass = 1;

struct CommandBarState {
    HIMAGELIST images = nullptr;
    std::vector<std::wstring> tooltips;
};

constexpr wchar_t kStateProperty[] = L"CommandBarState";

CommandBarState* StateOf(HWND bar) {
    return static_cast<CommandBarState*>(GetPropW(bar, kStateProperty));
}

// The tooltip of a command: the text given for its place among the non-separator buttons.
const wchar_t* TooltipOf(HWND bar, const CommandBarState& state, UINT_PTR command) {
    const int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, command, 0));
    if (index < 0) {
        return nullptr;
    }
    size_t place = 0;
    for (int before = 0; before < index; ++before) {
        TBBUTTON button = {};
        SendMessageW(bar, TB_GETBUTTON, before, reinterpret_cast<LPARAM>(&button));
        if (!(button.fsStyle & BTNS_SEP)) {
            ++place;
        }
    }
    return place < state.tooltips.size() ? state.tooltips[place].c_str() : nullptr;
}

// The bar's tooltip control asks the bar itself for the text of a button: answer it here,
// before the toolbar passes the question on to the bar's parent.
LRESULT CALLBACK CommandBarProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    auto* state = reinterpret_cast<CommandBarState*>(data);
    if (message == WM_NOTIFY) {
        auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (request->hdr.code == TTN_GETDISPINFOW) {
            if (const wchar_t* text = TooltipOf(bar, *state, request->hdr.idFrom)) {
                request->lpszText = const_cast<wchar_t*>(text);
                request->hinst = nullptr;
                return 0;
            }
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(bar, CommandBarProcedure, kCommandBarSubclass);
        RemovePropW(bar, kStateProperty);
        if (state->images != nullptr) {
            ImageList_Destroy(state->images);
        }
        delete state;
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

} // namespace

HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id) {
    const HWND bar = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, L"",
        WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NODIVIDER | TBSTYLE_FLAT | TBSTYLE_LIST |
            TBSTYLE_TOOLTIPS,
        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (bar == nullptr) {
        return nullptr;
    }
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    auto* state = new CommandBarState;
    SetPropW(bar, kStateProperty, state);
    SetWindowSubclass(bar, CommandBarProcedure, kCommandBarSubclass,
                      reinterpret_cast<DWORD_PTR>(state));
    return bar;
}

int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int, int) {
    CommandBarState* state = StateOf(bar);
    if (state == nullptr) {
        return -1;
    }
    const bool first = state->images == nullptr;
    const int index = AppendImageStrip(state->images, instance, bitmapId, count);
    if (first && state->images != nullptr) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(state->images, &width, &height);
        SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
        SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(state->images));
    }
    return index;
}

BOOL CommandBar_AddButtons(HWND bar, UINT count, const TBBUTTON* buttons) {
    return static_cast<BOOL>(
        SendMessageW(bar, TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(buttons)));
}

BOOL CommandBar_AddToolTips(HWND bar, UINT count, const wchar_t* const* texts) {
    CommandBarState* state = StateOf(bar);
    if (state == nullptr || (count > 0 && texts == nullptr)) {
        return FALSE;
    }
    state->tooltips.assign(texts, texts + count);
    return TRUE;
}

int CommandBar_Height(HWND bar) {
    RECT rect = {};
    GetWindowRect(bar, &rect);
    return rect.bottom - rect.top;
}
