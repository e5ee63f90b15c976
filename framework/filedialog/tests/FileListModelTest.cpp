// The file list's rows gathered from real folders, a real Control Panel library and the
// device layer's databases, and their column texts. Their order is the list's, checked on
// the dialog.
#include "framework/filedialog/FileListModel.h"
#include "framework/app/Application.h"
#include "platform/DeviceFiles.h"
#include "platform/ObjectStore.h"
#include "test_support/HostPath.h"
#include "test_support/TempFolder.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FileListModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }
    void TearDown() override {
        Application::japanese = FALSE;
        SetRomFilesForTesting(nullptr);
        SetDeviceDatabasesForTesting(nullptr);
        FileListModel::controlPanelFolder = L"\\Windows";
    }

    Texts Rows() const {
        Texts names;
        for (const auto& entry : model.entries) {
            names.push_back(entry->DisplayName());
        }
        return names;
    }
    const FileEntry& Row(const wchar_t* name) const {
        for (const auto& entry : model.entries) {
            if (wcscmp(entry->DisplayName(), name) == 0) {
                return *entry;
            }
        }
        throw std::runtime_error("no such row");
    }
    // The folder's rows through the filter, their names in code-unit order.
    Texts Show(const wchar_t* filter) {
        model.SetFilter(filter);
        model.Gather(nullptr, false);
        Texts names = Rows();
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;
    FileListModel model;
};

TEST_F(FileListModelTest, FolderRowsPassTheFilterFoldersAlways) {
    folder.File(L"Units.INI", 10);
    folder.File(L"units.txt", 20);
    folder.File(L"README", 30);
    folder.File(L"b.txt", 1);
    folder.File(L"B2.txt", 1);
    folder.Folder(L"archive.zip");
    ASSERT_TRUE(model.SetLocation(kPlainFolder, folder.path.c_str()));
    EXPECT_EQ((Texts{L"Units.INI", L"archive.zip"}), Show(L"*.ini"));
    EXPECT_EQ((Texts{L"B2.txt", L"README", L"Units.INI", L"archive.zip", L"b.txt", L"units.txt"}),
              Show(L"*.*"));
    EXPECT_EQ(L"File", TypeText(Row(L"README")));
    EXPECT_EQ(6u, Show(L"*").size());
    EXPECT_EQ((Texts{L"archive.zip", L"b.txt"}), Show(L"[a-c]*"));

    const FileEntry& file = Row(L"b.txt");
    EXPECT_EQ(kPlainFile, file.kind);
    EXPECT_EQ(-1, file.image);
    EXPECT_EQ(folder.path + L"\\b.txt", file.path);
    const FileEntry& archive = Row(L"archive.zip");
    EXPECT_EQ(kPlainFolder, archive.kind);
    EXPECT_EQ(2, archive.image);
    EXPECT_EQ(L"File Folder", TypeText(archive));
    EXPECT_EQ(L"", SizeText(archive));
}

TEST_F(FileListModelTest, SizeTypeAndDateTexts) {
    folder.File(L"small.qqa", 1023, 3);
    folder.File(L"Large.qqc", 5000, 1);
    model.SetLocation(kPlainFolder, folder.path.c_str());
    Show(L"*.*");
    EXPECT_EQ(L"1023 B", SizeText(Row(L"small.qqa")));
    EXPECT_EQ(L"4.9 KB", SizeText(Row(L"Large.qqc"))); // 5000 bytes
    EXPECT_EQ(L"QQA File", TypeText(Row(L"small.qqa")));
    EXPECT_NE(std::wstring::npos, DateText(Row(L"small.qqa")).find(L"2022")); // date and time
    EXPECT_NE(DateText(Row(L"small.qqa")), DateText(Row(L"Large.qqc")));
}

TEST_F(FileListModelTest, LocationAndFilterChanges) {
    EXPECT_FALSE(model.SetLocation(kPlainFolder, (folder.path + L"\\missing").c_str()));
    folder.File(L"plain", 1);
    EXPECT_FALSE(model.SetLocation(kPlainFolder, (folder.path + L"\\plain").c_str()));
    // A folder whose path fills a whole path buffer cannot be one of the list's: never cut.
    const std::wstring full = folder.Folder(std::wstring(kMaxPath - folder.path.size() - 1, L'f'));
    ASSERT_EQ(static_cast<size_t>(kMaxPath), full.size());
    ASSERT_TRUE(IsDirectory(full.c_str())) << "the host refuses a path of 260 characters";
    EXPECT_FALSE(model.SetLocation(kPlainFolder, full.c_str()));
    RemoveDirectoryW(full.c_str());
    EXPECT_EQ(kNoLocation, model.code);
    EXPECT_TRUE(model.SetLocation(kPlainFolder, folder.path.c_str()));
    model.Gather(nullptr, false);
    EXPECT_FALSE(model.stale);
    std::wstring upper = folder.path;
    CharUpperW(upper.data());
    EXPECT_FALSE(model.SetLocation(kPlainFolder, upper.c_str()));
    EXPECT_FALSE(model.SetFilter(L"*.*"));
    EXPECT_FALSE(model.stale);
    // Refreshing gathers again although nothing changed; otherwise only a change does.
    folder.File(L"later", 1);
    EXPECT_FALSE(model.Gather(nullptr, false));
    EXPECT_EQ(1u, model.entries.size());
    EXPECT_TRUE(model.Gather(nullptr, true));
    EXPECT_EQ(2u, model.entries.size());

    EXPECT_TRUE(model.SetLocation(kTrashBox, L"ignored"));
    EXPECT_FALSE(model.SetLocation(kTrashBox, L"ignored"));
    wchar_t text[kMaxPath];
    EXPECT_EQ(kTrashBox, model.CurrentPath(text));
    EXPECT_STREQ(L"\\Recycled", text);
    Application::japanese = TRUE;
    EXPECT_EQ(kTrashBox, model.CurrentLocation(text));
    EXPECT_STREQ(L"ごみ箱", text);
}

