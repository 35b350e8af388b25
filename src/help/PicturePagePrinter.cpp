#include "PicturePagePrinter.h"

#include "VendorConfig.h"
#include "platform/AppServices.h"
#include "platform/PrintService.h"
#include "platform/Prompter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

namespace vitalog {

namespace {
constexpr double InchesPerMillimetre = 0.03937007874015748;
constexpr int SideMargin = 200; // printer pixels left of the picture and beside the rule
} // namespace

int PicturePagePrinter::PageCount(int printerDpiX, double printableWidthMm, int pictureWidth,
                                  int screenDpiX) {
    const int printable = int(printerDpiX * printableWidthMm * InchesPerMillimetre);
    if (printable <= 0 || screenDpiX <= 0)
        return 1;
    const int printed = pictureWidth * printerDpiX / screenDpiX;
    return (printable + printed - 1) / printable;
}

void PicturePagePrinter::Print(const QString& title, const DrawnPicture& picture) {
    Prompter& prompter = *m_services.prompter;
    std::unique_ptr<QPrinter> printer = m_services.printService->DefaultPrinter();
    if (!printer) {
        prompter.Notice(m_parent,
                        QStringLiteral("Can not find printer. Please check installed/default "
                                       "printers."),
                        QMessageBox::Warning);
        return;
    }

    const int printerDpiX = printer->logicalDpiX();
    const int printerDpiY = printer->logicalDpiY();
    const int screenDpiX = m_parent ? m_parent->logicalDpiX() : 96;
    const int screenDpiY = m_parent ? m_parent->logicalDpiY() : 96;
    const QSize pictureSize = picture.Size();
    const QSize printedSize(pictureSize.width() * printerDpiX / screenDpiX,
                            pictureSize.height() * printerDpiY / screenDpiY);
    // A missing picture still prints its title page; the dialog then offers that one page.
    const int pages =
        std::max(PageCount(printerDpiX, printer->widthMM(), pictureSize.width(), screenDpiX), 1);
    if (!m_services.printService->ShowPrintDialog(*printer, m_parent, 1, pages))
        return;

    printer->setDocName(QStringLiteral("Vitalog"));
    QPainter painter;
    if (!painter.begin(printer.get())) {
        prompter.Notice(m_parent, QStringLiteral("Printing error occured. Unable to find printer."),
                        QMessageBox::Warning);
        return;
    }

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10 * printerDpiY / 72);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);

    const int pageWidth = painter.device()->width();
    const int pageHeight = painter.device()->height();
    const int margin = pageHeight / 48;
    const int lineHeight = QFontMetrics(font, printer.get()).height();

    painter.drawText(QRect(0, margin, pageWidth, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                     title);
    const int ruleY = margin + lineHeight + lineHeight / 4;
    painter.drawLine(SideMargin, ruleY, pageWidth - SideMargin, ruleY);

    if (picture.IsNull()) {
        prompter.Error(m_parent, QStringLiteral("Printing Error"));
        painter.end();
        return;
    }
    picture.Paint(painter, QRect(QPoint(SideMargin, ruleY + lineHeight / 4), printedSize));
    painter.drawText(QRect(0, pageHeight - margin, pageWidth, lineHeight),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Vitalog - ") + QLatin1String(VendorWebAddress));
    painter.end();
}

} // namespace vitalog
