#include "ScaleImport.h"

#include "Csv.h"
#include "CsvDetail.h"

#include "calc/OtherCalc.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Values.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace vitalog::cli {

namespace {

// The measurements a row may carry; everything else in the file is passed over.
enum Field { Weight, Fat, Waist, Hip, Chest, Thigh, Biceps, Neck, FieldCount };

// Header names, compared in lower case: the current layout's keys and the older spellings.
struct FieldName {
    std::string_view name;
    Field field;
};
constexpr FieldName FieldNames[]{
    {"weight", Weight}, {"body_fat", Fat}, {"fat", Fat},     {"waist", Waist},   {"hips", Hip},
    {"hip", Hip},       {"chest", Chest},  {"thigh", Thigh}, {"biceps", Biceps}, {"neck", Neck},
};

// The headerless layouts, by their number of fields; "-" is a column that is passed over.
struct Headerless {
    std::size_t count;
    std::vector<std::string_view> columns;
};
const std::vector<Headerless>& HeaderlessLayouts() {
    static const std::vector<Headerless> layouts{
        {10,
         {"dateTime", "weight", "fat", "water", "muscle", "lbm", "bone", "waist", "hip",
          "comment"}},
        {9, {"dateTime", "weight", "fat", "water", "muscle", "bone", "waist", "hip", "comment"}},
        {8, {"dateTime", "weight", "fat", "water", "muscle", "waist", "hip", "comment"}},
        {6, {"dateTime", "weight", "fat", "water", "muscle", "comment"}},
        {5, {"dateTime", "weight", "fat", "water", "comment"}},
    };
    return layouts;
}

// Plausible readings, to catch a file read in the wrong units.
constexpr double LightestKg = 20, HeaviestKg = 350;
constexpr double NarrowestWaistCm = 30, WidestWaistCm = 250;
constexpr double PoundsPerStone = 14;
constexpr std::size_t ProblemsShown = 20;

enum class DateStyle { Iso, Dotted }; // yyyy-MM-dd, dd.MM.yyyy

struct Columns {
    ScaleLayout layout;
    bool header = false;
    DateStyle dateStyle = DateStyle::Iso;
    std::optional<std::size_t> date, time, dateTime;
    std::optional<std::size_t> fields[FieldCount];
    std::vector<std::string> names; // for messages
    std::size_t count = 0;
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::optional<DateKey> ReadDotted(std::string_view text) {
    // dd.MM.yyyy, checked as the calendar date yyyy-MM-dd is.
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return std::nullopt;
    const std::string iso = std::string(text.substr(6, 4)) + "-" + std::string(text.substr(3, 2)) +
                            "-" + std::string(text.substr(0, 2));
    return ParseDate(iso);
}

std::optional<DateKey> ReadDay(std::string_view text, DateStyle style) {
    return style == DateStyle::Iso ? ParseDate(text) : ReadDotted(text);
}

// HH:mm[:ss[.fraction]] as seconds since midnight.
std::optional<double> ReadTime(std::string_view text) {
    const auto two = [&](std::size_t at) -> std::optional<int> {
        if (text.size() < at + 2 || !std::isdigit(static_cast<unsigned char>(text[at])) ||
            !std::isdigit(static_cast<unsigned char>(text[at + 1])))
            return std::nullopt;
        return (text[at] - '0') * 10 + (text[at + 1] - '0');
    };
    const auto hour = two(0), minute = two(3);
    if (!hour || !minute || text[2] != ':' || *hour > 23 || *minute > 59)
        return std::nullopt;
    double seconds = *hour * 3600.0 + *minute * 60.0;
    if (text.size() == 5)
        return seconds;
    const auto second = two(6);
    if (text[5] != ':' || !second || *second > 59)
        return std::nullopt;
    seconds += *second;
    if (text.size() == 8)
        return seconds;
    const auto fraction = ParseNumber("0" + std::string(text.substr(8)));
    if (text[8] != '.' || text.size() == 9 || !fraction)
        return std::nullopt;
    return seconds + *fraction;
}

// "date time", the time as ReadTime takes it.
std::optional<std::pair<DateKey, double>> ReadDateTime(std::string_view text, DateStyle style) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos)
        return std::nullopt;
    const auto day = ReadDay(text.substr(0, space), style);
    const auto time = ReadTime(Trimmed(text.substr(space + 1)));
    if (!day || !time)
        return std::nullopt;
    return std::pair(*day, *time);
}

