#include "RtfText.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <initializer_list>

namespace vitalog {
namespace {

// The word for `value` in a table indexed from 0; nothing outside the table.
template <std::size_t N>
std::string_view Word(const std::array<std::string_view, N>& words, std::int32_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= N)
        return {};
    return words[static_cast<std::size_t>(value)];
}

constexpr std::array<std::string_view, 5> SectionBreaks{"\\sbknone", "\\sbkcol", "\\sbkpage",
                                                        "\\sbkeven", "\\sbkodd"};
constexpr std::array<std::string_view, 6> BorderSides{"",        "\\brdrt", "\\brdrb",
                                                      "\\brdrl", "\\brdrr", "\\box"};
constexpr std::array<std::string_view, 18> BorderStyles{
    "\\brdrs",          "\\brdrth",     "\\brdrsh",     "\\brdrdb",     "\\brdrdot",
    "\\brdrdash",       "\\brdrhair",   "\\brdrinset",  "\\brdrdashsm", "\\brdrdashd",
    "\\brdrdashdd",     "\\brdroutset", "\\brdrtriple", "\\brdrwavy",   "\\brdrwavydb",
    "\\brdrdashdotstr", "\\brdremboss", "\\brdrengrave"};
constexpr std::array<std::string_view, 13> ParagraphPatterns{"",
                                                             "\\bghoriz",
                                                             "\\bgvert",
                                                             "\\bgfdiag",
                                                             "\\bgbdiag",
                                                             "\\bgcross",
                                                             "\\bgdcross",
                                                             "\\bgdkhoriz",
                                                             "\\bgdkvert",
                                                             "\\bgdkfdiag",
                                                             "\\bgdkbdiag",
                                                             "\\bgdkcross",
                                                             "\\bgdkdcross"};
constexpr std::array<std::string_view, 13> CellPatterns{"",
                                                        "\\clbghoriz",
                                                        "\\clbgvert",
                                                        "\\clbgfdiag",
                                                        "\\clbgbdiag",
                                                        "\\clbgcross",
                                                        "\\clbgdcross",
                                                        "\\clbgdkhoriz",
                                                        "\\clbgdkvert",
                                                        "\\clbgdkfdiag",
                                                        "\\clbgdkbdiag",
                                                        "\\clbgdkcross",
                                                        "\\clbgdkdcross"};
constexpr std::array<std::string_view, 4> BreaksBefore{"", "\\page", "\\column", "\\line"};
constexpr std::array<std::string_view, 4> Alignments{"\\ql", "\\qc", "\\qr", "\\qj"};
constexpr std::array<std::string_view, 4> TabKinds{"", "\\tqc", "\\tqr", "\\tqdec"};
constexpr std::array<std::string_view, 7> TabLeaders{"",       "\\tldot", "\\tlmdot", "\\tlhyph",
                                                     "\\tlul", "\\tlth",  "\\tleq"};
constexpr std::array<std::string_view, 18> Underlines{
    "\\ulnone",    "\\ul",         "\\uld",       "\\uldash",     "\\uldashd", "\\uldashdd",
    "\\uldb",      "\\ulhwave",    "\\ulldash",   "\\ulth",       "\\ulthd",   "\\ulthdash",
    "\\ulthdashd", "\\ulthdashdd", "\\ulthldash", "\\ululdbwave", "\\ulw",     "\\ulwave"};
constexpr std::array<std::string_view, 3> RowAlignments{"\\trql", "\\trqc", "\\trqr"};
constexpr std::array<std::string_view, 3> VerticalAlignments{"\\clvertalt", "\\clvertalc",
                                                             "\\clvertalb"};
constexpr std::array<std::string_view, 5> TextDirections{"\\cltxlrtb", "\\cltxtbrl", "\\cltxbtlr",
                                                         "\\cltxlrtbv", "\\cltxtbrlv"};

// Builds a text from words and numbers: a word followed by the number it takes.
class Text {
public:
    // Room for a paragraph's or a cell's words at once: tables write thousands of them.
    Text() { text_.reserve(320); }
    Text& operator<<(std::string_view words) {
        text_ += words;
        return *this;
    }
    Text& operator<<(const char* words) { return *this << std::string_view(words); }
    Text& operator<<(char c) {
        text_ += c;
        return *this;
    }
    Text& operator<<(std::int32_t number) {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        text_.append(digits, end);
        return *this;
    }
    Text& operator<<(bool) = delete;
    // The word for true, or for false.
    Text& Flag(bool on, std::string_view onWord, std::string_view offWord = {}) {
        text_ += on ? onWord : offWord;
        return *this;
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

// Items of a list separated by ";", empty items left out.
template <class Each> void ForEachItem(std::string_view list, Each each) {
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        const std::string_view item = list.substr(0, end);
        if (!item.empty())
            each(item);
        if (end == std::string_view::npos)
            break;
        list.remove_prefix(end + 1);
    }
}

constexpr std::string_view DefaultFontTable = "{\\f0\\froman\\fcharset0\\cpg1252 Times New Roman}"
                                              "{\\f1\\fswiss\\fcharset0\\cpg1252 Arial}"
                                              "{\\f2\\fmodern\\fcharset0\\cpg1252 Courier New}"
                                              "{\\f3\\fscript\\fcharset0\\cpg1252 Cursive}"
                                              "{\\f4\\fdecor\\fcharset0\\cpg1252 Old English}"
                                              "{\\f5\\ftech\\fcharset0\\cpg1252 Symbol}"
                                              "{\\f6\\fbidi\\fcharset0\\cpg1252 Miriam}";

constexpr std::string_view DefaultColourList =
    "0;0;0;255;0;0;0;255;0;0;0;255;255;255;0;255;0;255;0;255;255;255;255;255;"
    "128;0;0;0;128;0;0;0;128;128;128;0;128;0;128;0;128;128;128;128;128";

void AppendBorder(Text& text, std::string_view keyword, const RtfBorder& border) {
    if (!border.enabled)
        return;
    text << keyword << Word(BorderStyles, border.style) << "\\brdrw" << border.width << "\\brsp"
         << border.space << "\\brdrcf" << border.colour;
}

} // namespace

std::string RtfFontTable(std::string_view fonts) {
    if (fonts.empty())
        return std::string(DefaultFontTable);
    Text text;
    std::int32_t index = 0;
    ForEachItem(fonts, [&](std::string_view name) {
        text << "{\\f" << index++ << "\\fnil\\fcharset0\\cpg1252 " << name << '}';
    });
    return text.Take();
}

std::string RtfColourTable(std::string_view colours) {
    if (colours.empty())
        colours = DefaultColourList;
    Text text;
    int part = 0;
    ForEachItem(colours, [&](std::string_view number) {
        switch (part) {
        case 0:
            text << "\\red" << number;
            break;
        case 1:
            text << "\\green" << number;
            break;
        default:
            text << "\\blue" << number << ';';
            break;
        }
        part = (part + 1) % 3;
    });
    return text.Take();
}

std::string RtfHeader(std::string_view fontTable, std::string_view colourTable) {
    return (Text() << "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl" << fontTable << "}{\\colortbl"
                   << colourTable << "}{\\*\\generator scrivo ver. 1.0;}"
                   << "\n{\\info{\\author scrivo ver. 1.0}{\\company Tarn Company LTD.}}")
        .Take();
}

std::string RtfDocumentText(const RtfDocumentFormat& f) {
    return (Text() << "\\viewkind" << f.viewKind << "\\viewscale" << f.viewScale << "\\paperw"
                   << f.paperWidth << "\\paperh" << f.paperHeight << "\\margl" << f.leftMargin
                   << "\\margr" << f.rightMargin << "\\margt" << f.topMargin << "\\margb"
                   << f.bottomMargin << "\\gutter" << f.gutter)
        .Flag(f.facingPages, "\\facingp")
        .Flag(f.annotationsOnly, "\\annotprot")
        .Take();
}

std::string RtfSectionText(const RtfSectionFormat& f) {
    Text text;
    text << '\n';
    text.Flag(f.newSection, "\\sect").Flag(f.defaultSection, "\\sectd");
    if (f.pageNumbersShown)
        text << "\\pgnx" << f.pageNumberX << "\\pgny" << f.pageNumberY;
    text << Word(SectionBreaks, f.sectionBreak);
    if (f.columnsShown) {
        text << "\\cols" << f.columnCount << "\\colsx" << f.columnSpacing;
        text.Flag(f.lineBetweenColumns, "\\linebetcol");
    }
    text << "\\pgwsxn" << f.pageWidth << "\\pghsxn" << f.pageHeight << "\\marglsxn" << f.leftMargin
         << "\\margrsxn" << f.rightMargin << "\\margtsxn" << f.topMargin << "\\margbsxn"
         << f.bottomMargin << "\\guttersxn" << f.gutter << "\\headery" << f.headerDistance
         << "\\footery" << f.footerDistance;
    return text.Take();
}

std::string RtfParagraphText(const RtfParagraphFormat& f) {
    Text text;
    text << '\n';
    text.Flag(f.newParagraph, "\\par")
        .Flag(f.defaultParagraph, "\\pard")
        .Flag(f.inTable, "\\intbl", "\\plain");
    text << Word(BreaksBefore, f.breakBefore) << Word(Alignments, f.alignment);
    if (f.tabStopSet)
        text << Word(TabKinds, f.tabKind) << Word(TabLeaders, f.tabLeader) << "\\tx"
             << f.tabPosition;
    if (f.bulletSet)
        text << "{\\*\\pn\\pnlvl" << f.bulletLevel << "\\pnsp" << f.bulletSpacing << "\\pntxtb "
             << f.bulletCharacter << '}';
    if (f.border.enabled)
        text << Word(BorderSides, f.border.side) << Word(BorderStyles, f.border.style) << "\\brdrw"
             << f.border.width << "\\brsp" << f.border.space << "\\brdrcf" << f.border.colour;
    if (f.shading.enabled)
        text << "\\shading" << f.shading.intensity << Word(ParagraphPatterns, f.shading.pattern)
             << "\\cfpat" << f.shading.foregroundColour << "\\cbpat" << f.shading.backgroundColour;

    text << "\\fi" << f.firstLineIndent << "\\li" << f.leftIndent << "\\ri" << f.rightIndent
         << "\\sb" << f.spaceBefore << "\\sa" << f.spaceAfter << "\\sl" << f.lineSpacing;

    text << "\\animtext" << f.animation << "\\expndtw" << f.expansion << "\\kerning" << f.kerning
         << "\\charscalex" << f.horizontalScale << "\\f" << f.font << "\\fs" << f.fontSize << "\\cf"
         << f.colour;
    text.Flag(f.bold, "\\b", "\\b0")
        .Flag(f.capitals, "\\caps", "\\caps0")
        .Flag(f.doubleStrike, "\\striked1", "\\striked0")
        .Flag(f.emboss, "\\embo")
        .Flag(f.engrave, "\\impr")
        .Flag(f.italic, "\\i", "\\i0")
        .Flag(f.outline, "\\outl", "\\outl0")
        .Flag(f.shadow, "\\shad", "\\shad0")
        .Flag(f.smallCapitals, "\\scaps", "\\scaps0")
        .Flag(f.strike, "\\strike", "\\strike0")
        .Flag(f.subscript, "\\sub")
        .Flag(f.superscript, "\\super");
    text << Word(Underlines, f.underline) << ' ' << RtfEscape(f.text);
    return text.Take();
}

std::string RtfTableRowText(const RtfTableRowFormat& f) {
    return (Text() << "\n\\trowd\\trgaph115" << Word(RowAlignments, f.alignment) << "\\trleft"
                   << f.leftEdge << "\\trrh" << f.height << "\\trpaddb" << f.bottomPadding
                   << "\\trpaddfb3\\trpaddl" << f.leftPadding << "\\trpaddfl3\\trpaddr"
                   << f.rightPadding << "\\trpaddfr3\\trpaddt" << f.topPadding << "\\trpaddft3")
        .Take();
}

std::string RtfTableCellText(const RtfTableCellFormat& f, std::int32_t rightBoundary) {
    Text text;
    text << "\n\\tcelld" << Word(VerticalAlignments, f.verticalAlignment)
         << Word(TextDirections, f.textDirection);
    AppendBorder(text, "\\clbrdrb", f.bottomBorder);
    AppendBorder(text, "\\clbrdrl", f.leftBorder);
    AppendBorder(text, "\\clbrdrr", f.rightBorder);
    AppendBorder(text, "\\clbrdrt", f.topBorder);
    if (f.shading.enabled)
        text << Word(CellPatterns, f.shading.pattern) << "\\clshdgn" << f.shading.intensity
             << "\\clcfpat" << f.shading.foregroundColour << "\\clcbpat"
             << f.shading.backgroundColour;
    text << "\\cellx" << rightBoundary;
    return text.Take();
}

std::string RtfEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace vitalog
