#pragma once

#include "records/DateKey.h"
#include "records/RecordList.h"
#include "records/Records.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vitalog {

// What the graph screen plots, as plain data: which records fall in the range, the values of
// the chosen items in the current user's units, the row and column labels and the Y range.
// Standard library only, so that all of it is checked without widgets.

enum class GraphKind { BodyComposition, Tape, Bmi, BloodPressure };

struct GraphType {
    const char* text; // as the list shows it, runs of blanks included
    bool bar;         // else a line chart
    GraphKind kind;
};

inline constexpr std::array<GraphType, 8> GraphTypes{{
    {"Body Composition     - Line", false, GraphKind::BodyComposition},
    {"Body Composition     - Bar", true, GraphKind::BodyComposition},
    {"Tape Measurements - Line", false, GraphKind::Tape},
    {"Tape Measurements - Bar", true, GraphKind::Tape},
    {"Body Mass Index      - Line", false, GraphKind::Bmi},
    {"Body Mass Index      - Bar", true, GraphKind::Bmi},
    {"Blood Pressure         - Line", false, GraphKind::BloodPressure},
    {"Blood Pressure         - Bar", true, GraphKind::BloodPressure},
}};

// The items the kind offers (the list sorts them); the tape's second site is the forearm of
// a man and the hip of a woman.
std::vector<std::string> GraphItems(GraphKind kind, bool femaleUser);

// A calendar date and time of day, as the From and To pickers hold them.
struct GraphMoment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const GraphMoment&, const GraphMoment&) = default;
};

// The current user's records of one kind, newest first as LoadAll gives them; only the list
// of the kind is filled.
struct GraphRecords {
    GraphKind kind = GraphKind::BodyComposition;
    RecordList<BodyFatRecord> bodyFat;
    RecordList<TapeRecord> tape;
    RecordList<BmiRecord> bmi;
    RecordList<BloodPressureRecord> bloodPressure;

    bool Empty() const;
    static GraphRecords Load(const std::filesystem::path& dataDir, std::string_view userName,
                             GraphKind kind);
};

// The oldest and newest record's moments (the date at 00:00, or the reading's date and time);
// nullopt without records.
struct GraphSpan {
    GraphMoment oldest;
    GraphMoment newest;
};
std::optional<GraphSpan> RecordSpan(const GraphRecords& records);

// The R x C grid and its labels, ready for the chart.
struct GraphGrid {
    std::vector<std::vector<double>> values; // [row][column], oldest record first
    std::vector<std::string> rowLabels;      // first label level
    std::vector<std::string> rowTimeLabels;  // second level: blood pressure times, else empty
    std::vector<std::string> columnLabels;   // the chosen items
    double minimum = 0;                      // the Y axis
    double maximum = 0;
};

enum class GraphOutcome { Drawn, NoRecords, FromAfterTo, NoneInRange };

struct GraphSelection {
    GraphOutcome outcome = GraphOutcome::NoRecords;
    GraphGrid grid; // filled when Drawn
};

// Picks the records from..to (whole days, or date and time for blood pressure) and the
// values of the chosen items, in the order given; weights in kilograms when the user's units
// are metric and lengths in centimetres when the user's lengths are, whatever units a record
// was saved in.
GraphSelection SelectGraphData(const GraphRecords& records, const UserRecord& currentUser,
                               const std::vector<std::string>& items, const GraphMoment& from,
                               const GraphMoment& to);

// Y axis: 5 below the smallest value (whole, never below 0; 0 when the smallest is 5 or less)
// up to 5 above the largest value's whole part.
void GraphAxisRange(double smallest, double largest, double& minimum, double& maximum);

// The kind's name in the messages: "body composition", "tape measurement", "BMI", "blood
// pressure".
std::string GraphKindName(GraphKind kind);

// "8:05:00 AM": the hour without a leading zero.
std::string TwelveHourTime(int hour, int minute, int second);

} // namespace vitalog
