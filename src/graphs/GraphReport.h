#pragma once

#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace vitalog {

class CMSChart;
class Screen;

// The graph's printed page as data, in the printer's device pixels: the title with a rule
// under it, the chart scaled and centred below, the footer near the bottom.
struct GraphPage {
    QFont font;
    int lineHeight = 0;
    QString title;
    QRect titleRect;
    QLine rule;
    QRect chart; // empty when there is no chart to print
    QString footer;
    QRect footerRect;
};

// Lays the page out for a chart shown at bitmap size (empty: none). The chart is 85 % of the
// width less 200 pixels wide and as many times its shown height as its shown width fits into
// that width; a chart that would not fit on the page is scaled down, aspect kept.
GraphPage LayOutGraphPage(QSize page, const QFont& font, int lineHeight, QSize bitmap,
                          const QString& title, const QString& footer);
// Paints the page; the chart is drawn at the device's resolution.
void PaintGraphPage(QPainter& painter, const GraphPage& page, CMSChart& chart);

// The printed title: the user's name and the date, "Jane - 3/7/2026".
QString GraphPageTitle(const QString& userName, int year, int month, int day);
// The report's footer line: the vendor's web address without its scheme.
QString GraphReportFooter();

// Print and Export of the graph screen's chart, with their dialogs and messages. The printed
// title names the user as the screen shows the name.
void PrintGraph(Screen& screen, CMSChart& chart, const QString& userName);
void ExportGraph(Screen& screen, CMSChart& chart);

} // namespace vitalog
