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

// The lines drawn over the chosen series. Both off, a graph is exactly what it was without
// them.
struct GraphOptions {
    bool trend = false;
    bool goal = false;
};

// Trend and goal lines go on the line graphs of body composition, tape and BMI; blood pressure
// and the bar graphs take none.
bool GraphTakesOverlays(const GraphType& type);

// A trend or goal line, beside the grid: the grid itself never changes for it.
struct GraphOverlay {
    enum class Style { Trend, Goal };
    std::string name;       // as the legend shows it
    std::size_t column = 0; // the grid column (from 0) whose colour the line takes
    Style style = Style::Trend;
    // A trend: one per grid row, NaN where the row has no reading; a goal: its one level.
    std::vector<double> values;
};

// The current user's goals in the user's units; nullopt where there is none to draw.
struct GraphGoals {
    std::optional<double> bodyFat;
    std::optional<double> weight;
};

// The goals of "Body Fat %" and "Weight": the current user's desired body fat, and the goal
// weight of the newest body composition record of all (not only the range's: the goal is
// where the user is heading now), from that record's lean weight and desired body fat as the
// results screen shows it. No goal for a desired body fat outside 0 to 100 (both excluded),
// without records, or for a goal weight that is not a finite number above 0.
GraphGoals UserGoals(const UserRecord& currentUser,
                     const RecordList<BodyFatRecord>& bodyFatNewestFirst);

struct GraphSelection {
    GraphOutcome outcome = GraphOutcome::NoRecords;
    GraphGrid grid;                     // filled when Drawn
    std::vector<GraphOverlay> overlays; // filled when Drawn and an option is on
};

// Picks the records from..to (whole days, or date and time for blood pressure) and the
// values of the chosen items, in the order given; weights in kilograms when the user's units
// are metric and lengths in centimetres when the user's lengths are, whatever units a record
// was saved in.
//
// With options.trend, every chosen item gets "<item> trend": TrendValues over the grid's
// rows (the range's records, oldest first, values as the grid holds them), leaving out values
// of 0 or less, which are readings not taken; their rows get NaN. With options.goal,
// "Body Fat %" and "Weight" get a goal line at goals' value when there is one; a single goal
// line is "Goal", two are "Body Fat % goal" and "Weight goal", since two entries both called
// "Goal" would not say which is which. The Y axis then also spans the goals, so that a goal
// below or above every reading is still seen. Only the axis range changes: the grid's values
// and labels are the same with the options on or off.
GraphSelection SelectGraphData(const GraphRecords& records, const UserRecord& currentUser,
                               const std::vector<std::string>& items, const GraphMoment& from,
                               const GraphMoment& to, const GraphOptions& options = {},
                               const GraphGoals& goals = {});

// The trend: a reading's weight decays by half in TrendHalfLifeDays.
inline constexpr double TrendHalfLifeDays = 10;
// A pause longer than this (in days) starts the trend afresh.
inline constexpr double TrendRestartDays = 60;

// One value of a series at its day (days since 30 December 1899; the fraction is the time of
// day where a kind has times).
struct TrendReading {
    double day = 0;
    double value = 0;
};

// Time-aware exponential smoothing of readings given oldest first; one trend value per
// reading. s = s' + a (x - s') with a = 1 - 2^(-dt / TrendHalfLifeDays), dt the days since the
// previous reading and s' the trend before it. The first reading, and the first after more
// than TrendRestartDays, start the trend at its own value. Readings of the same day (dt = 0,
// and also dt < 0, which sorted records never give) count as one reading of their mean, taken
// in with the weight of the day: a weight of 0 would leave out a second reading of a day for
// good, and the order of readings within a day (of a file made by hand) says nothing. Each
// reading's value is the trend through it, so a day's last reading holds the day's trend.
std::vector<double> TrendValues(const std::vector<TrendReading>& readings);

// Y axis: 5 below the smallest value (whole, never below 0; 0 when the smallest is 5 or less)
// up to 5 above the largest value's whole part.
void GraphAxisRange(double smallest, double largest, double& minimum, double& maximum);

// The kind's name in the messages: "body composition", "tape measurement", "BMI", "blood
// pressure".
std::string GraphKindName(GraphKind kind);

// "8:05:00 AM": the hour without a leading zero.
std::string TwelveHourTime(int hour, int minute, int second);

} // namespace vitalog
