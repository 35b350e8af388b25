#pragma once

#include <QString>

#include <string_view>

class QImage;

namespace vitalog {

class PrintedPage;
class Screen;

// The one-page printed report of a measurement screen: the title, a rule, the chart the
// screen shows, the screen's values as lines of text and the footer. The paper counterpart of
// ScreenExport, without the "Last" column.
struct ScreenPrintReport {
    QString title;                // the title text followed by the user's name
    QString sourceLine;           // printed between the rule and the picture; empty for none
    std::string_view pictureFile; // the chart, relative to the data folder; empty for none
    QString text;                 // the values, every line ending in a line break
};

// Printer and screen pixels per inch, horizontally and vertically.
struct PrintResolution {
    int printerX;
    int printerY;
    int screenX;
    int screenY;
};

class ScreenPrint {
public:
    // The title text followed by the name of the screen's current user.
    static QString Title(const Screen& screen, const QString& title);

    // The chart as it is printed: the sharpest file there is (the double-size one where it
    // lies beside the file), sized in the screen pixels of the file itself. Null when it
    // cannot be read.
    static QImage Picture(const QString& path);

    // Lays the report out on the page. The picture is drawn at the size it has on the screen,
    // scaled down where the page is narrower. False when the report has a picture and it is
    // null: the page then ends after the rule (and the source line).
    static bool LayOut(PrintedPage& page, const ScreenPrintReport& report, const QImage& picture,
                       const PrintResolution& resolution);

    // Prints the report through the print seam of the screen's services; the dialog offers
    // the pages the picture spans, but one page is printed. Reports failures in message boxes.
    static void Print(Screen& screen, const ScreenPrintReport& report);
};

} // namespace vitalog
