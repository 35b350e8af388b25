#include "reports/RtfWriter.h"
#include "records/TestFiles.h"
#include "reports/MetafileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace vitalog {
namespace {

using enum RtfResult;

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every line feed as CR LF, as the writer writes it.
std::string Crlf(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// Golden documents hold LF line breaks for reading (each one is CR LF in the output) and may
// end with a line break after the closing brace that the output does not have.
std::string Golden(const std::string& name) {
    std::string text = ReadText(std::filesystem::path(VITALOG_REPORTS_GOLDEN_DIR) / name);
    EXPECT_FALSE(text.empty()) << name;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return Crlf(text);
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        hex += Digits[b >> 4];
        hex += Digits[b & 0xF];
    }
    return hex;
}

// A picture of one colour.
RtfPicture Plain(std::int32_t width, std::int32_t height, std::uint8_t value = 0x80) {
    return {width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3, value)};
}

constexpr std::string_view Closing = "\r\n\\par}";
constexpr std::string_view DefaultParagraph =
    "\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0\\kerning0\\charscalex100\\f0\\fs24\\cf0"
    "\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\ulnone ";

class RtfWriterTest : public testing::Test {
protected:
    // Opens the document on the default tables.
    void SetUp() override { ASSERT_EQ(writer.OpenDocument(file), RtfSuccess); }

    // The whole file after closing.
    std::string Closed() {
        EXPECT_EQ(writer.CloseDocument(), RtfSuccess);
        return ReadText(file);
    }

    // What was written between the fresh document and its closing.
    std::string Body() {
        const std::string text = Closed();
        std::string fresh = Golden("fresh-document.rtf");
        fresh.resize(fresh.size() - Closing.size());
        if (!text.starts_with(fresh) || !text.ends_with(Closing)) {
            ADD_FAILURE() << "not a document: " << text;
            return text;
        }
        return text.substr(fresh.size(), text.size() - fresh.size() - Closing.size());
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "report.rtf";
    std::vector<std::string> loaded; // the names the image loader was given
    std::optional<RtfPicture> decoded = Plain(4, 3);
    RtfWriter writer{[this](std::string_view name) {
        loaded.emplace_back(name);
        return decoded;
    }};
};

TEST_F(RtfWriterTest, FreshDocumentIsHeaderDocumentAndSectionFormat) {
    EXPECT_EQ(Closed(), Golden("fresh-document.rtf"));
}

TEST_F(RtfWriterTest, FontAndColourListsReplaceTheDefaultTables) {
    ASSERT_EQ(writer.OpenDocument(file, "Times New Roman;Arial;",
                                  "0;0;0;255;0;0;192;192;192;255;255;255"),
              RtfSuccess);
    const std::string text = Closed();
    EXPECT_TRUE(text.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"
                                 "{\\f0\\fnil\\fcharset0\\cpg1252 Times New Roman}"
                                 "{\\f1\\fnil\\fcharset0\\cpg1252 Arial}}"
                                 "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;"
                                 "\\red192\\green192\\blue192;\\red255\\green255\\blue255;}"
                                 "{\\*\\generator scrivo ver. 1.0;}\r\n{\\info"))
        << text;
}

// Reopening over an existing file replaces it, and every format is back at its default.
TEST_F(RtfWriterTest, OpeningOverwritesAndResetsTheFormats) {
    writer.ParagraphFormat().bold = true;
    writer.SectionFormat().sectionBreak = 2;
    writer.TableRowFormat().leftEdge = 99;
    writer.TableCellFormat().verticalAlignment = 0;
    ASSERT_EQ(writer.StartSection(), RtfSuccess);
    ASSERT_EQ(writer.StartParagraph(std::string(5000, 'x'), true), RtfSuccess);
    ASSERT_EQ(writer.CloseDocument(), RtfSuccess);

    ASSERT_EQ(writer.OpenDocument(file), RtfSuccess);
    EXPECT_FALSE(writer.ParagraphFormat().bold);
    EXPECT_FALSE(writer.SectionFormat().newSection);
    EXPECT_EQ(writer.SectionFormat().sectionBreak, 0);
    EXPECT_EQ(writer.TableRowFormat().leftEdge, 0);
    EXPECT_EQ(writer.TableCellFormat().verticalAlignment, 1);
    EXPECT_EQ(Closed(), Golden("fresh-document.rtf"));
}

