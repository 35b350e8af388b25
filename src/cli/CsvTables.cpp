#include "CsvTables.h"

#include "Csv.h"
#include "CsvDetail.h"

#include "records/RecordFile.h"
#include "records/TextEncoding.h"
#include "records/Users.h"
#include "records/Values.h"

#include <algorithm>
#include <map>

namespace vitalog::cli {

namespace {

struct Table {
    std::vector<std::string> columns;
    std::size_t required;
};

Table MakeTable(std::vector<std::string> required, std::vector<std::string> optional) {
    Table table{std::move(required), 0};
    table.required = table.columns.size();
    table.columns.insert(table.columns.end(), optional.begin(), optional.end());
    return table;
}

const Table& TableOf(CsvKind kind) {
    static const std::map<CsvKind, Table> tables{
        {CsvKind::Users,
         MakeTable({"name", "sex", "age", "units", "weight_lb", "desired_body_fat_pct"}, {})},
        {CsvKind::BodyFat, MakeTable({"date",
                                      "method",
                                      "body_fat_pct",
                                      "weight_lb",
                                      "lean_weight_lb",
                                      "fat_weight_lb",
                                      "weight_to_lose_lb",
                                      "desired_body_fat_pct",
                                      "age",
                                      "sex",
                                      "units",
                                      "skinfold1",
                                      "skinfold2",
                                      "skinfold3",
                                      "skinfold4",
                                      "skinfold5",
                                      "skinfold6",
                                      "skinfold7",
                                      "tape_waist_in",
                                      "tape_height_in",
                                      "tape_hip_in",
                                      "tape_neck_in"},
                                     {})},
        {CsvKind::Tape, MakeTable({"date", "weight_lb", "bicep_in", "forearm_or_hip_in", "chest_in",
                                   "waist_in", "neck_in", "calf_in", "thigh_in"},
                                  {"age", "sex", "units", "desired_body_fat_pct"})},
        {CsvKind::Bmi, MakeTable({"date", "bmi", "weight_lb", "height_in", "bmr_kcal",
                                  "bmr_activity_kcal", "activity_factor"},
                                 {"bmr_height", "age", "sex", "units", "desired_body_fat_pct"})},
        {CsvKind::BloodPressure,
         MakeTable({"date_time", "systolic", "diastolic", "pulse", "notes"},
                   {"weight_lb", "age", "sex", "units", "desired_body_fat_pct"})},
        {CsvKind::Pictures,
         MakeTable({"date", "path"}, {"weight_lb", "age", "sex", "units", "desired_body_fat_pct"})},
    };
    return tables.at(kind);
}

std::string Utf8(std::string_view cp1252) {
    // Every stored text has a UTF-8 form but the unassigned bytes; those pass as they are.
    return Cp1252ToUtf8(cp1252).value_or(std::string(cp1252));
}

// The profile fields every record kind carries after its own columns.
void AppendProfile(std::vector<std::string>& fields, const UserRecord& user, bool withWeight) {
    if (withWeight)
        fields.push_back(FormatNumber(user.weight));
    fields.push_back(std::to_string(user.age));
    fields.push_back(SexText(user.sex));
    fields.push_back(UnitsText(user.units));
    fields.push_back(FormatNumber(user.desiredBodyFat));
}

// The live records oldest first; records of one date stay in the order they were saved. A
// missing file has none, and is not made by looking.
template <class Kind>
RecordList<typename Kind::Record> OldestFirst(const std::filesystem::path& dataDir,
                                              std::string_view userName) {
    RecordList<typename Kind::Record> list;
    const auto file = RecordFile<Kind>::PathFor(dataDir, userName);
    std::error_code ec;
    if (file.empty() || !std::filesystem::exists(file, ec))
        return list;
    RecordFile<Kind>::LoadAll(dataDir, userName, list);
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return vitalog::detail::KeyLess(Kind::KeyOf(a), Kind::KeyOf(b));
    });
    return list;
}

void ExportUsers(const std::filesystem::path& dataDir, std::ostream& out) {
    std::error_code ec;
    if (!std::filesystem::exists(dataDir / UserFileName, ec))
        return;
    for (const std::string& name : ListUsers(dataDir)) {
        UserRecord user;
        user.SetName(name);
        if (!FindUser(dataDir, user))
            continue;
        WriteCsvRow(out,
                    {Utf8(name), SexText(user.sex), std::to_string(user.age), UnitsText(user.units),
                     FormatNumber(user.weight), FormatNumber(user.desiredBodyFat)});
    }
}

void ExportBodyFat(const std::filesystem::path& dataDir, std::string_view name, std::ostream& out) {
    for (const BodyFatRecord& r : OldestFirst<BodyFatKind>(dataDir, name)) {
        std::vector<std::string> fields{
            FormatDate(r.date),           Utf8(r.Method()),
            FormatNumber(r.bodyFat),      FormatNumber(r.user.weight),
            FormatNumber(r.leanWeight),   FormatNumber(r.fatWeight),
            FormatNumber(r.weightToLose), FormatNumber(r.user.desiredBodyFat),
            std::to_string(r.user.age),   SexText(r.user.sex),
            UnitsText(r.user.units)};
        for (const std::int32_t site : r.sites)
            fields.push_back(std::to_string(site));
        for (const double length : r.tape)
            fields.push_back(FormatNumber(length));
        WriteCsvRow(out, fields);
    }
}

