#include "PictureReport.h"

#include "records/TextEncoding.h"
#include "reports/RtfWriter.h"
#include "reports/ScreenReport.h"

#include <QStringList>

#include <string>
#include <vector>

namespace vitalog {

namespace {

// Texts as the document holds them (Windows-1252); the panel shows numbers and dates only, and
// the name was stored in that form.
std::string Document(const QString& text) {
    if (auto bytes = Utf8ToCp1252(text.toStdString()))
        return *bytes;
    return text.toLatin1().toStdString();
}

QString TapeSiteLabel(bool female) {
    return female ? QStringLiteral("Hip: ") : QStringLiteral("Forearm: ");
}

QString ComparedColumnText(const PanelColumn& c, bool female) {
    return QStringLiteral("Date:  ") + c.date + QStringLiteral("  Body Fat %: ") + c.bodyFat +
           QStringLiteral("\nWeight: ") + c.weight + QStringLiteral("  Lean Body Weight: ") +
           c.leanWeight + QStringLiteral("\nBody Fat Weight: ") + c.fatWeight +
           QStringLiteral("\n\nTape Measurements\nBicep: ") + c.bicep + QStringLiteral("  ") +
           TapeSiteLabel(female) + c.forearmOrHip + QStringLiteral("\nChest: ") + c.chest +
           QStringLiteral("  Waist: ") + c.waist + QStringLiteral("\nNeck: ") + c.neck +
           QStringLiteral("  Calf: ") + c.calf + QStringLiteral("\nThigh: ") + c.thigh +
           QStringLiteral("\n");
}

struct TableRow {
    QString label;
    QString first;
    QString second;
};

void WriteTable(RtfWriter& writer, const QString& heading, const std::vector<TableRow>& rows,
                bool threeColumns) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    writer.StartParagraph("", true);
    writer.StartParagraph("", true);
    paragraph.spaceBefore = 120;
    paragraph.border.enabled = false;
    paragraph.alignment = AlignLeft;
    paragraph.shading.enabled = false;
    paragraph.shading.backgroundColour = Silver;
    paragraph.font = 1;
    paragraph.fontSize = 20;
    paragraph.superscript = false;
    writer.StartSection();
    paragraph.spaceBefore = 0;
    paragraph.spaceAfter = 0;

    ReportTableFormats(writer);
    RtfTableCellFormat& cell = writer.TableCellFormat();
    cell.shading.backgroundColour = Silver;

    // The background colour is changed once and kept: only the header's first cell is silver.
    const auto defineCells = [&] {
        writer.DefineTableCell(2500);
        cell.shading.backgroundColour = White;
        writer.DefineTableCell(4250);
        if (threeColumns)
            writer.DefineTableCell(6250);
    };
    const auto endCell = [&](bool lastOfTable) {
        if (lastOfTable)
            paragraph.inTable = false;
        writer.EndTableCell();
    };

    writer.StartTableRow();
    defineCells();
    paragraph.inTable = true;
    paragraph.bold = true;
    paragraph.alignment = AlignJustified;
    QStringList header{heading};
    if (threeColumns)
        header << QStringLiteral("Picture 1") << QStringLiteral("Picture 2");
    else
        header << QStringLiteral("Current");
    for (const QString& text : header) {
        writer.StartParagraph(Document(text), false);
        writer.EndTableCell();
    }
    writer.EndTableRow();

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool last = i + 1 == rows.size();
        writer.StartTableRow();
        defineCells();
        paragraph.bold = true;
        writer.StartParagraph(Document(rows[i].label), false);
        writer.EndTableCell();
        paragraph.bold = false;
        writer.StartParagraph(Document(rows[i].first), false);
        if (threeColumns) {
            writer.EndTableCell();
            writer.StartParagraph(Document(rows[i].second), false);
        }
        endCell(last);
        writer.EndTableRow();
    }
}

} // namespace

QString PictureReportText(const PictureReportContent& content) {
    QString text =
        QStringLiteral("\nPicture Record Report for ") + content.userName + QStringLiteral("\n\n");
    const PanelColumn& c = content.columns[0];
    if (content.twoColumns) {
        text += QStringLiteral("Body Composition - Picture 1\n") +
                ComparedColumnText(c, content.female) +
                QStringLiteral("\n\nBody Composition - Picture 2\n") +
                ComparedColumnText(content.columns[1], content.female);
        return text;
    }
    text += QStringLiteral("Body Composition\nDate:  ") + c.date +
            QStringLiteral("\nBody Fat %: ") + c.bodyFat + QStringLiteral("\nWeight: ") + c.weight +
            QStringLiteral("\nLean Body Weight: ") + c.leanWeight +
            QStringLiteral("\nBody Fat Weight: ") + c.fatWeight +
            QStringLiteral("\n\nTape Measurements\nBicep: ") + c.bicep + QStringLiteral("\n") +
            TapeSiteLabel(content.female) + c.forearmOrHip + QStringLiteral("\nChest: ") + c.chest +
            QStringLiteral("\nWaist: ") + c.waist + QStringLiteral("\nNeck: ") + c.neck +
            QStringLiteral("\nCalf: ") + c.calf + QStringLiteral("\nThigh: ") + c.thigh +
            QStringLiteral("\n");
    return text;
}

void PictureExportTitle(RtfWriter& writer, const PictureReportContent& content) {
    RtfParagraphFormat& paragraph = writer.ParagraphFormat();
    paragraph.spaceBefore = 120;
    paragraph.alignment = AlignCentre;
    paragraph.bold = true;
    paragraph.subscript = false;
    paragraph.superscript = false;
    writer.StartParagraph(Document(QStringLiteral("Picture for ") + content.userName), false);
    paragraph.shading.enabled = false;
    writer.StartSection();
    paragraph.alignment = AlignCentre;
    paragraph.bold = true;
}

void PictureExportTables(RtfWriter& writer, const PictureReportContent& content) {
    const PanelColumn& a = content.columns[0];
    const PanelColumn& b = content.columns[1];
    const bool three = content.twoColumns;
    WriteTable(writer, QStringLiteral("Body Composition"),
               {{QStringLiteral("Date:"), a.date, b.date},
                {QStringLiteral("Body Fat %:"), a.bodyFat, b.bodyFat},
                {QStringLiteral("Weight:"), a.weight, b.weight},
                {QStringLiteral("Lean Body Weight:"), a.leanWeight, b.leanWeight},
                {QStringLiteral("Body Fat Weight:"), a.fatWeight, b.fatWeight}},
               three);
    WriteTable(writer, QStringLiteral("Tape Measurements"),
               {{QStringLiteral("Bicep:"), a.bicep, b.bicep},
                {content.female ? QStringLiteral("Hip:") : QStringLiteral("Forearm:"),
                 a.forearmOrHip, b.forearmOrHip},
                {QStringLiteral("Chest:"), a.chest, b.chest},
                {QStringLiteral("Waist:"), a.waist, b.waist},
                {QStringLiteral("Neck:"), a.neck, b.neck},
                {QStringLiteral("Calf:"), a.calf, b.calf},
                {QStringLiteral("Thigh:"), a.thigh, b.thigh}},
               three);
}

} // namespace vitalog
