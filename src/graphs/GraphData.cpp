#include "GraphData.h"

#include "calc/BodyCompositionResults.h"
#include "calc/BodyFatCalculation.h"
#include "calc/NumberText.h"
#include "records/RecordFile.h"
#include "records/Units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vitalog {

namespace {

// How an item's stored value is shown.
enum class Measure { Plain, Weight, Length };

struct ItemValue {
    double value;
    Measure measure;
};

std::optional<ItemValue> ValueOf(const BodyFatRecord& r, const std::string& item) {
    if (item == "Body Fat %")
        return ItemValue{r.bodyFat, Measure::Plain};
    if (item == "Body Fat Wt")
        return ItemValue{r.fatWeight, Measure::Weight};
    if (item == "Lean Body Wt")
        return ItemValue{r.leanWeight, Measure::Weight};
    if (item == "Weight")
        return ItemValue{r.user.weight, Measure::Weight};
    return std::nullopt;
}

std::optional<ItemValue> ValueOf(const TapeRecord& r, const std::string& item) {
    const std::pair<const char*, double> sites[] = {
        {"Bicep", r.biceps},
        {"Chest", r.chest},
        {"Waist", r.waist},
        {"Neck", r.neck},
        {"Calf", r.calf},
        {"Thigh", r.thigh},
        {"Forearm", r.forearmOrHip},
        {"Hip", r.forearmOrHip},
    };
    for (const auto& [name, value] : sites) {
        if (item == name)
            return ItemValue{value, Measure::Length};
    }
    if (item == "Weight")
        return ItemValue{r.user.weight, Measure::Weight};
    return std::nullopt;
}

std::optional<ItemValue> ValueOf(const BmiRecord& r, const std::string& item) {
    if (item == "BMI")
        return ItemValue{r.bmi, Measure::Plain};
    if (item == "Height")
        return ItemValue{r.height, Measure::Length};
    if (item == "Weight")
        return ItemValue{r.user.weight, Measure::Weight};
    return std::nullopt;
}

std::optional<ItemValue> ValueOf(const BloodPressureRecord& r, const std::string& item) {
    if (item == "Systolic")
        return ItemValue{double(r.systolic), Measure::Plain};
    if (item == "Diastolic")
        return ItemValue{double(r.diastolic), Measure::Plain};
    if (item == "Pulse")
        return ItemValue{double(r.pulse), Measure::Plain};
    return std::nullopt;
}

// Stored pounds and inches in the current user's units; the record's own units do not count.
double Shown(const ItemValue& item, const UserRecord& user) {
    if (item.measure == Measure::Weight && user.units == Metric)
        return RoundTo2(item.value * LbToKg);
    if (item.measure == Measure::Length && user.lengthUnits == Centimetres)
        return RoundTo2(item.value * InToCm);
    return item.value;
}

// Readings are compared to the whole second, so that a range taken from the readings' own
// times always holds them.
long long Seconds(const DateTimeKey& key) {
    return std::llround(key.when * 86400.0);
}

long long Seconds(const GraphMoment& m) {
    return Seconds(MakeDateTimeKey(m.year, m.month, m.day, m.hour, m.minute, m.second));
}

DateKey DayKey(const GraphMoment& m) {
    return MakeDateKey(m.year, m.month, m.day);
}

GraphMoment MomentOf(DateKey key) {
    GraphMoment m;
    SplitDateKey(key, m.year, m.month, m.day);
    return m;
}

GraphMoment MomentOf(const DateTimeKey& key) {
    GraphMoment m;
    SplitDateTimeKey(key, m.year, m.month, m.day, m.hour, m.minute, m.second);
    return m;
}

template <class Record> GraphMoment MomentOfRecord(const Record& r) {
    return MomentOf(r.date);
}
template <> GraphMoment MomentOfRecord(const BloodPressureRecord& r) {
    return MomentOf(r.when);
}

template <class Record>
bool InRange(const Record& r, const GraphMoment& from, const GraphMoment& to) {
    return DayKey(from) <= r.date && r.date <= DayKey(to);
}
template <>
bool InRange(const BloodPressureRecord& r, const GraphMoment& from, const GraphMoment& to) {
    const long long t = Seconds(r.when);
    return Seconds(from) <= t && t <= Seconds(to);
}

// The trend's time scale: days since 30 December 1899, as the stored date and time keys count.
template <class Record> double DayOf(const Record& r) {
    int year = 0, month = 0, day = 0;
    SplitDateKey(r.date, year, month, day);
    return MakeDateTimeKey(year, month, day, 0, 0, 0).when;
}
template <> double DayOf(const BloodPressureRecord& r) {
    return r.when.when;
}

std::vector<GraphOverlay> Overlays(const GraphGrid& grid, const std::vector<double>& days,
                                   const std::vector<std::string>& items,
                                   const GraphOptions& options, const GraphGoals& goals) {
    std::vector<GraphOverlay> overlays;
    if (options.trend) {
        for (std::size_t c = 0; c < items.size(); ++c) {
            // A stored 0 is a site or value that was not taken (a tape record of a weight
            // alone): it would drag the trend down, so it is left out.
            std::vector<TrendReading> readings;
            std::vector<std::size_t> rows;
            for (std::size_t row = 0; row < grid.values.size(); ++row) {
                if (grid.values[row][c] > 0) {
                    readings.push_back({days[row], grid.values[row][c]});
                    rows.push_back(row);
                }
            }
            const std::vector<double> trend = TrendValues(readings);
            std::vector<double> values(grid.values.size(), std::nan(""));
            for (std::size_t i = 0; i < rows.size(); ++i)
                values[rows[i]] = trend[i];
            overlays.push_back({items[c] + " trend", c, GraphOverlay::Style::Trend, values});
        }
    }
    if (options.goal) {
        std::vector<GraphOverlay> lines;
        for (std::size_t c = 0; c < items.size(); ++c) {
            const std::optional<double> goal = items[c] == "Body Fat %" ? goals.bodyFat
                                               : items[c] == "Weight"   ? goals.weight
                                                                        : std::nullopt;
            if (goal)
                lines.push_back({items[c] + " goal", c, GraphOverlay::Style::Goal, {*goal}});
        }
        if (lines.size() == 1)
            lines.front().name = "Goal";
        overlays.insert(overlays.end(), lines.begin(), lines.end());
    }
    return overlays;
}

template <class Record> void LabelRow(const Record& r, GraphGrid& grid) {
    grid.rowLabels.push_back(FormatDateKey(r.date, 2));
}
template <> void LabelRow(const BloodPressureRecord& r, GraphGrid& grid) {
    const GraphMoment m = MomentOf(r.when);
    grid.rowLabels.push_back(FormatText("%d/%d/%d", m.month, m.day, m.year));
    grid.rowTimeLabels.push_back(TwelveHourTime(m.hour, m.minute, m.second));
}

template <class Record> std::optional<GraphSpan> SpanOf(const RecordList<Record>& list) {
    if (list.empty())
        return std::nullopt;
    // LoadAll lists the newest first.
    return GraphSpan{MomentOfRecord(list.back()), MomentOfRecord(list.front())};
}

template <class Record>
GraphSelection Select(const RecordList<Record>& list, bool timed, const UserRecord& user,
                      const std::vector<std::string>& items, const GraphMoment& from,
                      const GraphMoment& to, const GraphOptions& options, const GraphGoals& goals) {
    GraphSelection selection;
    if (list.empty())
        return selection;
    const bool reversed = timed ? Seconds(to) < Seconds(from) : DayKey(to) < DayKey(from);
    if (reversed) {
        selection.outcome = GraphOutcome::FromAfterTo;
        return selection;
    }
    GraphGrid& grid = selection.grid;
    const std::size_t columns = std::max<std::size_t>(items.size(), 1);
    double smallest = std::numeric_limits<double>::infinity();
    double largest = -std::numeric_limits<double>::infinity();
    std::vector<double> days;
    for (auto r = list.rbegin(); r != list.rend(); ++r) {
        if (!InRange(*r, from, to))
            continue;
        days.push_back(DayOf(*r));
        std::vector<double> row(columns, 0.0);
        for (std::size_t c = 0; c < items.size(); ++c) {
            if (const auto item = ValueOf(*r, items[c]))
                row[c] = Shown(*item, user);
        }
        for (const double value : row) {
            smallest = std::min(smallest, value);
            largest = std::max(largest, value);
        }
        grid.values.push_back(std::move(row));
        LabelRow(*r, grid);
    }
    if (grid.values.empty()) {
        selection.outcome = GraphOutcome::NoneInRange;
        return selection;
    }
    grid.columnLabels = items;
    if (items.empty())
        grid.columnLabels.emplace_back();
    selection.overlays = Overlays(grid, days, items, options, goals);
    // Trends stay between the readings; a goal may lie beyond them.
    for (const GraphOverlay& overlay : selection.overlays) {
        if (overlay.style == GraphOverlay::Style::Goal) {
            smallest = std::min(smallest, overlay.values.front());
            largest = std::max(largest, overlay.values.front());
        }
    }
    GraphAxisRange(smallest, largest, grid.minimum, grid.maximum);
    selection.outcome = GraphOutcome::Drawn;
    return selection;
}

} // namespace

