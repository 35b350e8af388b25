#include "ScreenReport.h"

#include "RtfWriter.h"

namespace vitalog {

namespace {

void EnableCellBorder(RtfBorder& border, int width) {
    border.enabled = true;
    border.style = 0;
    border.width = width;
}

void WriteRow(RtfWriter& writer, const ComparisonRow& row, bool header, bool lastRow) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    RtfTableCellFormat& cell = writer.TableCellFormat();
    writer.StartTableRow();
    cell.shading.backgroundColour = Silver;
    writer.DefineTableCell(2500);
    cell.shading.backgroundColour = White;
    writer.DefineTableCell(4250);
    writer.DefineTableCell(6000);
    paragraph.inTable = true;
    paragraph.bold = true;
    paragraph.alignment = AlignJustified;
    writer.StartParagraph(row.label, false);
    writer.EndTableCell();
    if (!header)
        paragraph.bold = false;
    writer.StartParagraph(row.current, false);
    writer.EndTableCell();
    writer.StartParagraph(row.last, false);
    if (lastRow)
        paragraph.inTable = false;
    writer.EndTableCell();
    writer.EndTableRow();
}

} // namespace

void ExportTitle(RtfWriter& writer, std::string_view title) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    paragraph.spaceBefore = 120;
    paragraph.alignment = AlignCentre;
    paragraph.bold = true;
    paragraph.subscript = false;
    paragraph.superscript = false;
    writer.StartParagraph(title, false);

    paragraph.shading.enabled = false;
    writer.StartParagraph("", true);
    writer.StartParagraph("", true);

    paragraph.spaceBefore = 120;
    paragraph.border.enabled = false;
    paragraph.alignment = AlignLeft;
    paragraph.shading = RtfShading{.enabled = false,
                                   .intensity = 0,
                                   .pattern = 0,
                                   .foregroundColour = 0,
                                   .backgroundColour = Silver};
    paragraph.font = 1;
    paragraph.fontSize = 20;
    paragraph.superscript = false;
    writer.StartSection();

    paragraph.spaceBefore = 0;
    paragraph.spaceAfter = 0;
}

void ReportTableFormats(RtfWriter& writer) {
    RtfTableRowFormat& row = writer.TableRowFormat();
    row.alignment = AlignCentre;
    row.topPadding = 60;
    row.bottomPadding = 60;
    row.leftPadding = 60;
    row.rightPadding = 60;

    RtfTableCellFormat& cell = writer.TableCellFormat();
    cell.verticalAlignment = 1;
    cell.textDirection = 0;
    EnableCellBorder(cell.bottomBorder, 5);
    EnableCellBorder(cell.leftBorder, 5);
    // The right edge is drawn heavier, as the program always has.
    EnableCellBorder(cell.rightBorder, 30);
    EnableCellBorder(cell.topBorder, 5);
    cell.shading.enabled = true;
    cell.shading.pattern = 0;
    writer.ParagraphFormat().shading.intensity = 0;
}

void ComparisonTable(RtfWriter& writer, std::span<const ComparisonRow> rows) {
    ReportTableFormats(writer);
    WriteRow(writer, {"Category", "Current", "Last"}, true, rows.empty());
    for (std::size_t i = 0; i < rows.size(); ++i)
        WriteRow(writer, rows[i], false, i + 1 == rows.size());
}

RtfResult ExportFooter(RtfWriter& writer, std::string_view footerText) {
    writer.ParagraphFormat().alignment = AlignCentre;
    writer.StartSection();
    writer.StartParagraph("", true);
    writer.StartParagraph("", true);
    writer.StartParagraph(footerText, true);
    return writer.CloseDocument();
}

namespace {

// What every member does before its footer: no page break, no bullets, one empty paragraph.
void EndBody(RtfWriter& writer) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    paragraph.breakBefore = 0;
    paragraph.bulletSet = false;
    writer.StartParagraph("", true);
}

} // namespace

void BloodPressureReportBody(RtfWriter& writer, std::string_view notes) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    writer.StartSection();
    writer.StartParagraph("", true);
    paragraph.bold = true;
    writer.StartParagraph("Notes:", false);
    paragraph.bold = false;
    writer.StartParagraph(notes, true);

    writer.StartSection();
    paragraph.alignment = AlignCentre;
    writer.StartParagraph("", true);
    paragraph.bold = true;
    writer.StartParagraph("", true);
    writer.InsertImageFile(BloodPressureChartFile, 50, 50);
    writer.StartParagraph("Source: National Heart, Lung, and Blood Institute", true);
    EndBody(writer);
}

void BmiBmrReportBody(RtfWriter& writer) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    writer.StartSection();
    writer.StartParagraph("", true);
    paragraph.alignment = AlignCentre;
    paragraph.bold = true;
    writer.StartParagraph("Body Mass Index (BMI)", true);
    writer.InsertImageFile(BmiChartFile, 55, 55);
    EndBody(writer);
}

void BodyCompositionReportBody(RtfWriter& writer, std::string_view method,
                               std::span<const std::string> siteLines) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    writer.StartSection();
    writer.StartParagraph("", true);
    paragraph.bold = false;
    paragraph.alignment = AlignLeft;
    writer.StartParagraph("", true);
    writer.InsertImageFile(BodyFatChartFile, 50, 50);
    writer.StartParagraph("Reprinted with permission from the American Council on Exercise", true);

    writer.StartSection();
    writer.StartParagraph("", true);
    paragraph.bold = true;
    writer.StartParagraph(std::string("Type of Measurement: ").append(method), true);

    // Bullet spacing and character stay at their defaults.
    paragraph.bulletLevel = 3;
    paragraph.bulletSet = true;
    paragraph.bold = false;
    for (const std::string& line : siteLines)
        writer.StartParagraph(line, true);
    EndBody(writer);
}

void TapeReportBody(RtfWriter& writer) {
    // No picture; the footer follows the table directly.
    writer.StartParagraph("", true);
}

} // namespace vitalog
