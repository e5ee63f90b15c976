// The reporting file calls on real files: what they do, which files they pass over, and
// the texts they report, chosen by the platform's error code. New folder names and the
// check of typed names.
#include "framework/fileops/FileReporting.h"
#include "framework/app/Application.h"
#include "framework/app/Paths.h"
#include "framework/fileops/FolderNames.h"
#include "platform/DeviceFileFaults.h"
#include "platform/DeviceFiles.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/TempFolder.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FileReporting : public ::testing::Test {
protected:
    void TearDown() override {
        Application::japanese = FALSE;
        SetRomFilesForTesting(nullptr);
    }

    MessageBoxRecorder recorder;
    TempFolder folder;
};

TEST_F(FileReporting, FoldersAreMadeAndRemoved) {
    EXPECT_TRUE(MakeFolderPath(nullptr, folder.In(L"a\\b\\c").c_str()));
    EXPECT_TRUE(IsDirectory(folder.In(L"a\\b\\c").c_str()));
    EXPECT_TRUE(MakeFolderPath(nullptr, folder.In(L"a\\b").c_str())); // already there
    // A file in the way, or no folder to start from, is said, not passed over in silence.
    folder.File(L"plain", 1);
    EXPECT_FALSE(MakeFolderPath(nullptr, folder.In(L"plain").c_str()));
    EXPECT_FALSE(MakeFolderPath(nullptr, folder.In(L"plain\\below").c_str()));
    EXPECT_FALSE(MakeFolderPath(nullptr, L"nofolder"));
    EXPECT_FALSE(MakeFolderPath(nullptr, L"q\\a\\b")); // the first folder a relative path needs
    EXPECT_EQ((Texts{L"Error CreateDirectory 183", L"Error CreateDirectory 183",
                     L"Can't find the path specified. 'nofolder'",
                     L"Can't find the path specified. 'q\\a'"}),
              recorder.Texts());
    recorder.Clear();

    EXPECT_FALSE(CreateFolderReporting(nullptr, folder.In(L"missing\\x").c_str()));
    EXPECT_FALSE(RemoveFolderReporting(nullptr, folder.In(L"a\\b").c_str()));
    Application::japanese = TRUE;
    EXPECT_FALSE(RemoveFolderReporting(nullptr, folder.In(L"a").c_str()));
    EXPECT_EQ((Texts{L"Can't find the path specified. '" + folder.In(L"missing\\x") + L"'",
                     L"Folder not empty", L"ﾌｫﾙﾀﾞが空でありません"}),
              recorder.Texts());
    EXPECT_EQ(L"Error", recorder.Boxes()[0].caption);
    EXPECT_TRUE(RemoveFolderReporting(nullptr, folder.In(L"a\\b\\c").c_str()));

    // The device's paths have no drive: its first folder, missing too, is made first. Here
    // the current drive's root is the Wine prefix's drive C.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
    const std::wstring top = L"\\mensurio-made-" + std::to_wstring(GetCurrentProcessId());
    EXPECT_TRUE(MakeFolderPath(nullptr, (top + L"\\a\\b").c_str()));
    EXPECT_TRUE(IsDirectory((top + L"\\a\\b").c_str()));
    for (const std::wstring& made : {top + L"\\a\\b", top + L"\\a", top}) {
        RemoveDirectoryW(made.c_str());
    }
    SetCurrentDirectoryW(current);
}

// A link is told and left where it is, not taken for moved.
TEST_F(FileReporting, LinksAreToldAndLeft) {
    if (!folder.Link(L"link", folder.File(L"target.txt", "t"))) {
        GTEST_SKIP() << "the host makes no links";
    }
    EXPECT_FALSE(
        MoveFileReporting(nullptr, folder.In(L"link").c_str(), folder.In(L"moved").c_str()));
    EXPECT_TRUE(LeftAsItIs());
    EXPECT_FALSE(folder.Exists(L"moved"));
    EXPECT_EQ(1u, recorder.Boxes().size());
}

