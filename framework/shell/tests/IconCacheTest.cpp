// The shared image lists: fixed images, icons extracted once per key, the fallbacks, and a
// second life of the cache. Extractions are counted through the cache's extractor.
// The stream interface first, so that the image list's stream calls are declared.
#include <objbase.h>

#include "TestFileTypes.h"
#include "framework/app/Application.h"
#include "framework/shell/IconCache.h"
#include "resources/shell_ids.h"
#include "test_support/GuiObjects.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/PixelCanvas.h"
#include "test_support/TestApplication.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> extracted; // the files asked, in order

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// Counts the files asked. The companion of "large.dll" at 192 DPI holds only a large icon,
// the program's own.
UINT CountingExtract(const wchar_t* file, int index, HICON* large, HICON* small, UINT count) {
    extracted.push_back(file);
    if (wcscmp(file, L"\\Windows\\large.192.dll") == 0) {
        return ExtractIconExW(OwnPath().c_str(), 0, large, nullptr, 1);
    }
    return ExtractIconExW(file, index, large, small, count);
}

// What an image of the list draws on a white square.
std::vector<DWORD> Picture(HIMAGELIST list, int image) {
    PixelCanvas canvas(64, 64);
    ImageList_Draw(list, image, canvas.dc, 0, 0, ILD_NORMAL);
    std::vector<DWORD> pixels = canvas.Pixels();
    for (DWORD& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}

// Whether an image of the list leaves any mark on a white square.
bool DrawsSomething(HIMAGELIST list, int image) {
    const std::vector<DWORD> pixels = Picture(list, image);
    return std::any_of(pixels.begin(), pixels.end(), [](DWORD pixel) { return pixel != 0xFFFFFF; });
}

// The images that stand for the overlays 1 to 4 (-1 for none), as the list writes them into
// the head of its stream form: the system draws no overlay over an image with an alpha
// channel, so they cannot be seen.
std::vector<short> OverlayImages(HIMAGELIST list) {
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ImageList_Write(list, stream);
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    // magic, version, counts, growth, size: 7 words; the background colour; the flags.
    constexpr int kOverlaysAt = 7 * 2 + 4 + 2;
    BYTE head[kOverlaysAt + 4 * sizeof(short)] = {};
    stream->Read(head, sizeof head, nullptr);
    stream->Release();
    std::vector<short> overlays(4);
    memcpy(overlays.data(), head + kOverlaysAt, 4 * sizeof(short));
    return overlays;
}

// What an icon draws when it is alone in a list of the given size, made as the cache's are.
std::vector<DWORD> AloneInAList(HICON icon, int width, int height) {
    const HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_SetBkColor(list, CLR_NONE);
    ImageList_AddIcon(list, icon);
    const std::vector<DWORD> pixels = Picture(list, 0);
    ImageList_Destroy(list);
    return pixels;
}

// A red square icon without an alpha channel whose mask leaves its left half transparent.
HICON HalfMaskedIcon(int size) {
    const int stride = (size + 15) / 16 * 2; // the mask's rows are whole words
    std::vector<BYTE> maskBits(stride * size, 0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size / 2; ++column) {
            maskBits[row * stride + column / 8] |= 0x80 >> (column % 8);
        }
    }
    const HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
    const HDC screen = GetDC(nullptr);
    const HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, colour);
    const RECT all = {0, 0, size, size};
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO parts = {TRUE, 0, 0, mask, colour};
    const HICON icon = CreateIconIndirect(&parts);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

// What one of the program's icons draws alone in a list like the cache's small one.
std::vector<DWORD> SmallIconPicture(int resource) {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    const auto icon = static_cast<HICON>(LoadImageW(
        Application::instance, MAKEINTRESOURCEW(resource), IMAGE_ICON, width, height, 0));
    const std::vector<DWORD> pixels = AloneInAList(icon, width, height);
    DestroyIcon(icon);
    return pixels;
}

class IconCacheTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }
    void SetUp() override {
        extracted.clear();
        IconCache::extractIcons = CountingExtract;
    }
    void TearDown() override {
        IconCache::extractIcons = ExtractIconExW;
        Application::hiRes = FALSE;
        Application::dpiX = 0;
    }

    int Count(HIMAGELIST list) { return ImageList_GetImageCount(list); }

    MessageBoxRecorder recorder;
};

