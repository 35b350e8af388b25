#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vitalog::cli {

// The kinds of record the CSV verbs handle, one table each.
enum class CsvKind { Users, BodyFat, Tape, Bmi, BloodPressure, Pictures };

// "users", "bodyfat", "tape", "bmi", "bp", "pictures"
std::optional<CsvKind> CsvKindNamed(std::string_view name);

// The header an export writes. The leading columns are the ones an import requires; the
// columns after them carry the rest of what a record stores (the profile copied into each
// record, a BMR record's own height) and are taken when present.
const std::vector<std::string>& CsvColumns(CsvKind kind);
std::size_t RequiredColumnCount(CsvKind kind);

// Writes the table of the user's live records (of every user for Users), oldest first.
// False with a reason when the user is not known. userName is UTF-8.
bool ExportCsv(const std::filesystem::path& dataDir, CsvKind kind, std::string_view userName,
               std::ostream& out, std::string& error);

struct ImportOutcome {
    bool ok = false;
    std::vector<std::string> problems; // "line 3, column date: ..." when refused
    int imported = 0;
    int skipped = 0; // a record of that date was there already
    int overwritten = 0;
};

// Checks every row against the ranges the program's screens enforce and writes nothing when
// any row is refused. Otherwise appends each row; a row whose key is already recorded is
// skipped, or written over the stored record when overwrite is set. The values are taken as
// stored (pounds, inches): nothing is converted.
ImportOutcome ImportCsv(const std::filesystem::path& dataDir, CsvKind kind,
                        std::string_view userName, std::string_view csvText, bool overwrite);

} // namespace vitalog::cli