TEST_F(FileReporting, ReadOnlyFilesGoRomFilesStayAndSaySo) {
    const std::wstring readOnly = folder.File(L"read-only.txt", 3);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(DeleteFileReporting(nullptr, readOnly.c_str()));
    EXPECT_FALSE(folder.Exists(L"read-only.txt"));

    // A ROM file can be copied, but never changed: a delete leaves it as it is, a move, a
    // rename or a copy onto it fails, and each says so.
    const std::wstring rom = folder.File(L"rom.exe", "rom");
    const std::wstring other = folder.File(L"other.exe", "other");
    const std::vector<std::wstring> romFiles = {rom};
    SetRomFilesForTesting(&romFiles);
    EXPECT_FALSE(DeleteFileReporting(nullptr, rom.c_str()));
    EXPECT_TRUE(LeftAsItIs());
    EXPECT_TRUE(CopyFileReporting(nullptr, rom.c_str(), folder.In(L"copy.exe").c_str()));
    EXPECT_FALSE(MoveFileReporting(nullptr, rom.c_str(), folder.In(L"moved.exe").c_str()));
    EXPECT_FALSE(CopyFileReporting(nullptr, other.c_str(), rom.c_str()));
    EXPECT_EQ("rom", folder.Read(L"rom.exe"));
    EXPECT_EQ("rom", folder.Read(L"copy.exe"));
    EXPECT_FALSE(folder.Exists(L"moved.exe"));
    EXPECT_FALSE(LeftAsItIs());
    EXPECT_EQ((Texts{L"'" + rom + L"' is in ROM and cannot be deleted.", L"Error Move file 5",
                     L"Error CopyFile 5"}),
              recorder.Texts());
    // A source that does not exist is passed over.
    EXPECT_TRUE(CopyFileReporting(nullptr, folder.In(L"gone").c_str(), folder.In(L"copy").c_str()));
    EXPECT_EQ(3u, recorder.Boxes().size());
}

