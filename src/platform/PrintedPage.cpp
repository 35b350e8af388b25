#include "PrintedPage.h"

#include "AppServices.h"
#include "PrintService.h"
#include "Prompter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

namespace vitalog {

namespace {
constexpr double InchesPerMillimetre = 0.03937007874015748;
constexpr int SideOffset = 200; // device pixels between the printable edge and the layout
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
} // namespace

QFont PrintedPage::ReportFont(int dpiY) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    // The height of 10 points on the device; pixel sizes keep the printer's own resolution.
    font.setPixelSize(std::max(1, 10 * dpiY / 72));
    return font;
}

PrintedPage::PrintedPage(QSize printable, const QFont& font, int lineHeight)
    : m_printable(printable), m_font(font),
      m_lineHeight(lineHeight), m_layout{SideOffset, printable.height() / 48,
                                         printable.width() - SideOffset,
                                         printable.height() - printable.height() / 48} {}

PrintedPage PrintedPage::ForDevice(const QPaintDevice& device) {
    const QFont font = ReportFont(device.logicalDpiY());
    // Measured on the device itself: a printer's font metrics are not the screen's.
    const int lineHeight = QFontMetrics(font, &device).height();
    return PrintedPage(QSize(device.width(), device.height()), font, lineHeight);
}

int PrintedPage::AddTitle(const QString& title) {
    m_texts.push_back({title, QRect(m_layout.left, m_layout.top, m_layout.Width(), m_lineHeight),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip});
    const int ruleY = m_layout.top + m_lineHeight + m_lineHeight / 4;
    AddLine(QLine(m_layout.left, ruleY, m_layout.right, ruleY));
    return ruleY;
}

void PrintedPage::AddFooter(const QString& footer) {
    m_texts.push_back({footer,
                       QRect(m_layout.left, m_layout.bottom, m_layout.Width(), m_lineHeight),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip});
}

void PrintedPage::AddTextAt(QPoint topLeft, const QString& text) {
    // The width is the rest of the page; nothing is clipped either way.
    m_texts.push_back(
        {text, QRect(topLeft, QSize(std::max(1, m_printable.width() - topLeft.x()), m_lineHeight)),
         TextFlags});
}

void PrintedPage::AddWrappedText(const QRect& rect, const QString& text) {
    m_texts.push_back({text, rect, TextFlags | Qt::TextWordWrap | Qt::TextExpandTabs});
}

void PrintedPage::AddLine(QLine line) {
    m_lines.push_back(line);
}

QRect PrintedPage::AddPicture(QPoint topLeft, QSizeF printedSize,
                              std::function<void(QPainter&, const QRectF&)> paint) {
    QSize size(int(printedSize.width()), int(printedSize.height()));
    const int room = m_layout.right - topLeft.x();
    if (size.width() > room && room > 0)
        size = QSize(room, int(printedSize.height() * room / printedSize.width()));
    const QRect target(topLeft, size);
    m_pictures.push_back({target, std::move(paint)});
    return target;
}

void PrintedPage::Render(QPainter& painter) const {
    painter.save();
    for (const Picture& picture : m_pictures)
        picture.paint(painter, QRectF(picture.target));
    // A rule of one printer pixel all but vanishes on paper: about a third of a point.
    painter.setPen(QPen(Qt::black, std::max(1, painter.device()->logicalDpiY() / 200)));
    for (const QLine& line : m_lines)
        painter.drawLine(line);
    painter.setFont(m_font);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    for (const Text& text : m_texts)
        painter.drawText(text.rect, text.flags, text.text);
    painter.restore();
}

int PrintedPage::PageCount(int printerDpiX, double paperWidthMm, int pictureWidth, int screenDpiX) {
    const int width = int(printerDpiX * paperWidthMm * InchesPerMillimetre);
    if (width <= 0 || screenDpiX <= 0)
        return 1;
    const double printed = double(printerDpiX) / screenDpiX * pictureWidth;
    return int((width + printed - 1) / width);
}

void ShowPrintJobFailed(AppServices& services, QWidget* parent) {
    services.prompter->Notice(parent,
                              QStringLiteral("Printing error occured. Unable to find printer."),
                              QMessageBox::Warning);
}

void PrintOnePage(AppServices& services, QWidget* parent, int pictureWidth,
                  const std::function<bool(PrintedPage&, const QPaintDevice&)>& layOut,
                  bool offerPages) {
    Prompter& prompter = *services.prompter;
    std::unique_ptr<QPrinter> printer = services.printService->DefaultPrinter();
    if (!printer) {
        prompter.Notice(
            parent,
            QStringLiteral("Can not find printer. Please check installed/default printers."),
            QMessageBox::Warning);
        return;
    }
    const int screenDpiX = parent ? parent->logicalDpiX() : 96;
    // The picture is fitted to the layout's width: the pages offered are those it then spans.
    const double layoutWidth = double(printer->width() - 2 * SideOffset) * screenDpiX /
                               std::max(1, printer->logicalDpiX());
    const int fittedWidth = int(std::min<double>(pictureWidth, std::max(0.0, layoutWidth)));
    const int pages = std::max(
        PrintedPage::PageCount(printer->logicalDpiX(), printer->widthMM(), fittedWidth, screenDpiX),
        1);
    if (!services.printService->ShowPrintDialog(*printer, parent, offerPages ? 1 : 0,
                                                offerPages ? pages : 0))
        return;

    printer->setDocName(Prompter::ProgramTitle());
    QPainter painter;
    if (!painter.begin(printer.get())) {
        ShowPrintJobFailed(services, parent);
        return;
    }
    PrintedPage page = PrintedPage::ForDevice(*printer);
    const bool complete = layOut(page, *printer);
    page.Render(painter);
    painter.end();
    if (!services.printService->JobAccepted(*printer)) {
        ShowPrintJobFailed(services, parent);
        return;
    }
    if (!complete)
        prompter.Error(parent, QStringLiteral("Printing Error"));
}

} // namespace vitalog
