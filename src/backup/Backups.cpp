#include "Backups.h"

#include "BackupArchive.h"
#include "IntegrityCheck.h"

#include "records/Users.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <tuple>

#include <stdlib.h>
#include <sys/stat.h>

namespace vitalog {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view NamePrefix = "vitalog-";
constexpr std::string_view NameSuffix = ".tar.gz";

// YYYYMMDDHHMMSS, so that later is larger.
using Stamp = std::int64_t;

Stamp StampOf(const DateTimeKey& when) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    SplitDateTimeKey(when, year, month, day, hour, minute, second);
    return ((Stamp{year} * 100 + month) * 100 + day) * 1000000 + (hour * 100 + minute) * 100 +
           second;
}

struct BackupName {
    Stamp stamp = 0;
    int sequence = 1;
    std::string name;
};

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Only names of our own pattern are backups: those alone are counted and ever deleted.
std::optional<BackupName> ParseBackupName(const std::string& name) {
    std::string_view text(name);
    if (!text.starts_with(NamePrefix) || !text.ends_with(NameSuffix))
        return std::nullopt;
    text.remove_prefix(NamePrefix.size());
    text.remove_suffix(NameSuffix.size());
    // "YYYYMMDD-HHMMSS" and maybe "-N"
    if (text.size() < 15 || text[8] != '-' || !AllDigits(text.substr(0, 8)) ||
        !AllDigits(text.substr(9, 6)))
        return std::nullopt;
    BackupName parsed;
    parsed.stamp = std::stoll(std::string(text.substr(0, 8)) + std::string(text.substr(9, 6)));
    parsed.name = name;
    const std::string_view rest = text.substr(15);
    if (!rest.empty()) {
        const std::string_view number = rest.substr(1);
        if (rest[0] != '-' || !AllDigits(number) || number[0] == '0' || number.size() > 6)
            return std::nullopt;
        parsed.sequence = std::stoi(std::string(number));
        if (parsed.sequence < 2)
            return std::nullopt;
    }
    return parsed;
}

// The folder's backups, newest first.
std::vector<BackupName> ListBackups(const fs::path& folder) {
    std::vector<BackupName> backups;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        if (auto parsed = ParseBackupName(entry.path().filename().string()))
            backups.push_back(std::move(*parsed));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupName& a, const BackupName& b) {
        return std::tie(a.stamp, a.sequence) > std::tie(b.stamp, b.sequence);
    });
    return backups;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return !a.empty() && !b.empty() && fs::equivalent(a, b, ec);
}

// Deletes the oldest backups beyond BackupsKept. The kept ones count towards the number but
// are never deleted, so that a backup just made survives a clock that went backwards.
void DeleteOldBackups(const fs::path& folder, const std::vector<fs::path>& kept) {
    const std::vector<BackupName> backups = ListBackups(folder);
    const auto isKept = [&](const BackupName& backup) {
        return std::any_of(kept.begin(), kept.end(), [&](const fs::path& file) {
            return SameFile(folder / backup.name, file);
        });
    };
    std::size_t room =
        BackupsKept -
        std::min<std::size_t>(BackupsKept, std::count_if(backups.begin(), backups.end(), isKept));
    for (const BackupName& backup : backups) {
        if (isKept(backup))
            continue;
        if (room > 0) {
            --room;
            continue;
        }
        std::error_code ec;
        fs::remove(folder / backup.name, ec); // tried again after the next backup
    }
}

bool HasBackupOfDay(const fs::path& folder, const DateTimeKey& day) {
    const Stamp date = StampOf(day) / 1000000;
    const std::vector<BackupName> backups = ListBackups(folder);
    return std::any_of(backups.begin(), backups.end(),
                       [&](const BackupName& backup) { return backup.stamp / 1000000 == date; });
}

// A folder of our own beside the record files, so that moving files out of it is a rename on
// one file system; removed with what it holds.
class ScratchFolder {
public:
    explicit ScratchFolder(const fs::path& dataDir) {
        std::string pattern = (dataDir / ".restore-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
        else
            error_ = std::strerror(errno);
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }
    const std::string& error() const { return error_; }

private:
    fs::path path_;
    std::string error_;
};

// Renames name by name from one folder to another; undone in reverse order.
class Moves {
public:
    bool Move(const fs::path& from, const fs::path& to, const std::string& name,
              std::string& error) {
        std::error_code ec;
        fs::rename(from / name, to / name, ec);
        if (ec) {
            error = (to / name).string() + ": " + ec.message();
            return false;
        }
        done_.push_back({from, to, name});
        return true;
    }
    void Undo() {
        for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
            std::error_code ec;
            fs::rename(it->to / it->name, it->from / it->name, ec);
        }
        done_.clear();
    }

private:
    struct Done {
        fs::path from, to;
        std::string name;
    };
    std::vector<Done> done_;
};

} // namespace

