// Counts the test program's live allocations through operator new, so that tests can check
// that a load frees everything it allocated.
#pragma once

long long LiveAllocations();
