// The main function of every test program. Besides running the tests it fails any test
// during which a hardware exception (an access violation, an illegal instruction, a
// division by zero...) was raised on any thread, even when a window procedure's caller
// caught it and went on: such a fault is a bug even where the platform swallows it.
#include "HardwareExceptions.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace {

std::atomic<long> faults{0};
std::atomic<DWORD> lastCode{0};
std::atomic<void*> lastAddress{nullptr};

// Sees every exception first, before any handler can swallow it; only counts, so that it
// is safe in whatever state the faulting thread is.
LONG CALLBACK CountHardwareException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (IsHardwareException(record.ExceptionCode)) {
        lastCode = record.ExceptionCode;
        lastAddress = record.ExceptionAddress;
        ++faults;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Fails the test in which faults were counted. A listener's end-of-test call comes before
// the result is printed, and a failure added there belongs to the test.
class HardwareExceptionGuard : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override { before = faults; }
    void OnTestEnd(const ::testing::TestInfo&) override {
        const long raised = faults - before;
        if (raised > 0) {
            counted += raised;
            ADD_FAILURE() << raised << " hardware exception(s) during the test, the last one "
                          << "code 0x" << std::hex << lastCode.load() << " at "
                          << lastAddress.load();
        }
    }

    long counted = 0;

private:
    long before = 0;
};

// An exception that no handler takes ends the program at once with a failure. Left to the
// system, Wine starts its debugger on the process, and the run waits until its time-out.
LONG WINAPI EndAsFailed(EXCEPTION_POINTERS* exception) {
    fprintf(stderr, "unhandled exception code 0x%lx at %p: the test program ends\n",
            static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode),
            exception->ExceptionRecord->ExceptionAddress);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    SetUnhandledExceptionFilter(EndAsFailed);
    AddVectoredExceptionHandler(1, CountHardwareException);
    auto* guard = new HardwareExceptionGuard; // the listener list owns it
    ::testing::UnitTest::GetInstance()->listeners().Append(guard);
    const int result = RUN_ALL_TESTS();
    // Faults outside every test, in a suite's set-up or teardown, fail the program.
    if (faults > guard->counted) {
        fprintf(stderr, "%ld hardware exception(s) outside the tests, the last one code 0x%lx\n",
                faults - guard->counted, static_cast<unsigned long>(lastCode));
        return 1;
    }
    return result;
}