// Every later section keeps \sect.
TEST_F(RtfWriterTest, StartSection) {
    const std::string section =
        "\r\n\\sect\\sectd\\sbknone\\pgwsxn12240\\pghsxn15840\\marglsxn1800\\margrsxn1800"
        "\\margtsxn1440\\margbsxn1440\\guttersxn0\\headery720\\footery720";
    ASSERT_EQ(writer.StartSection(), RtfSuccess);
    ASSERT_EQ(writer.StartSection(), RtfSuccess);
    EXPECT_EQ(Body(), section + section);
}

TEST_F(RtfWriterTest, BoldJustifiedParagraphInTable) {
    RtfParagraphFormat& format = writer.ParagraphFormat();
    format.bold = true;
    format.font = 1;
    format.fontSize = 20;
    format.inTable = true;
    format.alignment = 3;
    ASSERT_EQ(writer.StartParagraph("Category", false), RtfSuccess);
    EXPECT_TRUE(format.text.empty());
    EXPECT_EQ(Body(), "\r\n\\pard\\intbl\\qj\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0"
                      "\\kerning0\\charscalex100\\f1\\fs20\\cf0\\b\\caps0\\striked0\\i0\\outl0"
                      "\\shad0\\scaps0\\strike0\\ulnone Category");
}

// The flag comes from each call; the other formats stay as they were set.
TEST_F(RtfWriterTest, NewParagraphFlagFollowsEachCall) {
    ASSERT_EQ(writer.StartParagraph("one", true), RtfSuccess);
    ASSERT_EQ(writer.StartParagraph("two", false), RtfSuccess);
    EXPECT_EQ(Body(), "\r\n\\par\\pard\\plain\\ql" + std::string(DefaultParagraph) + "one" +
                          "\r\n\\pard\\plain\\ql" + std::string(DefaultParagraph) + "two");
}

TEST_F(RtfWriterTest, BorderedShadedCell) {
    RtfTableCellFormat& cell = writer.TableCellFormat();
    for (RtfBorder* border :
         {&cell.leftBorder, &cell.rightBorder, &cell.topBorder, &cell.bottomBorder})
        border->enabled = true;
    cell.shading.enabled = true;
    cell.shading.backgroundColour = 2;
    ASSERT_EQ(writer.DefineTableCell(2500), RtfSuccess);
    EXPECT_EQ(Body(), "\r\n\\tcelld\\clvertalc\\cltxlrtb\\clbrdrb\\brdrs\\brdrw5\\brsp0\\brdrcf0"
                      "\\clbrdrl\\brdrs\\brdrw5\\brsp0\\brdrcf0\\clbrdrr\\brdrs\\brdrw5\\brsp0"
                      "\\brdrcf0\\clbrdrt\\brdrs\\brdrw5\\brsp0\\brdrcf0\\clshdgn0\\clcfpat0"
                      "\\clcbpat2\\cellx2500");
}

