#include "DeviceStatus.h"

#include <algorithm>
#include <cwchar>
#include <memory>

namespace {

const DeviceStatusForTesting* testStatus = nullptr;

constexpr wchar_t kRootPattern[] = L"\\*.*";

// A listing of the test's root folders, handed out as a find handle.
struct RootListing {
    size_t next = 0;
};
std::vector<std::unique_ptr<RootListing>> openListings;

auto FindListing(HANDLE find) {
    return std::find_if(openListings.begin(), openListings.end(),
                        [find](const std::unique_ptr<RootListing>& open) { return open.get() == find; });
}

bool NextRootFolder(RootListing& listing, WIN32_FIND_DATAW* data) {
    if (listing.next >= testStatus->rootFolders.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const DeviceStatusForTesting::RootFolder& folder = testStatus->rootFolders[listing.next++];
    *data = {};
    data->dwFileAttributes = folder.attributes;
    wcsncpy(data->cFileName, folder.name.c_str(), MAX_PATH - 1);
    return true;
}

void SetLarge(ULARGE_INTEGER* out, ULONGLONG value) {
    if (out != nullptr) {
        out->QuadPart = value;
    }
}

} // namespace

BOOL GetSystemPowerStatusEx(SYSTEM_POWER_STATUS_EX* status, BOOL) {
    if (testStatus != nullptr) {
        *status = testStatus->power;
        return TRUE;
    }
    SYSTEM_POWER_STATUS host = {};
    if (!GetSystemPowerStatus(&host)) {
        return FALSE;
    }
    *status = {};
    status->ACLineStatus = host.ACLineStatus;
    status->BatteryFlag = host.BatteryFlag;
    status->BatteryLifePercent = host.BatteryLifePercent;
    status->BatteryLifeTime = host.BatteryLifeTime;
    status->BatteryFullLifeTime = host.BatteryFullLifeTime;
    // A desktop has no backup battery.
    status->BackupBatteryFlag = BATTERY_FLAG_NO_BATTERY;
    status->BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    status->BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status->BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    return TRUE;
}

void GetDeviceMemoryStatus(MEMORYSTATUS* status) {
    if (testStatus != nullptr) {
        *status = testStatus->memory;
        return;
    }
    status->dwLength = sizeof *status;
    GlobalMemoryStatus(status);
}

BOOL GetObjectStoreSpace(ULONGLONG* size, ULONGLONG* free) {
    if (testStatus != nullptr) {
        *size = testStatus->storeSize;
        *free = testStatus->storeFree;
        return TRUE;
    }
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExW(L"\\", &available, &total, &totalFree)) {
        return FALSE;
    }
    *size = total.QuadPart;
    *free = totalFree.QuadPart;
    return TRUE;
}

HANDLE DeviceFindFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* data) {
    if (testStatus == nullptr || wcscmp(pattern, kRootPattern) != 0) {
        return FindFirstFileW(pattern, data);
    }
    auto listing = std::make_unique<RootListing>();
    if (!NextRootFolder(*listing, data)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    openListings.push_back(std::move(listing));
    return openListings.back().get();
}

BOOL DeviceFindNextFile(HANDLE find, WIN32_FIND_DATAW* data) {
    const auto listing = FindListing(find);
    if (listing != openListings.end()) {
        return testStatus != nullptr && NextRootFolder(**listing, data);
    }
    return FindNextFileW(find, data);
}

BOOL DeviceFindClose(HANDLE find) {
    const auto listing = FindListing(find);
    if (listing != openListings.end()) {
        openListings.erase(listing);
        return TRUE;
    }
    return FindClose(find);
}

BOOL DeviceGetDiskFreeSpaceEx(const wchar_t* path, ULARGE_INTEGER* available,
                              ULARGE_INTEGER* total, ULARGE_INTEGER* free) {
    if (testStatus != nullptr && path[0] == L'\\') {
        for (const DeviceStatusForTesting::RootFolder& folder : testStatus->rootFolders) {
            if (folder.name == path + 1) {
                if (!folder.spaceReadable) {
                    SetLastError(ERROR_NOT_READY);
                    return FALSE;
                }
                SetLarge(available, folder.free);
                SetLarge(total, folder.total);
                SetLarge(free, folder.free);
                return TRUE;
            }
        }
    }
    return GetDiskFreeSpaceExW(path, available, total, free);
}

void SetDeviceStatusForTesting(const DeviceStatusForTesting* status) {
    testStatus = status;
}
