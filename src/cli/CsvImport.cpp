#include "CsvTables.h"

#include "Csv.h"
#include "CsvDetail.h"

#include "calc/ActivityLevel.h"
#include "calc/MeasurementType.h"
#include "records/RecordFile.h"
#include "records/TextEncoding.h"
#include "records/Units.h"
#include "records/Users.h"
#include "records/Values.h"

#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace vitalog::cli {

namespace {

using detail::FileName;
using detail::Prepared;
using detail::Store;
using detail::VerbatimStore;
using detail::Writable;

// The ranges of the screens that enter each value. The screens test them inline, so they are
// written down once more here.
constexpr double WeightLimit = 1200; // user's units, every screen
constexpr double LengthLimit = 1000; // user's length units, tape screen
constexpr int LargestSkinfold = 80;  // millimetres, body fat calculator
constexpr int OldestAge = 119;
constexpr int SystolicLimit = 300, DiastolicLimit = 200, PulseLimit = 150;
constexpr std::size_t PicturesPerDate = 8;

// How a kind's own screen bounds the profile values it enters. Values a kind only copies from
// the profile take the widest bounds any screen writes into a profile.
struct ProfileRules {
    bool weightAboveOne = false;  // body fat calculator: more than 1
    bool weightAboveZero = false; // BMI screen: more than 0
    int youngestAge = 1;          // body fat calculator: 2
};

class RowReader {
public:
    RowReader(const std::map<std::string, std::size_t>& header, const CsvRow& row)
        : header_(header), row_(row) {}

    bool Has(const std::string& column) const { return header_.contains(column); }

    std::string_view Text(const std::string& column) const {
        const auto it = header_.find(column);
        if (it == header_.end() || it->second >= row_.fields.size())
            return {};
        return row_.fields[it->second];
    }

    double Number(const std::string& column) {
        const auto value = ParseNumber(Text(column));
        if (!value || !std::isfinite(*value)) {
            Refuse(column, Quoted(column) + " is not a number");
            return 0;
        }
        return *value;
    }

    int Whole(const std::string& column) {
        const auto value = ParseWhole(Text(column));
        if (!value) {
            Refuse(column, Quoted(column) + " is not a whole number");
            return 0;
        }
        return *value;
    }

    DateKey Date(const std::string& column) {
        const auto key = ParseDate(Text(column));
        if (!key) {
            Refuse(column, Quoted(column) + " is not a date (YYYY-MM-DD)");
            return 0;
        }
        return *key;
    }

    // Windows-1252 form of a UTF-8 text.
    std::string StoredText(const std::string& column) {
        const auto text = Utf8ToCp1252(Text(column));
        if (!text) {
            Refuse(column, "the text holds a character that cannot be stored");
            return {};
        }
        return *text;
    }

    void Require(const std::string& column, bool ok, const std::string& why) {
        if (!ok)
            Refuse(column, Quoted(column) + ": " + why);
    }

    void Refuse(const std::string& column, const std::string& why) {
        if (problem_.empty())
            problem_ = "line " + std::to_string(row_.line) + ", column " + column + ": " + why;
    }

    int Line() const { return row_.line; }
    const std::string& Problem() const { return problem_; }

private:
    std::string Quoted(const std::string& column) const {
        return "\"" + std::string(Text(column)) + "\"";
    }