// A small report as the exports write it: title, table of two rows, fitted picture.
TEST_F(RtfWriterTest, ReportWithTableAndPicture) {
    ASSERT_EQ(writer.OpenDocument(file, "Times New Roman;Arial;",
                                  "0;0;0;255;0;0;192;192;192;255;255;255"),
              RtfSuccess);
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    RtfTableRowFormat& row = writer.TableRowFormat();
    RtfTableCellFormat& cell = writer.TableCellFormat();
    paragraph.spaceBefore = 120;
    paragraph.alignment = 1;
    paragraph.bold = true;
    EXPECT_EQ(writer.StartParagraph("Picture for Ann", false), RtfSuccess);
    EXPECT_EQ(writer.StartSection(), RtfSuccess);
    const RtfPicture picture{
        3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 128, 128, 128, 255, 255, 255}};
    EXPECT_EQ(writer.InsertPictureFitted(picture).result, RtfSuccess);
    EXPECT_EQ(writer.StartParagraph("", true), RtfSuccess);

    paragraph.spaceBefore = 0;
    paragraph.alignment = 0;
    paragraph.font = 1;
    paragraph.fontSize = 20;
    row.alignment = 1;
    row.leftPadding = row.rightPadding = row.topPadding = row.bottomPadding = 60;
    cell.bottomBorder.enabled = cell.leftBorder.enabled = cell.topBorder.enabled = true;
    cell.rightBorder.enabled = true;
    cell.rightBorder.width = 30;
    cell.shading.enabled = true;
    for (const auto& [label, value] :
         {std::pair{"Category", "Current"}, std::pair{"Weight:", "150.0 lb {about}"}}) {
        EXPECT_EQ(writer.StartTableRow(), RtfSuccess);
        cell.shading.backgroundColour = 2;
        EXPECT_EQ(writer.DefineTableCell(2500), RtfSuccess);
        cell.shading.backgroundColour = 3;
        EXPECT_EQ(writer.DefineTableCell(4250), RtfSuccess);
        paragraph.inTable = true;
        EXPECT_EQ(writer.StartParagraph(label, false), RtfSuccess);
        EXPECT_EQ(writer.EndTableCell(), RtfSuccess);
        paragraph.bold = false;
        paragraph.inTable = false;
        EXPECT_EQ(writer.StartParagraph(value, false), RtfSuccess);
        EXPECT_EQ(writer.EndTableCell(), RtfSuccess);
        EXPECT_EQ(writer.EndTableRow(), RtfSuccess);
        paragraph.bold = true;
    }
    EXPECT_EQ(Closed(), Golden("table-and-picture.rtf"));
}

// Backslash and braces are escaped, in both paragraph forms; every line feed becomes CR LF
// and a CR stays as it is; bytes 0x80-0xFF are written raw.
TEST_F(RtfWriterTest, TextsAreEscapedAndLineFeedsBecomeCrLf) {
    struct Case {
        std::string text, written;
    };
    const std::vector<Case> cases{
        {"x{y}z", "x\\{y\\}z"},   {"C:\\temp\\x", "C:\\\\temp\\\\x"},
        {"12.50\n", "12.50\r\n"}, {"a\r\nb", "a\r\r\nb"},
        {"a\rb", "a\rb"},         {"Jos\xE9 \x80 \x95", "Jos\xE9 \x80 \x95"},
    };
    for (const bool tabText : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.text);
            ASSERT_EQ(writer.OpenDocument(file), RtfSuccess);
            writer.ParagraphFormat().tabText = tabText;
            ASSERT_EQ(writer.StartParagraph(c.text, false), RtfSuccess);
            EXPECT_EQ(Body(), tabText ? "\\tab " + c.written
                                      : "\r\n\\pard\\plain\\ql" + std::string(DefaultParagraph) +
                                            c.written);
        }
    }
}

TEST_F(RtfWriterTest, TableRowAndCellEnds) {
    RtfTableRowFormat& row = writer.TableRowFormat();
    row.alignment = 2;
    row.leftEdge = 10;
    row.height = 20;
    row.bottomPadding = 30;
    row.leftPadding = 40;
    row.rightPadding = 50;
    row.topPadding = 60;
    ASSERT_EQ(writer.StartTableRow(), RtfSuccess);
    ASSERT_EQ(writer.EndTableCell(), RtfSuccess);
    ASSERT_EQ(writer.EndTableRow(), RtfSuccess);
    EXPECT_EQ(Body(), "\r\n\\trowd\\trgaph115\\trqr\\trleft10\\trrh20\\trpaddb30\\trpaddfb3"
                      "\\trpaddl40\\trpaddfl3\\trpaddr50\\trpaddfr3\\trpaddt60\\trpaddft3"
                      "\r\n\\cell \r\n\\trgaph115\\row\\pard");
}

// The group of a picture of w x h display pixels: its paragraph (empty text, current
// format), the goal sizes and scales, then the metafile as one run of lower-case hex.
std::string PictureGroup(const std::string& paragraph, std::int64_t goalWidth,
                         std::int64_t goalHeight, std::int32_t scaleX, std::int32_t scaleY,
                         const std::vector<std::uint8_t>& metafile) {
    return paragraph + "\r\n{\\pict\\wmetafile8\\picwgoal" + std::to_string(goalWidth) +
           "\\pichgoal" + std::to_string(goalHeight) + "\\picscalex" + std::to_string(scaleX) +
           "\\picscaley" + std::to_string(scaleY) + "\r\n" + Hex(metafile) + "}";
}

