#pragma once

#include "records/DateKey.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vitalog {

// Backups of a data folder's record files live in its folder "backups", one .tar.gz archive
// each, named by the local time it was made: "vitalog-YYYYMMDD-HHMMSS.tar.gz", with "-2",
// "-3", ... before ".tar.gz" when one second sees two. The newest BackupsKept of them are
// kept; nothing else in the folder is ever touched. Pictures are not copied: their records
// are.
inline constexpr const char* BackupFolderName = "backups";
inline constexpr std::size_t BackupsKept = 10;

std::string BackupFileName(const DateTimeKey& when, int sequence = 1);

// The record files of a data folder, by name: every regular file "*.bin", "user.bin" among
// them.
std::vector<std::string> RecordFileNames(const std::filesystem::path& dataDir);

struct BackupOutcome {
    bool ok = false;
    std::filesystem::path archive;
    std::vector<std::string> files; // the record files it holds
    std::string error;              // why it failed
};

// An archive of the record files at `archive`, wherever the caller wants it.
BackupOutcome WriteBackup(const std::filesystem::path& dataDir,
                          const std::filesystem::path& archive);

// A new archive in the backups folder (made, mode 0700, when missing), then the oldest of the
// folder's backups beyond BackupsKept are deleted; never the new one, nor `spare` (the
// archive a restore reads).
BackupOutcome MakeBackup(const std::filesystem::path& dataDir, const DateTimeKey& now,
                         const std::filesystem::path& spare = {});

// The backup at start: none when the folder holds no "user.bin" (nothing recorded yet) or its
// backups folder already holds one of now's date.
std::optional<BackupOutcome> MakeDailyBackup(const std::filesystem::path& dataDir,
                                             const DateTimeKey& now);

struct RestoredFile {
    std::string name;
    std::uintmax_t size = 0;
    std::optional<std::size_t> records; // live records, for the files of a known kind
};

struct RestoreOutcome {
    bool ok = false;
    std::vector<RestoredFile> files;
    std::vector<std::string> removed;  // record files the archive does not hold
    std::filesystem::path keptIn;      // the backup of the replaced files; empty for none
    std::vector<std::string> problems; // why it was refused
};

// Puts the record files of a backup archive in the place of the folder's own. First the whole
// archive is read into a scratch folder beside them and checked as "check" checks a folder;
// any fault refuses the restore and leaves the folder as it was. Then the current record files
// go into a new backup, and the folder's record files become exactly the archive's. The
// caller holds the folder's lock.
RestoreOutcome RestoreBackup(const std::filesystem::path& dataDir,
                             const std::filesystem::path& archive, const DateTimeKey& now);

} // namespace vitalog
