#include "AboutMemoryPage.h"

#include "AboutRows.h"
#include "framework/app/Application.h"
#include "framework/app/Paths.h"
#include "platform/DeviceFiles.h"
#include "platform/DeviceStatus.h"
#include "resources/about_ids.h"

namespace {

constexpr DWORD kStorageCardAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
constexpr int kFirstCardRow = 100;
constexpr int kCardRowHeight = 50;

void PaintStorageCards(HDC dc) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = DeviceFindFirstFile(L"\\*.*", &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    int y = kFirstCardRow;
    do {
        if ((entry.dwFileAttributes & kStorageCardAttributes) != kStorageCardAttributes) {
            continue;
        }
        wchar_t card[kMaxPath];
        ULARGE_INTEGER total, free;
        if (JoinPath(card, L"\\", entry.cFileName) != nullptr &&
            DeviceGetDiskFreeSpaceEx(card, nullptr, &total, &free)) {
            DrawMemoryRow(dc, 4, y, free.QuadPart, total.QuadPart, IDI_STORAGE_CARD,
                          entry.cFileName);
            y += kCardRowHeight;
        }
    } while (DeviceFindNextFile(find, &entry));
    DeviceFindClose(find);
}

} // namespace

void AboutMemoryPage::PaintRows(HDC dc) {
    MEMORYSTATUS memory = {};
    GetDeviceMemoryStatus(&memory);
    DrawMemoryRow(dc, 4, 4, memory.dwAvailPhys, memory.dwTotalPhys, IDI_MEMORY,
                  LanguageText(L"Rest of program memory", L"空きﾌﾟﾛｸﾞﾗﾑ実行用ﾒﾓﾘ"));
    ULONGLONG storeSize = 0;
    ULONGLONG storeFree = 0;
    if (GetObjectStoreSpace(&storeSize, &storeFree)) {
        DrawMemoryRow(dc, 4, 52, storeFree, storeSize, IDI_MEMORY,
                      LanguageText(L"Rest of data memory", L"空きﾃﾞｰﾀ記憶用ﾒﾓﾘ"));
    }
    PaintStorageCards(dc);
}
