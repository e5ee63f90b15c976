// Nothing lost: copies and moves keep every byte, also when a file is in use, the disk fills,
// a file call fails or the process is killed part-way.
#include "FileOperations.h"

TEST_F(FileOperations, CopiedTreesAreIdenticalByContent) {
    std::mt19937 random(2026);
    std::vector<std::wstring> names;
    folder.Folder(L"tree");
    for (int sub = 0; sub < 20; ++sub) {
        const std::wstring subFolder = L"tree\\folder " + std::to_wstring(sub);
        folder.Folder(subFolder);
        for (int file = 0; file < 50; ++file) {
            std::string bytes(random() % 20000, '\0');
            for (char& byte : bytes) {
                byte = static_cast<char>(random());
            }
            names.push_back(subFolder + L"\\file " + std::to_wstring(file) + L".bin");
            folder.File(names.back(), bytes);
        }
    }
    folder.Folder(L"copy");
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree")}, folder.In(L"copy"), kNoConfirmation));
    EXPECT_TRUE(recorder.Boxes().empty());
    int differing = 0;
    for (const std::wstring& name : names) {
        differing += folder.Read(name) != folder.Read(L"copy\\" + name);
    }
    EXPECT_EQ(0, differing);

    // Moving the copy elsewhere keeps every byte too, and leaves no copy behind.
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"copy\\tree")}, folder.In(L"moved"), kNoConfirmation));
    for (const std::wstring& name : names) {
        differing += folder.Read(name) != folder.Read(L"moved\\" + name);
    }
    EXPECT_EQ(0, differing);
    EXPECT_FALSE(folder.Exists(L"copy\\tree"));
}

TEST_F(FileOperations, AFileInUseStopsTheCopyAndKeepsTheSources) {
    folder.Folder(L"tree");
    folder.File(L"tree\\a.txt", "a");
    const std::wstring held = folder.File(L"tree\\b.txt", "b");
    folder.File(L"tree\\c.txt", "c");
    const HANDLE handle =
        CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    folder.Folder(L"to");
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"tree")}, folder.In(L"to"), kNoConfirmation));
    CloseHandle(handle);
    EXPECT_EQ((Texts{held + L" is in use"}), recorder.Texts());
    // Everything not yet moved is still in place; nothing is lost either way.
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
        const std::wstring file = name;
        EXPECT_NE(folder.Exists(L"tree\\" + file), folder.Exists(L"to\\tree\\" + file)) << name;
    }
    EXPECT_TRUE(folder.Exists(L"tree\\b.txt"));
}

TEST_F(FileOperations, AFullDiskOrAReadOnlyFolderStopsPartWay) {
    folder.Folder(L"tree");
    for (int file = 0; file < 5; ++file) {
        folder.File(L"tree\\" + std::to_wstring(file) + L".txt", std::to_string(file));
    }
    folder.Folder(L"card");
    // The third file finds the card full: two are copied, then the operation stops.
    SetWriteFaultForTesting(folder.In(L"card").c_str(), ERROR_DISK_FULL, 2);
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree")}, folder.In(L"card"), kNoConfirmation));
    int copied = 0;
    for (int file = 0; file < 5; ++file) {
        const std::wstring name = std::to_wstring(file) + L".txt";
        EXPECT_EQ(std::to_string(file), folder.Read(L"tree\\" + name));
        copied += folder.Exists(L"card\\tree\\" + name);
    }
    EXPECT_EQ(2, copied);
    // A folder that may not be written: the move stops at once and every source stays.
    SetWriteFaultForTesting(folder.In(L"card").c_str(), ERROR_ACCESS_DENIED, 0);
    Application::japanese = TRUE;
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"tree")}, folder.In(L"card"), kNoConfirmation));
    SetWriteFaultForTesting(nullptr, 0, 0);
    for (int file = 0; file < 5; ++file) {
        EXPECT_TRUE(folder.Exists(L"tree\\" + std::to_wstring(file) + L".txt"));
    }
    EXPECT_EQ((Texts{L"The disk is full", L"Error Move file 5"}), recorder.Texts());
}

