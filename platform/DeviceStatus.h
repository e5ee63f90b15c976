// What the device reports about its memory, its object store and its batteries.
//
// On the desktop host the figures are the host's: program memory is the host's memory
// status, the object store is the drive that holds the device root "\", and the batteries
// are the host's power status with no backup battery. Tests put figures of their own in
// place with SetDeviceStatusForTesting.
#pragma once

#include "DeviceFiles.h"

#include <windows.h>

#include <vector>

// The device's extended power status: the main battery and the backup battery.
struct SYSTEM_POWER_STATUS_EX {
    BYTE ACLineStatus;
    BYTE BatteryFlag;
    BYTE BatteryLifePercent;
    BYTE Reserved1;
    DWORD BatteryLifeTime;
    DWORD BatteryFullLifeTime;
    BYTE Reserved2;
    BYTE BackupBatteryFlag;
    BYTE BackupBatteryLifePercent;
    BYTE Reserved3;
    DWORD BackupBatteryLifeTime;
    DWORD BackupBatteryFullLifeTime;
};

// `update` asks the battery driver for fresh figures; the host's are always current.
BOOL GetSystemPowerStatusEx(SYSTEM_POWER_STATUS_EX* status, BOOL update);

void GetDeviceMemoryStatus(MEMORYSTATUS* status);

// The object store's size and free bytes. The device counts them in 32 bits; the host's
// drive does not fit there, so this layer gives 64-bit counts.
BOOL GetObjectStoreSpace(ULONGLONG* size, ULONGLONG* free);

// Figures a test makes the device report.
struct DeviceStatusForTesting {
    MEMORYSTATUS memory = {};
    ULONGLONG storeSize = 0;
    ULONGLONG storeFree = 0;
    SYSTEM_POWER_STATUS_EX power = {};
    std::vector<DeviceRootFolder> rootFolders; // where storage cards appear
};

// Null puts the host's figures back.
void SetDeviceStatusForTesting(const DeviceStatusForTesting* status);