bool LooksLikeData(const CsvRow& row) {
    return !row.fields.empty() &&
           ReadDateTime(Trimmed(row.fields.front()), DateStyle::Dotted).has_value();
}

// The layout from the first row (the header, or a first reading without one) and the second.
std::optional<Columns> FindColumns(const CsvDocument& document, std::string& problem) {
    Columns c;
    const CsvRow& first = document.rows.front();
    c.count = first.fields.size();
    if (LooksLikeData(first)) {
        const auto& layouts = HeaderlessLayouts();
        const auto layout = std::find_if(layouts.begin(), layouts.end(),
                                         [&](const auto& l) { return l.count == c.count; });
        if (layout == layouts.end()) {
            problem = "line " + std::to_string(first.line) + ": a row without a header has " +
                      std::to_string(c.count) + " fields; the layouts without one have 5, 6, 8, " +
                      "9 or 10";
            return std::nullopt;
        }
        c.layout = {"1.x, " + std::to_string(c.count) + " fields without a header", true};
        c.dateStyle = DateStyle::Dotted;
        c.dateTime = 0;
        for (std::size_t i = 0; i < layout->columns.size(); ++i) {
            c.names.push_back(std::to_string(i + 1) + " (" + std::string(layout->columns[i]) + ")");
            for (const FieldName& f : FieldNames) {
                if (f.name == layout->columns[i])
                    c.fields[f.field] = i;
            }
        }
        return c;
    }

    c.header = true;
    bool currentNames = false;
    for (std::size_t i = 0; i < first.fields.size(); ++i) {
        const std::string name = Lower(Trimmed(first.fields[i]));
        c.names.emplace_back(Trimmed(first.fields[i]));
        if (name == "date")
            c.date = i;
        else if (name == "time")
            c.time = i;
        else if (name == "datetime")
            c.dateTime = i;
        for (const FieldName& f : FieldNames) {
            if (f.name == name && !c.fields[f.field])
                c.fields[f.field] = i;
        }
        // The current layout names its columns by their keys in upper case.
        const std::string_view raw = Trimmed(first.fields[i]);
        currentNames = currentNames || name == "body_fat" || name == "hips" ||
                       (name != "datetime" && std::none_of(raw.begin(), raw.end(), [](char ch) {
                            return std::islower(static_cast<unsigned char>(ch));
                        }));
    }
    const auto missing = [&](const std::string& column) {
        problem = "line " + std::to_string(first.line) + ", column " + column +
                  ": missing from the header";
        return std::nullopt;
    };
    if (c.date) {
        if (!c.time)
            return missing("TIME");
        c.layout = {"3.x, DATE and TIME columns", false};
    } else if (c.dateTime) {
        // The current layout writes ISO dates and upper-case keys, the older one dotted dates.
        const bool isoDates =
            document.rows.size() > 1 && *c.dateTime < document.rows[1].fields.size() &&
            ParseDate(Trimmed(document.rows[1].fields[*c.dateTime]).substr(0, 10));
        if (isoDates || (document.rows.size() == 1 && currentNames))
            c.layout = {"3.x, dateTime column", false};
        else
            c.layout = {"2.x, dateTime column", true}, c.dateStyle = DateStyle::Dotted;
    } else {
        return missing(first.fields.empty() ? "dateTime" : "DATE (or dateTime)");
    }
    if (!c.fields[Weight])
        return missing(c.layout.name.starts_with("2") ? "weight" : "WEIGHT");
    return c;
}

double ToPounds(double value, ScaleWeightUnit unit) {
    switch (unit) {
    case ScaleWeightUnit::Kg:
        return value * KgToLb;
    case ScaleWeightUnit::St:
        return value * PoundsPerStone;
    case ScaleWeightUnit::Lb:
        break;
    }
    return value;
}

double ToInches(double value, ScaleLengthUnit unit) {
    return unit == ScaleLengthUnit::Cm ? value * CmToIn : value;
}

