// What the device reports about its memory, its object store, the folders of its root (where
// storage cards appear) and its batteries.
//
// On the desktop host the figures are the host's: program memory is the host's memory
// status, the object store is the drive that holds the device root "\", and the batteries
// are the host's power status with no backup battery. Tests put figures of their own in
// place with SetDeviceStatusForTesting.
#pragma once

#include <windows.h>

#include <string>
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

// Find-first/next/close and volume space as the device answers them. A storage card is a
// folder of the root with the directory and temporary attributes.
HANDLE DeviceFindFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* data);
BOOL DeviceFindNextFile(HANDLE find, WIN32_FIND_DATAW* data);
BOOL DeviceFindClose(HANDLE find);
BOOL DeviceGetDiskFreeSpaceEx(const wchar_t* path, ULARGE_INTEGER* available,
                              ULARGE_INTEGER* total, ULARGE_INTEGER* free);

// Figures a test makes the device report. The root folders replace the listing of "\*.*";
// every other pattern and path is the host's.
struct DeviceStatusForTesting {
    struct RootFolder {
        std::wstring name;
        DWORD attributes = FILE_ATTRIBUTE_DIRECTORY;
        bool spaceReadable = true;
        ULONGLONG total = 0;
        ULONGLONG free = 0;
    };

    MEMORYSTATUS memory = {};
    ULONGLONG storeSize = 0;
    ULONGLONG storeFree = 0;
    SYSTEM_POWER_STATUS_EX power = {};
    std::vector<RootFolder> rootFolders;
};

// Null puts the host's figures back.
void SetDeviceStatusForTesting(const DeviceStatusForTesting* status);