std::string BackupFileName(const DateTimeKey& when, int sequence) {
    const Stamp stamp = StampOf(when);
    char text[64];
    std::snprintf(text, sizeof text, "%08lld-%06lld", static_cast<long long>(stamp / 1000000),
                  static_cast<long long>(stamp % 1000000));
    std::string name = std::string(NamePrefix) + text;
    if (sequence > 1)
        name += "-" + std::to_string(sequence);
    return name + std::string(NameSuffix);
}

std::vector<std::string> RecordFileNames(const fs::path& dataDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dataDir, ec)) {
        std::error_code typeError;
        if (entry.is_regular_file(typeError) && entry.path().extension() == ".bin")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

BackupOutcome WriteBackup(const fs::path& dataDir, const fs::path& archive) {
    BackupOutcome outcome;
    outcome.files = RecordFileNames(dataDir);
    outcome.ok = BackupArchive::Write(dataDir, outcome.files, archive, outcome.error);
    if (outcome.ok)
        outcome.archive = archive;
    return outcome;
}

BackupOutcome MakeBackup(const fs::path& dataDir, const DateTimeKey& now, const fs::path& spare) {
    const fs::path folder = dataDir / BackupFolderName;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        if (fs::exists(fs::symlink_status(folder, ec))) {
            BackupOutcome outcome;
            outcome.error = folder.string() + " is not a folder";
            return outcome;
        }
        // Only its owner reads the records; their backups no less.
        if (::mkdir(folder.c_str(), 0700) != 0) {
            BackupOutcome outcome;
            outcome.error = folder.string() + " cannot be made: " + std::strerror(errno);
            return outcome;
        }
    }
    fs::path archive;
    for (int sequence = 1;; ++sequence) {
        archive = folder / BackupFileName(now, sequence);
        if (!fs::exists(fs::symlink_status(archive, ec)))
            break;
    }
    BackupOutcome outcome = WriteBackup(dataDir, archive);
    if (outcome.ok)
        DeleteOldBackups(folder, {archive, spare});
    return outcome;
}

std::optional<BackupOutcome> MakeDailyBackup(const fs::path& dataDir, const DateTimeKey& now) {
    std::error_code ec;
    if (!fs::is_regular_file(dataDir / UserFileName, ec))
        return std::nullopt;
    if (HasBackupOfDay(dataDir / BackupFolderName, now))
        return std::nullopt;
    return MakeBackup(dataDir, now);
}

RestoreOutcome RestoreBackup(const fs::path& dataDir, const fs::path& archive,
                             const DateTimeKey& now) {
    RestoreOutcome outcome;
    const auto refuse = [&](std::string problem) {
        outcome.problems.push_back(std::move(problem));
        return outcome;
    };

    const ScratchFolder scratch(dataDir);
    if (scratch.path().empty())
        return refuse("cannot write in " + dataDir.string() + ": " + scratch.error());
    std::vector<std::string> names;
    std::string error;
    if (!BackupArchive::Extract(archive, scratch.path(), names, error))
        return refuse(error);
    for (const std::string& name : names) {
        if (fs::path(name).extension() != ".bin")
            return refuse(archive.string() + ": \"" + name + "\" is not a record file");
    }
    if (std::find(names.begin(), names.end(), UserFileName) == names.end())
        return refuse(archive.string() + " holds no " + UserFileName +
                      ", so it is no backup of a data folder");
    for (const std::string& fault : CheckDataDirectory(scratch.path()))
        outcome.problems.push_back(archive.string() + ": " + fault);
    if (!outcome.problems.empty())
        return outcome;

    // The replaced files are kept before anything is replaced.
    const std::vector<std::string> current = RecordFileNames(dataDir);
    if (!current.empty()) {
        const BackupOutcome kept = MakeBackup(dataDir, now, archive);
        if (!kept.ok)
            return refuse("the current record files could not be kept in a backup: " + kept.error);
        outcome.keptIn = kept.archive;
    }

    // The current files step aside into the scratch folder, then the archive's take their
    // place; a failed rename puts everything back.
    std::error_code ec;
    const fs::path aside = scratch.path() / "replaced";
    if (::mkdir(aside.c_str(), 0700) != 0)
        return refuse("cannot write in " + dataDir.string() + ": " + std::strerror(errno));
    Moves moves;
    bool moved = true;
    for (const std::string& name : current) {
        if (!(moved = moves.Move(dataDir, aside, name, error)))
            break;
    }
    for (std::size_t i = 0; moved && i < names.size(); ++i)
        moved = moves.Move(scratch.path(), dataDir, names[i], error);
    if (!moved) {
        moves.Undo();
        return refuse("the record files could not be replaced (" + error +
                      "); the folder is as it was");
    }
    BackupArchive::SyncFolder(dataDir);

    for (const std::string& name : names)
        outcome.files.push_back(
            {name, fs::file_size(dataDir / name, ec), LiveRecordCount(dataDir / name)});
    for (const std::string& name : current) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            outcome.removed.push_back(name);
    }
    outcome.ok = true;
    return outcome;
}

} // namespace vitalog
