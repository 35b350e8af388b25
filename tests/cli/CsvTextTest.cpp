// The CSV reader and writer and the texts of stored values.

#include "cli/Csv.h"
#include "records/Values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <sstream>

namespace vitalog::cli {
namespace {

TEST(Csv, FieldsThatNeedQuotesReadBackAsWritten) {
    const std::vector<std::string> fields{"plain", "a,b",      "say \"hi\"", "two\r\nlines",
                                          "",      "lf\nonly", "\xC3\xBC"};
    std::ostringstream out;
    WriteCsvRow(out, fields);
    WriteCsvRow(out, {"next"});
    EXPECT_EQ(out.str(), "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",,\"lf\nonly\","
                         "\xC3\xBC\r\nnext\r\n");
    const CsvDocument document = ParseCsv(out.str());
    ASSERT_FALSE(document.error);
    ASSERT_EQ(document.rows.size(), 2u);
    EXPECT_EQ(document.rows[0].fields, fields);
    EXPECT_EQ(document.rows[1].line, 4); // the two quoted line breaks count
}

struct ParseCase {
    const char* name;
    const char* text;
    std::vector<std::vector<std::string>> rows;
    std::vector<int> lines;
};
void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class CsvParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CsvParse, RowsAndTheirLines) {
    const CsvDocument document = ParseCsv(GetParam().text);
    ASSERT_FALSE(document.error) << document.error->message;
    std::vector<std::vector<std::string>> rows;
    std::vector<int> lines;
    for (const CsvRow& row : document.rows) {
        rows.push_back(row.fields);
        lines.push_back(row.line);
    }
    EXPECT_EQ(rows, GetParam().rows);
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvParse,
    ::testing::Values(ParseCase{"NoFinalLineBreak", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                      ParseCase{"ByteOrderMarkAndEmptyLine",
                                "\xEF\xBB\xBF"
                                "a\r\n\r\n1\r\n",
                                {{"a"}, {"1"}},
                                {1, 3}},
                      ParseCase{"EmptyFields", "a,,\n", {{"a", "", ""}}, {1}},
                      ParseCase{
                          "QuotedLineBreak", "\"x\ny\",z\nw\n", {{"x\ny", "z"}, {"w"}}, {1, 3}},
                      ParseCase{"LoneCarriageReturnIsText", "a\rb\n", {{"a\rb"}}, {1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Csv, MalformedQuotesNameTheirLine) {
    const auto open = ParseCsv("a\n\"never closed\n\n");
    ASSERT_TRUE(open.error);
    EXPECT_EQ(open.error->line, 2);
    const auto stray = ParseCsv("a\nb\"c\n");
    ASSERT_TRUE(stray.error);
    EXPECT_EQ(stray.error->line, 2);
    const auto after = ParseCsv("\"a\"b\n");
    ASSERT_TRUE(after.error);
}

TEST(Values, NumbersAreTheShortestTextThatReadsBackExactly) {
    for (const double value : {0.0, 0.1, 1.0 / 3, 176.3696, 80 * 2.20462, 1e-300, 12345678.9, -2.5,
                               std::numeric_limits<double>::max()}) {
        const std::string text = FormatNumber(value);
        EXPECT_EQ(ParseNumber(text), value) << text;
    }
    EXPECT_EQ(FormatNumber(32.0), "32");
    EXPECT_EQ(FormatNumber(0.1), "0.1");
    EXPECT_EQ(FormatNumber(18.5f), "18.5");
    EXPECT_EQ(FormatNumber(20.1f), "20.1"); // a float's own shortest form, not its double's
    EXPECT_EQ(static_cast<float>(*ParseNumber("20.1")), 20.1f);
    for (const char* bad : {"", "1,5", "12kg", " 3", "0x10"})
        EXPECT_FALSE(ParseNumber(bad)) << bad;
    EXPECT_EQ(ParseWhole("+7"), 7);
    EXPECT_FALSE(ParseWhole("7.0"));
}

TEST(Values, DatesAreRealCalendarDays) {
    EXPECT_EQ(ParseDate("2024-02-29"), 20240229);
    EXPECT_EQ(FormatDate(20040307), "2004-03-07");
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-04-31", "2024-1-01", "2024-01-01x",
                            "01/03/2024", "0000-01-01"})
        EXPECT_FALSE(ParseDate(bad)) << bad;

    const DateTimeKey evening = MakeDateTimeKey(2007, 3, 5, 14, 5, 9);
    EXPECT_EQ(FormatDateTime(evening), "2007-03-05T14:05:09");
    EXPECT_EQ(ParseDateTime("2007-03-05T14:05:09"), evening);
    for (const char* bad : {"2007-03-05 14:05:09", "2007-03-05T24:00:00", "2007-03-05T14:60:00",
                            "2007-02-30T10:00:00"})
        EXPECT_FALSE(ParseDateTime(bad)) << bad;
    EXPECT_EQ(FormatDateTime({0, DateTimeKey::Null}), "");
}

} // namespace
} // namespace vitalog::cli
