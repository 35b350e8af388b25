#include "reports/RtfText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vitalog {
namespace {

// Every word table: each value gives its word, values past either end give none. A value is
// set through `set` on default formats; `text` gives the piece of output holding the word.
struct WordTable {
    const char* name;
    std::vector<std::string> words; // by value from 0
    std::function<std::string(std::int32_t)> text;
    std::string before, after; // the output around the word
};

std::string Paragraph(const std::function<void(RtfParagraphFormat&)>& set) {
    RtfParagraphFormat format;
    set(format);
    return RtfParagraphText(format);
}

std::string Cell(const std::function<void(RtfTableCellFormat&)>& set) {
    RtfTableCellFormat format;
    set(format);
    return RtfTableCellText(format, 100);
}

constexpr const char* CharacterWords =
    "\\animtext0\\expndtw0\\kerning0\\charscalex100\\f0\\fs24\\cf0\\b0\\caps0\\striked0\\i0\\outl0"
    "\\shad0\\scaps0\\strike0";
constexpr const char* Indents = "\\fi0\\li0\\ri0\\sb0\\sa0\\sl0";

std::vector<WordTable> Tables() {
    const std::string paragraphStart = "\n\\pard\\plain";
    const std::string paragraphEnd = std::string(Indents) + CharacterWords + "\\ulnone ";
    return {
        {"section break",
         {"\\sbknone", "\\sbkcol", "\\sbkpage", "\\sbkeven", "\\sbkodd"},
         [](std::int32_t v) {
             RtfSectionFormat f;
             f.sectionBreak = v;
             return RtfSectionText(f);
         },
         "\n\\sectd",
         "\\pgwsxn12240\\pghsxn15840\\marglsxn1800\\margrsxn1800\\margtsxn1440\\margbsxn1440"
         "\\guttersxn0\\headery720\\footery720"},
        {"break before",
         {"", "\\page", "\\column", "\\line"},
         [](std::int32_t v) { return Paragraph([v](auto& f) { f.breakBefore = v; }); },
         paragraphStart,
         "\\ql" + paragraphEnd},
        {"alignment",
         {"\\ql", "\\qc", "\\qr", "\\qj"},
         [](std::int32_t v) { return Paragraph([v](auto& f) { f.alignment = v; }); },
         paragraphStart,
         paragraphEnd},
        {"tab kind",
         {"", "\\tqc", "\\tqr", "\\tqdec"},
         [](std::int32_t v) {
             return Paragraph([v](auto& f) {
                 f.tabStopSet = true;
                 f.tabKind = v;
                 f.tabPosition = 4320;
             });
         },
         paragraphStart + "\\ql",
         "\\tx4320" + paragraphEnd},
        {"tab leader",
         {"", "\\tldot", "\\tlmdot", "\\tlhyph", "\\tlul", "\\tlth", "\\tleq"},
         [](std::int32_t v) {
             return Paragraph([v](auto& f) {
                 f.tabStopSet = true;
                 f.tabKind = 2;
                 f.tabLeader = v;
             });
         },
         paragraphStart + "\\ql\\tqr",
         "\\tx0" + paragraphEnd},
        {"paragraph border side",
         {"", "\\brdrt", "\\brdrb", "\\brdrl", "\\brdrr", "\\box"},
         [](std::int32_t v) {
             return Paragraph([v](auto& f) {
                 f.border.enabled = true;
                 f.border.side = v;
                 f.border.style = 3;
             });
         },
         paragraphStart + "\\ql",
         "\\brdrdb\\brdrw0\\brsp0\\brdrcf0" + paragraphEnd},
        {"paragraph border style",
         {"\\brdrs", "\\brdrth", "\\brdrsh", "\\brdrdb", "\\brdrdot", "\\brdrdash", "\\brdrhair",
          "\\brdrinset", "\\brdrdashsm", "\\brdrdashd", "\\brdrdashdd", "\\brdroutset",
          "\\brdrtriple", "\\brdrwavy", "\\brdrwavydb", "\\brdrdashdotstr", "\\brdremboss",
          "\\brdrengrave"},
         [](std::int32_t v) {
             return Paragraph([v](auto& f) {
                 f.border.enabled = true;
                 f.border.side = 5;
                 f.border.style = v;
                 f.border.width = 15;
                 f.border.space = 20;
                 f.border.colour = 3;
             });
         },
         paragraphStart + "\\ql\\box",
         "\\brdrw15\\brsp20\\brdrcf3" + paragraphEnd},
        {"paragraph shading pattern",
         {"", "\\bghoriz", "\\bgvert", "\\bgfdiag", "\\bgbdiag", "\\bgcross", "\\bgdcross",
          "\\bgdkhoriz", "\\bgdkvert", "\\bgdkfdiag", "\\bgdkbdiag", "\\bgdkcross", "\\bgdkdcross"},
         [](std::int32_t v) {
             return Paragraph([v](auto& f) {
                 f.shading.enabled = true;
                 f.shading.intensity = 2500;
                 f.shading.pattern = v;
                 f.shading.foregroundColour = 4;
                 f.shading.backgroundColour = 7;
             });
         },
         paragraphStart + "\\ql\\shading2500",
         "\\cfpat4\\cbpat7" + paragraphEnd},
        {"underline",
         {"\\ulnone", "\\ul", "\\uld", "\\uldash", "\\uldashd", "\\uldashdd", "\\uldb", "\\ulhwave",
          "\\ulldash", "\\ulth", "\\ulthd", "\\ulthdash", "\\ulthdashd", "\\ulthdashdd",
          "\\ulthldash", "\\ululdbwave", "\\ulw", "\\ulwave"},
         [](std::int32_t v) { return Paragraph([v](auto& f) { f.underline = v; }); },
         paragraphStart + "\\ql" + Indents + CharacterWords,
         " "},
        {"row alignment",
         {"\\trql", "\\trqc", "\\trqr"},
         [](std::int32_t v) {
             RtfTableRowFormat f;
             f.alignment = v;
             return RtfTableRowText(f);
         },
         "\n\\trowd\\trgaph115",
         "\\trleft0\\trrh0\\trpaddb0\\trpaddfb3\\trpaddl0\\trpaddfl3\\trpaddr0\\trpaddfr3"
         "\\trpaddt0\\trpaddft3"},
        {"cell vertical alignment",
         {"\\clvertalt", "\\clvertalc", "\\clvertalb"},
         [](std::int32_t v) { return Cell([v](auto& f) { f.verticalAlignment = v; }); },
         "\n\\tcelld",
         "\\cltxlrtb\\cellx100"},
        {"cell text direction",
         {"\\cltxlrtb", "\\cltxtbrl", "\\cltxbtlr", "\\cltxlrtbv", "\\cltxtbrlv"},
         [](std::int32_t v) { return Cell([v](auto& f) { f.textDirection = v; }); },
         "\n\\tcelld\\clvertalc",
         "\\cellx100"},
        {"cell border style",
         {"\\brdrs", "\\brdrth", "\\brdrsh", "\\brdrdb", "\\brdrdot", "\\brdrdash", "\\brdrhair",
          "\\brdrinset", "\\brdrdashsm", "\\brdrdashd", "\\brdrdashdd", "\\brdroutset",
          "\\brdrtriple", "\\brdrwavy", "\\brdrwavydb", "\\brdrdashdotstr", "\\brdremboss",
          "\\brdrengrave"},
         [](std::int32_t v) {
             return Cell([v](auto& f) {
                 f.rightBorder.enabled = true;
                 f.rightBorder.style = v;
                 f.rightBorder.width = 30;
             });
         },
         "\n\\tcelld\\clvertalc\\cltxlrtb\\clbrdrr",
         "\\brdrw30\\brsp0\\brdrcf0\\cellx100"},
        {"cell shading pattern",
         {"", "\\clbghoriz", "\\clbgvert", "\\clbgfdiag", "\\clbgbdiag", "\\clbgcross",
          "\\clbgdcross", "\\clbgdkhoriz", "\\clbgdkvert", "\\clbgdkfdiag", "\\clbgdkbdiag",
          "\\clbgdkcross", "\\clbgdkdcross"},
         [](std::int32_t v) {
             return Cell([v](auto& f) {
                 f.shading.enabled = true;
                 f.shading.pattern = v;
                 f.shading.intensity = 10;
                 f.shading.foregroundColour = 1;
                 f.shading.backgroundColour = 3;
             });
         },
         "\n\\tcelld\\clvertalc\\cltxlrtb",
         "\\clshdgn10\\clcfpat1\\clcbpat3\\cellx100"},
    };
}

TEST(RtfText, EveryWordTable) {
    for (const WordTable& table : Tables()) {
        SCOPED_TRACE(table.name);
        const auto size = static_cast<std::int32_t>(table.words.size());
        for (std::int32_t v = 0; v < size; ++v)
            EXPECT_EQ(table.text(v), table.before + table.words[v] + table.after) << v;
        for (const std::int32_t outside : {-1, size, 1000})
            EXPECT_EQ(table.text(outside), table.before + table.after) << outside;
    }
}

// The character flags, each alone: the on word stands where the off word stood; a word
// written only when set follows the word named `after`.
TEST(RtfText, CharacterFlags) {
    struct Case {
        bool RtfParagraphFormat::*flag;
        const char* off;
        const char* on;
        const char* after = "";
    };
    for (const Case& c : {
             Case{&RtfParagraphFormat::bold, "\\b0", "\\b"},
             Case{&RtfParagraphFormat::capitals, "\\caps0", "\\caps"},
             Case{&RtfParagraphFormat::doubleStrike, "\\striked0", "\\striked1"},
             Case{&RtfParagraphFormat::emboss, "", "\\embo", "\\striked0"},
             Case{&RtfParagraphFormat::engrave, "", "\\impr", "\\striked0"},
             Case{&RtfParagraphFormat::italic, "\\i0", "\\i"},
             Case{&RtfParagraphFormat::outline, "\\outl0", "\\outl"},
             Case{&RtfParagraphFormat::shadow, "\\shad0", "\\shad"},
             Case{&RtfParagraphFormat::smallCapitals, "\\scaps0", "\\scaps"},
             Case{&RtfParagraphFormat::strike, "\\strike0", "\\strike"},
             Case{&RtfParagraphFormat::subscript, "", "\\sub", "\\strike0"},
             Case{&RtfParagraphFormat::superscript, "", "\\super", "\\strike0"},
         }) {
        SCOPED_TRACE(c.on);
        const std::string on = Paragraph([&](RtfParagraphFormat& f) { f.*c.flag = true; });
        std::string expected = Paragraph([](auto&) {});
        const std::string anchor = std::string(*c.off ? c.off : c.after) + "\\";
        const std::size_t at = expected.find(anchor);
        ASSERT_NE(at, std::string::npos);
        if (*c.off)
            expected.replace(at, anchor.size() - 1, c.on);
        else
            expected.insert(at + anchor.size() - 1, c.on);
        EXPECT_EQ(on, expected);
    }
    RtfParagraphFormat both;
    both.subscript = both.superscript = both.emboss = both.engrave = true;
    EXPECT_NE(RtfParagraphText(both).find("\\striked0\\embo\\impr\\i0"), std::string::npos);
    EXPECT_NE(RtfParagraphText(both).find("\\strike0\\sub\\super\\ulnone"), std::string::npos);
}

TEST(RtfText, ParagraphNumbersAndGroups) {
    const std::string text = Paragraph([](RtfParagraphFormat& f) {
        f.newParagraph = true;
        f.defaultParagraph = false;
        f.inTable = true;
        f.firstLineIndent = -360;
        f.leftIndent = 720;
        f.rightIndent = 144;
        f.spaceBefore = 120;
        f.spaceAfter = 60;
        f.lineSpacing = 240;
        f.bulletSet = true;
        f.animation = 2;
        f.expansion = 3;
        f.kerning = 4;
        f.horizontalScale = 90;
        f.font = 1;
        f.fontSize = 20;
        f.colour = 14;
        f.text = "Weight:";
    });
    EXPECT_EQ(text, "\n\\par\\intbl\\ql{\\*\\pn\\pnlvl11\\pnsp360\\pntxtb \x95}"
                    "\\fi-360\\li720\\ri144\\sb120\\sa60\\sl240"
                    "\\animtext2\\expndtw3\\kerning4\\charscalex90\\f1\\fs20\\cf14"
                    "\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\ulnone Weight:");
}

TEST(RtfText, SectionNumbersAndColumns) {
    RtfSectionFormat f;
    f.newSection = true;
    f.defaultSection = false;
    f.sectionBreak = 2;
    f.pageNumbersShown = true;
    f.pageNumberX = 100;
    f.pageNumberY = 200;
    f.columnsShown = true;
    f.columnCount = 2;
    f.columnSpacing = 360;
    f.pageWidth = 11906;
    f.pageHeight = 16838;
    f.leftMargin = 1;
    f.rightMargin = 2;
    f.topMargin = 3;
    f.bottomMargin = 4;
    f.gutter = 5;
    f.headerDistance = 6;
    f.footerDistance = 7;
    EXPECT_EQ(RtfSectionText(f),
              "\n\\sect\\pgnx100\\pgny200\\sbkpage\\cols2\\colsx360\\pgwsxn11906\\pghsxn16838"
              "\\marglsxn1\\margrsxn2\\margtsxn3\\margbsxn4\\guttersxn5\\headery6\\footery7");
    f.lineBetweenColumns = true;
    EXPECT_NE(RtfSectionText(f).find("\\colsx360\\linebetcol\\pgwsxn"), std::string::npos);
    f.columnsShown = false;
    EXPECT_EQ(RtfSectionText(f).find("\\linebetcol"), std::string::npos);
}

TEST(RtfText, DocumentFlags) {
    RtfDocumentFormat f;
    const std::string plain = "\\viewkind1\\viewscale100\\paperw12240\\paperh15840\\margl1800"
                              "\\margr1800\\margt1440\\margb1440\\gutter0";
    EXPECT_EQ(RtfDocumentText(f), plain);
    f.facingPages = true;
    f.annotationsOnly = true;
    EXPECT_EQ(RtfDocumentText(f), plain + "\\facingp\\annotprot");
}

// Font and colour lists: items separated by ";", empty ones left out; colours three to an
// entry, a short last group written as far as it goes.
TEST(RtfText, FontAndColourLists) {
    EXPECT_EQ(RtfFontTable("Times New Roman;Arial;"),
              "{\\f0\\fnil\\fcharset0\\cpg1252 Times New Roman}"
              "{\\f1\\fnil\\fcharset0\\cpg1252 Arial}");
    EXPECT_EQ(RtfFontTable(";Arial;;Courier New"), "{\\f0\\fnil\\fcharset0\\cpg1252 Arial}"
                                                   "{\\f1\\fnil\\fcharset0\\cpg1252 Courier New}");
    EXPECT_EQ(RtfColourTable("0;0;0;255;0;0;192;192;192;255;255;255"),
              "\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red192\\green192\\blue192;"
              "\\red255\\green255\\blue255;");
    EXPECT_EQ(RtfColourTable("1;2;3;4"), "\\red1\\green2\\blue3;\\red4");
    EXPECT_EQ(RtfColourTable("1;2;3;4;5;"), "\\red1\\green2\\blue3;\\red4\\green5");
}

// Only backslash and braces are escaped; every other byte, line breaks and 0x80-0xFF
// included, stays as it is.
TEST(RtfText, EscapesBackslashAndBraces) {
    struct Case {
        std::string text, escaped;
    };
    for (const Case& c : std::vector<Case>{
             {"x{y}z", "x\\{y\\}z"},
             {"C:\\temp\\x", "C:\\\\temp\\\\x"},
             {"\\par}", "\\\\par\\}"},
             {"Caf\xE9 \x80 5 \xFF", "Caf\xE9 \x80 5 \xFF"},
             {"a\r\nb\n", "a\r\nb\n"},
             {"", ""},
         })
        EXPECT_EQ(RtfEscape(c.text), c.escaped) << c.text;
}

} // namespace
} // namespace vitalog
