#pragma once

#include <cstdint>
#include <string>

namespace vitalog {

// The current formats of an RtfWriter. Callers change a field in place and the next piece is
// written with whatever the formats hold then. Lengths are twips, font sizes half points,
// colours indexes into the document's colour table. An integer outside the range of its
// word table gives no word.

struct RtfDocumentFormat {
    std::int32_t viewKind = 1;
    std::int32_t viewScale = 100; // percent
    std::int32_t paperWidth = 12240;
    std::int32_t paperHeight = 15840;
    std::int32_t leftMargin = 1800;
    std::int32_t rightMargin = 1800;
    std::int32_t topMargin = 1440;
    std::int32_t bottomMargin = 1440;
    bool facingPages = false;
    std::int32_t gutter = 0;
    bool annotationsOnly = false; // protection: only annotations may be changed
};

struct RtfSectionFormat {
    std::int32_t sectionBreak = 0; // 0 none, 1 column, 2 page, 3 even page, 4 odd page
    bool newSection = false;       // set by StartSection and kept for later sections
    bool defaultSection = true;
    std::int32_t pageWidth = 12240;
    std::int32_t pageHeight = 15840;
    std::int32_t leftMargin = 1800;
    std::int32_t rightMargin = 1800;
    std::int32_t topMargin = 1440;
    std::int32_t bottomMargin = 1440;
    std::int32_t gutter = 0;
    std::int32_t headerDistance = 720;
    std::int32_t footerDistance = 720;
    bool pageNumbersShown = false;
    std::int32_t pageNumberX = 720;
    std::int32_t pageNumberY = 720;
    bool columnsShown = false;
    std::int32_t columnCount = 1;
    std::int32_t columnSpacing = 720;
    bool lineBetweenColumns = false;
};

struct RtfBorder {
    bool enabled = false;
    std::int32_t side = 0;  // paragraphs only: 1 top, 2 bottom, 3 left, 4 right, 5 box
    std::int32_t style = 0; // 0-17: single, thick, shadowed, double, dotted, ...
    std::int32_t width = 0;
    std::int32_t colour = 0;
    std::int32_t space = 0;
};

struct RtfShading {
    bool enabled = false;
    std::int32_t intensity = 0;
    std::int32_t pattern = 0; // 0 none, 1-12 hatches
    std::int32_t foregroundColour = 0;
    std::int32_t backgroundColour = 0;
};

struct RtfParagraphFormat {
    // Paragraph part.
    std::int32_t breakBefore = 0; // 1 page, 2 column, 3 line
    bool newParagraph = false;    // set by every StartParagraph from its argument
    bool defaultParagraph = true;
    std::int32_t alignment = 0; // 0 left, 1 centre, 2 right, 3 justified
    std::int32_t firstLineIndent = 0;
    std::int32_t leftIndent = 0;
    std::int32_t rightIndent = 0;
    std::int32_t spaceBefore = 0;
    std::int32_t spaceAfter = 0;
    std::int32_t lineSpacing = 0;
    std::string text;     // Windows-1252; set by StartParagraph, cleared once written
    bool tabText = false; // write the short form "\tab text" instead of a paragraph
    bool inTable = false;
    bool tabStopSet = false;
    std::int32_t tabPosition = 0;
    std::int32_t tabKind = 0;   // 0 left, 1 centre, 2 right, 3 decimal
    std::int32_t tabLeader = 0; // 1 dots, 2 middle dots, 3 hyphens, 4 underline, 5 thick, 6 equals
    bool bulletSet = false;
    std::int32_t bulletLevel = 11;
    std::int32_t bulletSpacing = 360;
    char bulletCharacter = '\x95'; // the Windows-1252 bullet
    RtfBorder border;
    RtfShading shading;

    // Character part, written on every paragraph.
    std::int32_t animation = 0;
    std::int32_t expansion = 0;
    std::int32_t kerning = 0;
    std::int32_t horizontalScale = 100; // percent
    std::int32_t font = 0;              // index into the font table
    std::int32_t fontSize = 24;
    std::int32_t colour = 0;
    bool bold = false;
    bool capitals = false;
    bool doubleStrike = false;
    bool emboss = false;
    bool engrave = false;
    bool italic = false;
    bool outline = false;
    bool shadow = false;
    bool smallCapitals = false;
    bool strike = false;
    bool subscript = false;
    bool superscript = false;
    std::int32_t underline = 0; // 0 none, 1 single, ... 17 wave
};

struct RtfTableRowFormat {
    std::int32_t alignment = 0; // 0 left, 1 centre, 2 right
    std::int32_t height = 0;
    std::int32_t rightPadding = 0;
    std::int32_t topPadding = 0;
    std::int32_t bottomPadding = 0;
    std::int32_t leftPadding = 0;
    std::int32_t leftEdge = 0;
};

struct RtfTableCellFormat {
    std::int32_t verticalAlignment = 1; // 0 top, 1 centre, 2 bottom
    std::int32_t textDirection = 0;     // 0 left to right, top to bottom; 1-4 rotated forms
    RtfShading shading;
    RtfBorder leftBorder{.width = 5};
    RtfBorder rightBorder{.width = 5};
    RtfBorder topBorder{.width = 5};
    RtfBorder bottomBorder{.width = 5};
};

} // namespace vitalog
