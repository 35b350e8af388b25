#include "HistoryTables.h"

#include "calc/ActivityLevel.h"
#include "calc/MeasurementType.h"
#include "calc/NumberText.h"
#include "records/DateKey.h"
#include "records/RecordFile.h"
#include "records/RecordStore.h"
#include "records/Units.h"
#include "records/Users.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <type_traits>

namespace vitalog {

namespace {

// "%.2f" into buffer (room for 72 characters); returns the end, or null when the text needs
// more room (values beyond 1e60). printf rounds the exact binary value to even at a tie; the
// hundredths are read from value * 100 only when that product is far enough from a tie that
// its own rounding cannot decide, else to_chars does what printf does. Tables of a hundred
// thousand rows hold a million of these.
char* WriteFixed2(char* buffer, double value) {
    const double hundredths = std::fabs(value) * 100;
    if (hundredths < 1e15) {
        const double whole = std::floor(hundredths);
        const double fraction = hundredths - whole;
        if (std::fabs(fraction - 0.5) > 1e-9 * std::max(1.0, hundredths)) {
            auto n = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            char* out = buffer;
            if (std::signbit(value))
                *out++ = '-';
            out = std::to_chars(out, out + 24, n / 100).ptr;
            n %= 100;
            *out++ = '.';
            *out++ = static_cast<char>('0' + n / 10);
            *out++ = static_cast<char>('0' + n % 10);
            return out;
        }
    }
    const auto [end, error] =
        std::to_chars(buffer, buffer + 64, value, std::chars_format::fixed, 2);
    return error == std::errc{} ? end : nullptr;
}

std::string Percent(double value) {
    return Fixed2(value) + " %";
}

std::string Whole(std::int32_t value) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// A whole number or "-" without a string of its own: a row has up to ten of them.
class ShortText {
public:
    ShortText() = default;
    explicit ShortText(const char* text) : m_size(static_cast<std::uint8_t>(std::strlen(text))) {
        std::memcpy(m_text, text, m_size);
    }
    explicit ShortText(std::int32_t value)
        : m_size(static_cast<std::uint8_t>(
              std::to_chars(m_text, m_text + sizeof m_text, value).ptr - m_text)) {}
    std::string_view View() const { return {m_text, m_size}; }

private:
    char m_text[12] = {};
    std::uint8_t m_size = 0;
};

ShortText Skinfold(std::int32_t value) {
    return value == 0 ? ShortText("-") : ShortText(value);
}

// "%.2f" and a suffix, straight into the table.
void AddFixed2(HistoryTable& table, double value, std::string_view suffix = {}) {
    char buffer[80];
    char* end = WriteFixed2(buffer, value);
    if (end == nullptr || suffix.size() > 8) {
        table.Add(Fixed2(value) + std::string(suffix));
        return;
    }
    if (!suffix.empty()) // an empty view may hold no pointer at all
        std::memcpy(end, suffix.data(), suffix.size());
    table.Add(std::string_view(buffer, static_cast<std::size_t>(end - buffer) + suffix.size()));
}

std::string_view TypeText(std::string_view method) {
    if (method == "Three Site Caliper")
        return MeasurementType::JacksonPollock3;
    if (method == "Seven Site Caliper")
        return MeasurementType::JacksonPollock7;
    return method;
}

// A tape length of a body composition record: "-" when none was taken.
std::string BodyCompositionLength(double inches, const UserRecord& user) {
    return inches == 0 ? std::string("-") : Fixed2(DisplayLength(inches, user));
}

std::string BodyCompositionHeight(double inches, const UserRecord& user) {
    if (inches == 0)
        return "-";
    if (user.lengthUnits == Centimetres)
        return Fixed2(inches * InToCm);
    return FormatFeetInches(inches, "%d ' 0''", "%d ' %.0f.%.0f''", "%d ' %.0f''");
}

std::string TableHeight(double inches, const UserRecord& user) {
    if (user.lengthUnits == Centimetres)
        return Fixed2(inches * InToCm);
    return FormatFeetInches(inches, "%d ' 0 ''", "%d ' %.0f.%.0f ''", "%d ' %.0f ''");
}

std::string WeightHeader(const char* name, const UserRecord& user) {
    return std::string(name) + (user.units == Metric ? " kg" : " lb");
}

// Fills rows in the order the walk leaves them, from a newest-first list.
template <class List, class Row>
HistoryTable Build(std::vector<HistoryColumn> columns, const List& list, RowOrder order,
                   Row&& row) {
    HistoryTable table;
    table.columns = std::move(columns);
    table.ends.reserve(list.size() * table.columns.size());
    table.text.reserve(list.size() * table.columns.size() * 6); // most cells are short numbers
    if (order == RowOrder::NewestOnTop) {
        for (const auto& record : list)
            row(table, record);
    } else {
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            row(table, *it);
    }
    return table;
}

} // namespace

std::string Fixed2(double value) {
    char buffer[72];
    if (char* end = WriteFixed2(buffer, value))
        return std::string(buffer, end);
    return FormatText("%.2f", value);
}

double DisplayWeight(double pounds, const UserRecord& user) {
    return user.units == Metric ? pounds * LbToKg : pounds;
}

double DisplayLength(double inches, const UserRecord& user) {
    return user.lengthUnits == Centimetres ? inches * InToCm : inches;
}

std::string Kilocalories(double value) {
    return InsertThousandsComma(FormatText("%.0f", value), value);
}

std::vector<std::string> HistoryTable::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i)
        texts.emplace_back(CellAt(i));
    return texts;
}

