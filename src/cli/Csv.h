#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vitalog::cli {

// Comma-separated values with RFC 4180 quoting: a field holding a comma, a quote, CR or LF is
// quoted and its quotes doubled. Rows end in CR LF.
void WriteCsvRow(std::ostream& out, const std::vector<std::string>& fields);

struct CsvRow {
    int line = 0; // where the row starts, counting from 1
    std::vector<std::string> fields;
};

struct CsvParseError {
    int line = 0;
    std::string message;
};

// Splits the text into rows. Line breaks may be CR LF or LF; a quoted field keeps its line
// breaks as they are. Empty lines are passed over and a leading UTF-8 byte order mark is
// dropped. The first row is the header.
struct CsvDocument {
    std::vector<CsvRow> rows;
    std::optional<CsvParseError> error;
};
CsvDocument ParseCsv(std::string_view text);

} // namespace vitalog::cli