TEST_F(FileListModelTest, DesktopFindResultAndDatabases) {
    model.SetLocation(kDesktop, L"");
    model.Gather(nullptr, false);
    EXPECT_EQ((Texts{L"My Documents", L"My Device"}), Rows());
    EXPECT_EQ(11, model.entries[0]->image);
    EXPECT_EQ(9, model.entries[1]->image);
    EXPECT_EQ(L"\\My Documents", std::wstring(model.entries[0]->path));
    EXPECT_EQ(L"System Folder", TypeText(*model.entries[1]));
    EXPECT_EQ(L"", SizeText(*model.entries[1]));

    model.SetLocation(kFindResult, L"");
    model.Gather(nullptr, false);
    EXPECT_TRUE(model.entries.empty());

    std::vector<DeviceObjectInfo> objects(3);
    objects[0].name = L"Contacts Database";
    objects[0].size = 4096;
    objects[0].objectId = 77;
    objects[1].name = L"\\hidden";
    objects[2].name = L"a folder";
    objects[2].isDatabase = false;
    SetDeviceDatabasesForTesting(&objects);
    model.SetLocation(kDatabases, L"");
    model.Gather(nullptr, false);
    ASSERT_EQ((Texts{L"Contacts Database"}), Rows());
    const auto& database = static_cast<const DatabaseEntry&>(*model.entries[0]);
    EXPECT_EQ(kDatabaseRow, database.kind);
    EXPECT_EQ(6, database.image);
    EXPECT_EQ(77u, database.objectId);
    EXPECT_EQ(4096u, database.Size());
    EXPECT_EQ(L"", SizeText(database));
}

TEST_F(FileListModelTest, ControlPanelAskEachLibraryForItsApplets) {
    const std::wstring library = HostPath(TEST_APPLET);
    ASSERT_TRUE(CopyFileW(library.c_str(), (folder.path + L"\\clock.cpl").c_str(), FALSE));
    folder.File(L"broken.cpl", 100); // not a library: passed over
    // Held here too, so that its record of calls outlives the list's unloading.
    const HMODULE applets = LoadLibraryW((folder.path + L"\\clock.cpl").c_str());
    ASSERT_NE(nullptr, applets);
    FileListModel::controlPanelFolder = folder.path.c_str();
    model.SetLocation(kControlPanel, L"");
    model.Gather(nullptr, false);

    ASSERT_EQ((Texts{L"Clock"}), Rows());
    const auto& clock = static_cast<const AppletEntry&>(*model.entries[0]);
    EXPECT_EQ(kAppletRow, clock.kind);
    EXPECT_STREQ(L"Sets the date and time", clock.info);
    EXPECT_EQ(folder.path + L"\\clock.cpl,0", std::wstring(clock.launchArgument));
    EXPECT_GE(clock.image, IconCache::kFixedImageCount);
    EXPECT_EQ(L"", TypeText(clock));
    const auto calls = reinterpret_cast<const wchar_t* (*)()>(
        reinterpret_cast<void*>(GetProcAddress(applets, "TestAppletCalls")));
    EXPECT_STREQ(L"init count inquire0 stop0,130 inquire1 stop1,0 exit", calls());
    FreeLibrary(applets);
}

TEST_F(FileListModelTest, RomFilesCarryTheirAttribute) {
    const std::wstring rom = folder.File(L"rom.exe", 10);
    folder.File(L"ram.exe", 10);
    const std::vector<std::wstring> romFiles = {rom};
    SetRomFilesForTesting(&romFiles);
    model.SetLocation(kPlainFolder, folder.path.c_str());
    Show(L"*.*");
    EXPECT_EQ(FILE_ATTRIBUTE_INROM, Row(L"rom.exe").attributes & FILE_ATTRIBUTE_INROM);
    EXPECT_EQ(0u, Row(L"ram.exe").attributes & FILE_ATTRIBUTE_INROM);
}

} // namespace