std::string HistoryDate(DateKey key) {
    // FormatDateKey's text, written without printf for the dates a diary holds.
    int year = 0, month = 0, day = 0;
    SplitDateKey(key, year, month, day);
    if (year < 1000 || year > 9999 || month < 0 || month > 99 || day < 0 || day > 99)
        return FormatDateKey(key, 1);
    const char text[] = {
        char('0' + month / 10),  char('0' + month % 10),      '/',
        char('0' + day / 10),    char('0' + day % 10),        '/',
        char('0' + year / 1000), char('0' + year / 100 % 10), char('0' + year / 10 % 10),
        char('0' + year % 10)};
    return std::string(text, sizeof text);
}

std::string HistoryTypeText(std::string_view method) {
    return std::string(TypeText(method));
}

std::string ActivityFactorName(double factor) {
    if (const auto index = ActivityLevelIndexFor(factor))
        return std::string(ActivityLevels[*index].caption);
    return {};
}

std::string FlattenNotes(std::string_view notes) {
    std::string text;
    text.reserve(notes.size());
    for (const char c : notes) {
        if (c == '\n')
            continue;
        text.push_back(c == '\r' ? ' ' : c);
    }
    return text;
}

std::vector<HistoryColumn> BodyCompositionColumns(const UserRecord& user) {
    using A = CellAlign;
    std::vector<HistoryColumn> columns{
        {"Date", A::Left, 75},
        {"Type", A::Centre, 110},
        {"Body Fat %", A::Right, 75},
        {WeightHeader("Weight", user), A::Right, 75},
        {WeightHeader("Lean Body", user), A::Right, 85},
        {WeightHeader("Body Fat", user), A::Right, 85},
    };
    static const char* const male[] = {
        "Chest",       "Abdominal",  "Thigh", "Bicep",   "Tricep", "Subscapular", "Suprailiac",
        "Midaxillary", "Lower Back", "Calf",  "Abdomen", "Neck",   "Height"};
    static const char* const female[] = {
        "Tricep",      "Suprailiac", "Thigh", "Chest", "Abdominal", "Subscapular", "Bicep",
        "Midaxillary", "Lower Back", "Calf",  "Waist", "Hip",       "Neck",        "Height"};
    bool first = true;
    const auto add = [&](const auto& sites) {
        for (const char* site : sites) {
            columns.push_back({site, A::Right, first ? 100 : 75});
            first = false;
        }
    };
    if (user.sex == Male)
        add(male);
    else
        add(female);
    return columns;
}

std::vector<HistoryColumn> TapeColumns(const UserRecord& user) {
    using A = CellAlign;
    return {
        {"Date", A::Left, 75},   {WeightHeader("Weight", user), A::Right, 75},
        {"Bicep", A::Right, 75}, {user.sex == Female ? "Hip" : "Forearm", A::Right, 75},
        {"Chest", A::Right, 75}, {"Waist", A::Right, 75},
        {"Neck", A::Right, 75},  {"Calf", A::Right, 75},
        {"Thigh", A::Right, 75},
    };
}

std::vector<HistoryColumn> BloodPressureColumns() {
    using A = CellAlign;
    return {
        {"Date", A::Left, 75},       {"Time", A::Right, 75},  {"Systolic", A::Right, 75},
        {"Diastolic", A::Right, 75}, {"Pulse", A::Right, 55}, {"Notes", A::Left, 300},
    };
}

std::vector<HistoryColumn> BmiBmrColumns() {
    using A = CellAlign;
    return {
        {"Date", A::Left, 75},      {"BMI", A::Right, 75},
        {"BMR", A::Right, 75},      {"Activity Factor (AF)", A::Right, 120},
        {"BMR w/AF", A::Right, 75}, {"Weight", A::Right, 75},
        {"Height", A::Right, 75},
    };
}

