// Included before every C++ file of ours (see CMakeLists.txt): the string calls that copy
// or format without a bound become errors, so that a long path or name can never overrun a
// buffer again. Use the platform's bounded calls instead, which refuse or cut and say
// which: StringCchCopyW, StringCchCatW, StringCchPrintfW (<strsafe.h>), or swprintf with
// its size.
//
// Each banned call is renamed to a function that does not exist: a call fails to compile
// (or, where a later header declared the new name, to link), and the message names the
// call to use. The headers that declare the banned names come first.
#pragma once

#ifdef __cplusplus
#include <cstdio>
#include <cstring>
#include <cwchar>
#endif

#include <windows.h>

#define STRSAFE_NO_DEPRECATE
#include <strsafe.h>

#undef lstrcpy
#undef lstrcat
#undef wsprintf
#undef wvsprintf

#define strcpy(...) strcpy_is_unbounded_use_StringCchCopyA(__VA_ARGS__)
#define wcscpy(...) wcscpy_is_unbounded_use_StringCchCopyW(__VA_ARGS__)
#define wcsncpy(...) wcsncpy_may_leave_no_terminator_use_StringCchCopyW(__VA_ARGS__)
#define lstrcpy(...) lstrcpy_is_unbounded_use_StringCchCopyW(__VA_ARGS__)
#define lstrcpyA(...) lstrcpyA_is_unbounded_use_StringCchCopyA(__VA_ARGS__)
#define lstrcpyW(...) lstrcpyW_is_unbounded_use_StringCchCopyW(__VA_ARGS__)
#define strcat(...) strcat_is_unbounded_use_StringCchCatA(__VA_ARGS__)
#define wcscat(...) wcscat_is_unbounded_use_StringCchCatW(__VA_ARGS__)
#define wcsncat(...) wcsncat_is_unbounded_use_StringCchCatW(__VA_ARGS__)
#define lstrcat(...) lstrcat_is_unbounded_use_StringCchCatW(__VA_ARGS__)
#define lstrcatA(...) lstrcatA_is_unbounded_use_StringCchCatA(__VA_ARGS__)
#define lstrcatW(...) lstrcatW_is_unbounded_use_StringCchCatW(__VA_ARGS__)
#define sprintf(...) sprintf_is_unbounded_use_snprintf(__VA_ARGS__)
#define vsprintf(...) vsprintf_is_unbounded_use_vsnprintf(__VA_ARGS__)
#define _swprintf(...) _swprintf_is_unbounded_use_StringCchPrintfW(__VA_ARGS__)
#define _snwprintf(...) _snwprintf_may_leave_no_terminator_use_StringCchPrintfW(__VA_ARGS__)
#define wsprintf(...) wsprintf_is_unbounded_use_StringCchPrintfW(__VA_ARGS__)
#define wsprintfA(...) wsprintfA_is_unbounded_use_StringCchPrintfA(__VA_ARGS__)
#define wsprintfW(...) wsprintfW_is_unbounded_use_StringCchPrintfW(__VA_ARGS__)
#define wvsprintf(...) wvsprintf_is_unbounded_use_StringCchVPrintfW(__VA_ARGS__)
#define wvsprintfA(...) wvsprintfA_is_unbounded_use_StringCchVPrintfA(__VA_ARGS__)
#define wvsprintfW(...) wvsprintfW_is_unbounded_use_StringCchVPrintfW(__VA_ARGS__)
