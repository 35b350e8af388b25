#include "GraphReport.h"

#include "CMSChart.h"
#include "help/VendorConfig.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/PrintService.h"
#include "platform/Prompter.h"
#include "printing/ScreenExport.h"
#include "shell/Screen.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace vitalog {

namespace {
constexpr int SideOffset = 200;     // device pixels beside the rule and in the chart's width
constexpr double ChartShare = 0.85; // of the width less the side offset
constexpr int FooterLift = 30;      // device pixels above the bottom margin
} // namespace

GraphPage LayOutGraphPage(QSize page, const QFont& font, int lineHeight, QSize bitmap,
                          const QString& title, const QString& footer) {
    GraphPage p;
    p.font = font;
    p.lineHeight = lineHeight;
    p.title = title;
    p.footer = footer;
    const int width = page.width();
    const int height = page.height();
    const int margin = height / 48;
    p.titleRect = QRect(0, margin, width, lineHeight);
    const int ruleY = margin + lineHeight + lineHeight / 4;
    p.rule = QLine(SideOffset, ruleY, width - SideOffset, ruleY);
    const int footerTop = height - margin - FooterLift;
    p.footerRect = QRect(0, footerTop, width, lineHeight);

    if (bitmap.width() <= 0 || bitmap.height() <= 0)
        return p;
    const int top = ruleY + lineHeight / 4;
    int chartWidth = int((width - SideOffset) * ChartShare);
    const int times = chartWidth / bitmap.width();
    // A chart shown wider than the page takes the page's width rather than no room at all.
    int chartHeight = times > 0 ? times * bitmap.height()
                                : int(qint64(chartWidth) * bitmap.height() / bitmap.width());
    // Nor does it run into the footer or off the paper.
    const int room = footerTop - lineHeight / 4 - top;
    if (chartHeight > room && room > 0) {
        chartWidth = int(qint64(chartWidth) * room / chartHeight);
        chartHeight = room;
    }
    p.chart = QRect((width - chartWidth) / 2, top, chartWidth, chartHeight);
    return p;
}

void PaintGraphPage(QPainter& painter, const GraphPage& page, CMSChart& chart) {
    painter.save();
    if (!page.chart.isEmpty())
        chart.Render(painter, QRectF(page.chart));
    painter.setFont(page.font);
    painter.setPen(Qt::black);
    painter.drawText(page.titleRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                     page.title);
    painter.drawLine(page.rule);
    painter.drawText(page.footerRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                     page.footer);
    painter.restore();
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
    AppServices& services = screen.Services();
    Prompter& prompter = *services.prompter;
    // The chart's size on the screen decides the printed proportions; the chart itself is
    // drawn anew at the printer's resolution.
    const QSize shown = chart.size();
    std::unique_ptr<QPrinter> printer = services.printService->DefaultPrinter();
    if (!printer) {
        prompter.Notice(&screen,
                        QStringLiteral("Can not find printer. Please check installed/default "
                                       "printers."),
                        QMessageBox::Warning);
        return;
    }
    if (!services.printService->ShowPrintDialog(*printer, &screen, 0, 0))
        return;
    printer->setDocName(QStringLiteral("Vitalog"));
    QPainter painter;
    if (!painter.begin(printer.get())) {
        prompter.Notice(&screen, QStringLiteral("Printing error occured. Unable to find printer."),
                        QMessageBox::Warning);
        return;
    }
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(16);
    const QDate today = services.clock->Today();
    const GraphPage page =
        LayOutGraphPage(QSize(painter.device()->width(), painter.device()->height()), font,
                        QFontMetrics(font, printer.get()).height(), shown,
                        GraphPageTitle(userName, today.year(), today.month(), today.day()),
                        ScreenExport::FooterText());
    PaintGraphPage(painter, page, chart);
    painter.end();
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
