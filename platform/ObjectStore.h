// The databases of the device's object store. A desktop host has no object store: it lists
// none unless a test puts some in place.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DeviceObjectInfo {
    bool isDatabase = true; // the store also holds files and folders
    std::wstring name;
    DWORD size = 0;
    FILETIME lastModified = {};
    DWORD objectId = 0;
};

// Every database object of the store, as the store's own enumeration reports it.
std::vector<DeviceObjectInfo> EnumerateDeviceDatabases();

// Null: the host's (none).
void SetDeviceDatabasesForTesting(const std::vector<DeviceObjectInfo>* objects);