std::vector<HistoryColumn> AllUsersColumns() {
    using A = CellAlign;
    return {
        {"Name", A::Centre, 110},     {"Sex", A::Centre, 55},       {"Age", A::Right, 45},
        {"Desired BF", A::Right, 75}, {"Current BF", A::Right, 75}, {"Starting BF", A::Right, 75},
        {"BF Change", A::Right, 75},  {"Current Wt", A::Right, 75}, {"Starting Wt", A::Right, 75},
        {"Wt Change", A::Right, 75},  {"Current LB", A::Right, 75}, {"Starting LB", A::Right, 75},
        {"LB Change", A::Right, 75},
    };
}

void AppendBodyCompositionRow(HistoryTable& table, const BodyFatRecord& r, const UserRecord& user) {
    // The method text as stored, up to its NUL and never past its field.
    const std::string_view method(r.method, ::strnlen(r.method, BodyFatRecord::MethodFieldSize));
    table.Add(HistoryDate(r.date));
    table.Add(TypeText(method));
    AddFixed2(table, r.bodyFat, " %");
    AddFixed2(table, DisplayWeight(r.user.weight, user));
    AddFixed2(table, DisplayWeight(r.leanWeight, user));
    AddFixed2(table, DisplayWeight(r.fatWeight, user));

    // The skinfold cells by site; the header order of the user's sex picks them below.
    const bool durnin = method == MeasurementType::Durnin;
    const bool parrillo = method == MeasurementType::Parrillo;
    const std::int32_t* s = r.sites;
    const ShortText dash("-");
    ShortText chest, abdominal, bicep, midaxillary, lowerBack, calf;
    if (parrillo) {
        // Two sites share each of the first two slots; no zero test on them.
        const auto low = [](std::int32_t v) { return ShortText(v & 0xFFFF); };
        const auto high = [](std::int32_t v) {
            return ShortText(static_cast<std::int32_t>((static_cast<std::uint32_t>(v) >> 16)));
        };
        chest = low(s[0]);
        abdominal = low(s[1]);
        bicep = high(s[0]);
        calf = high(s[1]);
        midaxillary = dash;
        lowerBack = ShortText(s[6]);
    } else {
        chest = durnin ? dash : Skinfold(s[0]);
        abdominal = Skinfold(s[1]);
        bicep = durnin ? Skinfold(s[0]) : dash;
        midaxillary = Skinfold(s[6]);
        lowerBack = dash;
        calf = dash;
    }
    const ShortText thigh = Skinfold(s[2]), tricep = Skinfold(s[3]), subscapular = Skinfold(s[4]),
                    suprailiac = Skinfold(s[5]);
    const std::string waist = BodyCompositionLength(r.tape[0], user);
    const std::string height = BodyCompositionHeight(r.tape[1], user);
    const std::string neck = BodyCompositionLength(r.tape[3], user);

    if (user.sex == Male) {
        for (const ShortText* cell : std::initializer_list<const ShortText*>{
                 &chest, &abdominal, &thigh, &bicep, &tricep, &subscapular, &suprailiac,
                 &midaxillary, &lowerBack, &calf})
            table.Add(cell->View());
        table.Add(waist);
        table.Add(neck);
    } else {
        for (const ShortText* cell : std::initializer_list<const ShortText*>{
                 &tricep, &suprailiac, &thigh, &chest, &abdominal, &subscapular, &bicep,
                 &midaxillary, &lowerBack, &calf})
            table.Add(cell->View());
        table.Add(waist);
        table.Add(BodyCompositionLength(r.tape[2], user));
        table.Add(neck);
    }
    table.Add(height);
}

void AppendTapeRow(HistoryTable& table, const TapeRecord& r, const UserRecord& user) {
    table.Add(HistoryDate(r.date));
    table.Add(Fixed2(DisplayWeight(r.user.weight, user)));
    for (const double inches :
         {r.biceps, r.forearmOrHip, r.chest, r.waist, r.neck, r.calf, r.thigh})
        table.Add(Fixed2(DisplayLength(inches, user)));
}

void AppendBloodPressureRow(HistoryTable& table, const BloodPressureRecord& r) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (SplitDateTimeKey(r.when, year, month, day, hour, minute, second)) {
        table.Add(FormatText("%d/%d/%d", month, day, year));
        const int twelve = hour % 12 == 0 ? 12 : hour % 12;
        table.Add(FormatText("%d:%02d:%02d %s", twelve, minute, second, hour < 12 ? "AM" : "PM"));
    } else {
        table.Add({});
        table.Add({});
    }
    table.Add(Whole(r.systolic));
    table.Add(Whole(r.diastolic));
    table.Add(Whole(r.pulse));
    table.Add(FlattenNotes(r.Notes()));
}