TEST_F(IconCacheTest, FixedImagesKeepTheirPlacesWhenOneIsMissing) {
    IconCache cache;
    EXPECT_EQ(13, Count(IconCache::largeImages));
    EXPECT_EQ(13, Count(IconCache::smallImages));
    int width = 0, height = 0;
    ImageList_GetIconSize(IconCache::smallImages, &width, &height);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), width);
    ImageList_GetIconSize(IconCache::largeImages, &width, &height);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), width);
    // This program leaves out the network icon (140), once for each list.
    EXPECT_EQ((std::vector<std::wstring>{L"ICON [140]", L"ICON [140]"}), recorder.Texts());
    EXPECT_EQ(L"Debug", recorder.Boxes()[0].caption);
    EXPECT_EQ(CLR_NONE, ImageList_GetBkColor(IconCache::largeImages));
    EXPECT_TRUE(DrawsSomething(IconCache::smallImages, IconCache::kFolderImage));
    EXPECT_FALSE(DrawsSomething(IconCache::smallImages, 8)); // the missing icon's empty place

    // Each fixed image is its own icon; the overlays 1, 2 and 3 are images 3, 4 and 5.
    const int fixed[] = {IDI_DOCUMENT, IDI_PROGRAM_FILE, IDI_FOLDER};
    for (int image = 0; image < 3; ++image) {
        EXPECT_EQ(SmallIconPicture(fixed[image]), Picture(IconCache::smallImages, image)) << image;
    }
    EXPECT_EQ((std::vector<short>{3, 4, 5, -1}), OverlayImages(IconCache::smallImages));
    EXPECT_EQ((std::vector<short>{3, 4, 5, -1}), OverlayImages(IconCache::largeImages));
}

TEST_F(IconCacheTest, FoldersFilesAndUnregisteredTypes) {
    IconCache cache;
    EXPECT_EQ(2, cache.ImageFor(L"\\Windows\\app.exe", FILE_ATTRIBUTE_DIRECTORY, 15));
    // Unknown attributes: a file.
    EXPECT_EQ(1, cache.ImageFor(L"\\Nowhere\\missing.exe", INVALID_FILE_ATTRIBUTES, 15));
    EXPECT_EQ(0, cache.ImageFor(L"\\Nowhere\\notes.unregistered", 0, 15));
    EXPECT_EQ(0, cache.ImageFor(L"\\Nowhere\\README", 0, 15));
    EXPECT_EQ(0, cache.ImageFor(L"\\Nowhere\\broken.ico", 0, 15));
    // A failed extraction is not remembered: the next request tries again.
    EXPECT_EQ(1, cache.ImageFor(L"\\Nowhere\\missing.exe", 0, 15));
    EXPECT_EQ(3u, extracted.size());
    // Without the program source nothing is extracted.
    EXPECT_EQ(1, cache.ImageFor(L"\\Nowhere\\other.exe", 0, 0));
    EXPECT_EQ(3u, extracted.size());
}

TEST_F(IconCacheTest, ProgramsAreKeyedByTheirLowerCasePath) {
    IconCache cache;
    std::wstring upper = OwnPath();
    CharUpperW(upper.data());
    std::wstring lower = OwnPath();
    CharLowerW(lower.data());
    const int image = cache.ImageFor(upper.c_str(), 0, 15);
    EXPECT_EQ(13, image);
    EXPECT_EQ(image, cache.ImageFor(lower.c_str(), 0, 15));
    EXPECT_EQ((std::vector<std::wstring>{lower}), extracted);
    EXPECT_EQ(14, Count(IconCache::largeImages));
    EXPECT_EQ(14, Count(IconCache::smallImages));
}

TEST_F(IconCacheTest, FilesOfARegisteredTypeShareOneImage) {
    TestFileTypes types;
    types.Set(L".micon", L"Mensurio.IconTest");
    types.Set(L"Mensurio.IconTest\\DefaultIcon", (OwnPath() + L",-130").c_str());
    types.Set(L".mplain", L"Mensurio.NoIcon");
    IconCache cache;
    const int image = cache.ImageFor(L"\\My Documents\\a.micon", 0, 15);
    EXPECT_GE(image, 13);
    EXPECT_EQ(image, cache.ImageFor(L"\\My Documents\\b.MICON", 0, 15));
    EXPECT_EQ(image, cache.ImageFor(L"\\Temp\\c.micon", 0, 15));
    EXPECT_EQ(1u, extracted.size());
    // Only with the registered-types source, and only for types with an icon.
    EXPECT_EQ(0, cache.ImageFor(L"\\Temp\\d.micon", 0, IconCache::kProgramFiles));
    EXPECT_EQ(0, cache.ImageFor(L"\\Temp\\e.mplain", 0, 15));
    EXPECT_EQ(1u, extracted.size());
}