std::string Shown(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The other units in which the reading would be plausible, as a hint.
template <class Unit, class Plausible>
std::string OtherUnits(double value, Unit chosen, std::initializer_list<Unit> units,
                       Plausible plausible) {
    std::string hint;
    for (const Unit unit : units) {
        if (unit != chosen && plausible(value, unit))
            hint += (hint.empty() ? "" : " or ") + std::string(ScaleUnitName(unit));
    }
    return hint.empty() ? std::string() : "; were the readings in " + hint + "?";
}

bool PlausibleWeight(double value, ScaleWeightUnit unit) {
    const double kg = ToPounds(value, unit) * LbToKg;
    return kg >= LightestKg && kg <= HeaviestKg;
}

bool PlausibleWaist(double value, ScaleLengthUnit unit) {
    const double cm = ToInches(value, unit) * InToCm;
    return cm >= NarrowestWaistCm && cm <= WidestWaistCm;
}

// One reading as read from its row.
struct Reading {
    int line = 0;
    DateKey date = 0;
    double time = 0;
    double values[FieldCount]{}; // in the file's units; 0 when not measured
};

std::optional<Reading> ReadRow(const CsvRow& row, const Columns& c, const ScaleOptions& options,
                               std::vector<std::string>& problems) {
    const auto refuse = [&](std::size_t column, const std::string& why) {
        problems.push_back("line " + std::to_string(row.line) + ", column " + c.names[column] +
                           ": " + why);
        return std::nullopt;
    };
    if (row.fields.size() != c.count) {
        problems.push_back("line " + std::to_string(row.line) + ": the row has " +
                           std::to_string(row.fields.size()) + " fields, " +
                           (c.header ? "the header " : "the first row ") + std::to_string(c.count));
        return std::nullopt;
    }
    const auto text = [&](std::size_t column) { return Trimmed(row.fields[column]); };
    Reading r;
    r.line = row.line;
    const std::string dateHint = c.dateStyle == DateStyle::Iso ? "YYYY-MM-DD" : "DD.MM.YYYY";
    if (c.dateTime) {
        const auto when = ReadDateTime(text(*c.dateTime), c.dateStyle);
        if (!when)
            return refuse(*c.dateTime, "\"" + std::string(text(*c.dateTime)) +
                                           "\" is not a date and time (" + dateHint + " HH:MM)");
        r.date = when->first;
        r.time = when->second;
    } else {
        const auto day = ReadDay(text(*c.date), c.dateStyle);
        if (!day)
            return refuse(*c.date, "\"" + std::string(text(*c.date)) + "\" is not a date (" +
                                       dateHint + ")");
        const auto time = text(*c.time).empty() ? std::optional(0.0) : ReadTime(text(*c.time));
        if (!time)
            return refuse(*c.time, "\"" + std::string(text(*c.time)) + "\" is not a time (HH:MM)");
        r.date = *day;
        r.time = *time;
    }
    for (int f = 0; f < FieldCount; ++f) {
        if (!c.fields[f] || text(*c.fields[f]).empty())
            continue;
        const std::size_t column = *c.fields[f];
        const auto value = ParseNumber(text(column));
        if (!value || !std::isfinite(*value))
            return refuse(column, "\"" + std::string(text(column)) + "\" is not a number");
        if (*value < 0)
            return refuse(column, "a reading cannot be negative");
        if (f == Fat && *value >= 100)
            return refuse(column, "the body fat must be below 100 %");
        if (f == Weight && *value > 0 && !PlausibleWeight(*value, options.weightUnit)) {
            return refuse(
                column,
                Shown(*value) + " " + std::string(ScaleUnitName(options.weightUnit)) +
                    " is not a plausible weight (20 to 350 kg)" +
                    OtherUnits(*value, options.weightUnit,
                               {ScaleWeightUnit::Kg, ScaleWeightUnit::Lb, ScaleWeightUnit::St},
                               PlausibleWeight));
        }
        if (f == Waist && *value > 0 && !PlausibleWaist(*value, options.lengthUnit)) {
            return refuse(
                column, Shown(*value) + " " + std::string(ScaleUnitName(options.lengthUnit)) +
                            " is not a plausible waist (30 to 250 cm)" +
                            OtherUnits(*value, options.lengthUnit,
                                       {ScaleLengthUnit::Cm, ScaleLengthUnit::In}, PlausibleWaist));
        }
        r.values[f] = *value;
    }
    return r;
}

// The other kinds' targets must be writable before either is written.
template <class Kind>
void CheckWritable(const std::filesystem::path& file, std::vector<std::string>& problems) {
    if (!detail::Writable<Kind>(file))
        problems.push_back(detail::FileName(file) +
                           " comes from a later version and is not written");
}

// The counts a write would give, without touching the file.
template <class Kind, class Record>
ScaleRecordCounts Predict(const std::filesystem::path& file,
                          const std::vector<detail::Prepared<Record>>& rows, bool overwrite) {
    RecordList<Record> stored;
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        detail::VerbatimStore<Kind>::LoadAll(file, stored);
    ScaleRecordCounts counts;
    for (const auto& row : rows) {
        const bool present = std::any_of(stored.begin(), stored.end(), [&](const Record& s) {
            return Kind::KeyOf(s) == Kind::KeyOf(row.record);
        });
        ++(!present ? counts.written : overwrite ? counts.overwritten : counts.skipped);
    }
    return counts;
}

} // namespace

