#pragma once

#include "StoreResult.h"
#include "UserRecord.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vitalog {

// "user.bin": the list of users, one live record per name (exact, case-sensitive match). It is
// a record file like the others (RecordFile.h): anything but a regular file of that name lists
// no users, and the writes answer FileError.
inline constexpr const char* UserFileName = "user.bin";

// Fills weight .. active from the live record with the record's name.
bool FindUser(const std::filesystem::path& dataDir, UserRecord& record);
bool ContainsUser(const std::filesystem::path& dataDir, const UserRecord& record);
// record.weight is in the user's units; converted to pounds before it is written, and the
// record is stored live. On Done the record holds what was written.
// Every operation answers FileError (false for the lookups) for a name that IsUsableUserName
// refuses, without touching the disk.
StoreResult AddUser(const std::filesystem::path& dataDir, UserRecord& record);
StoreResult UpdateUser(const std::filesystem::path& dataDir, UserRecord& record, double weight,
                       int age, int units, int lengthUnits, float desiredBodyFat, int sex,
                       int active);
// Tombstones the user (the record's active becomes 0), then deletes the user's six record
// files, passing over missing ones. On FileError the record and the files stay as they were.
StoreResult DeleteUser(const std::filesystem::path& dataDir, UserRecord& record);
// Names (Windows-1252) of all live users in file order.
std::vector<std::string> ListUsers(const std::filesystem::path& dataDir);

// Whether the name can name a user's files: 1-30 bytes, no '/', NUL or unassigned byte.
bool IsUsableUserName(std::string_view cp1252Name);

} // namespace vitalog
