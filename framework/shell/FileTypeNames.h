// Registered file types and the type texts of the file lists.
//
// One table of file types, read from HKEY_CLASSES_ROOT, serves every FileTypeNames object: it
// is loaded when the first object is made and freed with the last, so types registered while
// any object lives are not seen.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One registered class of files. The first extension that names the class decides its
// description, command and icon; later extensions of the class only add themselves.
struct FileType {
    std::optional<std::wstring> className;   // the extension key's unnamed value
    std::optional<std::wstring> description; // the class key's unnamed value
    std::wstring extensions;                 // ".txt.log": every extension of the class
    std::optional<std::wstring> openCommand; // <class>\Shell\Open\Command
    std::optional<std::wstring> iconFile;    // <class>\DefaultIcon, file part, unquoted
    int iconIndex = 0;                       // <class>\DefaultIcon, after the comma
};

class FileTypeNames {
public:
    FileTypeNames();
    ~FileTypeNames();
    FileTypeNames(const FileTypeNames&) = delete;
    FileTypeNames& operator=(const FileTypeNames&) = delete;

    // The type registered for an extension given with its "." and in lower case, as
    // registered extensions are kept; null when there is none.
    const FileType* FindTypeByExtension(const wchar_t* extension) const;

    // The Type column's text for a file or folder: "File Folder", "Shortcut", the registered
    // description of the extension exactly as written, or "<EXTENSION> File" / "File". The
    // text lives until the next call on this object.
    const wchar_t* TypeNameOf(const wchar_t* name, DWORD attributes);

private:
    std::wstring composed;
};

// The process-wide table behind every FileTypeNames object.
struct FileTypeTable {
    std::vector<std::unique_ptr<FileType>> records; // in load order
    std::map<std::wstring, FileType*> byClass;
    // Lower-case extensions with their "."; looked up without making a string of the key.
    std::map<std::wstring, FileType*, std::less<>> byExtension;
    int instances = 0;

    void Load();
    void Clear();
};
FileTypeTable& SharedFileTypes();