std::optional<ScaleWeightUnit> ScaleWeightUnitNamed(std::string_view name) {
    for (const auto unit : {ScaleWeightUnit::Kg, ScaleWeightUnit::Lb, ScaleWeightUnit::St}) {
        if (ScaleUnitName(unit) == name)
            return unit;
    }
    return std::nullopt;
}

std::optional<ScaleLengthUnit> ScaleLengthUnitNamed(std::string_view name) {
    for (const auto unit : {ScaleLengthUnit::Cm, ScaleLengthUnit::In}) {
        if (ScaleUnitName(unit) == name)
            return unit;
    }
    return std::nullopt;
}

std::string_view ScaleUnitName(ScaleWeightUnit unit) {
    return unit == ScaleWeightUnit::Kg ? "kg" : unit == ScaleWeightUnit::Lb ? "lb" : "st";
}

std::string_view ScaleUnitName(ScaleLengthUnit unit) {
    return unit == ScaleLengthUnit::Cm ? "cm" : "in";
}

ScaleLayout FindScaleLayout(std::string_view text) {
    // Two rows tell the layout; the rest of a large file need not be split for it.
    std::size_t end = 0;
    for (int lines = 0; lines < 2 && end != std::string_view::npos; ++lines)
        end = text.find('\n', end == 0 ? 0 : end + 1);
    const CsvDocument document = ParseCsv(text.substr(0, end));
    std::string problem;
    if (document.error || document.rows.empty())
        return {};
    const auto columns = FindColumns(document, problem);
    return columns ? columns->layout : ScaleLayout{};
}

