// The images of the file lists: two shared image lists (normal and small icon size) that
// start with thirteen fixed images and grow by one icon per program file, icon file or
// registered file type asked for. An icon is extracted at most once per key while the
// lists live; the lists live from the first IconCache object to the last.
#pragma once

#include "FileTypeNames.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <map>
#include <memory>
#include <string>

class IconCache {
public:
    // Sources ImageFor may take icons from.
    static constexpr int kProgramFiles = 1;
    static constexpr int kIconFiles = 2;
    static constexpr int kRegisteredTypes = 4;
    static constexpr int kAllSources = 15;

    // Fixed images at the start of both lists.
    static constexpr int kDocumentImage = 0;
    static constexpr int kProgramImage = 1;
    static constexpr int kFolderImage = 2;
    static constexpr int kFixedImageCount = 13;

    // The platform's icon extraction: one large and one small icon from a file. Tests count
    // the extractions through it.
    using IconExtractor = UINT (*)(const wchar_t* file, int index, HICON* large, HICON* small,
                                   UINT count);
    static inline IconExtractor extractIcons = ExtractIconExW;

    IconCache();
    ~IconCache();
    IconCache(const IconCache&) = delete;
    IconCache& operator=(const IconCache&) = delete;

    // The image of a file or folder; attributes 0xFFFFFFFF means unknown (taken as a file).
    int ImageFor(const wchar_t* path, DWORD attributes, int sources);
    // The image remembered under `key`, or one made from the icon at iconIndex of iconFile
    // (a negative index names a resource), or from `fallback` when the file has none.
    // -1, not remembered, when there is no icon at all.
    int IconFor(const wchar_t* key, const wchar_t* iconFile, int iconIndex, HICON fallback);

    // Shared by every object; users must not destroy them.
    static inline HIMAGELIST largeImages = nullptr;
    static inline HIMAGELIST smallImages = nullptr;

private:
    static void Fill();

    static inline int instances = 0;
    static inline std::map<std::wstring, int> keyToImage;
    static inline std::unique_ptr<FileTypeNames> typeNames;
};
