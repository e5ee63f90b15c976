// A Control Panel library for the file list's tests: two applets, the first with an icon,
// the second without. It writes down every call, which the tests read through
// TestAppletCalls after loading the library themselves.
#include <strsafe.h>
#include <windows.h>

#include <cpl.h>

#include <string>

namespace {

constexpr int kClockIcon = 130;
std::wstring calls;
HINSTANCE instance = nullptr;

// A message's parameters where the published protocol has them 0: none written when they are.
std::wstring UnusedParameters(LPARAM first, LPARAM second) {
    if (first == 0 && second == 0) {
        return L"";
    }
    return L"(" + std::to_wstring(first) + L"," + std::to_wstring(second) + L")";
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        instance = module;
    }
    return TRUE;
}

extern "C" __declspec(dllexport) const wchar_t* TestAppletCalls() {
    return calls.c_str();
}

extern "C" __declspec(dllexport) LONG CALLBACK
    CPlApplet(HWND, UINT message, LPARAM first, LPARAM second) {
    switch (message) {
    case CPL_INIT:
        calls += L"init" + UnusedParameters(first, second) + L" ";
        return 1;
    case CPL_GETCOUNT:
        calls += L"count" + UnusedParameters(first, second) + L" ";
        return 2;
    case CPL_NEWINQUIRE: {
        calls += L"inquire" + std::to_wstring(first) + L" ";
        auto* info = reinterpret_cast<NEWCPLINFOW*>(second);
        if (info->dwSize != sizeof *info) {
            return 1;
        }
        if (first == 0) {
            info->lData = kClockIcon;
            info->hIcon = static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(kClockIcon), IMAGE_ICON, 32, 32, 0));
            StringCchCopyW(info->szName, ARRAYSIZE(info->szName), L"Clock");
            StringCchCopyW(info->szInfo, ARRAYSIZE(info->szInfo), L"Sets the date and time");
        } else {
            StringCchCopyW(info->szName, ARRAYSIZE(info->szName), L"Hidden");
        }
        return 0;
    }
    case CPL_STOP:
        calls += L"stop" + std::to_wstring(first) + L"," + std::to_wstring(second) + L" ";
        return 0;
    case CPL_EXIT:
        calls += L"exit" + UnusedParameters(first, second);
        return 0;
    default:
        return 0;
    }
}
