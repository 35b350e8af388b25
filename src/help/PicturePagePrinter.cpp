#include "PicturePagePrinter.h"

#include "VendorConfig.h"
#include "platform/PrintedPage.h"

#include <QPaintDevice>
#include <QWidget>

namespace vitalog {

void PicturePagePrinter::Print(const QString& title, const DrawnPicture& picture) {
    const QSize pictureSize = picture.Size();
    const int screenDpiX = m_parent ? m_parent->logicalDpiX() : 96;
    const int screenDpiY = m_parent ? m_parent->logicalDpiY() : 96;
    // A missing picture still prints its title page; the dialog then offers that one page.
    PrintOnePage(m_services, m_parent, pictureSize.width(),
                 [&](PrintedPage& page, const QPaintDevice& printer) {
                     const int ruleY = page.AddTitle(title);
                     if (picture.IsNull())
                         return false;
                     const QSizeF printedSize(
                         double(pictureSize.width()) * printer.logicalDpiX() / screenDpiX,
                         double(pictureSize.height()) * printer.logicalDpiY() / screenDpiY);
                     page.AddPicture(QPoint(page.Layout().left, ruleY + page.LineHeight() / 4),
                                     printedSize,
                                     [picture](QPainter& painter, const QRectF& target) {
                                         picture.Paint(painter, target);
                                     });
                     page.AddFooter(QStringLiteral("Vitalog - ") + QLatin1String(VendorWebAddress));
                     return true;
                 });
}

} // namespace vitalog
