// The definition file: the one chosen, remembered with its drive, and its problems told.
#include "ConverterWindowTest.h"

TEST_F(ConverterWindowTest, ChosenFileIsRememberedWithItsDriveUnlessItCannotBeRead) {
    Open(kThreeSections);
    const TempDefinitionFile mass("[Mass]\r\n\"g\" = 1\r\n");
    // The dialog names the file without its drive, from the root of the current one.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(std::wstring(mass.Path(), 3).c_str());
    window->ReplaceCategoryPages(mass.Path() + 2);
    SetCurrentDirectoryW(current);
    EXPECT_STREQ(mass.Path(), window->settings.definitionPath);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Mass"}), Tabs());
    // Read and let go: nothing holds the file any more.
    const HANDLE alone =
        CreateFileW(mass.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, alone);
    CloseHandle(alone);

    // A file that another program holds without sharing: told why, and nothing changes.
    const TempDefinitionFile held("[Held]\r\n");
    const HANDLE holder =
        CreateFileW(held.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    window->ReplaceCategoryPages(held.Path());
    CloseHandle(holder);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Mass"}), Tabs());
    EXPECT_STREQ(mass.Path(), window->settings.definitionPath);
    EXPECT_EQ(Texts{L"'" + std::wstring(held.Path()) +
                    L"' could not be read: another program is using it."},
              recorder.Texts());
}

// At start-up the box waits for the window to be on screen, and says which file it means.
TEST_F(ConverterWindowTest, ProblemsOfTheRememberedFileAreToldOverTheWindowWithItsName) {
    Open("[A]\r\n\"m\" = 1 x\r\n");
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(window->handle, recorder.Boxes()[0].owner);
    EXPECT_EQ(std::wstring(file->Path()) + L"\nsyntax error in line 2", recorder.Texts()[0]);
    // Chosen again with Open..., the same box.
    window->ReplaceCategoryPages(file->Path());
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(window->handle, recorder.Boxes()[1].owner);
    EXPECT_EQ(recorder.Texts()[0], recorder.Texts()[1]);
    // Read and let go.
    const HANDLE alone =
        CreateFileW(file->Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, alone);
    CloseHandle(alone);
}

TEST(ConverterSettings, PathRoundTripsThroughTheRegistry) {
    ConverterSettings saved;
    saved.Load();

    ConverterSettings written;
    StringCchCopyW(written.definitionPath, ARRAYSIZE(written.definitionPath),
                   L"\\My Documents\\単位.ini");
    written.Save();
    {
        // A key that may only be read is read.
        const ReadOnlyKey readOnly(HKEY_CURRENT_USER, L"Software\\Orvintek\\Mensurio");
        ConverterSettings read;
        read.Load();
        EXPECT_STREQ(L"\\My Documents\\単位.ini", read.definitionPath);
    }

    // A path that its drive would make too long is kept as it is given, as is one that names
    // no file at all.
    const std::wstring longest = L"\\" + std::wstring(kMaxPath - 2, L'x');
    written.Remember(longest.c_str());
    EXPECT_EQ(longest, written.definitionPath);
    written.Remember(L"");
    EXPECT_STREQ(L"", written.definitionPath);

    saved.Save();
}
