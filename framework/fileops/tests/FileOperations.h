// Delete, copy and move of real files and folders behind the progress dialog, with the
// questions answered as a user would.
#pragma once

#include "framework/app/Application.h"
#include "framework/app/FrameWindow.h"
#include "framework/app/InputPanel.h"
#include "framework/fileops/ConfirmDialog.h"
#include "framework/fileops/FileOperation.h"
#include "framework/fileops/FileReporting.h"
#include "platform/DeviceFileFaults.h"
#include "platform/DeviceFiles.h"
#include "platform/Screen.h"
#include "platform/SoftInputPanel.h"
#include "resources/fileops_ids.h"
#include "test_support/GuiObjects.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/QuestionAnswerer.h"
#include "test_support/TempFolder.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

// A double-terminated list of paths.
inline std::wstring List(const Texts& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    return list + L'\0';
}

class FileOperations : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }
    void TearDown() override {
        Application::japanese = FALSE;
        SetRomFilesForTesting(nullptr);
        SetWriteFaultForTesting(nullptr, 0, 0);
        SetFileCallFaultForTesting(-1, 0);
    }

    // Runs an operation on the sources, over the owner's window when one is given.
    bool Run(UINT operation, const Texts& sources, const std::wstring& destination = L"",
             WORD flags = 0, HWND owner = nullptr) {
        const std::wstring list = List(sources);
        FileOpRequest request = {};
        request.owner = owner;
        request.operation = operation;
        request.sources = list.c_str();
        request.destination = destination.empty() ? nullptr : destination.c_str();
        request.flags = flags;
        return RunFileOperation(request);
    }

    QuestionAnswerer answers;
    MessageBoxRecorder recorder;
    TempFolder folder;
};

// On a screen larger than a device's, every window the device shows full screen, and the
// question and progress dialogs, lie in the device-sized screen; the scripts also run this
// without Wine's desktop, each window an X window of its own.
// A top-level window as the converter's main window makes it.
class DeviceFrame : public FrameWindow {
public:
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            return OnClose(window, message, wParam, lParam);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefWindowProcW(window, message, wParam, lParam);
    }
};
