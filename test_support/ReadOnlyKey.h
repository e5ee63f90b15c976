// A registry key that, while the object lives, lets everyone read it and no one write it,
// as the class keys under HKEY_LOCAL_MACHINE are for a standard user on Windows. Its
// permissions are opened again when the object goes.
#pragma once

#include <windows.h>

#include <sddl.h>

class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const wchar_t* subkey) : root(root), subkey(subkey) {
        // Reading, and changing the permissions and deleting, to put things right again.
        Apply(L"D:P(A;;KRWDSD;;;WD)");
    }
    ~ReadOnlyKey() { Apply(L"D:P(A;;KA;;;WD)"); }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    void Apply(const wchar_t* permissions) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        HKEY key = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(permissions, SDDL_REVISION_1,
                                                                 &descriptor, nullptr) &&
            RegOpenKeyExW(root, subkey, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
            RegCloseKey(key);
        }
        LocalFree(descriptor);
    }

    HKEY root;
    const wchar_t* subkey;
};
