// Included before every C++ file of ours (see CMakeLists.txt): the string calls that copy
// or format without a bound become errors, so that a long path or name can never overrun a
// buffer again. Use the platform's bounded calls instead, which refuse or cut and say
// which: StringCchCopyW, StringCchCatW, StringCchPrintfW (<strsafe.h>), or swprintf with
// its size.
//
// Each banned name is renamed to a function that does not exist: a call fails to compile
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

#define strcpy strcpy_is_unbounded_use_StringCchCopyA
#define wcscpy wcscpy_is_unbounded_use_StringCchCopyW
#define wcsncpy wcsncpy_may_leave_no_terminator_use_StringCchCopyW
#define lstrcpy lstrcpy_is_unbounded_use_StringCchCopyW
#define lstrcpyA lstrcpyA_is_unbounded_use_StringCchCopyA
#define lstrcpyW lstrcpyW_is_unbounded_use_StringCchCopyW
#define strcat strcat_is_unbounded_use_StringCchCatA
#define wcscat wcscat_is_unbounded_use_StringCchCatW
#define wcsncat wcsncat_is_unbounded_use_StringCchCatW
#define lstrcat lstrcat_is_unbounded_use_StringCchCatW
#define lstrcatA lstrcatA_is_unbounded_use_StringCchCatA
#define lstrcatW lstrcatW_is_unbounded_use_StringCchCatW
#define sprintf sprintf_is_unbounded_use_snprintf
#define vsprintf vsprintf_is_unbounded_use_vsnprintf
#define _swprintf _swprintf_is_unbounded_use_StringCchPrintfW
#define _snwprintf _snwprintf_may_leave_no_terminator_use_StringCchPrintfW
#define wsprintf wsprintf_is_unbounded_use_StringCchPrintfW
#define wsprintfA wsprintfA_is_unbounded_use_StringCchPrintfA
#define wsprintfW wsprintfW_is_unbounded_use_StringCchPrintfW
#define wvsprintf wvsprintf_is_unbounded_use_StringCchVPrintfW
#define wvsprintfA wvsprintfA_is_unbounded_use_StringCchVPrintfA
#define wvsprintfW wvsprintfW_is_unbounded_use_StringCchVPrintfW