const std::string PictureParagraph = "\r\n\\pard\\plain\\ql" + std::string(DefaultParagraph);

// One scale for both sides, chosen by the larger side in display pixels.
TEST_F(RtfWriterTest, FittedPictureScales) {
    struct Case {
        std::int32_t width, height, scale;
    };
    for (const Case c :
         {Case{800, 600, 1000}, Case{999, 1, 1000}, Case{1, 999, 1000}, Case{1200, 900, 500},
          Case{1000, 1, 500}, Case{1, 1999, 500}, Case{2000, 1, 250}, Case{1, 2999, 250},
          Case{3000, 1, 125}, Case{1, 3999, 125}, Case{4000, 1, 75}, Case{4999, 4, 75}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        ASSERT_EQ(writer.OpenDocument(file), RtfSuccess);
        const RtfPicture picture = Plain(c.width, c.height);
        const RtfFittedResult result = writer.InsertPictureFitted(picture);
        EXPECT_EQ(result.result, RtfSuccess);
        EXPECT_TRUE(result.message.empty());
        EXPECT_EQ(Body(), PictureGroup(PictureParagraph, c.width, c.height, c.scale, c.scale,
                                       MetafileWriter::Bytes(picture, c.width, c.height)));
    }
}

// The refusal comes after the paragraph, with the text of the box the caller shows.
TEST_F(RtfWriterTest, FittedPictureOf5000PixelsIsRefused) {
    for (const auto& [width, height] : {std::pair{5000, 10}, std::pair{10, 5000}}) {
        ASSERT_EQ(writer.OpenDocument(file), RtfSuccess);
        const RtfFittedResult result = writer.InsertPictureFitted(Plain(width, height));
        EXPECT_EQ(result.result, RtfPictureError);
        EXPECT_EQ(result.message, "Error inserting image - image too large to be exported");
        EXPECT_EQ(Body(), PictureParagraph);
    }
}

// Display pixels follow the density the writer was given; the metafile keeps the picture's
// own pixels and stretches them.
TEST_F(RtfWriterTest, FittedPictureAtAScreensDensity) {
    RtfWriter dense({}, 192, 144);
    ASSERT_EQ(dense.OpenDocument(file), RtfSuccess);
    const RtfPicture picture = Plain(400, 300);
    EXPECT_EQ(dense.InsertPictureFitted(picture).result, RtfSuccess);
    ASSERT_EQ(dense.CloseDocument(), RtfSuccess);
    std::string expected = Golden("fresh-document.rtf");
    expected.insert(expected.size() - Closing.size(),
                    PictureGroup(PictureParagraph, 800, 450, 1000, 1000,
                                 MetafileWriter::Bytes(picture, 800, 450)));
    EXPECT_EQ(ReadText(file), expected);
}

// Goal sizes in hundredths of a millimetre (pixels at 96 dpi), the caller's scales, the
// current paragraph format.
TEST_F(RtfWriterTest, InsertPicture) {
    writer.ParagraphFormat().alignment = 1;
    writer.ParagraphFormat().newParagraph = true;
    const RtfPicture picture = Plain(800, 600);
    EXPECT_EQ(writer.InsertPicture(picture, 50, 60), RtfSuccess);
    EXPECT_EQ(Body(), PictureGroup("\r\n\\par\\pard\\plain\\qc" + std::string(DefaultParagraph),
                                   21167, 15875, 50, 60, MetafileWriter::Bytes(picture, 800, 600)));
}

TEST_F(RtfWriterTest, MetafileBytesAreTwoLowerCaseDigitsEach) {
    ASSERT_EQ(writer.InsertPicture(Plain(1, 1, 0x0A), 100, 100), RtfSuccess);
    const std::string body = Body();
    const std::size_t start = body.find("\\picscaley100\r\n");
    ASSERT_NE(start, std::string::npos);
    const std::string hex = body.substr(start + 15, body.size() - start - 15 - 1);
    EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos) << hex;
    // The one pixel: blue, green, red, padding.
    EXPECT_NE(hex.find("0a0a0a00"), std::string::npos) << hex;
    EXPECT_TRUE(body.ends_with("0a0a0a00030000000000}")) << body;
}

