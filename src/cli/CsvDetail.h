#pragma once

// Shared by the CSV export and import.

#include "CsvTables.h"

#include "records/RecordStore.h"
#include "records/UserRecord.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vitalog::cli::detail {

using vitalog::detail::EnsureFileHeader;
using vitalog::detail::FileInfo;
using vitalog::detail::Patch;
using vitalog::detail::WritePatches;

// A record kind with its unit conversions switched off: the CSV values are already the stored
// pounds and inches, so a record goes to disk exactly as it was read.
template <class Kind> struct Verbatim : Kind {
    static void BeforeContains(typename Kind::Record&) {}
    static void BeforeWrite(typename Kind::Record&) {}
};
template <class Kind> using VerbatimStore = vitalog::detail::RecordStore<Verbatim<Kind>>;

// The live profile of the user named in UTF-8, or a reason. Reads "user.bin" only when it is
// there, so that looking never leaves an empty file behind.
std::optional<UserRecord> FindProfile(const std::filesystem::path& dataDir,
                                      std::string_view userName, std::string& error);

// The profile columns each record kind carries after its own.
inline constexpr const char* WeightColumn = "weight_lb";
inline constexpr const char* AgeColumn = "age";
inline constexpr const char* SexColumn = "sex";
inline constexpr const char* UnitsColumn = "units";
inline constexpr const char* DesiredColumn = "desired_body_fat_pct";

// One row made into what it stores.
template <class Record> struct Prepared {
    int line = 0;
    Record record;
};

// A file that exists but may not be written (a later version's) is refused up front, before
// anything is written anywhere.
template <class Kind> inline bool Writable(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) || std::filesystem::file_size(file, ec) == 0)
        return true;
    const auto info = vitalog::detail::RecordStore<Kind>::Scan(
        file, [](std::uint64_t, const std::uint8_t*) { return true; });
    return !info.readable || !info.hasHeader || info.Writable();
}

inline std::string FileName(const std::filesystem::path& file) {
    return file.filename().string();
}

// Appends each record whose key is new and skips (or, with overwrite, writes over) the rest.
// One scan finds the stored keys and one write puts every record down, so that a large import
// neither rereads the file per row nor leaves half its rows behind when the write fails.
template <class Kind, class Record>
bool Store(const std::filesystem::path& file, std::vector<Prepared<Record>>& rows, bool overwrite,
           ImportOutcome& outcome) {
    using Stored = VerbatimStore<Kind>;
    using Key = typename Kind::Key;
    if (rows.empty())
        return true;
    const auto failed = [&] {
        outcome.problems.push_back("line " + std::to_string(rows.front().line) +
                                   ": could not write " + FileName(file));
        return false;
    };
    if (!EnsureFileHeader(file, RecordFileVersion))
        return failed();
    std::vector<std::pair<Key, std::uint64_t>> live;
    const FileInfo info = Stored::Scan(file, [&](std::uint64_t index, const std::uint8_t* bytes) {
        if (Stored::ActiveAt(bytes) != 0)
            live.emplace_back(Kind::KeyAt(bytes), index);
        return false;
    });
    if (!info.Writable())
        return failed();

    const std::uint64_t whole = (info.size - 4) / Kind::Size;
    std::uint64_t end = whole;
    std::vector<std::uint8_t> bytes(rows.size() * Kind::Size);
    std::vector<Patch> patches;
    int imported = 0, overwritten = 0, skipped = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Record work = rows[i].record;
        const Key key = Kind::KeyOf(work);
        const auto found = std::find_if(live.begin(), live.end(),
                                        [&](const auto& entry) { return entry.first == key; });
        const bool present = found != live.end();
        if (present && !overwrite) {
            ++skipped;
            continue;
        }
        if (!present)
            Kind::ActiveOf(work) = 1;
        std::uint8_t* at = bytes.data() + i * Kind::Size;
        Kind::Encode(work, at);
        const std::uint64_t index = present ? found->second : end++;
        if (!present)
            live.emplace_back(key, index);
        patches.push_back({Stored::OffsetOf(index), at, Kind::Size});
        ++(present ? overwritten : imported);
    }
    // A partial record at the end is cut off so that the first new one starts on a boundary.
    const std::uint64_t boundary = Stored::OffsetOf(whole);
    const auto cut = boundary != info.size ? std::optional(boundary) : std::nullopt;
    if (!patches.empty() && !WritePatches(file, patches, cut))
        return failed();
    outcome.imported += imported;
    outcome.overwritten += overwritten;
    outcome.skipped += skipped;
    return true;
}

} // namespace vitalog::cli::detail