// For every file call of a copy, a move and a delete of a tree of random files, in turn:
// the operation with that call failing. Whatever fails, every file is whole somewhere, no
// file is half-written, and the failure is told.
TEST_F(FileOperations, AFaultAtAnyCallLosesNothingAndIsTold) {
    std::mt19937 random(1208);
    const auto bytes = [&](size_t size) {
        std::string text(size, '\0');
        for (char& byte : text) {
            byte = static_cast<char>(random());
        }
        return text;
    };
    const Texts folders = {L"tree", L"tree\\a", L"tree\\a\\b", L"tree\\c"};
    std::map<std::wstring, std::string> files; // under tree
    for (int file = 0; file < 8; ++file) {
        files[folders[random() % 4].substr(4) + L"\\" + std::to_wstring(file) + L".bin"] =
            bytes(random() % 6000);
    }
    files[L"\\a\\large.bin"] = bytes(2 * 1024 * 1024 + 999); // three blocks of a copy
    // Targets already there, one of them read-only, and a folder to merge into.
    std::map<std::wstring, std::string> old = {{files.begin()->first, "old one"},
                                               {L"\\a\\large.bin", "old large"}};
    const std::wstring readOnlySource = std::next(files.begin())->first;
    const std::wstring readOnlyTarget = L"\\a\\large.bin";

    const auto reset = [&] {
        TempFolder::RemoveTree(folder.In(L"tree"));
        TempFolder::RemoveTree(folder.In(L"to"));
        for (const std::wstring& name : folders) {
            folder.Folder(name);
        }
        for (const auto& [name, content] : files) {
            folder.File(L"tree" + name, content);
        }
        SetFileAttributesW(folder.In(L"tree" + readOnlySource).c_str(), FILE_ATTRIBUTE_READONLY);
        folder.Folder(L"to");
        folder.Folder(L"to\\tree");
        folder.Folder(L"to\\tree\\a");
        for (const auto& [name, content] : old) {
            folder.File(L"to\\tree" + name, content);
        }
        SetFileAttributesW(folder.In(L"to\\tree" + readOnlyTarget).c_str(),
                           FILE_ATTRIBUTE_READONLY);
        recorder.Clear();
    };
    const auto leftovers = [&] {
        int count = 0;
        for (const std::wstring& name : folders) {
            for (const std::wstring root : {L"", L"to\\"}) {
                count += folder.Finds(root + name + L"\\~mensurio-partial-*");
            }
        }
        return count;
    };

    int faults = 0;
    int lost = 0;
    for (const UINT operation : {kCopyFiles, kMoveFiles, kDeleteFiles}) {
        const std::wstring destination = operation == kDeleteFiles ? L"" : folder.In(L"to");
        reset();
        SetFileCallFaultForTesting(-1, 0);
        ASSERT_TRUE(Run(operation, {folder.In(L"tree")}, destination, kNoConfirmation));
        const long calls = FileCallsForTesting();
        ASSERT_TRUE(recorder.Boxes().empty());
        for (long call = 0; call < calls; ++call) {
            reset();
            SetFileCallFaultForTesting(call, ERROR_GEN_FAILURE);
            ASSERT_TRUE(Run(operation, {folder.In(L"tree")}, destination, kNoConfirmation));
            SetFileCallFaultForTesting(-1, 0);
            ++faults;
            bool complete = true;
            for (const auto& [name, content] : files) {
                const std::string source = folder.Read(L"tree" + name);
                const std::string target = folder.Read(L"to\\tree" + name);
                const auto known = old.find(name);
                const std::string before = known != old.end() ? known->second : "(missing)";
                const bool sourceWhole = source == content;
                const bool targetWhole = target == content;
                // No file anywhere holds anything but what it held or what it was to hold.
                const bool sane =
                    (sourceWhole || source == "(missing)") && (targetWhole || target == before);
                bool kept = true;
                switch (operation) {
                case kCopyFiles:
                    kept = sourceWhole;
                    complete = complete && targetWhole;
                    break;
                case kMoveFiles:
                    kept = sourceWhole || targetWhole;
                    complete = complete && targetWhole && !sourceWhole;
                    break;
                default:
                    complete = complete && source == "(missing)";
                    break;
                }
                if (!sane || !kept) {
                    ++lost;
                    ADD_FAILURE() << "operation " << operation << ", call " << call << ": "
                                  << std::string(name.begin(), name.end());
                }
            }
            if (operation == kDeleteFiles) {
                complete = complete && !folder.Exists(L"tree");
            }
            const bool readOnlyKept =
                folder.Read(L"to\\tree" + readOnlyTarget) != "old large" ||
                (GetFileAttributesW(folder.In(L"to\\tree" + readOnlyTarget).c_str()) &
                 FILE_ATTRIBUTE_READONLY);
            EXPECT_TRUE(readOnlyKept) << "operation " << operation << ", call " << call;
            EXPECT_EQ(0, leftovers()) << "operation " << operation << ", call " << call;
            EXPECT_TRUE(complete || !recorder.Boxes().empty())
                << "silence after operation " << operation << ", call " << call;
        }
    }
    EXPECT_EQ(0, lost);
    EXPECT_LT(100, faults);
    std::cout << faults << " faults injected, " << lost << " files lost\n";
}

