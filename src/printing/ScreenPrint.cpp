#include "ScreenPrint.h"

#include "ScreenExport.h"
#include "platform/AppServices.h"
#include "platform/PrintedPage.h"
#include "platform/SharpImage.h"
#include "records/TextEncoding.h"
#include "shell/CMainFrame.h"
#include "shell/Screen.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

namespace vitalog {

namespace {
constexpr int TextGap = 50; // device pixels between the picture and the text
} // namespace

QString ScreenPrint::Title(const Screen& screen, const QString& title) {
    const std::optional<std::string> name = Cp1252ToUtf8(screen.Frame().CurrentUser.Name());
    return title + QString::fromStdString(name.value_or(std::string()));
}

QImage ScreenPrint::Picture(const QString& path) {
    // Printers have far more pixels than screens: take every pixel there is.
    return ReadSharpImage(path, 2);
}

bool ScreenPrint::LayOut(PrintedPage& page, const ScreenPrintReport& report, const QImage& picture,
                         const PrintResolution& resolution) {
    const int left = page.Layout().left;
    const int t = page.LineHeight();
    int y = page.AddTitle(report.title);
    const bool hasPicture = !report.pictureFile.empty();
    if (!report.sourceLine.isEmpty()) {
        y += t;
        page.AddTextAt(QPoint(left, y), report.sourceLine);
        y += t + t / 4;
    } else if (hasPicture) {
        y += t / 4;
    }
    if (hasPicture) {
        if (picture.isNull())
            return false;
        const QSizeF size = picture.deviceIndependentSize();
        const QSizeF printed(double(resolution.printerX) / resolution.screenX * size.width(),
                             size.height() * resolution.printerY / resolution.screenY);
        const QRect target = page.AddPicture(
            QPoint(left, y), printed, [picture](QPainter& painter, const QRectF& rect) {
                painter.save();
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(rect, picture);
                painter.restore();
            });
        y += target.height() + TextGap;
    } else {
        y += resolution.printerY / resolution.screenY + TextGap;
    }
    page.AddWrappedText(QRect(left, y, page.Layout().Width(), page.Layout().bottom - y),
                        report.text);
    page.AddFooter(ScreenExport::FooterText());
    return true;
}

void ScreenPrint::Print(Screen& screen, const ScreenPrintReport& report) {
    QImage picture;
    if (!report.pictureFile.empty())
        picture = Picture(
            screen.Services().dataDirectory + QLatin1Char('/') +
            QString::fromUtf8(report.pictureFile.data(), qsizetype(report.pictureFile.size())));
    const int screenX = screen.logicalDpiX();
    const int screenY = screen.logicalDpiY();
    PrintOnePage(screen.Services(), &screen, int(picture.deviceIndependentSize().width()),
                 [&](PrintedPage& page, const QPaintDevice& printer) {
                     return LayOut(
                         page, report, picture,
                         {printer.logicalDpiX(), printer.logicalDpiY(), screenX, screenY});
                 });
}

} // namespace vitalog