TEST_F(RtfWriterTest, WrongImageFormatLine) {
    for (const char* name : {"picture.png", "photo.BMP", "scan.jpeg", ""}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(writer.OpenDocument(file), RtfSuccess);
        EXPECT_EQ(writer.InsertImageFile(name, 50, 50), RtfSuccess);
        EXPECT_EQ(Body(), "\r\n\\par\\pard *** Error! Wrong image format ***\\par");
    }
    EXPECT_TRUE(loaded.empty());
}

// Any name holding ".bmp", ".jpg" or ".gif" goes to the loader; the picture it decodes is
// embedded like InsertPicture's.
TEST_F(RtfWriterTest, ImageFileIsDecodedByTheLoader) {
    const std::vector<std::string> names{"db/BMI.bmp", "a.jpg", "b.gif", "c.bmp.png"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_EQ(writer.OpenDocument(file), RtfSuccess);
        EXPECT_EQ(writer.InsertImageFile(name, 55, 55), RtfSuccess);
        EXPECT_EQ(Body(), PictureGroup(PictureParagraph, 106, 79, 55, 55,
                                       MetafileWriter::Bytes(*decoded, 4, 3)));
    }
    EXPECT_EQ(loaded, names);
}

// A picture that is absent or cannot be loaded writes nothing.
TEST_F(RtfWriterTest, MissingPictureWritesNothing) {
    decoded.reset();
    EXPECT_EQ(writer.InsertImageFile("db/missing.bmp", 50, 50), RtfPictureError);
    EXPECT_EQ(writer.InsertPicture(RtfPicture{}, 100, 100), RtfPictureError);
    EXPECT_EQ(writer.InsertPicture(RtfPicture{2, 2, {1, 2, 3}}, 100, 100), RtfPictureError);
    const RtfFittedResult fitted = writer.InsertPictureFitted(RtfPicture{});
    EXPECT_EQ(fitted.result, RtfPictureError);
    EXPECT_TRUE(fitted.message.empty());
    EXPECT_EQ(Body(), "");

    RtfWriter withoutLoader;
    ASSERT_EQ(withoutLoader.OpenDocument(file), RtfSuccess);
    EXPECT_EQ(withoutLoader.InsertImageFile("db/BMI.bmp", 50, 50), RtfPictureError);
}

TEST_F(RtfWriterTest, NoDocumentWhenTheFileCannotBeCreated) {
    ASSERT_EQ(writer.CloseDocument(), RtfSuccess);
    const auto missing = dir / "no such folder" / "report.rtf";
    EXPECT_EQ(writer.OpenDocument(missing), RtfOpenError);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(missing));
    // Later calls report their pieces as not written.
    EXPECT_EQ(writer.StartSection(), RtfSectionFormatError);
    EXPECT_EQ(writer.StartParagraph("x", true), RtfParagraphFormatError);
    EXPECT_EQ(writer.StartTableRow(), RtfTableError);
    EXPECT_EQ(writer.InsertPicture(Plain(2, 2), 100, 100), RtfPictureError);
    EXPECT_EQ(writer.InsertImageFile("a.png", 100, 100), RtfPictureError);
    EXPECT_EQ(writer.CloseDocument(), RtfCloseError);
    EXPECT_TRUE(loaded.empty());
}

// A full disk: the pieces that reach it report failure, and so does closing.
TEST_F(RtfWriterTest, FullDiskIsReported) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(writer.CloseDocument(), RtfSuccess);
    ASSERT_EQ(writer.OpenDocument("/dev/full"), RtfSuccess); // still in the buffer
    int written = 0;
    while (writer.StartParagraph(std::string(100, 'x'), true) == RtfSuccess && written < 10000)
        ++written;
    EXPECT_LT(written, 10000);
    EXPECT_EQ(writer.InsertPicture(Plain(200, 200), 100, 100), RtfPictureError);
    EXPECT_EQ(writer.CloseDocument(), RtfCloseError);
}

} // namespace
} // namespace vitalog