    const std::map<std::string, std::size_t>& header_;
    const CsvRow& row_;
    std::string problem_;
};

double InUserUnits(double pounds, int units) {
    return units == Metric ? pounds * LbToKg : pounds;
}

double InUserLengthUnits(double inches, int lengthUnits) {
    return lengthUnits == Centimetres ? inches * InToCm : inches;
}

// The profile a record carries: the user's own, with the columns of the row put over it.
UserRecord ReadProfile(RowReader& row, const UserRecord& base, const ProfileRules& rules) {
    UserRecord user = base;
    using namespace detail;
    if (row.Has(UnitsColumn)) {
        const auto units = ParseUnits(row.Text(UnitsColumn));
        row.Require(UnitsColumn, units.has_value(), "units are imperial or metric");
        if (units) {
            user.units = *units;
            user.lengthUnits = *units + 2;
        }
    }
    if (row.Has(SexColumn)) {
        const auto sex = ParseSex(row.Text(SexColumn));
        row.Require(SexColumn, sex.has_value(), "sex is male or female");
        if (sex)
            user.sex = *sex;
    }
    if (row.Has(AgeColumn)) {
        user.age = row.Whole(AgeColumn);
        row.Require(AgeColumn, user.age >= rules.youngestAge && user.age <= OldestAge,
                    "the age must be from " + std::to_string(rules.youngestAge) + " to " +
                        std::to_string(OldestAge));
    }
    if (row.Has(WeightColumn)) {
        user.weight = row.Number(WeightColumn);
        const double weight = InUserUnits(user.weight, user.units);
        const bool above = rules.weightAboveOne    ? weight > 1
                           : rules.weightAboveZero ? weight > 0
                                                   : weight >= 0;
        row.Require(WeightColumn, above && weight < WeightLimit,
                    "the weight must lie between " + std::string(rules.weightAboveOne ? "1" : "0") +
                        " and 1200 (pounds; kilograms for a metric user)");
    }
    if (row.Has(DesiredColumn)) {
        const double desired = row.Number(DesiredColumn);
        user.desiredBodyFat = static_cast<float>(desired);
        row.Require(DesiredColumn, desired > 0 && desired < 100,
                    "the desired body fat must lie between 0 and 100");
    }
    return user;
}

struct BmiRow {
    BmiRecord bmi;
    std::optional<BmrRecord> bmr;
};

BodyFatRecord ReadBodyFat(RowReader& row, const UserRecord& profile) {
    BodyFatRecord r{};
    r.date = row.Date("date");
    const std::string method = row.StoredText("method");
    row.Require("method", MeasurementType::IsKnown(method), "not one of the seven methods");
    r.SetMethod(method);
    r.user = ReadProfile(row, profile, {.weightAboveOne = true, .youngestAge = 2});
    r.bodyFat = row.Number("body_fat_pct");
    row.Require("body_fat_pct", r.bodyFat >= 0, "the body fat cannot be negative");
    const std::pair<const char*, double*> weights[]{{"lean_weight_lb", &r.leanWeight},
                                                    {"fat_weight_lb", &r.fatWeight},
                                                    {"weight_to_lose_lb", &r.weightToLose}};
    for (const auto& [column, value] : weights) {
        *value = row.Number(column);
        row.Require(column, *value >= 0, "a weight cannot be negative");
    }
    const bool packed = method == MeasurementType::Parrillo;
    for (int slot = 0; slot < BodyFatRecord::SiteSlots; ++slot) {
        const std::string column = "skinfold" + std::to_string(slot + 1);
        const int value = row.Whole(column);
        r.sites[slot] = value;
        // Parrillo keeps two sites in each of the first two slots, 16 bits each.
        const bool ok = packed && slot < 2 ? value >= 0 && (value & 0xFFFF) <= LargestSkinfold &&
                                                 (value >> 16) <= LargestSkinfold
                                           : value >= 0 && value <= LargestSkinfold;
        row.Require(column, ok, "a skinfold is from 0 to 80 millimetres");
    }
    const char* tapeColumns[]{"tape_waist_in", "tape_height_in", "tape_hip_in", "tape_neck_in"};
    for (int i = 0; i < 4; ++i) {
        r.tape[i] = row.Number(tapeColumns[i]);
        row.Require(tapeColumns[i], r.tape[i] >= 0, "a length cannot be negative");
    }
    r.active = 1;
    return r;
}

TapeRecord ReadTape(RowReader& row, const UserRecord& profile) {
    TapeRecord r{};
    r.date = row.Date("date");
    r.user = ReadProfile(row, profile, {});
    const std::pair<const char*, double*> lengths[]{
        {"bicep_in", &r.biceps}, {"forearm_or_hip_in", &r.forearmOrHip},
        {"chest_in", &r.chest},  {"waist_in", &r.waist},
        {"neck_in", &r.neck},    {"calf_in", &r.calf},
        {"thigh_in", &r.thigh}};
    for (const auto& [column, value] : lengths) {
        *value = row.Number(column);
        const double shown = InUserLengthUnits(*value, r.user.lengthUnits);
        row.Require(column, shown >= 0 && shown < LengthLimit,
                    "a length must lie between 0 and 1000 (inches; centimetres for a metric "
                    "user)");
    }
    r.active = 1;
    return r;
}

BmiRow ReadBmi(RowReader& row, const UserRecord& profile) {
    BmiRow result;
    BmiRecord& r = result.bmi;
    r.date = row.Date("date");
    r.user = ReadProfile(row, profile, {.weightAboveZero = true});
    r.bmi = row.Number("bmi");
    row.Require("bmi", r.bmi >= 0, "the BMI cannot be negative");
    r.height = row.Number("height_in");
    row.Require("height_in", r.height > 0, "the height must be more than 0");
    r.active = 1;

    const char* bmrColumns[]{"bmr_kcal", "bmr_activity_kcal", "activity_factor"};
    int given = 0;
    for (const char* column : bmrColumns)
        given += row.Text(column).empty() ? 0 : 1;
    if (given == 0)
        return result;
    if (given < 3) {
        for (const char* column : bmrColumns)
            row.Require(column, !row.Text(column).empty(),
                        "the BMR columns are all given or all empty");
        return result;
    }
    BmrRecord bmr{};
    bmr.user = r.user;
    // The BMR record's copy of the weight is in kilograms, as the screen makes it.
    bmr.user.weight = r.user.weight * LbToKg;
    bmr.date = r.date;
    bmr.bmr = row.Number("bmr_kcal");
    row.Require("bmr_kcal", bmr.bmr >= 0, "the BMR cannot be negative");
    bmr.bmrWithActivity = row.Number("bmr_activity_kcal");
    row.Require("bmr_activity_kcal", bmr.bmrWithActivity >= 0, "the BMR cannot be negative");
    bmr.activityFactor = row.Number("activity_factor");
    row.Require("activity_factor", ActivityLevelIndexFor(bmr.activityFactor).has_value(),
                "not one of the five activity factors (1.2, 1.375, 1.55, 1.725, 1.9)");
    // The BMR record keeps its height in the user's length units.
    if (!row.Text("bmr_height").empty()) {
        bmr.height = row.Number("bmr_height");
        row.Require("bmr_height", bmr.height > 0, "the height must be more than 0");
    } else {
        bmr.height = bmr.user.lengthUnits == Centimetres ? r.height * InToCm : r.height;
    }
    bmr.active = 1;
    result.bmr = bmr;
    return result;
}

BloodPressureRecord ReadBloodPressure(RowReader& row, const UserRecord& profile) {
    BloodPressureRecord r{};
    const auto when = ParseDateTime(row.Text("date_time"));
    row.Require("date_time", when.has_value(), "not a date and time (YYYY-MM-DDTHH:MM:SS)");
    if (when)
        r.when = *when;
    r.user = ReadProfile(row, profile, {});
    const std::tuple<const char*, std::int32_t*, int> values[]{
        {"systolic", &r.systolic, SystolicLimit},
        {"diastolic", &r.diastolic, DiastolicLimit},
        {"pulse", &r.pulse, PulseLimit}};
    for (const auto& [column, value, limit] : values) {
        *value = row.Whole(column);
        row.Require(column, *value >= 0 && *value < limit,
                    "must lie from 0 to below " + std::to_string(limit));
    }
    // Notes keep CR LF line breaks, as the screen stores them; a bare LF gets its CR.
    std::string notes;
    for (const char c : row.StoredText("notes")) {
        if (c == '\n' && (notes.empty() || notes.back() != '\r'))
            notes += '\r';
        notes += c;
    }
    row.Require("notes", notes.size() <= BloodPressureRecord::MaxNotesLength && r.SetNotes(notes),
                "notes hold at most 254 characters");
    r.active = 1;
    return r;
}

PictureRecord ReadPicture(RowReader& row, const UserRecord& profile) {
    PictureRecord r{};
    r.date = row.Date("date");
    r.user = ReadProfile(row, profile, {});
    const std::string_view path = row.Text("path");
    row.Require("path", !path.empty() && r.SetPath(path), "a path of 1 to 299 bytes without a NUL");
    r.active = 1;
    return r;
}

UserRecord ReadUser(RowReader& row) {
    UserRecord u{};
    const std::string name = row.StoredText("name");
    row.Require("name", IsUsableUserName(name) && u.SetName(name),
                "a user name has 1 to 30 characters and no '/'");
    // A profile is written by several screens; it takes the widest of their bounds.
    u = ReadProfile(row, u, {});
    u.active = 1;
    return u;
}

} // namespace

