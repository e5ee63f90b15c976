// A fresh folder for a test's files, under the temporary folder unless given, removed with
// everything in it when the test ends.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class TempFolder {
public:
    TempFolder() : TempFolder(FreshPath()) {}
    // The folder at `path`, emptied of what an earlier run left there.
    explicit TempFolder(std::wstring at) : path(std::move(at)) {
        RemoveTree(path);
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const std::wstring& link : links) {
            RunHostCommand(L"Z:\\bin\\rm", L"rm -f \"" + UnixPath(link) + L"\"");
        }
        RemoveTree(path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full path of `name` in the folder.
    std::wstring In(const std::wstring& name) const { return path + L"\\" + name; }

    // Makes a file (its folders must exist) holding `bytes`, whose last write is `minutes`
    // after a fixed time; returns its full path.
    std::wstring File(const std::wstring& name, const std::string& bytes, int minutes = 0) const {
        const std::wstring file = In(name);
        const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ULARGE_INTEGER time;
        time.QuadPart = 133000000000000000ull + 600000000ull * minutes;
        const FILETIME stamp = {time.LowPart, time.HighPart};
        SetFileTime(handle, nullptr, nullptr, &stamp);
        CloseHandle(handle);
        return file;
    }
    // A file of `size` bytes.
    std::wstring File(const std::wstring& name, DWORD size, int minutes = 0) const {
        return File(name, std::string(size, 'x'), minutes);
    }
    std::wstring Folder(const std::wstring& name) const {
        const std::wstring folder = In(name);
        CreateDirectoryW(folder.c_str(), nullptr);
        return folder;
    }
    // The bytes of a file under the folder, or "(missing)".
    std::string Read(const std::wstring& name) const {
        const HANDLE handle = CreateFileW(In(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return "(missing)";
        }
        std::string bytes(GetFileSize(handle, nullptr), '\0');
        DWORD read = 0;
        ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(handle);
        return bytes;
    }
    // Makes `name` a symbolic link of the Linux host to `target` (a full path), which the
    // folder's removal takes away again. False where the host makes none (on Windows).
    bool Link(const std::wstring& name, const std::wstring& target) {
        const std::wstring link = In(name);
        const std::wstring from = UnixPath(target);
        const std::wstring to = UnixPath(link);
        if (from.empty() || to.empty() ||
            !RunHostCommand(L"Z:\\bin\\ln", L"ln -s \"" + from + L"\" \"" + to + L"\"")) {
            return false;
        }
        links.push_back(link);
        // Note: Wine's handle of a Linux process may be signalled before the process ends.
        for (int wait = 0; wait < 200; ++wait) {
            if (GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) {
                return true;
            }
            Sleep(10);
        }
        return false;
    }
    bool Exists(const std::wstring& name) const {
        return GetFileAttributesW(In(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Whether a name under the folder matches `pattern`, whose last part may hold * and ?.
    bool Finds(const std::wstring& pattern) const {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW(In(pattern).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) {
            return false;
        }
        FindClose(find);
        return true;
    }

    // Removes a folder with everything in it, read-only files included. A link to a folder
    // is not entered: what it points to is not the folder's.
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring item = folder + L"\\" + name;
                SetFileAttributesW(item.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                    continue;
                } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(item);
                } else {
                    DeleteFileW(item.c_str());
                }
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path;

private:
    // A new name under the temporary folder.
    static std::wstring FreshPath() {
        static int made = 0;
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        return std::wstring(base) + L"mensurio-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++made);
    }
    // The Linux path of a Windows path under Wine; empty elsewhere.
    static std::wstring UnixPath(const std::wstring& windowsPath) {
        using Convert = char*(CDECL*)(const wchar_t*);
        const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        char* converted = convert != nullptr ? convert(windowsPath.c_str()) : nullptr;
        if (converted == nullptr) {
            return {};
        }
        std::wstring unix(MultiByteToWideChar(CP_UTF8, 0, converted, -1, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, converted, -1, unix.data(), static_cast<int>(unix.size()));
        HeapFree(GetProcessHeap(), 0, converted);
        unix.pop_back(); // the terminator
        return unix;
    }
    // Runs a program of the Linux host to its end; false when it could not be started.
    static bool RunHostCommand(const wchar_t* program, std::wstring commandLine) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            return false;
        }
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }

    std::vector<std::wstring> links;
};
