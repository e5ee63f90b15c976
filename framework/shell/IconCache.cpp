#include "IconCache.h"

#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/Paths.h"
#include "resources/shell_ids.h"

#include <climits>
#include <vector>

namespace {

constexpr int kInitialCapacity = 64;
constexpr int kGrowth = 64;

// Load order of the fixed images; 3, 4 and 5 are also the overlays 1, 2 and 3.
constexpr int kFixedIcons[IconCache::kFixedImageCount] = {
    IDI_DOCUMENT,         IDI_PROGRAM_FILE,  IDI_FOLDER,
    IDI_SHORTCUT_OVERLAY, IDI_ROM_OVERLAY,   IDI_ROM_SHORTCUT_OVERLAY,
    IDI_DATABASE,         IDI_CONTROL_PANEL, IDI_NETWORK,
    IDI_MY_DEVICE,        IDI_DESKTOP,       IDI_MY_DOCUMENTS,
    IDI_DATABASE_PLACE};
constexpr int kFirstOverlayImage = 3;
constexpr int kOverlayCount = 3;

struct IconSize {
    int width;
    int height;
};

IconSize SizeOf(HIMAGELIST list) {
    IconSize size = {};
    ImageList_GetIconSize(list, &size.width, &size.height);
    return size;
}

// A copy of the icon drawn at the given size, or null.
HICON RedrawIcon(HICON icon, IconSize size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const HBITMAP colour = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HBITMAP mask = CreateBitmap(size.width, size.height, 1, 1, nullptr);
    HICON copy = nullptr;
    if (colour != nullptr && mask != nullptr) {
        const HGDIOBJ old = SelectObject(dc, mask);
        DrawIconEx(dc, 0, 0, icon, size.width, size.height, 0, nullptr, DI_MASK);
        SelectObject(dc, colour);
        DrawIconEx(dc, 0, 0, icon, size.width, size.height, 0, nullptr, DI_IMAGE);
        SelectObject(dc, old);
        ICONINFO parts = {TRUE, 0, 0, mask, colour};
        copy = CreateIconIndirect(&parts);
    }
    DeleteObject(colour);
    DeleteObject(mask);
    DeleteDC(dc);
    return copy;
}

// Adds an icon to a list; at high resolution it is first redrawn at the list's size, as
// the device's icons come at their own sizes. Returns the list's index.
int AddIcon(HIMAGELIST list, HICON icon) {
    if (Application::hiRes) {
        if (const HICON copy = RedrawIcon(icon, SizeOf(list))) {
            const int index = ImageList_AddIcon(list, copy);
            DestroyIcon(copy);
            return index;
        }
    }
    return ImageList_AddIcon(list, icon);
}

// Adds a fixed icon loaded at the list's size. A missing icon is reported and its place
// kept with an empty image, so that the fixed indices keep their meaning.
void AddFixedIcon(HIMAGELIST list, int resource) {
    const IconSize size = SizeOf(list);
    const auto icon = static_cast<HICON>(LoadImageW(
        Application::instance, MAKEINTRESOURCEW(resource), IMAGE_ICON, size.width, size.height, 0));
    if (icon == nullptr) {
        ShowDebug(L"ICON [%d]", resource);
        // Every mask bit set: a fully transparent image. Rows of a bitmap are whole words.
        const std::vector<BYTE> transparent((size.width + 15) / 16 * 2 * size.height, 0xFF);
        const HBITMAP mask = CreateBitmap(size.width, size.height, 1, 1, transparent.data());
        const HBITMAP image = CreateBitmap(size.width, size.height, 1, 1, nullptr);
        ImageList_Add(list, image, mask);
        DeleteObject(image);
        DeleteObject(mask);
        return;
    }
    AddIcon(list, icon);
    DestroyIcon(icon);
}

HIMAGELIST CreateList(int widthMetric, int heightMetric) {
    return ImageList_Create(GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                            ILC_COLOR32 | ILC_MASK, kInitialCapacity, kGrowth);
}

} // namespace

IconCache::IconCache() {
    if (instances++ == 0) {
        largeImages = CreateList(SM_CXICON, SM_CYICON);
        smallImages = CreateList(SM_CXSMICON, SM_CYSMICON);
        typeNames = std::make_unique<FileTypeNames>();
        Fill();
    }
}