void ExportTape(const std::filesystem::path& dataDir, std::string_view name, std::ostream& out) {
    for (const TapeRecord& r : OldestFirst<TapeKind>(dataDir, name)) {
        std::vector<std::string> fields{FormatDate(r.date), FormatNumber(r.user.weight)};
        for (const double length :
             {r.biceps, r.forearmOrHip, r.chest, r.waist, r.neck, r.calf, r.thigh})
            fields.push_back(FormatNumber(length));
        AppendProfile(fields, r.user, false);
        WriteCsvRow(out, fields);
    }
}

void ExportBmi(const std::filesystem::path& dataDir, std::string_view name, std::ostream& out) {
    std::map<DateKey, BmrRecord> bmrByDate;
    for (const BmrRecord& r : OldestFirst<BmrKind>(dataDir, name))
        bmrByDate.emplace(r.date, r);
    for (const BmiRecord& r : OldestFirst<BmiKind>(dataDir, name)) {
        std::vector<std::string> fields{FormatDate(r.date), FormatNumber(r.bmi),
                                        FormatNumber(r.user.weight), FormatNumber(r.height)};
        const auto bmr = bmrByDate.find(r.date);
        if (bmr != bmrByDate.end()) {
            for (const double value : {bmr->second.bmr, bmr->second.bmrWithActivity,
                                       bmr->second.activityFactor, bmr->second.height})
                fields.push_back(FormatNumber(value));
        } else {
            fields.insert(fields.end(), 4, std::string());
        }
        AppendProfile(fields, r.user, false);
        WriteCsvRow(out, fields);
    }
}

void ExportBloodPressure(const std::filesystem::path& dataDir, std::string_view name,
                         std::ostream& out) {
    for (const BloodPressureRecord& r : OldestFirst<BloodPressureKind>(dataDir, name)) {
        std::vector<std::string> fields{FormatDateTime(r.when), std::to_string(r.systolic),
                                        std::to_string(r.diastolic), std::to_string(r.pulse),
                                        Utf8(r.Notes())};
        AppendProfile(fields, r.user, true);
        WriteCsvRow(out, fields);
    }
}

void ExportPictures(const std::filesystem::path& dataDir, std::string_view name,
                    std::ostream& out) {
    for (const PictureRecord& r : OldestFirst<PictureKind>(dataDir, name)) {
        // Paths are stored as the file system names them, not in Windows-1252.
        std::vector<std::string> fields{FormatDate(r.date), r.Path()};
        AppendProfile(fields, r.user, true);
        WriteCsvRow(out, fields);
    }
}

} // namespace

std::optional<CsvKind> CsvKindNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, CsvKind> names[]{
        {"users", CsvKind::Users}, {"bodyfat", CsvKind::BodyFat},  {"tape", CsvKind::Tape},
        {"bmi", CsvKind::Bmi},     {"bp", CsvKind::BloodPressure}, {"pictures", CsvKind::Pictures},
    };
    for (const auto& [text, kind] : names) {
        if (text == name)
            return kind;
    }
    return std::nullopt;
}

const std::vector<std::string>& CsvColumns(CsvKind kind) {
    return TableOf(kind).columns;
}

std::size_t RequiredColumnCount(CsvKind kind) {
    return TableOf(kind).required;
}

namespace detail {

std::optional<UserRecord> FindProfile(const std::filesystem::path& dataDir,
                                      std::string_view userName, std::string& error) {
    const std::string shown(userName);
    const auto stored = Utf8ToCp1252(userName);
    UserRecord user;
    if (!stored || !IsUsableUserName(*stored) || !user.SetName(*stored)) {
        error = "\"" + shown + "\" cannot be a user name";
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::exists(dataDir / UserFileName, ec) || !FindUser(dataDir, user)) {
        error = "there is no user \"" + shown + "\"";
        return std::nullopt;
    }
    return user;
}

} // namespace detail

bool ExportCsv(const std::filesystem::path& dataDir, CsvKind kind, std::string_view userName,
               std::ostream& out, std::string& error) {
    std::optional<UserRecord> user;
    if (kind != CsvKind::Users) {
        user = detail::FindProfile(dataDir, userName, error);
        if (!user)
            return false;
    }
    WriteCsvRow(out, CsvColumns(kind));
    const std::string name = user ? user->Name() : std::string();
    switch (kind) {
    case CsvKind::Users:
        ExportUsers(dataDir, out);
        break;
    case CsvKind::BodyFat:
        ExportBodyFat(dataDir, name, out);
        break;
    case CsvKind::Tape:
        ExportTape(dataDir, name, out);
        break;
    case CsvKind::Bmi:
        ExportBmi(dataDir, name, out);
        break;
    case CsvKind::BloodPressure:
        ExportBloodPressure(dataDir, name, out);
        break;
    case CsvKind::Pictures:
        ExportPictures(dataDir, name, out);
        break;
    }
    return true;
}

} // namespace vitalog::cli