std::vector<std::string> GraphItems(GraphKind kind, bool femaleUser) {
    switch (kind) {
    case GraphKind::BodyComposition:
        return {"Body Fat %", "Body Fat Wt", "Lean Body Wt", "Weight"};
    case GraphKind::Tape:
        return {"Bicep", femaleUser ? "Hip" : "Forearm", "Chest", "Waist", "Neck", "Calf", "Thigh",
                "Weight"};
    case GraphKind::Bmi:
        return {"BMI", "Height", "Weight"};
    case GraphKind::BloodPressure:
        return {"Systolic", "Diastolic", "Pulse"};
    }
    return {};
}

bool GraphRecords::Empty() const {
    switch (kind) {
    case GraphKind::BodyComposition:
        return bodyFat.empty();
    case GraphKind::Tape:
        return tape.empty();
    case GraphKind::Bmi:
        return bmi.empty();
    case GraphKind::BloodPressure:
        return bloodPressure.empty();
    }
    return true;
}

GraphRecords GraphRecords::Load(const std::filesystem::path& dataDir, std::string_view userName,
                                GraphKind kind) {
    GraphRecords records;
    records.kind = kind;
    switch (kind) {
    case GraphKind::BodyComposition:
        BodyFatFile::LoadAll(dataDir, userName, records.bodyFat);
        break;
    case GraphKind::Tape:
        TapeFile::LoadAll(dataDir, userName, records.tape);
        break;
    case GraphKind::Bmi:
        BmiFile::LoadAll(dataDir, userName, records.bmi);
        break;
    case GraphKind::BloodPressure:
        BloodPressureFile::LoadAll(dataDir, userName, records.bloodPressure);
        break;
    }
    return records;
}