TEST_F(IconCacheTest, FallbackIconAndHighResolutionLibraries) {
    IconCache cache;
    const HICON fallback = static_cast<HICON>(LoadImageW(
        Application::instance, MAKEINTRESOURCEW(IDI_CONTROL_PANEL), IMAGE_ICON, 32, 32, 0));
    const int image =
        cache.IconFor(L"\\windows\\clock.cpl#0", L"\\Windows\\clock.cpl", 0, fallback);
    EXPECT_EQ(13, image);
    EXPECT_EQ(image, cache.IconFor(L"\\windows\\clock.cpl#0", L"\\Windows\\clock.cpl", 0, nullptr));
    EXPECT_EQ(1u, extracted.size());
    EXPECT_EQ(14, Count(IconCache::smallImages));
    DestroyIcon(fallback);
    // At ordinary resolution a library is asked for itself only.
    extracted.clear();
    EXPECT_EQ(-1, cache.IconFor(L"abc", L"\\Windows\\abc.dll", -5, nullptr));
    EXPECT_EQ((std::vector<std::wstring>{L"\\Windows\\abc.dll"}), extracted);

    // A library at 192 DPI is first asked for through its companion of larger icons; a
    // companion's icon of one size is enough, the other size is made from it.
    Application::hiRes = TRUE;
    Application::dpiX = 192;
    extracted.clear();
    EXPECT_EQ(-1, cache.IconFor(L"abc", L"\\Windows\\abc.dll", -5, nullptr));
    EXPECT_EQ((std::vector<std::wstring>{L"\\Windows\\abc.192.dll", L"\\Windows\\abc.dll"}),
              extracted);
    extracted.clear();
    EXPECT_EQ(14, cache.IconFor(L"large", L"\\Windows\\large.dll", 0, nullptr));
    EXPECT_EQ((std::vector<std::wstring>{L"\\Windows\\large.192.dll"}), extracted);
    // At high resolution icons are redrawn at each list's size before they are added.
    EXPECT_EQ(15, cache.ImageFor(OwnPath().c_str(), 0, 15));
    EXPECT_EQ(16, Count(IconCache::largeImages));
    EXPECT_EQ(16, Count(IconCache::smallImages));
    // Redrawn whole: what the large list shows is what the icon itself shows in such a list.
    HICON large = nullptr;
    ASSERT_EQ(1u, ExtractIconExW(OwnPath().c_str(), 0, &large, nullptr, 1));
    EXPECT_EQ(AloneInAList(large, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)),
              Picture(IconCache::largeImages, 15));
    DestroyIcon(large);
    EXPECT_TRUE(DrawsSomething(IconCache::smallImages, 15));

    // An icon without an alpha channel, as a device's often are, keeps its mask's shape.
    const HICON masked = HalfMaskedIcon(32);
    EXPECT_EQ(16, cache.IconFor(L"masked", L"\\Windows\\none.cpl", 0, masked));
    EXPECT_EQ(AloneInAList(masked, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)),
              Picture(IconCache::largeImages, 16));
    DestroyIcon(masked);
}

// Many lives, each with its missing fixed icon and icons redrawn at high resolution from a
// fallback, hold no more drawing objects or icons than the first few.
TEST_F(IconCacheTest, ManyLivesLeakNoObjects) {
    const HICON fallback = static_cast<HICON>(LoadImageW(
        Application::instance, MAKEINTRESOURCEW(IDI_CONTROL_PANEL), IMAGE_ICON, 32, 32, 0));
    Application::hiRes = TRUE;
    Application::dpiX = 192;
    const auto live = [&](int lives) {
        for (int life = 0; life < lives; ++life) {
            IconCache cache;
            for (const wchar_t* key : {L"a", L"b", L"c"}) {
                cache.IconFor(key, L"\\Windows\\none.cpl", 0, fallback);
            }
        }
    };
    live(3);
    const GuiObjects first = CountGuiObjects();
    live(15); // a leak of one object per life would show as 15 or more

    EXPECT_TRUE(NoMoreObjects(first, CountGuiObjects()));
    DestroyIcon(fallback);
}

TEST_F(IconCacheTest, ASecondLifeStartsAgain) {
    const std::wstring own = OwnPath();
    {
        IconCache first;
        {
            IconCache second;
            second.ImageFor(own.c_str(), 0, 15);
        }
        // The lists outlive every object but the last.
        EXPECT_EQ(14, Count(IconCache::largeImages));
    }
    EXPECT_EQ(nullptr, IconCache::largeImages);
    IconCache again;
    EXPECT_EQ(13, Count(IconCache::largeImages));
    EXPECT_EQ(13, again.ImageFor(own.c_str(), 0, 15));
    EXPECT_EQ(2u, extracted.size());
}

} // namespace
