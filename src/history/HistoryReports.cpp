#include "HistoryReports.h"

#include "calc/MeasurementType.h"
#include "calc/NumberText.h"
#include "calc/ParrilloCalc.h"
#include "records/FileIo.h"
#include "records/RecordFile.h"
#include "records/RecordStore.h"
#include "records/Units.h"
#include "records/Users.h"
#include "reports/RtfWriter.h"
#include "reports/ScreenReport.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

namespace vitalog {

namespace {

// The live records of one file, newest first and equal keys in file order, as the loaders
// deliver them; but only a key and a position are held per record, and each record is read
// when it is visited. A diary appended oldest first is read from its end a chunk at a time.
template <class Kind> class NewestFirstRecords {
public:
    using Record = typename Kind::Record;
    using Store = detail::RecordStore<Kind>;

    explicit NewestFirstRecords(std::filesystem::path file) : m_file(std::move(file)) {
        if (m_file.empty())
            return;
        const detail::FileInfo info =
            Store::Scan(m_file, [&](std::uint64_t index, const std::uint8_t* bytes) {
                if (Store::ActiveAt(bytes) != 0)
                    m_order.push_back({Kind::KeyAt(bytes), index});
                return false;
            });
        if (!info.readable || !info.hasHeader) {
            m_order.clear();
            return;
        }
        m_fileRecords = (info.size - 4) / Kind::Size;
        std::stable_sort(m_order.begin(), m_order.end(), [](const Entry& a, const Entry& b) {
            return detail::KeyLess(b.key, a.key);
        });
    }

    bool Empty() const { return m_order.empty(); }

    // visit(record) for each record, newest first; stops early if the file shrank meanwhile.
    template <class Visit> void ForEach(Visit&& visit) {
        Record record{};
        for (const Entry& entry : m_order) {
            if (!Read(entry.index, record))
                return;
            visit(static_cast<const Record&>(record));
        }
    }

    // The first record, newest first, with the key: the one the loaders' list meets first.
    bool FindFirst(const typename Kind::Key& key, Record& record) {
        const auto it = std::lower_bound(
            m_order.begin(), m_order.end(), key,
            [](const Entry& e, const typename Kind::Key& k) { return detail::KeyLess(k, e.key); });
        if (it == m_order.end() || detail::KeyLess(it->key, key))
            return false;
        return Read(it->index, record);
    }

private:
    struct Entry {
        typename Kind::Key key;
        std::uint64_t index;
    };
    static constexpr std::uint64_t ChunkRecords =
        std::max<std::uint64_t>(1, (256 * 1024) / Kind::Size);

    bool Read(std::uint64_t index, Record& record) {
        if (index < m_begin || index >= m_end) {
            if (index >= m_fileRecords)
                return false;
            if (!m_in) {
                m_in = detail::OpenForReading(m_file);
                m_buffer = std::make_unique_for_overwrite<std::uint8_t[]>(
                    static_cast<std::size_t>(std::min(ChunkRecords, m_fileRecords) * Kind::Size));
                if (!m_in)
                    return false;
            }
            // The window lies in the direction the reads go: backwards for a diary appended
            // oldest first.
            const bool backwards = !m_last || index < *m_last;
            const std::uint64_t begin = !backwards                 ? index
                                        : index + 1 > ChunkRecords ? index + 1 - ChunkRecords
                                                                   : 0;
            const std::uint64_t end = std::min(begin + ChunkRecords, m_fileRecords);
            const auto bytes = static_cast<std::size_t>((end - begin) * Kind::Size);
            m_begin = m_end = 0;
            if (std::fseek(m_in.get(), static_cast<long>(Store::OffsetOf(begin)), SEEK_SET) != 0 ||
                std::fread(m_buffer.get(), 1, bytes, m_in.get()) != bytes)
                return false;
            m_begin = begin;
            m_end = end;
        }
        m_last = index;
        Kind::Decode(m_buffer.get() + (index - m_begin) * Kind::Size, record);
        return true;
    }

    std::filesystem::path m_file;
    std::vector<Entry> m_order;
    std::uint64_t m_fileRecords = 0;
    detail::FilePtr m_in;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::uint64_t m_begin = 0, m_end = 0; // the records the buffer holds
    std::optional<std::uint64_t> m_last;
};

template <class Kind>
NewestFirstRecords<Kind> Records(const std::filesystem::path& dataDir, const UserRecord& user) {
    return NewestFirstRecords<Kind>(RecordFile<Kind>::PathFor(dataDir, user.Name()));
}

// One row of the on-screen table, whose cell texts the print and the export share.
class RowTexts {
public:
    template <class Append> void Build(Append&& append) {
        m_row.text.clear();
        m_row.ends.clear();
        append(m_row);
    }
    std::string_view operator[](std::size_t column) const { return m_row.CellAt(column); }

private:
    HistoryTable m_row;
};

// A user of "user.bin" with the newest and the oldest of that user's body composition records,
// the only ones the all-users table takes from the list.
struct UserSummary {
    UserRecord user;
    RecordList<BodyFatRecord> ends; // newest, oldest; empty without records
};

// visit(summary) for each live user of "user.bin", in file order; false when the file cannot
// be read.
template <class Visit> bool ForEachUser(const std::filesystem::path& dataDir, Visit&& visit) {
    using Users = detail::RecordStore<UserKind>;
    using BodyFat = detail::RecordStore<BodyFatKind>;
    UserSummary summary;
    const detail::FileInfo info =
        Users::Scan(dataDir / UserFileName, [&](std::uint64_t, const std::uint8_t* bytes) {
            if (Users::ActiveAt(bytes) == 0)
                return false;
            UserKind::Decode(bytes, summary.user);
            // Newest: the first of the latest date in file order; oldest: the last of the
            // earliest, as the newest-first list has them at its ends.
            std::optional<BodyFatRecord> newest, oldest;
            const auto file = BodyFatFile::PathFor(dataDir, summary.user.Name());
            if (!file.empty()) {
                BodyFat::Scan(file, [&](std::uint64_t, const std::uint8_t* record) {
                    if (BodyFat::ActiveAt(record) == 0)
                        return false;
                    const DateKey date = BodyFatKind::KeyAt(record);
                    if (!newest || date > newest->date)
                        BodyFatKind::Decode(record, newest.emplace());
                    if (!oldest || date <= oldest->date)
                        BodyFatKind::Decode(record, oldest.emplace());
                    return false;
                });
            }
            summary.ends.clear();
            if (newest) {
                summary.ends.push_back(*newest);
                summary.ends.push_back(*oldest);
            }
            visit(static_cast<const UserSummary&>(summary));
            return false;
        });
    return info.readable;
}

std::string Message(std::string_view format, const UserRecord& user) {
    std::string text(format);
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, user.Name());
    return text;
}

std::string_view MethodOf(const BodyFatRecord& r) {
    return {r.method, ::strnlen(r.method, BodyFatRecord::MethodFieldSize)};
}

// The method's name in the reports; "Three Site Caliper" and "Seven Site Caliper" are the
// older names of two of them. Empty for any other text.
std::string_view ReportMethod(std::string_view method) {
    using namespace MeasurementType;
    const std::string shown = HistoryTypeText(method);
    for (const std::string_view known :
         {JacksonPollock7, JacksonPollock4, JacksonPollock3, Durnin, Parrillo, TapeMeasurement})
        if (shown == known)
            return known;
    return {};
}

// ---- Print texts ----

void AppendLine(std::string& text, std::string_view label, std::string_view value,
                std::string_view end = "\n") {
    text.append(label).append(value).append(end);
}

std::string MethodBlock(const BodyFatRecord& r, const UserRecord& user) {
    using namespace MeasurementType;
    const std::string_view method = ReportMethod(MethodOf(r));
    if (method.empty())
        return "Measurement Type:  Other";
    std::string text = "Measurement Type: ";
    text.append(method).append("\n");
    const std::int32_t* s = r.sites;
    if (method == JacksonPollock7) {
        text += FormatText("Chest: %d   Abdominal: %d   Thigh: %d   Tricep: %d\n"
                           "Subscapular: %d   Suprailiac: %d   Midaxilla: %d",
                           s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
    } else if (method == JacksonPollock4) {
        text += FormatText("Abdominal: %d   Thigh: %d   Tricep: %d   Suprailiac: %d", s[1], s[2],
                           s[3], s[5]);
    } else if (method == JacksonPollock3) {
        text += user.sex == Male
                    ? FormatText("Chest: %d   Abdominal: %d   Thigh: %d", s[0], s[1], s[2])
                    : FormatText("Tricep: %d   Suprailiac: %d   Thigh: %d", s[3], s[5], s[2]);
    } else if (method == Durnin) {
        text += FormatText("Bicep: %d   Tricep: %d   Subscapular: %d   Suprailiac: %d", s[0], s[3],
                           s[4], s[5]);
    } else if (method == Parrillo) {
        text += FormatText("Chest: %d   Abdominal: %d   Thigh: %d   Bicep: %d\n"
                           "Tricep: %d   Subscapular: %d   Suprailiac: %d   Lower Back: %d   "
                           "Calf: %d",
                           ParrilloCalc::LowSite(s[0]), ParrilloCalc::LowSite(s[1]), s[2],
                           ParrilloCalc::HighSite(s[0]), s[3], s[4], s[5], s[6],
                           ParrilloCalc::HighSite(s[1]));
    } else { // tape measurement
        const auto length = [&](double inches) { return Fixed2(DisplayLength(inches, user)); };
        AppendLine(text, "Abdomen: ", length(r.tape[0]), "");
        AppendLine(text, "   Neck: ", length(r.tape[3]), "");
        text += user.lengthUnits == Centimetres
                    ? "   Height: " + length(r.tape[1])
                    : FormatFeetInches(r.tape[1], "   Height: %d ' 0''",
                                       "   Height: %d ' %.0f.%.0f''", "   Height: %d ' %.0f''");
        if (user.sex == Female)
            AppendLine(text, "   Hip: ", length(r.tape[2]), "");
    }
    return text;
}

void TapePrint(std::string& text, const std::filesystem::path& dataDir, const UserRecord& user,
               bool& any) {
    auto records = Records<TapeKind>(dataDir, user);
    any = !records.Empty();
    RowTexts c;
    records.ForEach([&](const TapeRecord& r) {
        c.Build([&](HistoryTable& row) { AppendTapeRow(row, r, user); });
        AppendLine(text, "Date: ", c[0]);
        AppendLine(text, "Weight: ", c[1]);
        AppendLine(text, "Bicep: ", c[2]);
        AppendLine(text, user.sex == Female ? "Hip: " : "Forearm: ", c[3]);
        AppendLine(text, "Chest: ", c[4]);
        AppendLine(text, "Waist: ", c[5]);
        AppendLine(text, "Neck: ", c[6]);
        AppendLine(text, "Calf: ", c[7]);
        AppendLine(text, "Thigh: ", c[8], "\n\n");
    });
}

void BloodPressurePrint(std::string& text, const std::filesystem::path& dataDir,
                        const UserRecord& user, bool& any) {
    auto records = Records<BloodPressureKind>(dataDir, user);
    any = !records.Empty();
    RowTexts c;
    records.ForEach([&](const BloodPressureRecord& r) {
        c.Build([&](HistoryTable& row) { AppendBloodPressureRow(row, r); });
        AppendLine(text, "Date: ", c[0]);
        AppendLine(text, "Time: ", c[1]);
        AppendLine(text, "Systolic: ", c[2]);
        AppendLine(text, "Diastolic: ", c[3]);
        AppendLine(text, "Pulse: ", c[4]);
        // The notes as stored, their own line breaks included.
        AppendLine(text, "Notes: ", r.Notes(), "\n\n");
    });
}

// The values both reports take from a body composition record, converted for the user; its
// table row would build twenty cells for these four.
struct BodyCompositionTexts {
    BodyCompositionTexts(const BodyFatRecord& r, const UserRecord& user)
        : date(HistoryDate(r.date)), bodyFat(Fixed2(r.bodyFat) + "%"),
          weight(Fixed2(DisplayWeight(r.user.weight, user))),
          lean(Fixed2(DisplayWeight(r.leanWeight, user))),
          fat(Fixed2(DisplayWeight(r.fatWeight, user))) {}
    std::string date, bodyFat, weight, lean, fat;
};

void BodyCompositionPrint(std::string& text, const std::filesystem::path& dataDir,
                          const UserRecord& user, bool& any) {
    auto records = Records<BodyFatKind>(dataDir, user);
    any = !records.Empty();
    records.ForEach([&](const BodyFatRecord& r) {
        const BodyCompositionTexts c(r, user);
        AppendLine(text, "Date:  ", c.date);
        AppendLine(text, "Body Fat Percentage:  ", c.bodyFat);
        AppendLine(text, "Lean Body Weight:  ", c.lean);
        AppendLine(text, "Body Fat:  ", c.fat);
        AppendLine(text, "Total Body Weight:  ", c.weight);
        text += MethodBlock(r, user);
        text += "\n\n";
    });
}

// Calls visit(bmi, cells) for each BMI record, newest first, with the cells of its table row
// (the BMR cells empty without a BMR record of its date).
template <class Visit>
bool ForEachBmi(const std::filesystem::path& dataDir, const UserRecord& user, Visit&& visit) {
    auto bmi = Records<BmiKind>(dataDir, user);
    if (bmi.Empty())
        return false;
    auto bmr = Records<BmrKind>(dataDir, user);
    RowTexts c;
    BmrRecord match{};
    bmi.ForEach([&](const BmiRecord& r) {
        const bool matched = bmr.FindFirst(r.date, match);
        c.Build(
            [&](HistoryTable& row) { AppendBmiBmrRow(row, r, matched ? &match : nullptr, user); });
        visit(matched, static_cast<const RowTexts&>(c));
    });
    return true;
}

void BmiBmrPrint(std::string& text, const std::filesystem::path& dataDir, const UserRecord& user,
                 bool& any) {
    any = ForEachBmi(dataDir, user, [&](bool matched, const RowTexts& c) {
        AppendLine(text, "Date: ", c[0]);
        AppendLine(text, "BMI: ", c[1]);
        if (matched) {
            AppendLine(text, "BMR: ", c[2]);
            if (!c[3].empty())
                AppendLine(text, "Activity Factor (AF): ", c[3]);
            AppendLine(text, "BMR w/AF: ", c[4]);
        }
        AppendLine(text, "Weight: ", c[5]);
        AppendLine(text, "Height: ", c[6], "\n\n");
    });
}

void AllUsersBlock(std::string& text, const UserSummary& u, const RowTexts& c) {
    AppendLine(text, "Name: ", c[0], "   ");
    AppendLine(text, "Sex: ", c[1], "   ");
    AppendLine(text, "Age: ", c[2], "   ");
    AppendLine(text, "Desired BF: ", c[3], "   \n");
    AppendLine(text, "Current BF: ", c[4], "   ");
    AppendLine(text, "Starting BF: ", c[5], "   ");
    AppendLine(text, "BF Change: ", c[6], "   \n");
    if (u.user.weight > 0)
        AppendLine(text, "Current Wt:   ", c[7], " ");
    else
        text += "Current Wt: -   ";
    AppendLine(text, "Starting Wt: ", c[8], "   ");
    AppendLine(text, "Wt Change: ", c[9], "   \n");
    AppendLine(text, "Current LB: ", c[10], "   ");
    AppendLine(text, "Starting LB: ", c[11], "   ");
    AppendLine(text, "LB Change: ", c[12], "   \n\n");
}

// ---- Export tables ----

struct ExportColumn {
    std::string_view header;
    std::int32_t boundary; // right edge in twips
};

// The table of an export: its formats, header row, data rows and, for the long ones, the
// title and header again every 33 rows.
class ExportTable {
public:
    ExportTable(RtfWriter& writer, std::string title, std::vector<ExportColumn> columns,
                bool repeatsHeader)
        : w(writer), m_title(std::move(title)), m_columns(std::move(columns)),
          m_repeatsHeader(repeatsHeader) {}

    // The formats every row takes, then the header row.
    void Begin() {
        ReportTableFormats(w);
        HeaderRow();
    }

    void Row(std::initializer_list<std::string_view> cells) {
        if (m_repeatsHeader && m_rows > 0 && m_rows % 33 == 0)
            RepeatTitle();
        RtfParagraphFormat& paragraph = w.ParagraphFormat();
        w.StartTableRow();
        paragraph.bold = false;
        for (const ExportColumn& column : m_columns)
            w.DefineTableCell(column.boundary);
        paragraph.inTable = true;
        paragraph.alignment = AlignJustified;
        for (const std::string_view text : cells) {
            w.StartParagraph(text, false);
            w.EndTableCell();
        }
        w.EndTableRow();
        ++m_rows;
    }

    std::size_t Rows() const { return m_rows; }

    // What precedes the footer: out of the table, no page break, no bullets, bold.
    void End() {
        RtfParagraphFormat& paragraph = w.ParagraphFormat();
        paragraph.inTable = false;
        paragraph.breakBefore = 0;
        paragraph.bulletSet = false;
        w.StartParagraph("", true);
        paragraph.bold = true;
    }

private:
    void HeaderRow() {
        RtfParagraphFormat& paragraph = w.ParagraphFormat();
        RtfTableCellFormat& cell = w.TableCellFormat();
        w.StartTableRow();
        cell.shading.backgroundColour = Silver;
        for (const ExportColumn& column : m_columns)
            w.DefineTableCell(column.boundary);
        cell.shading.backgroundColour = White;
        paragraph.inTable = true;
        paragraph.bold = true;
        paragraph.alignment = AlignJustified;
        for (const ExportColumn& column : m_columns) {
            w.StartParagraph(column.header, false);
            w.EndTableCell();
        }
        w.EndTableRow();
    }

    // No new section: the title keeps the body font the first title left in force.
    void RepeatTitle() {
        RtfParagraphFormat& paragraph = w.ParagraphFormat();
        paragraph.inTable = false;
        paragraph.spaceBefore = 120;
        paragraph.alignment = AlignCentre;
        paragraph.bold = true;
        paragraph.subscript = false;
        paragraph.superscript = false;
        w.StartParagraph(m_title, false);
        paragraph.shading.enabled = false;
        w.StartParagraph("", true);
        w.StartParagraph("", true);
        paragraph.spaceBefore = 0;
        paragraph.spaceAfter = 0;
        HeaderRow();
    }

    RtfWriter& w;
    std::string m_title;
    std::vector<ExportColumn> m_columns;
    bool m_repeatsHeader;
    std::size_t m_rows = 0;
};

std::vector<ExportColumn> ExportColumns(ShownTable table, const UserRecord& user) {
    switch (table) {
    case ShownTable::Tape:
        return {{"Date", 1250},  {"Weight", 2250},
                {"Bicep", 3250}, {user.sex == Female ? "Hip" : "Forearm", 4250},
                {"Chest", 5250}, {"Waist", 6250},
                {"Neck", 7250},  {"Calf", 8250},
                {"Thigh", 9250}};
    case ShownTable::BmiBmr:
        return {
            {"Date", 1250},     {"BMI", 2250},    {"BMR", 3250},   {"Activity Factor (AF)", 5250},
            {"BMR w/AF", 6500}, {"Weight", 7500}, {"Height", 8750}};
    case ShownTable::BloodPressure:
        return {{"Date", 1250},      {"Time", 2600},  {"Systolic", 3600},
                {"Diastolic", 4600}, {"Pulse", 5600}, {"Notes", 9600}};
    case ShownTable::AllUsers:
        return {{"Name", 2250},   {"Sex", 3250},      {"Age", 4250},
                {"Weight", 5250}, {"Body Fat", 6250}, {"Lean Body Weight", 8250}};
    case ShownTable::BodyComposition:
        return {{"Date", 1250},       {"Weight", 2250},
                {"Body Fat %", 3500}, {"Lean Body Weight", 5500},
                {"Body Fat", 6500},   {"Type", 9500}};
    case ShownTable::None:
        break;
    }
    return {};
}

// Each writes the rows of its variant; false when there are no records.
bool TapeRows(ExportTable& out, const std::filesystem::path& dataDir, const UserRecord& user) {
    auto records = Records<TapeKind>(dataDir, user);
    if (records.Empty())
        return false;
    RowTexts c;
    std::array<std::string, 8> lengths; // each followed by its line break
    records.ForEach([&](const TapeRecord& r) {
        c.Build([&](HistoryTable& row) { AppendTapeRow(row, r, user); });
        for (std::size_t i = 0; i < lengths.size(); ++i)
            lengths[i].assign(c[i + 1]).append(i + 1 == lengths.size() ? "\n\n" : "\n");
        out.Row({c[0], lengths[0], lengths[1], lengths[2], lengths[3], lengths[4], lengths[5],
                 lengths[6], lengths[7]});
    });
    return true;
}

bool BloodPressureRows(ExportTable& out, const std::filesystem::path& dataDir,
                       const UserRecord& user) {
    auto records = Records<BloodPressureKind>(dataDir, user);
    if (records.Empty())
        return false;
    RowTexts c;
    records.ForEach([&](const BloodPressureRecord& r) {
        c.Build([&](HistoryTable& row) { AppendBloodPressureRow(row, r); });
        const std::string notes = r.Notes(); // as stored, line breaks and all
        out.Row({c[0], c[1], c[2], c[3], c[4], notes});
    });
    return true;
}

bool BodyCompositionRows(ExportTable& out, const std::filesystem::path& dataDir,
                         const UserRecord& user) {
    auto records = Records<BodyFatKind>(dataDir, user);
    if (records.Empty())
        return false;
    std::string type;
    records.ForEach([&](const BodyFatRecord& r) {
        const BodyCompositionTexts c(r, user);
        const std::string_view method = ReportMethod(MethodOf(r));
        if (method.empty())
            type.assign(MeasurementType::Other);
        else
            type.assign(method).append("\n");
        out.Row({c.date, c.weight, c.bodyFat, " " + c.lean, c.fat, type});
    });
    return true;
}

bool BmiBmrRows(ExportTable& out, const std::filesystem::path& dataDir, const UserRecord& user) {
    std::string height;
    return ForEachBmi(dataDir, user, [&](bool, const RowTexts& c) {
        height.assign(c[6]).append("\n");
        out.Row({c[0], c[1], c[2], c[3], c[4], c[5], height});
    });
}

// Every live user's row; false when "user.bin" cannot be read.
bool AllUsersRows(ExportTable& out, const std::filesystem::path& dataDir) {
    RowTexts c;
    std::string weight, lean;
    return ForEachUser(dataDir, [&](const UserSummary& u) {
        c.Build([&](HistoryTable& row) { AppendAllUsersRow(row, u.user, u.ends); });
        weight = u.user.weight > 0 ? std::string(c[7]) + " " : "-";
        lean = u.ends.empty() ? "-" : std::string(c[10]) + "   ";
        out.Row({c[0], c[1], c[2], weight, c[4], lean});
    });
}

std::string ExportTitleText(ShownTable table, const UserRecord& user) {
    std::string title(HistoryReportNamesOf(table).exportTitle);
    if (table != ShownTable::AllUsers)
        title += user.Name();
    return title;
}

} // namespace

HistoryReportNames HistoryReportNamesOf(ShownTable table) {
    switch (table) {
    case ShownTable::Tape:
        return {"HistoryTape.rtf", "Tape Measurements Report for ",
                "No tape measurement records exist for user %s"};
    case ShownTable::BloodPressure:
        return {"HistoryBP.rtf", "Blood Pressure Report for ",
                "No blood pressure records exist for user %s"};
    case ShownTable::BodyComposition:
        return {"HistoryBodyComp.rtf", "Body Composition Report for ",
                "No body composition records exist for user %s"};
    case ShownTable::BmiBmr:
        // Only BMI records count, and the message says so in its own words.
        return {"HistoryBMIBMR.rtf", "BMI/BMR Report for ", "No Bmi records exist for user %s"};
    case ShownTable::AllUsers:
        return {"HistoryUsers.rtf", "All Users", ""};
    case ShownTable::None:
        break;
    }
    return {};
}

HistoryPrintText BuildHistoryPrintText(ShownTable table, const std::filesystem::path& dataDir,
                                       const UserRecord& user) {
    HistoryPrintText print;
    if (table == ShownTable::None)
        return print;
    if (table == ShownTable::AllUsers) {
        std::string text = "\nAll Users \n\n";
        RowTexts c;
        if (!ForEachUser(dataDir, [&](const UserSummary& u) {
                c.Build([&](HistoryTable& row) { AppendAllUsersRow(row, u.user, u.ends); });
                AllUsersBlock(text, u, c);
            }))
            return print;
        // With no live user the page carries the title alone.
        print.outcome = HistoryReportOutcome::Done;
        print.text = std::move(text);
        return print;
    }

    std::string text = "\n" + ExportTitleText(table, user) + "\n\n";
    bool any = false;
    switch (table) {
    case ShownTable::Tape:
        TapePrint(text, dataDir, user, any);
        break;
    case ShownTable::BloodPressure:
        BloodPressurePrint(text, dataDir, user, any);
        break;
    case ShownTable::BodyComposition:
        BodyCompositionPrint(text, dataDir, user, any);
        break;
    case ShownTable::BmiBmr:
        BmiBmrPrint(text, dataDir, user, any);
        break;
    default:
        break;
    }
    if (!any) {
        print.outcome = HistoryReportOutcome::NoRecords;
        print.text = Message(HistoryReportNamesOf(table).missing, user);
        return print;
    }
    print.outcome = HistoryReportOutcome::Done;
    print.text = std::move(text);
    return print;
}

HistoryExportBody WriteHistoryExportBody(RtfWriter& writer, ShownTable table,
                                         const std::filesystem::path& dataDir,
                                         const UserRecord& user) {
    HistoryExportBody body;
    if (table == ShownTable::None)
        return body;
    const std::string title = ExportTitleText(table, user);
    ExportTitle(writer, title);
    // The blood pressure and all-users tables never repeat their header.
    ExportTable out(writer, title, ExportColumns(table, user),
                    table != ShownTable::BloodPressure && table != ShownTable::AllUsers);
    out.Begin();

    bool found = false;
    switch (table) {
    case ShownTable::Tape:
        found = TapeRows(out, dataDir, user);
        break;
    case ShownTable::BloodPressure:
        found = BloodPressureRows(out, dataDir, user);
        break;
    case ShownTable::BodyComposition:
        found = BodyCompositionRows(out, dataDir, user);
        break;
    case ShownTable::BmiBmr:
        found = BmiBmrRows(out, dataDir, user);
        break;
    case ShownTable::AllUsers:
        // A file of deleted users only still makes a report: title, header and footer.
        found = AllUsersRows(out, dataDir);
        break;
    case ShownTable::None:
        break;
    }
    body.rows = out.Rows();
    if (!found) {
        writer.CloseDocument();
        if (table != ShownTable::AllUsers) {
            body.outcome = HistoryReportOutcome::NoRecords;
            body.message = Message(HistoryReportNamesOf(table).missing, user);
        }
        return body;
    }
    out.End();
    body.outcome = HistoryReportOutcome::Done;
    return body;
}

HistoryExportFile ExportHistory(const std::filesystem::path& file, ShownTable table,
                                const std::filesystem::path& dataDir, const UserRecord& user,
                                std::string_view footerText) {
    HistoryExportFile result;
    if (table == ShownTable::None)
        return result;
    RtfWriter writer;
    result.result = writer.OpenDocument(file, ExportFonts, ExportColours);
    if (result.result != RtfResult::RtfSuccess)
        return result;
    const HistoryExportBody body = WriteHistoryExportBody(writer, table, dataDir, user);
    result.outcome = body.outcome;
    result.message = body.message;
    if (body.outcome != HistoryReportOutcome::Done) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        return result;
    }
    result.result = ExportFooter(writer, footerText);
    return result;
}

} // namespace vitalog
