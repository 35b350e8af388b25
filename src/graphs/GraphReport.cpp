#include "GraphReport.h"

#include "CMSChart.h"
#include "help/VendorConfig.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/PrintedPage.h"
#include "platform/Prompter.h"
#include "printing/ScreenExport.h"
#include "shell/Screen.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace vitalog {

namespace {
constexpr int SideOffset = 200;     // device pixels taken from the width before the chart's share
constexpr double ChartShare = 0.85; // of the width less the side offset
} // namespace

QRect GraphChartRect(QSize printable, int lineHeight, int ruleY, QSize shown) {
    if (shown.width() <= 0 || shown.height() <= 0)
        return {};
    const int top = ruleY + lineHeight / 4;
    int width = int((printable.width() - SideOffset) * ChartShare);
    const int times = width / shown.width();
    // A chart shown wider than the page takes the page's width rather than no room at all.
    int height =
        times > 0 ? times * shown.height() : int(qint64(width) * shown.height() / shown.width());
    // Nor does it run into the footer (at the bottom margin) or off the paper.
    const int room = printable.height() - printable.height() / 48 - lineHeight / 4 - top;
    if (height > room && room > 0) {
        width = int(qint64(width) * room / height);
        height = room;
    }
    return QRect((printable.width() - width) / 2, top, width, height);
}

void LayOutGraphPage(PrintedPage& page, const QString& title, QSize shown,
                     std::function<void(QPainter&, const QRectF&)> paint) {
    const int ruleY = page.AddTitle(title);
    const QRect chart = GraphChartRect(page.Printable(), page.LineHeight(), ruleY, shown);
    if (!chart.isEmpty())
        page.AddPicture(chart.topLeft(), chart.size(), std::move(paint));
    page.AddFooter(ScreenExport::FooterText());
}

QString GraphPageTitle(const QString& userName, int year, int month, int day) {
    return QStringLiteral("%1 - %2/%3/%4").arg(userName).arg(month).arg(day).arg(year);
}

QString GraphReportFooter() {
    QString address = QString::fromLatin1(VendorWebAddress);
    const qsizetype scheme = address.indexOf(QStringLiteral("://"));
    if (scheme >= 0)
        address.remove(0, scheme + 3);
    return QStringLiteral("Vitalog - ") + address;
}

void PrintGraph(Screen& screen, CMSChart& chart, const QString& userName) {
    // The chart's size on the screen decides the printed proportions; the chart itself is
    // drawn anew at the printer's resolution.
    const QSize shown = chart.size();
    const QDate today = screen.Services().clock->Today();
    const QString title = GraphPageTitle(userName, today.year(), today.month(), today.day());
    PrintOnePage(
        screen.Services(), &screen, shown.width(),
        [&](PrintedPage& page, const QPaintDevice& printer) {
            QFont font(QStringLiteral("Arial"));
            font.setStyleHint(QFont::SansSerif);
            font.setPixelSize(std::max(1, 16 * printer.logicalDpiY() / 72));
            page = PrintedPage(page.Printable(), font, QFontMetrics(font, &printer).height());
            LayOutGraphPage(page, title, shown, [&chart](QPainter& painter, const QRectF& target) {
                chart.Render(painter, target);
            });
            return true;
        },
        false);
}

void ExportGraph(Screen& screen, CMSChart& chart) {
    Prompter& prompter = *screen.Services().prompter;
    ScreenExport report(screen);
    if (!report.ExportOpen(QStringLiteral("Graph.rtf")))
        return;
    report.ExportTitle(QStringLiteral("Graph Report for "));
    RtfWriter& writer = report.Writer();
    const QImage bitmap = chart.Bitmap();
    if (bitmap.isNull()) {
        prompter.Error(&screen,
                       QStringLiteral("Error 2 in Exporting Graph - bitmap not available"));
        writer.CloseDocument();
        return;
    }
    const RtfPicture picture = ScreenExport::PictureFromImage(bitmap);
    if (picture.IsNull()) {
        prompter.Error(&screen, QStringLiteral("Error in Exporting file\nInternal error "
                                               "OleCreatePictureIndirect"));
        writer.CloseDocument();
        return;
    }
    writer.InsertPicture(picture, 50, 50);
    writer.StartParagraph("", true);
    report.ExportFooter(GraphReportFooter());
}

} // namespace vitalog
