// File-system calls that report their own failures: each shows the platform's error in an
// Error box owned by `owner`, with a text chosen by the error code, and returns false.
//
// Sources that are missing are passed over: delete, copy and move succeed without them. A
// link to a file or folder elsewhere is never changed through, and a file in ROM is never
// deleted: each is reported as such, and LeftAsItIs tells the caller so.
#pragma once

#include <windows.h>

#include <atomic>

bool CreateFolderReporting(HWND owner, const wchar_t* path);
// Creates the folder and every missing folder above it. A file that holds the name of one
// of them is reported as the folder's creation would report it.
bool MakeFolderPath(HWND owner, const wchar_t* path);
// Removes an empty folder, read-only or not.
bool RemoveFolderReporting(HWND owner, const wchar_t* path);
// Deletes a file, read-only or not; one in ROM is reported and stays.
bool DeleteFileReporting(HWND owner, const wchar_t* path);
// Copies a file. The data goes into a partial file beside the target
// ("~mensurio-partial-0000.tmp"), which takes the target's name, or its place, in one step
// once complete: no file under a final name is ever half-written, even by a run that is
// killed. A failure part-way, or `cancel` set meanwhile, leaves an existing target as it
// was and no new file behind (a cancelled copy returns false without a message); partial
// files that a killed run left behind go with the next copy into their folder.
bool CopyFileReporting(HWND owner, const wchar_t* source, const wchar_t* target,
                       const std::atomic<bool>* cancel = nullptr);
// The same two with the attributes of the file or source as the device has just listed
// them, which saves reading them again.
bool DeleteFileReporting(HWND owner, const wchar_t* path, DWORD attributes);
bool CopyFileReporting(HWND owner, const wchar_t* source, DWORD attributes, const wchar_t* target,
                       const std::atomic<bool>* cancel = nullptr);
// Moves or renames a file or folder. An existing target is replaced only when asked for,
// in one step (a read-only target too, whose flag comes back if the move fails), so that a
// failed move never loses it. A file moves to another volume as a copy (which `cancel`
// stops as it stops CopyFileReporting), then, once the copy is on the disk and closed, a
// delete of the source.
bool MoveFileReporting(HWND owner, const wchar_t* source, const wchar_t* target,
                       bool replaceExisting = false, const std::atomic<bool>* cancel = nullptr);
// Gives a file or folder the name `target` in its own folder. A name taken by another item
// is refused in words; a name that differs only in case, or by trailing dots, from the
// item's own is given through a name of the program's in between, which the host needs to
// change the name at all. `onDisk` (kMaxPath characters) receives the path as the item now
// has it: the system drops trailing dots and spaces, and an item whose old name could not
// come back after a failed second step keeps the one in between (and the call is true).
bool RenameReporting(HWND owner, const wchar_t* path, const wchar_t* target, wchar_t* onDisk);
bool SetAttributesReporting(HWND owner, const wchar_t* path, DWORD attributes);
// The attributes of `path`, INVALID_FILE_ATTRIBUTES when nothing is there; false, reported,
// when the device cannot tell.
bool ReadAttributesReporting(HWND owner, const wchar_t* path, DWORD& attributes);
// Whether a file call's error means that nothing is at the path (or its folder).
bool IsNotFound(DWORD error);
// Whether the reporting call that last failed on this thread left its item as it is for a
// reason it told (a link, a file in ROM): an operation goes on with its other items.
bool LeftAsItIs();
// Tells that `path` is a link to a file or folder elsewhere, which was not changed.
void ReportLink(HWND owner, const wchar_t* path);
