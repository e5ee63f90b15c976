#include "DeviceFileFaults.h"

#include <atomic>
#include <cwchar>
#include <memory>
#include <string>

namespace {

struct WriteFault {
    std::wstring folder; // with its trailing "\"
    DWORD error = 0;
    int successes = 0;
};
std::unique_ptr<WriteFault> writeFault;

// Calls may come from a file operation's worker thread.
std::atomic<long> fileCalls{0};
std::atomic<long> faultyCall{-1};
std::atomic<DWORD> faultyCallError{0};

bool InFolder(const wchar_t* path, const std::wstring& folder) {
    return _wcsnicmp(path, folder.c_str(), folder.size()) == 0;
}

} // namespace

void SetWriteFaultForTesting(const wchar_t* folder, DWORD error, int successes) {
    if (folder == nullptr) {
        writeFault.reset();
        return;
    }
    writeFault = std::make_unique<WriteFault>();
    writeFault->folder = folder;
    if (writeFault->folder.empty() || writeFault->folder.back() != L'\\') {
        writeFault->folder += L'\\';
    }
    writeFault->error = error;
    writeFault->successes = successes;
}

void SetFileCallFaultForTesting(long index, DWORD error) {
    faultyCallError = error;
    faultyCall = index;
    fileCalls = 0;
}

long FileCallsForTesting() {
    return fileCalls;
}

bool FileCallFaultInjected() {
    const long index = fileCalls++;
    if (index != faultyCall) {
        return false;
    }
    SetLastError(faultyCallError);
    return true;
}

bool WriteFaultInjected(const wchar_t* target, const wchar_t* source) {
    if (writeFault == nullptr || !InFolder(target, writeFault->folder) ||
        (source != nullptr && InFolder(source, writeFault->folder))) {
        return false;
    }
    if (writeFault->successes > 0) {
        --writeFault->successes;
        return false;
    }
    SetLastError(writeFault->error);
    return true;
}
