// The kind of a location of the file list, and of one of its rows.
//
// Bit 15 marks a place of the place table (bits 0-3 give its row); bit 11 allows new folders
// there; bit 8 allows renaming a row of that kind in place. The other bits are carried as
// they are.
#pragma once

using LocationCode = unsigned short;

constexpr LocationCode kPlaceBit = 0x8000;
constexpr LocationCode kPlaceRowMask = 0x000F;
constexpr LocationCode kNewFolderBit = 0x0800;
constexpr LocationCode kRenameBit = 0x0100;

constexpr LocationCode kNoLocation = 0;
constexpr LocationCode kPlainFolder = 0x4F0E;
constexpr LocationCode kPlainFile = 0x0300;
constexpr LocationCode kAppletRow = 0x0001;
constexpr LocationCode kDatabaseRow = 0x0402;

constexpr LocationCode kDesktop = 0xC000;
constexpr LocationCode kMyDevice = 0xC801;
constexpr LocationCode kMyNetwork = 0xC002;
constexpr LocationCode kControlPanel = 0xC003;
constexpr LocationCode kDatabases = 0xC004;
constexpr LocationCode kMyDocuments = 0xCC05;
constexpr LocationCode kTrashBox = 0xC006;
constexpr LocationCode kFindResult = 0xC007;

constexpr bool IsPlace(LocationCode code) {
    return (code & kPlaceBit) != 0;
}
