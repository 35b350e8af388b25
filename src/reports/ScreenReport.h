#pragma once

#include "RtfResult.h"

#include <span>
#include <string>
#include <string_view>

namespace vitalog {

class RtfWriter;

// The document of a screen's Export command, built from texts: a title, a table of the shown
// values beside the newest stored ones, the screen's own part, and a footer. Texts are
// Windows-1252. Opening the document (with the save dialog) and the closing message are the
// caller's; the history exports use the same title and footer around their own tables.

// The font and colour lists every export opens its document with: font 0 Times New Roman,
// font 1 Arial; colour 0 black, 1 red, 2 silver, 3 white.
inline constexpr std::string_view ExportFonts = "Times New Roman;Arial;";
inline constexpr std::string_view ExportColours = "0;0;0;255;0;0;192;192;192;255;255;255";

// Paragraph alignments and colour numbers of the report documents.
inline constexpr int AlignLeft = 0;
inline constexpr int AlignCentre = 1;
inline constexpr int AlignJustified = 3;
inline constexpr int Silver = 2;
inline constexpr int White = 3;

// The row and cell formats of every report table: rows centred with margins of 60, cells
// centred vertically with thin borders and a heavier right edge, shaded.
void ReportTableFormats(RtfWriter& writer);

struct ComparisonRow {
    std::string label;
    std::string current;
    std::string last;
};

// The centred bold title (the caller joins the title text and the user's name), two empty
// paragraphs, then a section in Arial 10 for what follows.
void ExportTitle(RtfWriter& writer, std::string_view title);

// A header row "Category", "Current", "Last" and one row per entry: labels bold on silver,
// values on white. The values are written not bold; in-table is off after the last row.
void ComparisonTable(RtfWriter& writer, std::span<const ComparisonRow> rows);

// The centred footer line in a new section, then closes the document: the result is
// CloseDocument's. The footer keeps the bold state the report left.
RtfResult ExportFooter(RtfWriter& writer, std::string_view footerText);

// The part after the table of each screen's report, up to the footer.
void BloodPressureReportBody(RtfWriter& writer, std::string_view notes);
void BmiBmrReportBody(RtfWriter& writer);
void TapeReportBody(RtfWriter& writer);
// The chart, the method ("Type of Measurement: " and the method text) and one bulleted
// paragraph per site line; each line ends in its own line break.
void BodyCompositionReportBody(RtfWriter& writer, std::string_view method,
                               std::span<const std::string> siteLines);

// The chart pictures, named relative to the data folder.
inline constexpr std::string_view BloodPressureChartFile = "db/bloodpressure.bmp";
inline constexpr std::string_view BmiChartFile = "db/BMI.bmp";
inline constexpr std::string_view BodyFatChartFile = "db/bodyfatchart.bmp";

} // namespace vitalog
