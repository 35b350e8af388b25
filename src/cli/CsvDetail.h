#pragma once

// Shared by the CSV export and import.

#include "records/RecordStore.h"
#include "records/UserRecord.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vitalog::cli::detail {

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

} // namespace vitalog::cli::detail
