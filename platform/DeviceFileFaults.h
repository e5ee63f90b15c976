// Test seams of the device's file calls: every call is counted, and a test may make one
// call, or the writes into one folder, fail as a device can and a host cannot easily be made
// to. Nothing here runs unless a test asks for it; the device calls only ask whether the
// call in hand is one to fail.
#pragma once

#include <windows.h>

// Makes writes into `folder` (and below it) fail with `error`, a full disk or a read-only
// folder, after `successes` of them have gone through: a file made there, or a file or
// folder moved there from elsewhere. Null: none fail.
void SetWriteFaultForTesting(const wchar_t* folder, DWORD error, int successes);
// Makes the device file call with the given index fail with `error`, counting every call
// from 0 at this one; a write that fails has written half its bytes first. A negative
// index: none fail.
void SetFileCallFaultForTesting(long index, DWORD error);
// The device file calls made since the last SetFileCallFaultForTesting.
long FileCallsForTesting();

// Counts a device file call; true, with the test's error set, when it is the one to fail.
bool FileCallFaultInjected();
// True, with the test's error set, when a write into `target` from `source` (null: a file
// made there) is to fail.
bool WriteFaultInjected(const wchar_t* target, const wchar_t* source = nullptr);
