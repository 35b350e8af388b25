#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QRectF;

namespace vitalog {

class CMSChart;
class PrintedPage;
class Screen;

// Where the chart goes on the printed page, below the rule at ruleY: 85 % of the printable
// width less 200 pixels wide, as many times its shown height high as its shown width fits into
// that width, centred. A chart shown wider than that takes the width with its aspect kept, and
// one that would run into the footer is scaled down to end above it. Empty when nothing is
// shown.
QRect GraphChartRect(QSize printable, int lineHeight, int ruleY, QSize shown);

// The printed page: the title with its rule, the chart painted by paint, the footer; in Arial,
// 16 points.
void LayOutGraphPage(PrintedPage& page, const QString& title, QSize shown,
                     std::function<void(QPainter&, const QRectF&)> paint);

// The printed title: the user's name and the date, "Jane - 3/7/2026".
QString GraphPageTitle(const QString& userName, int year, int month, int day);
// The report's footer line: the vendor's web address without its scheme.
QString GraphReportFooter();

// Print and Export of the graph screen's chart, with their dialogs and messages. The printed
// title names the user as the screen shows the name.
void PrintGraph(Screen& screen, CMSChart& chart, const QString& userName);
void ExportGraph(Screen& screen, CMSChart& chart);

} // namespace vitalog
