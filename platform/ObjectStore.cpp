#include "ObjectStore.h"

namespace {

const std::vector<DeviceObjectInfo>* testObjects = nullptr;

} // namespace

std::vector<DeviceObjectInfo> EnumerateDeviceDatabases() {
    return testObjects != nullptr ? *testObjects : std::vector<DeviceObjectInfo>();
}

void SetDeviceDatabasesForTesting(const std::vector<DeviceObjectInfo>* objects) {
    testObjects = objects;
}
