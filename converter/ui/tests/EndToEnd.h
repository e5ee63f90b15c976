// The real program driven from this process as a user would drive it. Each test starts with
// a definition file of a Length and an empty page remembered.
#pragma once

#include "framework/app/RegistryKey.h"
#include "resources/about_ids.h"
#include "resources/converter_ids.h"
#include "resources/filedialog_ids.h"
#include "resources/fileops_ids.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/PixelCanvas.h"
#include "test_support/ProgramDriver.h"
#include "test_support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

constexpr wchar_t kSettingsKey[] = L"Software\\Orvintek\\Mensurio";
constexpr wchar_t kMakerKey[] = L"Software\\Orvintek";

inline std::wstring LastComponent(const std::wstring& path) {
    return path.substr(path.rfind(L'\\') + 1);
}

inline bool EndsWithIni(const std::wstring& name) {
    return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".ini") == 0;
}

// The names in a folder, sorted by their code units: all of them, or what the Open dialog
// lists with the *.ini filter (the folders and the .ini files).
inline Texts Listing(const std::wstring& hostFolder, bool iniFilter = false) {
    Texts names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((hostFolder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." &&
            (!iniFilter || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
             EndsWithIni(name))) {
            names.push_back(name);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Texts for a failure message.
inline std::wstring Joined(const Texts& texts) {
    std::wstring joined;
    for (const std::wstring& text : texts) {
        joined += (joined.empty() ? L"" : L", ") + text;
    }
    return joined;
}

inline Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Keeps the prefix's registry as it was: the remembered path, the language toggle and the
// screen resolution. Each test starts with a definition file of a Length and an empty page
// remembered.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        RegistryKey settings(HKEY_CURRENT_USER);
        if (settings.Open(kSettingsKey) == ERROR_SUCCESS) {
            DWORD size = sizeof savedPath;
            hadPath = settings.ReadString(L"ini", savedPath, size) == ERROR_SUCCESS;
        }
        file = std::make_unique<TempDefinitionFile>(
            "[Length]\r\n\"m\" = 1\r\n\"km\" = 1000\r\n\"inch\" = 0.0254\r\n[Nothing]\r\n");
        RememberDefinitionFile(file->Path());
    }

    void TearDown() override {
        if (hadPath) {
            RememberDefinitionFile(savedPath);
        } else {
            ForgetDefinitionFile(); // not the test's file, which goes with the test
        }
        RegistryKey maker(HKEY_CURRENT_USER);
        if (maker.Open(kMakerKey) == ERROR_SUCCESS) {
            RegDeleteValueW(maker.Handle(), L"LangToggle");
        }
        SetDpi(96);
    }

    // As at a first start: no definition file remembered. False when the settings are gone.
    static bool ForgetDefinitionFile() {
        RegistryKey settings(HKEY_CURRENT_USER);
        if (settings.Open(kSettingsKey) != ERROR_SUCCESS) {
            return false;
        }
        RegDeleteValueW(settings.Handle(), L"ini");
        return true;
    }

    static void SetLangToggle(DWORD value) {
        RegistryKey maker(HKEY_CURRENT_USER);
        maker.Create(kMakerKey);
        RegSetValueExW(maker.Handle(), L"LangToggle", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

    static void SetDpi(DWORD dpi) {
        RegistryKey desktop(HKEY_CURRENT_USER);
        desktop.Create(L"Control Panel\\Desktop");
        RegSetValueExW(desktop.Handle(), L"LogPixels", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }

    // The text the program shows in the device's language.
    std::wstring Shown(const wchar_t* english, const wchar_t* japaneseText) const {
        return japanese ? japaneseText : english;
    }

    // The tabs of the fixed pages, then of the sections.
    Texts TabsWith(const Texts& sections) const {
        Texts tabs = {Shown(L"Temp", L"温度"), Shown(L"Time", L"時間")};
        tabs.insert(tabs.end(), sections.begin(), sections.end());
        return tabs;
    }

    // Waits for the program to show the tabs of a file of these sections, the first chosen.
    void ExpectTabsOf(const Program& program, const Texts& sections) const {
        const Texts tabs = TabsWith(sections);
        EXPECT_TRUE(WaitFor([&] { return program.TabCount() == static_cast<int>(tabs.size()); }));
        EXPECT_EQ(tabs, program.TabTexts());
        EXPECT_EQ(0, program.CurrentTab());
    }

    const bool japanese = GetUserDefaultLangID() == 0x0411;
    std::unique_ptr<TempDefinitionFile> file;
    wchar_t savedPath[MAX_PATH] = {};
    bool hadPath = false;
};
