// Cancel, and closing or quitting the program while an operation runs.
#include "FileOperations.h"

TEST_F(FileOperations, CancelChangesNothingOrStopsBetweenEntries) {
    folder.Folder(L"tree");
    for (int file = 0; file < 5; ++file) {
        folder.File(L"tree\\" + std::to_wstring(file) + L".txt", 1);
    }
    // Cancel before the preparation has counted anything.
    const std::wstring list = List({folder.In(L"tree")});
    FileOpRequest request = {};
    request.operation = kDeleteFiles;
    request.sources = list.c_str();
    request.flags = kNoConfirmation;
    FileOpDialog dialog(request);
    dialog.cancelRequested = true;
    EXPECT_EQ(1, dialog.DoModal(nullptr, L"FDlgFileOp_E"));
    EXPECT_EQ(0, dialog.filesCounted);
    EXPECT_EQ(0, dialog.filesDone);
    EXPECT_TRUE(folder.Exists(L"tree\\4.txt"));

    // Cancel pressed while the first file's question is up: that file goes, then it stops.
    answers.atFirstQuestion = QuestionAnswerer::PressCancel;
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"tree")}));
    int left = 0;
    for (int file = 0; file < 5; ++file) {
        left += folder.Exists(L"tree\\" + std::to_wstring(file) + L".txt");
    }
    EXPECT_EQ(4, left);
    EXPECT_EQ(1u, answers.questions.size());
}

TEST_F(FileOperations, CancelStopsBetweenSourcesAndInsideACopy) {
    const std::wstring first = folder.File(L"1.txt", 1);
    const std::wstring second = folder.File(L"2.txt", 1);
    const std::wstring third = folder.File(L"3.txt", 1);
    // All to the first question, with Cancel pressed while it was up: the first goes, and
    // the sources after it are not touched.
    answers.atFirstQuestion = QuestionAnswerer::PressCancel;
    answers.answers = {IDC_ALL};
    EXPECT_TRUE(Run(kDeleteFiles, {first, second, third}));
    EXPECT_FALSE(folder.Exists(L"1.txt"));
    EXPECT_TRUE(folder.Exists(L"2.txt"));
    EXPECT_TRUE(folder.Exists(L"3.txt"));

    // Yes to replacing a large file, with Cancel pressed meanwhile: the copy stops before it
    // is done, and the old file stays whole, with nothing half-written beside it.
    const std::string large(3 * 1024 * 1024 + 17, 'n');
    const std::wstring source = folder.File(L"large.bin", large);
    folder.Folder(L"to");
    folder.File(L"to\\large.bin", "old");
    answers.atFirstQuestion = QuestionAnswerer::PressCancel;
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kCopyFiles, {source}, folder.In(L"to")));
    EXPECT_EQ("old", folder.Read(L"to\\large.bin"));
    EXPECT_EQ(large, folder.Read(L"large.bin"));

    // Cancel pressed in the middle of a copy, here and by a move to another volume: it
    // stops there, without a message, and leaves the source whole and no part of the copy.
    const auto cancelPartWay = [](const std::function<bool(const std::atomic<bool>*)>& copy) {
        std::atomic<bool> cancel{false};
        std::atomic<bool> done{false};
        bool copied = true;
        SetFileCallFaultForTesting(-1, 0); // counts the calls from here
        std::thread copying([&] {
            copied = copy(&cancel);
            done = true;
        });
        while (!done && FileCallsForTesting() < 8) { // three blocks in, of 32
        }
        cancel = true;
        copying.join();
        return copied;
    };
    const std::string big(32 * 1024 * 1024, 'b');
    const std::wstring bigFile = folder.File(L"big.bin", big);
    EXPECT_FALSE(cancelPartWay([&](const std::atomic<bool>* cancel) {
        return CopyFileReporting(nullptr, bigFile.c_str(), folder.In(L"to\\large.bin").c_str(),
                                 cancel);
    }));
    EXPECT_EQ("old", folder.Read(L"to\\large.bin"));
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(folder.In(L"to\\*").c_str(), &found);
    int entries = 0;
    do {
        entries += found.cFileName[0] != L'.';
    } while (FindNextFileW(find, &found));
    FindClose(find);
    EXPECT_EQ(1, entries); // large.bin alone
    const std::wstring otherVolume = L"Z:\\dev\\shm\\mensurio-cancelled-move.bin";
    if (GetFileAttributesW(L"Z:\\dev\\shm") != INVALID_FILE_ATTRIBUTES) {
        EXPECT_FALSE(cancelPartWay([&](const std::atomic<bool>* cancel) {
            return MoveFileReporting(nullptr, bigFile.c_str(), otherVolume.c_str(), false, cancel);
        }));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(otherVolume.c_str()));
        DeleteFileW(otherVolume.c_str());
    }
    EXPECT_TRUE(big == folder.Read(L"big.bin"));
    EXPECT_TRUE(recorder.Boxes().empty());
}

// A request to close the program while an operation runs is refused, and the operation goes
// on to its end; the quit message ends the dialog, cancels the work (its open question
// answered as Cancel) and returns only once the work has stopped.
TEST_F(FileOperations, ClosingOrQuittingWaitsForTheWork) {
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDevice");
    DeviceFrame frame;
    ASSERT_TRUE(frame.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, WS_VISIBLE,
                             0, COLOR_WINDOW));
    const auto deleteFiles = [&] {
        Texts files;
        for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
            files.push_back(folder.File(name, 1));
        }
        return Run(kDeleteFiles, files, L"", 0, frame.handle);
    };
    answers.atFirstQuestion = [&](HWND) {
        SendMessageW(frame.handle, WM_CLOSE, 0, 0);
        return true;
    };
    answers.answers = {IDC_ALL};
    EXPECT_TRUE(deleteFiles());
    EXPECT_TRUE(IsWindow(frame.handle));
    EXPECT_FALSE(folder.Exists(L"1.txt") || folder.Exists(L"2.txt") || folder.Exists(L"3.txt"));

    answers.atFirstQuestion = [](HWND) {
        PostQuitMessage(0);
        return false;
    };
    deleteFiles(); // cut short: not the dialog's own end
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(folder.Exists(L"1.txt") && folder.Exists(L"2.txt") && folder.Exists(L"3.txt"));
    EXPECT_TRUE(recorder.Boxes().empty());

    // With the work stopped, the program closes.
    SendMessageW(frame.handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame.handle));
}