ImportOutcome ImportCsv(const std::filesystem::path& dataDir, CsvKind kind,
                        std::string_view userName, std::string_view csvText, bool overwrite) {
    ImportOutcome outcome;
    const CsvDocument document = ParseCsv(csvText);
    if (document.error) {
        outcome.problems.push_back("line " + std::to_string(document.error->line) + ": " +
                                   document.error->message);
        return outcome;
    }
    if (document.rows.empty()) {
        outcome.problems.push_back("line 1: the file has no header row");
        return outcome;
    }

    std::map<std::string, std::size_t> header;
    const CsvRow& headerRow = document.rows.front();
    for (std::size_t i = 0; i < headerRow.fields.size(); ++i)
        header.emplace(headerRow.fields[i], i);
    const auto& columns = CsvColumns(kind);
    for (std::size_t i = 0; i < RequiredColumnCount(kind); ++i) {
        if (!header.contains(columns[i]))
            outcome.problems.push_back("line " + std::to_string(headerRow.line) + ", column " +
                                       columns[i] + ": missing from the header");
    }
    if (!outcome.problems.empty())
        return outcome;

    std::optional<UserRecord> profile;
    if (kind != CsvKind::Users) {
        std::string error;
        profile = detail::FindProfile(dataDir, userName, error);
        if (!profile) {
            outcome.problems.push_back(error);
            return outcome;
        }
    }
    const std::string name = profile ? profile->Name() : std::string();

    std::vector<Prepared<UserRecord>> users;
    std::vector<Prepared<BodyFatRecord>> bodyFat;
    std::vector<Prepared<TapeRecord>> tape;
    std::vector<Prepared<BmiRecord>> bmi;
    std::vector<Prepared<BmrRecord>> bmr;
    std::vector<DateKey> bmiWithoutBmr;
    std::vector<Prepared<BloodPressureRecord>> bloodPressure;
    std::vector<Prepared<PictureRecord>> pictures;

    // The key of each row, to refuse a key given twice; pictures may share a date.
    std::map<std::string, int> seen;
    const auto keyOnce = [&](RowReader& row, const std::string& column, const std::string& key) {
        const auto [it, inserted] = seen.emplace(key, row.Line());
        if (!inserted)
            row.Refuse(column, key + " is on line " + std::to_string(it->second) + " already");
    };

    for (std::size_t i = 1; i < document.rows.size(); ++i) {
        const CsvRow& csvRow = document.rows[i];
        RowReader row(header, csvRow);
        if (csvRow.fields.size() != headerRow.fields.size()) {
            const std::size_t at = std::min(csvRow.fields.size(), headerRow.fields.size());
            row.Refuse(headerRow.fields[at == headerRow.fields.size() ? at - 1 : at],
                       "the row has " + std::to_string(csvRow.fields.size()) +
                           " fields, the header " + std::to_string(headerRow.fields.size()));
            outcome.problems.push_back(row.Problem());
            continue;
        }
        switch (kind) {
        case CsvKind::Users: {
            UserRecord u = ReadUser(row);
            keyOnce(row, "name", std::string(row.Text("name")));
            users.push_back({row.Line(), u});
            break;
        }
        case CsvKind::BodyFat: {
            BodyFatRecord r = ReadBodyFat(row, *profile);
            keyOnce(row, "date", FormatDate(r.date));
            bodyFat.push_back({row.Line(), r});
            break;
        }
        case CsvKind::Tape: {
            TapeRecord r = ReadTape(row, *profile);
            keyOnce(row, "date", FormatDate(r.date));
            tape.push_back({row.Line(), r});
            break;
        }
        case CsvKind::Bmi: {
            BmiRow r = ReadBmi(row, *profile);
            keyOnce(row, "date", FormatDate(r.bmi.date));
            bmi.push_back({row.Line(), r.bmi});
            if (r.bmr)
                bmr.push_back({row.Line(), *r.bmr});
            else
                bmiWithoutBmr.push_back(r.bmi.date);
            break;
        }
        case CsvKind::BloodPressure: {
            BloodPressureRecord r = ReadBloodPressure(row, *profile);
            keyOnce(row, "date_time", std::string(row.Text("date_time")));
            bloodPressure.push_back({row.Line(), r});
            break;
        }
        case CsvKind::Pictures: {
            PictureRecord r = ReadPicture(row, *profile);
            keyOnce(row, "path", FormatDate(r.date) + " " + r.Path());
            pictures.push_back({row.Line(), r});
            break;
        }
        }
        if (!row.Problem().empty())
            outcome.problems.push_back(row.Problem());
    }

    // Pictures: a date takes at most eight, as the slideshow shows them.
    if (kind == CsvKind::Pictures) {
        RecordList<PictureRecord> stored;
        const auto file = PictureFile::PathFor(dataDir, name);
        std::error_code ec;
        if (std::filesystem::exists(file, ec))
            PictureFile::LoadAll(dataDir, name, stored);
        std::map<DateKey, std::set<std::string>> paths;
        for (const PictureRecord& r : stored)
            paths[r.date].insert(r.Path());
        for (const auto& p : pictures) {
            auto& onDate = paths[p.record.date];
            onDate.insert(p.record.Path());
            if (onDate.size() > PicturesPerDate) {
                outcome.problems.push_back("line " + std::to_string(p.line) +
                                           ", column date: " + FormatDate(p.record.date) +
                                           " would have more than 8 pictures");
                onDate.erase(p.record.Path());
            }
        }
    }

    const auto path = [&]<class Kind>(Kind) { return RecordFile<Kind>::PathFor(dataDir, name); };
    const std::filesystem::path userFile = dataDir / UserFileName;
    const std::pair<bool, std::filesystem::path> targets[]{
        {kind != CsvKind::Users || Writable<UserKind>(userFile), userFile},
        {kind != CsvKind::BodyFat || Writable<BodyFatKind>(path(BodyFatKind{})),
         path(BodyFatKind{})},
        {kind != CsvKind::Tape || Writable<TapeKind>(path(TapeKind{})), path(TapeKind{})},
        {kind != CsvKind::Bmi || Writable<BmiKind>(path(BmiKind{})), path(BmiKind{})},
        {kind != CsvKind::Bmi || Writable<BmrKind>(path(BmrKind{})), path(BmrKind{})},
        {kind != CsvKind::BloodPressure || Writable<BloodPressureKind>(path(BloodPressureKind{})),
         path(BloodPressureKind{})},
        {kind != CsvKind::Pictures || Writable<PictureKind>(path(PictureKind{})),
         path(PictureKind{})},
    };
    for (const auto& [writable, file] : targets) {
        if (!writable)
            outcome.problems.push_back(FileName(file) +
                                       " comes from a later version and is not written");
    }
    if (!outcome.problems.empty())
        return outcome;

    bool written = true;
    switch (kind) {
    case CsvKind::Users:
        written = Store<UserKind>(userFile, users, overwrite, outcome);
        break;
    case CsvKind::BodyFat:
        written = Store<BodyFatKind>(path(BodyFatKind{}), bodyFat, overwrite, outcome);
        break;
    case CsvKind::Tape:
        written = Store<TapeKind>(path(TapeKind{}), tape, overwrite, outcome);
        break;
    case CsvKind::Bmi: {
        // The BMR record follows its BMI record: written, skipped or replaced with it.
        std::set<DateKey> skippedDates;
        const auto bmiFile = path(BmiKind{});
        for (const auto& r : bmi) {
            if (!overwrite && VerbatimStore<BmiKind>::FindFirst(bmiFile, r.record.date).index)
                skippedDates.insert(r.record.date);
        }
        written = Store<BmiKind>(bmiFile, bmi, overwrite, outcome);
        std::erase_if(bmr, [&](const auto& r) { return skippedDates.contains(r.record.date); });
        ImportOutcome followers;
        written = written && Store<BmrKind>(path(BmrKind{}), bmr, true, followers);
        for (const DateKey date : bmiWithoutBmr) {
            if (overwrite)
                BmrFile::Remove(dataDir, name, date);
        }
        outcome.problems.insert(outcome.problems.end(), followers.problems.begin(),
                                followers.problems.end());
        break;
    }
    case CsvKind::BloodPressure:
        written =
            Store<BloodPressureKind>(path(BloodPressureKind{}), bloodPressure, overwrite, outcome);
        break;
    case CsvKind::Pictures: {
        // A picture is new unless the date already holds that very path.
        RecordList<PictureRecord> stored;
        std::error_code ec;
        if (std::filesystem::exists(path(PictureKind{}), ec))
            PictureFile::LoadAll(dataDir, name, stored);
        for (auto& p : pictures) {
            const bool present = std::any_of(stored.begin(), stored.end(), [&](const auto& s) {
                return s.date == p.record.date && s.Path() == p.record.Path();
            });
            if (present) {
                ++outcome.skipped;
                continue;
            }
            if (VerbatimStore<PictureKind>::Append(path(PictureKind{}), p.record) !=
                StoreResult::Done) {
                outcome.problems.push_back("line " + std::to_string(p.line) + ": could not write " +
                                           FileName(path(PictureKind{})));
                written = false;
                break;
            }
            ++outcome.imported;
        }
        break;
    }
    }
    outcome.ok = written;
    return outcome;
}

} // namespace vitalog::cli