ScaleReport ImportScale(const std::filesystem::path& dataDir, std::string_view userName,
                        std::string_view csvText, const ScaleOptions& options,
                        const std::function<void(int, int)>& progress) {
    ScaleReport report;
    report.options = options;
    const CsvDocument document = ParseCsv(csvText);
    if (document.error) {
        report.problems.push_back("line " + std::to_string(document.error->line) + ": " +
                                  document.error->message);
        return report;
    }
    if (document.rows.empty()) {
        report.problems.push_back("line 1: the file holds no readings");
        return report;
    }
    std::string problem;
    const auto columns = FindColumns(document, problem);
    if (!columns) {
        report.problems.push_back(problem);
        return report;
    }
    report.layout = columns->layout;
    if (report.layout.unitsFixed) {
        report.options.weightUnit = ScaleWeightUnit::Kg;
        report.options.lengthUnit = ScaleLengthUnit::Cm;
    }
    std::string error;
    const auto profile = detail::FindProfile(dataDir, userName, error);
    if (!profile) {
        report.problems.push_back(error);
        return report;
    }

    // The last reading of each day, by its time; equal times go by the order in the file.
    std::map<DateKey, Reading> days;
    std::vector<std::string> problems;
    const std::size_t firstRow = columns->header ? 1 : 0;
    const int total = static_cast<int>(document.rows.size() - firstRow);
    for (std::size_t i = firstRow; i < document.rows.size(); ++i) {
        if (progress && (i - firstRow) % 512 == 0)
            progress(static_cast<int>(i - firstRow), total);
        const auto reading = ReadRow(document.rows[i], *columns, report.options, problems);
        if (!reading)
            continue;
        ++report.rowsRead;
        const auto [day, added] = days.try_emplace(reading->date, *reading);
        if (!added) {
            ++report.merged;
            if (reading->time >= day->second.time)
                day->second = *reading;
        }
    }
    if (!problems.empty()) {
        report.refusedRows = static_cast<int>(problems.size());
        const std::size_t more =
            problems.size() > ProblemsShown ? problems.size() - ProblemsShown : 0;
        problems.resize(problems.size() - more);
        if (more > 0)
            problems.push_back("and " + std::to_string(more) + " more rows refused");
        report.problems = std::move(problems);
        return report;
    }
    if (!days.empty()) {
        report.firstDate = days.begin()->first;
        report.lastDate = days.rbegin()->first;
    }

    std::vector<detail::Prepared<BodyFatRecord>> bodyFat;
    std::vector<detail::Prepared<TapeRecord>> tape;
    const bool female = profile->sex == Female;
    for (const auto& [date, r] : days) {
        const double weight = r.values[Weight];
        if (weight <= 0) {
            ++report.droppedNoWeight;
            continue;
        }
        UserRecord user = *profile;
        user.weight = ToPounds(weight, report.options.weightUnit);
        if (r.values[Fat] > 0) {
            OtherCalc calculation(user, r.values[Fat]);
            calculation.record.date = date;
            calculation.Calculate();
            // The weights are in the user's units until the kind converts them for the disk.
            BodyFatKind::BeforeWrite(calculation.record);
            bodyFat.push_back({r.line, calculation.record});
        }
        const auto inches = [&](Field f) {
            return ToInches(r.values[f], report.options.lengthUnit);
        };
        TapeRecord t{};
        t.user = user;
        t.date = date;
        t.active = 1;
        t.waist = inches(Waist);
        t.chest = inches(Chest);
        t.thigh = inches(Thigh);
        t.biceps = inches(Biceps);
        t.neck = inches(Neck);
        if (female)
            t.forearmOrHip = inches(Hip);
        else if (r.values[Hip] > 0)
            ++report.droppedHips;
        const bool sites = t.waist > 0 || t.chest > 0 || t.thigh > 0 || t.biceps > 0 ||
                           t.neck > 0 || t.forearmOrHip > 0;
        if (sites || r.values[Fat] <= 0)
            tape.push_back({r.line, t});
    }

    const std::string name = profile->Name();
    const auto bodyFatFile = BodyFatFile::PathFor(dataDir, name);
    const auto tapeFile = TapeFile::PathFor(dataDir, name);
    if (!bodyFat.empty())
        CheckWritable<BodyFatKind>(bodyFatFile, report.problems);
    if (!tape.empty())
        CheckWritable<TapeKind>(tapeFile, report.problems);
    if (!report.problems.empty())
        return report;

    if (options.dryRun) {
        report.bodyComposition = Predict<BodyFatKind>(bodyFatFile, bodyFat, options.overwrite);
        report.tape = Predict<TapeKind>(tapeFile, tape, options.overwrite);
        report.ok = true;
        return report;
    }
    if (progress)
        progress(total, total);
    ImportOutcome bodyFatOutcome, tapeOutcome;
    const bool written =
        detail::Store<BodyFatKind>(bodyFatFile, bodyFat, options.overwrite, bodyFatOutcome) &&
        detail::Store<TapeKind>(tapeFile, tape, options.overwrite, tapeOutcome);
    report.bodyComposition = {bodyFatOutcome.imported, bodyFatOutcome.overwritten,
                              bodyFatOutcome.skipped};
    report.tape = {tapeOutcome.imported, tapeOutcome.overwritten, tapeOutcome.skipped};
    for (const auto* outcome : {&bodyFatOutcome, &tapeOutcome})
        report.problems.insert(report.problems.end(), outcome->problems.begin(),
                               outcome->problems.end());
    report.ok = written;
    return report;
}

std::vector<std::string> ScaleReportLines(const ScaleReport& report) {
    const std::string will = report.options.dryRun ? " to write" : " written";
    const auto counts = [&](const char* kind, const ScaleRecordCounts& c) {
        return std::string(kind) + ": " + std::to_string(c.written) + will + ", " +
               std::to_string(c.overwritten) + " overwritten, " + std::to_string(c.skipped) +
               " skipped (date already recorded)";
    };
    std::vector<std::string> lines{
        "Layout: " + report.layout.name,
        "Rows read: " + std::to_string(report.rowsRead) +
            (report.firstDate > 0
                 ? ", " + FormatDate(report.firstDate) + " to " + FormatDate(report.lastDate)
                 : std::string()),
        "Units: " + std::string(ScaleUnitName(report.options.weightUnit)) + ", " +
            std::string(ScaleUnitName(report.options.lengthUnit)),
        counts("Body composition records", report.bodyComposition),
        counts("Tape records", report.tape),
        "Merged: " + std::to_string(report.merged) +
            " rows (a later reading of the same day counts)",
        "Dropped: " + std::to_string(report.droppedHips) + " hip readings (a man's record has no " +
            "hip site), " + std::to_string(report.droppedNoWeight) + " days without a weight",
    };
    if (report.options.dryRun)
        lines.push_back("Dry run: nothing was written");
    return lines;
}

} // namespace vitalog::cli