IconCache::~IconCache() {
    if (--instances == 0) {
        ImageList_Destroy(largeImages);
        ImageList_Destroy(smallImages);
        largeImages = smallImages = nullptr;
        typeNames.reset();
        keyToImage.clear();
    }
}

void IconCache::Fill() {
    keyToImage.clear();
    if (largeImages == nullptr || smallImages == nullptr) {
        return;
    }
    ImageList_SetBkColor(largeImages, CLR_NONE);
    ImageList_SetBkColor(smallImages, CLR_NONE);
    for (int resource : kFixedIcons) {
        AddFixedIcon(largeImages, resource);
        AddFixedIcon(smallImages, resource);
    }
    for (int overlay = 1; overlay <= kOverlayCount; ++overlay) {
        ImageList_SetOverlayImage(largeImages, kFirstOverlayImage + overlay - 1, overlay);
        ImageList_SetOverlayImage(smallImages, kFirstOverlayImage + overlay - 1, overlay);
    }
}

int IconCache::ImageFor(const wchar_t* path, DWORD attributes, int sources) {
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return kFolderImage;
    }
    // Whole, however long: a cut path would lose its extension or name another file.
    std::wstring lowerPath = path;
    CharLowerBuffW(lowerPath.data(), static_cast<DWORD>(lowerPath.size()));
    const wchar_t* lower = lowerPath.c_str();
    const wchar_t* extension = FindExtension(lower);
    if (*extension == L'\0') {
        return kDocumentImage;
    }
    if (wcscmp(extension, L".exe") == 0) {
        const int image = (sources & kProgramFiles) ? IconFor(lower, lower, 0, nullptr) : -1;
        return image != -1 ? image : kProgramImage;
    }
    if (wcscmp(extension, L".ico") == 0 || wcscmp(extension, L".ic2") == 0) {
        const int image = (sources & kIconFiles) ? IconFor(lower, lower, 0, nullptr) : -1;
        return image != -1 ? image : kDocumentImage;
    }
    const FileType* type = typeNames ? typeNames->FindTypeByExtension(extension) : nullptr;
    if (type == nullptr || !type->className || !type->iconFile) {
        return kDocumentImage;
    }
    const int image =
        (sources & kRegisteredTypes)
            ? IconFor(type->className->c_str(), type->iconFile->c_str(), type->iconIndex, nullptr)
            : -1;
    return image != -1 ? image : kDocumentImage;
}

int IconCache::IconFor(const wchar_t* key, const wchar_t* iconFile, int iconIndex, HICON fallback) {
    const auto known = keyToImage.find(key);
    if (known != keyToImage.end()) {
        return known->second;
    }
    if (largeImages == nullptr || smallImages == nullptr) {
        return -1;
    }
    HICON large = nullptr;
    HICON small = nullptr;
    // The extraction reports failure as 0 or as -1 and may leave the handles undefined then.
    const auto extract = [&](const wchar_t* file) {
        const UINT found = extractIcons(file, iconIndex, &large, &small, 1);
        if (found == 0 || found == UINT_MAX) {
            large = small = nullptr;
        }
    };
    // At high resolution a library may come with a companion of larger icons: abc.192.dll.
    if (Application::hiRes && HasExtension(iconFile, L".dll")) {
        std::wstring companion = iconFile;
        companion.erase(FindExtension(companion.c_str()) - companion.c_str());
        companion += L"." + std::to_wstring(Application::dpiX) + L".dll";
        if (companion.size() < kMaxPath) {
            extract(companion.c_str());
        }
    }
    if (large == nullptr && small == nullptr) {
        extract(iconFile);
    }
    if (large == nullptr && small == nullptr) {
        if (fallback == nullptr) {
            return -1;
        }
        large = RedrawIcon(fallback, SizeOf(largeImages));
        small = RedrawIcon(fallback, SizeOf(smallImages));
    }
    // Both lists must grow together for their indices to agree: a missing size is made
    // from the other.
    if (large == nullptr) {
        large = RedrawIcon(small, SizeOf(largeImages));
    }
    if (small == nullptr) {
        small = RedrawIcon(large, SizeOf(smallImages));
    }
    if (large == nullptr || small == nullptr) {
        DestroyIcon(large);
        DestroyIcon(small);
        return -1;
    }
    const int image = AddIcon(largeImages, large);
    AddIcon(smallImages, small);
    keyToImage[key] = image;
    DestroyIcon(large);
    DestroyIcon(small);
    return image;
}
