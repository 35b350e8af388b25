#pragma once

#include <QString>

#include <array>

namespace vitalog {

class RtfWriter;

// The texts of one column of the slideshow's side panel, as shown ("---" where the date has no
// record).
struct PanelColumn {
    QString date;
    QString bodyFat;
    QString weight;
    QString leanWeight;
    QString fatWeight;
    QString bicep;
    QString forearmOrHip;
    QString chest;
    QString waist;
    QString neck;
    QString calf;
    QString thigh;
};

// What the picture report shows: the user, whether the tape's second site is the hip, and one
// column, or two when two compared pictures are loaded.
struct PictureReportContent {
    QString userName;
    bool female = false;
    bool twoColumns = false;
    std::array<PanelColumn, 2> columns;
};

// The text printed below the pictures.
QString PictureReportText(const PictureReportContent& content);

// The title paragraph and the section the pictures are centred in.
void PictureExportTitle(RtfWriter& writer, const PictureReportContent& content);
// The body composition and tape tables after the pictures: label and value, or label and the
// values of both pictures.
void PictureExportTables(RtfWriter& writer, const PictureReportContent& content);

} // namespace vitalog