void AppendBmiBmrRow(HistoryTable& table, const BmiRecord& bmi, const BmrRecord* bmr,
                     const UserRecord& user) {
    table.Add(HistoryDate(bmi.date));
    table.Add(Fixed2(bmi.bmi));
    if (bmr != nullptr) {
        table.Add(Kilocalories(bmr->bmr));
        table.Add(ActivityFactorName(bmr->activityFactor));
        table.Add(Kilocalories(bmr->bmrWithActivity));
    } else {
        for (int i = 0; i < 3; ++i)
            table.Add({});
    }
    table.Add(Fixed2(DisplayWeight(bmi.user.weight, user)));
    table.Add(TableHeight(bmi.height, user));
}

void AppendAllUsersRow(HistoryTable& table, const UserRecord& user,
                       const RecordList<BodyFatRecord>& records) {
    // Every weight of the row in its own user's units.
    const auto weight = [&](double pounds) {
        return Fixed2(user.units != Imperial ? pounds * LbToKg : pounds);
    };
    const std::string none = "-";
    table.Add(user.Name());
    table.Add(user.sex == Male ? "Male" : "Female");
    table.Add(user.age > 0 ? Whole(user.age) : none);
    table.Add(user.desiredBodyFat > 0 ? Percent(user.desiredBodyFat) : none);
    const std::string current = user.weight > 0 ? weight(user.weight) : none;
    if (records.empty()) {
        for (const std::string* cell :
             {&none, &none, &none, &current, &current, &none, &none, &none, &none})
            table.Add(*cell);
        return;
    }
    const BodyFatRecord& newest = records.front();
    const BodyFatRecord& oldest = records.back();
    table.Add(Percent(newest.bodyFat));
    table.Add(Percent(oldest.bodyFat));
    table.Add(Percent(newest.bodyFat - oldest.bodyFat));
    table.Add(current);
    table.Add(weight(oldest.user.weight));
    table.Add(weight(user.weight - oldest.user.weight));
    table.Add(weight(newest.leanWeight));
    table.Add(weight(oldest.leanWeight));
    table.Add(weight(newest.leanWeight - oldest.leanWeight));
}

HistoryTable BodyCompositionTable(const RecordList<BodyFatRecord>& records, const UserRecord& user,
                                  RowOrder order) {
    return Build(
        BodyCompositionColumns(user), records, order,
        [&](auto& table, const BodyFatRecord& r) { AppendBodyCompositionRow(table, r, user); });
}

HistoryTable TapeTable(const RecordList<TapeRecord>& records, const UserRecord& user,
                       RowOrder order) {
    return Build(TapeColumns(user), records, order,
                 [&](auto& table, const TapeRecord& r) { AppendTapeRow(table, r, user); });
}

HistoryTable BloodPressureTable(const RecordList<BloodPressureRecord>& records, RowOrder order) {
    return Build(
        BloodPressureColumns(), records, order,
        [](auto& table, const BloodPressureRecord& r) { AppendBloodPressureRow(table, r); });
}

HistoryTable BmiBmrTable(const RecordList<BmiRecord>& bmi, const RecordList<BmrRecord>& bmr,
                         const UserRecord& user, RowOrder order) {
    // Both lists are newest first; the records of one date lie together, and the walk meets
    // the last of them first when it goes from the oldest.
    const auto match = [&](DateKey date) -> const BmrRecord* {
        const auto [first, last] =
            std::equal_range(bmr.begin(), bmr.end(), date, [](const auto& a, const auto& b) {
                if constexpr (std::is_same_v<std::decay_t<decltype(a)>, DateKey>)
                    return a > b.date;
                else
                    return a.date > b;
            });
        if (first == last)
            return nullptr;
        return order == RowOrder::NewestOnTop ? &*std::prev(last) : &*first;
    };
    return Build(BmiBmrColumns(), bmi, order, [&](auto& table, const BmiRecord& r) {
        AppendBmiBmrRow(table, r, match(r.date), user);
    });
}

std::optional<HistoryTable> AllUsersTable(const std::filesystem::path& dataDir) {
    std::vector<UserRecord> users;
    const detail::FileInfo info = detail::RecordStore<UserKind>::Scan(
        dataDir / UserFileName, [&](std::uint64_t, const std::uint8_t* bytes) {
            if (detail::RecordStore<UserKind>::ActiveAt(bytes) != 0) {
                UserKind::Decode(bytes, users.emplace_back());
            }
            return false;
        });
    if (!info.readable)
        return std::nullopt;
    HistoryTable table;
    table.columns = AllUsersColumns();
    // Each row goes on top: the last user of the file ends first.
    for (auto it = users.rbegin(); it != users.rend(); ++it) {
        RecordList<BodyFatRecord> records;
        BodyFatFile::LoadAll(dataDir, it->Name(), records);
        AppendAllUsersRow(table, *it, records);
    }
    return table;
}

} // namespace vitalog
