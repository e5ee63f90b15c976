#include "DeviceStatus.h"

namespace {

const DeviceStatusForTesting* testStatus = nullptr;

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

void SetDeviceStatusForTesting(const DeviceStatusForTesting* status) {
    testStatus = status;
    SetRootFoldersForTesting(status != nullptr ? &status->rootFolders : nullptr);
}