// The device calls' seams, on which the fault sweeps rely: the call named fails and no other,
// counted from the call after the seam is set; a write fault holds in its folder and not in
// a sibling whose name begins with the folder's; and a file in ROM is never deleted, even by
// the bare device call.
TEST_F(FileReporting, DeviceSeamsFailWhatTheyNameAndNothingElse) {
    const std::wstring file = folder.File(L"a.txt", "a");
    SetFileCallFaultForTesting(1, ERROR_GEN_FAILURE);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, DeviceGetFileAttributes(file.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, DeviceGetFileAttributes(file.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), GetLastError());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, DeviceGetFileAttributes(file.c_str()));
    EXPECT_EQ(3, FileCallsForTesting());
    SetFileCallFaultForTesting(-1, 0);

    folder.Folder(L"to");
    const std::wstring sibling = folder.Folder(L"tother") + L"\\a.txt";
    SetWriteFaultForTesting(folder.In(L"to").c_str(), ERROR_DISK_FULL, 0);
    EXPECT_TRUE(DeviceMoveFile(file.c_str(), sibling.c_str(), false));
    EXPECT_FALSE(DeviceMoveFile(sibling.c_str(), folder.In(L"to\\a.txt").c_str(), false));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), GetLastError());
    // A move inside the folder writes nothing new into it; once cleared, nothing fails.
    const std::wstring inside = folder.File(L"to\\b.txt", "b");
    EXPECT_TRUE(DeviceMoveFile(inside.c_str(), folder.In(L"to\\c.txt").c_str(), false));
    SetWriteFaultForTesting(nullptr, 0, 0);
    EXPECT_TRUE(DeviceMoveFile(sibling.c_str(), folder.In(L"to\\a.txt").c_str(), false));
    EXPECT_TRUE(DeviceMoveFile(folder.In(L"to\\a.txt").c_str(), sibling.c_str(), false));

    const std::vector<std::wstring> romFiles = {sibling};
    SetRomFilesForTesting(&romFiles);
    EXPECT_FALSE(DeviceDeleteFile(sibling.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(folder.Exists(L"tother\\a.txt"));
}

TEST_F(FileReporting, CopyAndMoveReportByErrorCode) {
    const std::wstring source = folder.File(L"held.txt", "held");
    const HANDLE held =
        CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(CopyFileReporting(nullptr, source.c_str(), folder.In(L"copy.txt").c_str()));
    Application::japanese = TRUE;
    EXPECT_FALSE(CopyFileReporting(nullptr, source.c_str(), folder.In(L"copy.txt").c_str()));
    Application::japanese = FALSE;
    CloseHandle(held);
    const std::wstring other = folder.File(L"other.txt", "other");
    // The platform's move does not replace; asked to, it replaces in one step.
    EXPECT_FALSE(MoveFileReporting(nullptr, source.c_str(), other.c_str()));
    EXPECT_EQ("other", folder.Read(L"other.txt"));
    EXPECT_TRUE(MoveFileReporting(nullptr, source.c_str(), other.c_str(), true));
    EXPECT_EQ("held", folder.Read(L"other.txt"));
    EXPECT_FALSE(folder.Exists(L"held.txt"));
    EXPECT_FALSE(
        SetAttributesReporting(nullptr, folder.In(L"gone").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ((Texts{source + L" is in use", source + L" は使用中です", L"Error Move file 183",
                     L"Error SetFileAttribute 2"}),
              recorder.Texts());
}

// Each way a copy itself fails is told in its own words.
TEST_F(FileReporting, CopyFailuresAreToldInTheirWords) {
    const std::wstring source = folder.File(L"a.txt", "a");
    const std::wstring target = folder.In(L"b.txt");
    const auto failedCopy = [&](long call, DWORD error) {
        recorder.Clear();
        SetFileCallFaultForTesting(call, error);
        const bool copied = CopyFileReporting(nullptr, source.c_str(), target.c_str());
        SetFileCallFaultForTesting(-1, 0);
        return !copied ? recorder.Texts() : Texts{};
    };
    long copyCall = 0; // the first device call whose failure is the copy's own
    while (copyCall < 20 && failedCopy(copyCall, ERROR_CRC) != Texts{L"CRC ERROR " + source}) {
        ++copyCall;
    }
    ASSERT_LT(copyCall, 20);
    const std::pair<DWORD, std::wstring> told[] = {{ERROR_FILE_NOT_FOUND, L"File not found"},
                                                   {ERROR_INVALID_PARAMETER, L"Invalid parameter"},
                                                   {ERROR_DISK_FULL, L"The disk is full"},
                                                   {ERROR_SWAPERROR, L"SWAP ERROR " + source},
                                                   {ERROR_USER_MAPPED_FILE, source + L" is in use"},
                                                   {1234, L"Error CopyFile 1234"}};
    for (const auto& [error, text] : told) {
        EXPECT_EQ(Texts{text}, failedCopy(copyCall, error)) << error;
    }
}

TEST_F(FileReporting, NewFolderNames) {
    wchar_t name[kMaxPath];
    ASSERT_TRUE(NewFolderName(nullptr, name, folder.path.c_str()));
    EXPECT_EQ(folder.In(L"New Folder"), name);
    folder.Folder(L"New Folder (2)");
    NewFolderName(nullptr, name, folder.path.c_str());
    EXPECT_EQ(folder.In(L"New Folder"), name);
    folder.Folder(L"New Folder");
    NewFolderName(nullptr, name, folder.path.c_str());
    EXPECT_EQ(folder.In(L"New Folder (3)"), name);
    Application::japanese = TRUE;
    folder.File(L"新しいフォルダ", 1); // a file takes the name too
    NewFolderName(nullptr, name, folder.path.c_str());
    EXPECT_EQ(folder.In(L"新しいフォルダ (2)"), name);
}

TEST_F(FileReporting, NamesThatCannotBeAreToldInWords) {
    for (const wchar_t* name :
         {L"Letters 2026.txt", L" lead", L"CONSOLE.txt", L"COM10", L"com0", L"nul2"}) {
        EXPECT_TRUE(CheckNewName(nullptr, name)) << name;
    }
    for (const wchar_t* name :
         {L"", L"..", L" . ", L"a,b", L"CON", L"nul .ini", L"Com1.txt", L"lpt9", L"aux.a.b"}) {
        EXPECT_FALSE(CheckNewName(nullptr, name)) << name;
    }
    Application::japanese = TRUE;
    EXPECT_FALSE(CheckNewName(nullptr, L"a;b"));
    EXPECT_FALSE(CheckNewName(nullptr, L""));
    EXPECT_FALSE(CheckNewName(nullptr, L"prn"));
    const Texts texts = recorder.Texts();
    ASSERT_EQ(12u, texts.size());
    EXPECT_EQ(L"A name is needed: type one.", texts[0]);
    EXPECT_EQ(L"Invalid chars\n\\/:,;*?\"<>|", texts[3]);
    EXPECT_EQ(L"'nul .ini' is a name the system keeps for a device: choose another.", texts[5]);
    EXPECT_EQ(
        (Texts{L"ﾌｧｲﾙ名には次の文字は使えません。\n\\/:,;*?\"<>|", L"名前を入力してください。",
               L"'prn' はｼｽﾃﾑが機器のために予約している名前です。別の名前にしてください。"}),
        Texts(texts.begin() + 9, texts.end()));
}

} // namespace