// The copy that KillsNeverLeaveAHalfFileUnderItsName kills: run as a process of its own,
// with what to copy in the environment.
TEST(KilledCopy, DISABLED_CopiesForTheTestThatKillsIt) {
    InitTestApplication();
    wchar_t source[MAX_PATH] = {};
    wchar_t target[MAX_PATH] = {};
    wchar_t started[MAX_PATH] = {};
    GetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_SOURCE", source, MAX_PATH);
    GetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_TARGET", target, MAX_PATH);
    GetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_STARTED", started, MAX_PATH);
    const std::wstring list = List({source});
    FileOpRequest request = {};
    request.operation = kCopyFiles;
    request.sources = list.c_str();
    request.destination = target;
    request.flags = kNoConfirmation;
    SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, started));
    RunFileOperation(request);
}

// A copy of a tree killed at random points, as by a power loss: every file under its final
// name is whole, and the next copy into a folder removes what the killed one left there.
TEST_F(FileOperations, KillsNeverLeaveAHalfFileUnderItsName) {
    std::mt19937 random(20261208);
    std::map<std::wstring, std::string> files;
    folder.Folder(L"tree");
    folder.Folder(L"tree\\inner");
    for (int file = 0; file < 40; ++file) {
        std::string bytes(random() % (file % 8 == 0 ? 3000000 : 200000), '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random());
        }
        const std::wstring name =
            (file % 2 ? L"tree\\" : L"tree\\inner\\") + std::to_wstring(file) + L".bin";
        folder.File(name, bytes);
        files[name] = std::move(bytes);
    }
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) +
                               L"\" --gtest_also_run_disabled_tests "
                               L"--gtest_filter=KilledCopy.DISABLED_CopiesForTheTestThatKillsIt";
    const HANDLE started = CreateEventW(nullptr, TRUE, FALSE, L"MensurioKilledCopyStarted");
    SetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_SOURCE", folder.In(L"tree").c_str());
    SetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_TARGET", folder.In(L"to").c_str());
    SetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_STARTED", L"MensurioKilledCopyStarted");
    // Copies in a process of its own, killed `after` milliseconds into the copy or left to
    // end; how long it ran.
    const auto copy = [&](DWORD after) {
        ResetEvent(started);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "cannot start the copy";
            return DWORD{0};
        }
        WaitForSingleObject(started, 20000);
        const ULONGLONG begun = GetTickCount64();
        if (WaitForSingleObject(process.hProcess, after) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<DWORD>(GetTickCount64() - begun);
    };
    folder.Folder(L"to");
    const DWORD whole = copy(INFINITE);
    for (const auto& [name, content] : files) {
        ASSERT_TRUE(folder.Read(L"to\\" + name) == content);
    }
    int leftBehind = 0;
    for (int kill = 0; kill < 20; ++kill) {
        TempFolder::RemoveTree(folder.In(L"to"));
        folder.Folder(L"to");
        copy(random() % (whole + 1));
        for (const auto& [name, content] : files) {
            const std::string copied = folder.Read(L"to\\" + name);
            EXPECT_TRUE(copied == "(missing)" || copied == content)
                << "kill " << kill << ": " << std::string(name.begin(), name.end());
        }
        for (const std::wstring inside : {L"to\\tree", L"to\\tree\\inner"}) {
            leftBehind += folder.Finds(inside + L"\\~mensurio-partial-*.tmp");
        }
    }
    // What the last kill left goes with the next copy.
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree")}, folder.In(L"to"), kNoConfirmation));
    for (const std::wstring inside : {L"to\\tree", L"to\\tree\\inner"}) {
        EXPECT_FALSE(folder.Finds(inside + L"\\~mensurio-partial-*.tmp"));
    }
    EXPECT_LT(0, leftBehind); // some kills came in the middle of a file
    CloseHandle(started);
}
