#pragma once

// The texts of the history tables: their columns and one row of cell texts per record. Plain
// C++ on the records and calculations; the view (CVitalogView) only shows what is built here.

#include "records/RecordList.h"
#include "records/Records.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vitalog {

// Which table is shown; selects the print and export variant.
enum class ShownTable { None, BodyComposition, Tape, BmiBmr, BloodPressure, AllUsers };

enum class CellAlign { Left, Centre, Right };

struct HistoryColumn {
    std::string header;
    CellAlign align = CellAlign::Left;
    int width = 0; // pixels at scale 1
};

// A table's columns and its rows top to bottom. The cells' Windows-1252 texts lie one after
// the other in one buffer, row by row: a table of a hundred thousand rows holds two million
// cells, and one small string object each would cost more than their texts.
struct HistoryTable {
    std::vector<HistoryColumn> columns;
    std::string text;
    std::vector<std::uint32_t> ends; // where each cell's text ends in text

    std::size_t RowCount() const { return columns.empty() ? 0 : ends.size() / columns.size(); }
    std::size_t CellCount() const { return ends.size(); }
    // Cells by index, row by row.
    std::string_view CellAt(std::size_t index) const {
        const std::uint32_t begin = index == 0 ? 0 : ends[index - 1];
        return std::string_view(text).substr(begin, ends[index] - begin);
    }
    std::string_view Cell(std::size_t row, std::size_t column) const {
        return CellAt(row * columns.size() + column);
    }
    void Add(std::string_view cell) {
        text.append(cell);
        ends.push_back(static_cast<std::uint32_t>(text.size()));
    }
    // Every cell's text, row by row.
    std::vector<std::string> Texts() const;
};

// The record lists come newest first. The default walk (oldest to newest, each row inserted
// on top) leaves the newest on top; the walk from the newest puts the oldest on top.
enum class RowOrder { NewestOnTop, OldestOnTop };

// Columns of each table; user is the current user (units and sex choose the headers).
std::vector<HistoryColumn> BodyCompositionColumns(const UserRecord& user);
std::vector<HistoryColumn> TapeColumns(const UserRecord& user);
std::vector<HistoryColumn> BloodPressureColumns();
std::vector<HistoryColumn> BmiBmrColumns();
std::vector<HistoryColumn> AllUsersColumns();

// Adds the cell texts of one row to the table. Weights and lengths are converted for the current
// user.
void AppendBodyCompositionRow(HistoryTable& table, const BodyFatRecord& record,
                              const UserRecord& user);
void AppendTapeRow(HistoryTable& table, const TapeRecord& record, const UserRecord& user);
void AppendBloodPressureRow(HistoryTable& table, const BloodPressureRecord& record);
// bmr: the BMR record of the same date, or null (its three cells stay empty).
void AppendBmiBmrRow(HistoryTable& table, const BmiRecord& bmi, const BmrRecord* bmr,
                     const UserRecord& user);
// records: that user's body composition records, newest first. Weights follow the row's own
// user's units.
void AppendAllUsersRow(HistoryTable& table, const UserRecord& user,
                       const RecordList<BodyFatRecord>& records);

// Whole tables from newest-first lists.
HistoryTable BodyCompositionTable(const RecordList<BodyFatRecord>& records, const UserRecord& user,
                                  RowOrder order);
HistoryTable TapeTable(const RecordList<TapeRecord>& records, const UserRecord& user,
                       RowOrder order);
HistoryTable BloodPressureTable(const RecordList<BloodPressureRecord>& records, RowOrder order);
// Rows come from the BMI records only; each takes the BMR record of its date, the first one
// met walking the BMR list in the same direction as the BMI list.
HistoryTable BmiBmrTable(const RecordList<BmiRecord>& bmi, const RecordList<BmrRecord>& bmr,
                         const UserRecord& user, RowOrder order);

// One row per live user of "user.bin", the last one on top; nullopt when the file cannot be
// read at all. A table without rows means the file holds no live user.
std::optional<HistoryTable> AllUsersTable(const std::filesystem::path& dataDir);

// The cell texts, for the tables and for whoever writes the same values elsewhere.
std::string HistoryDate(DateKey key);                 // 03/07/2005
std::string HistoryTypeText(std::string_view method); // "Three Site Caliper" -> J/P 3
std::string ActivityFactorName(double factor);        // exact factors only, else ""
std::string FlattenNotes(std::string_view notes);     // LF removed, CR as a blank
std::string Fixed2(double value);                     // "%.2f", as printf writes it
std::string Kilocalories(double value);               // "%.0f" with the thousands comma
// Stored pounds and inches in the user's units.
double DisplayWeight(double pounds, const UserRecord& user);
double DisplayLength(double inches, const UserRecord& user);

} // namespace vitalog