std::optional<GraphSpan> RecordSpan(const GraphRecords& records) {
    switch (records.kind) {
    case GraphKind::BodyComposition:
        return SpanOf(records.bodyFat);
    case GraphKind::Tape:
        return SpanOf(records.tape);
    case GraphKind::Bmi:
        return SpanOf(records.bmi);
    case GraphKind::BloodPressure:
        return SpanOf(records.bloodPressure);
    }
    return std::nullopt;
}

GraphSelection SelectGraphData(const GraphRecords& records, const UserRecord& currentUser,
                               const std::vector<std::string>& items, const GraphMoment& from,
                               const GraphMoment& to, const GraphOptions& options,
                               const GraphGoals& goals) {
    switch (records.kind) {
    case GraphKind::BodyComposition:
        return Select(records.bodyFat, false, currentUser, items, from, to, options, goals);
    case GraphKind::Tape:
        return Select(records.tape, false, currentUser, items, from, to, options, goals);
    case GraphKind::Bmi:
        return Select(records.bmi, false, currentUser, items, from, to, options, goals);
    case GraphKind::BloodPressure:
        return Select(records.bloodPressure, true, currentUser, items, from, to, options, goals);
    }
    return {};
}

bool GraphTakesOverlays(const GraphType& type) {
    return !type.bar && type.kind != GraphKind::BloodPressure;
}

GraphGoals UserGoals(const UserRecord& currentUser,
                     const RecordList<BodyFatRecord>& bodyFatNewestFirst) {
    GraphGoals goals;
    if (IsValidDesiredBodyFat(currentUser.desiredBodyFat))
        goals.bodyFat = currentUser.desiredBodyFat;
    if (!bodyFatNewestFirst.empty()) {
        const BodyFatRecord& newest = bodyFatNewestFirst.front();
        if (IsValidDesiredBodyFat(newest.user.desiredBodyFat)) {
            const double goal = BodyFatCalculation::GoalWeight(
                StoredWeightInUnits(newest.leanWeight, currentUser.units),
                newest.user.desiredBodyFat);
            if (IsShowableGoalWeight(goal) && goal > 0)
                goals.weight = goal;
        }
    }
    return goals;
}

std::vector<double> TrendValues(const std::vector<TrendReading>& readings) {
    std::vector<double> trend;
    trend.reserve(readings.size());
    double before = 0; // the trend up to the previous day
    double weight = 1; // the current day's a
    bool restart = true;
    double day = 0;
    double sum = 0;
    int count = 0;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const TrendReading& r = readings[i];
        const double dt = r.day - day;
        if (i > 0 && dt <= 0) {
            sum += r.value;
            ++count;
        } else {
            if (i > 0)
                before = trend.back();
            restart = i == 0 || dt > TrendRestartDays;
            weight = restart ? 1 : 1 - std::exp2(-dt / TrendHalfLifeDays);
            day = r.day;
            sum = r.value;
            count = 1;
        }
        const double mean = sum / count;
        trend.push_back(restart ? mean : before + weight * (mean - before));
    }
    return trend;
}

void GraphAxisRange(double smallest, double largest, double& minimum, double& maximum) {
    minimum = smallest > 5 ? std::trunc(smallest - 5) : 0;
    maximum = std::trunc(largest) + 5;
}

std::string GraphKindName(GraphKind kind) {
    switch (kind) {
    case GraphKind::BodyComposition:
        return "body composition";
    case GraphKind::Tape:
        return "tape measurement";
    case GraphKind::Bmi:
        return "BMI";
    case GraphKind::BloodPressure:
        return "blood pressure";
    }
    return {};
}

std::string TwelveHourTime(int hour, int minute, int second) {
    const int twelve = hour % 12 == 0 ? 12 : hour % 12;
    return FormatText("%d:%02d:%02d %s", twelve, minute, second, hour < 12 ? "AM" : "PM");
}

} // namespace vitalog
