#include "PrintText.h"

#include "platform/AppServices.h"
#include "platform/PrintService.h"
#include "platform/PrintedPage.h"
#include "platform/Prompter.h"

#include <QPainter>
#include <QPrinter>

namespace vitalog {

namespace {
constexpr int PageFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
} // namespace

QStringList PageTexts(const QString& text, int pageHeight,
                      const std::function<int(const QString&)>& heightNeeded) {
    // A run with more line breaks than half-height lines fill a page cannot fit: the searches
    // need not measure beyond it, which keeps a long text from being laid out whole per page.
    const int lineHeight = std::max(1, heightNeeded(QStringLiteral("X")));
    const qsizetype breaksThatCannotFit = 2 * qsizetype(pageHeight) / lineHeight + 2;
    QStringList pages;
    qsizetype printed = 0;
    while (printed < text.size()) {
        const QStringView rest = QStringView(text).mid(printed);
        const auto fits = [&](qsizetype count) {
            return heightNeeded(rest.left(count).toString()) <= pageHeight;
        };
        qsizetype tooLong = rest.size() + 1;
        qsizetype breaks = 0;
        for (qsizetype i = 0; i < rest.size(); ++i)
            if (rest[i] == QLatin1Char('\n') && ++breaks == breaksThatCannotFit) {
                tooLong = i + 1;
                break;
            }
        // The whole remainder first.
        qsizetype count = rest.size();
        if (tooLong <= count || !fits(count)) {
            // The largest count that fits lies between one that fits (or none) and one that
            // does not.
            qsizetype fitting = 0;
            qsizetype failing = std::min(tooLong, count);
            while (failing - fitting > 1) {
                const qsizetype middle = fitting + (failing - fitting) / 2;
                (fits(middle) ? fitting : failing) = middle;
            }
            // A page that cannot hold one character still takes one.
            count = std::max<qsizetype>(fitting, 1);
        }
        pages << rest.left(count).toString();
        printed += count;
    }
    return pages;
}

void PrintText(AppServices& services, QWidget* parent, const QString& text) {
    std::unique_ptr<QPrinter> printer = services.printService->DefaultPrinter();
    if (!printer || !services.printService->ShowPrintDialog(*printer, parent, 0, 0))
        return;
    printer->setDocName(Prompter::ProgramTitle());
    QPainter painter;
    if (!painter.begin(printer.get())) {
        printer->abort();
        return;
    }
    painter.setFont(PrintedPage::ReportFont(printer->logicalDpiY()));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    const QRect page(0, 0, painter.device()->width(), painter.device()->height());
    const QStringList pages =
        PageTexts(text, page.height(), [&painter, &page](const QString& piece) {
            return painter.boundingRect(page, PageFlags, piece).height();
        });
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer->newPage()) {
            printer->abort();
            return;
        }
        painter.drawText(page, PageFlags | Qt::TextDontClip, pages[i]);
    }
    painter.end();
    if (!services.printService->JobAccepted(*printer))
        ShowPrintJobFailed(services, parent);
}

} // namespace vitalog
