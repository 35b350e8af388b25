#pragma once

#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPaintDevice;
class QPainter;
class QRectF;
class QWidget;

namespace vitalog {

struct AppServices;

// One printed page as data: texts, lines and pictures placed in the device pixels of the
// printer, and the painting of them. Pages are laid out first and painted afterwards, so that
// what goes where can be checked without a printer.
//
// Every page the program prints shares one frame: a layout rectangle 200 pixels in from the
// sides and a forty-eighth of the page height in from the top and the bottom, the title
// centred at its top with a rule under it, and the footer centred at its bottom edge.
class PrintedPage {
public:
    struct Text {
        QString text;
        QRect rect;
        int flags; // Qt::AlignmentFlag and Qt::TextFlag values, as QPainter::drawText takes them
    };
    struct Picture {
        QRect target;
        std::function<void(QPainter&, const QRectF&)> paint;
    };
    // Edges in device pixels; right and bottom are the edges themselves, unlike QRect's.
    struct Edges {
        int left;
        int top;
        int right;
        int bottom;
        int Width() const { return right - left; }
    };

    // The page font of every printed report: "MS Sans Serif" (a sans-serif where it is not
    // installed) at 10 points for a device of dpiY pixels per inch.
    static QFont ReportFont(int dpiY);

    // A page of the printable size whose font has the given line height.
    PrintedPage(QSize printable, const QFont& font, int lineHeight);
    // A page for the device: its size, the report font and that font's line height there.
    static PrintedPage ForDevice(const QPaintDevice& device);

    QSize Printable() const { return m_printable; }
    const QFont& Font() const { return m_font; }
    int LineHeight() const { return m_lineHeight; }
    // The frame's layout rectangle.
    Edges Layout() const { return m_layout; }

    // The title centred on the top of the layout and the rule under it; answers the y of the
    // rule.
    int AddTitle(const QString& title);
    // The footer centred on the bottom of the layout, its top at the bottom edge.
    void AddFooter(const QString& footer);
    // One line of text with its top left at the point, not clipped.
    void AddTextAt(QPoint topLeft, const QString& text);
    // Text word-wrapped into the rectangle with tabs expanded, not clipped: what does not fit
    // runs on below it.
    void AddWrappedText(const QRect& rect, const QString& text);
    void AddLine(QLine line);
    // A picture of printedSize device pixels with its top left at the point. One wider than
    // the layout is scaled down to its width, aspect kept, so that nothing is lost at the
    // paper's edge; answers the rectangle it was given.
    QRect AddPicture(QPoint topLeft, QSizeF printedSize,
                     std::function<void(QPainter&, const QRectF&)> paint);

    const std::vector<Text>& Texts() const { return m_texts; }
    const std::vector<QLine>& Lines() const { return m_lines; }
    const std::vector<Picture>& Pictures() const { return m_pictures; }

    // Paints the page in the painter's device pixels: pictures, then lines, then texts, in the
    // page font with an opaque white background behind the text.
    void Render(QPainter& painter) const;

    // Pages the print dialog offers for a picture of pictureWidth screen pixels: the times the
    // printed picture spans the physical page width. 0 for no picture.
    static int PageCount(int printerDpiX, double paperWidthMm, int pictureWidth, int screenDpiX);

private:
    QSize m_printable;
    QFont m_font;
    int m_lineHeight;
    Edges m_layout;
    std::vector<Text> m_texts;
    std::vector<QLine> m_lines;
    std::vector<Picture> m_pictures;
};

// Says that a print job could not be started or that the print system refused it.
void ShowPrintJobFailed(AppServices& services, QWidget* parent);

// Prints one page through the print seam: the default printer, the print dialog offering the
// pages a picture of pictureWidth screen pixels spans once fitted to the layout (at least one;
// no page range at all when offerPages is false), and the job named "Vitalog". layOut fills the
// page for the printer; when it answers false (its picture cannot be drawn) the page is printed
// as far as it was laid out and "Printing Error" is shown. Whatever range is chosen, the one page
// is printed. Reports its failures in message boxes, a job the print system refuses included;
// cancelling the dialog prints nothing.
void PrintOnePage(AppServices& services, QWidget* parent, int pictureWidth,
                  const std::function<bool(PrintedPage& page, const QPaintDevice& printer)>& layOut,
                  bool offerPages = true);

} // namespace vitalog
