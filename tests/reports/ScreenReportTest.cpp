// The pieces of a screen report that the screens' own tests do not reach: the body
// composition part and a table without data rows.
#include "reports/ScreenReport.h"
#include "records/TestFiles.h"
#include "reports/RtfWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vitalog {
namespace {

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The document between the first section and the closing, written by `body`.
template <class Body> std::string Written(Body body) {
    test::TempDir dir;
    RtfWriter writer([](std::string_view) { return std::nullopt; });
    EXPECT_EQ(writer.OpenDocument(dir / "report.rtf", ExportFonts, ExportColours),
              RtfResult::RtfSuccess);
    body(writer);
    EXPECT_EQ(writer.CloseDocument(), RtfResult::RtfSuccess);
    const std::string text = ReadText(dir / "report.rtf");
    return text.substr(text.find("\\footery720") + 11);
}

const std::string Characters = "\\animtext0\\expndtw0\\kerning0\\charscalex100\\f0\\fs24\\cf0";
const std::string Plain = "\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\ulnone ";

TEST(ScreenReportTest, BodyCompositionListsItsSiteLinesAsBulletsNotBold) {
    const std::vector<std::string> lines{"Lower Back: 12 mm\n", "Calf: 9 mm\n"};
    const std::string text =
        Written([&](RtfWriter& writer) { BodyCompositionReportBody(writer, "Parrillo", lines); });
    const std::string bullet = "{\\*\\pn\\pnlvl3\\pnsp360\\pntxtb \x95}";
    EXPECT_NE(text.find("\\b" + Plain + "Type of Measurement: Parrillo\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n\\par\\pard\\plain\\ql" + bullet + "\\fi0\\li0\\ri0\\sb0\\sa0\\sl0" +
                        Characters + "\\b0" + Plain + "Lower Back: 12 mm\r\n\r\n\\par"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(bullet + "\\fi0\\li0\\ri0\\sb0\\sa0\\sl0" + Characters + "\\b0" + Plain +
                        "Calf: 9 mm\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Reprinted with permission from the American Council on Exercise"),
              std::string::npos);
    // Bullets end with the site lines: the paragraph before the footer has none.
    EXPECT_EQ(text.find("\\pn", text.find("Calf:")), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "\\ulnone \r\n\\par}");
}

TEST(ScreenReportTest, TableWithoutDataRowsEndsTableModeAfterItsHeader) {
    const std::string text = Written([](RtfWriter& writer) {
        ComparisonTable(writer, {});
        writer.StartParagraph("after", true);
    });
    EXPECT_NE(text.find("\\b" + Plain +
                        "Last\r\n\\cell \r\n\\trgaph115\\row\\pard\r\n\\par\\pard\\plain"),
              std::string::npos)
        << text;
}

} // namespace
} // namespace vitalog
