#pragma once

#include "DrawnPicture.h"
#include "PictureText.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace vitalog {

// The help pages are written as plain text under resources/help and drawn into a picture when
// a help window opens. Text format: the first line is the page heading; blank lines separate
// blocks; "## " starts a subheading, "- " a bullet and "1. " a numbered step; lines that
// follow a block without a blank line continue it.
struct HelpPageText {
    QString heading;
    QList<TextBlock> blocks;

    bool IsEmpty() const { return heading.isEmpty() && blocks.isEmpty(); }
    // Heading and blocks as plain lines, for screen readers.
    QString PlainText() const;
};

inline constexpr QSize HelpPageSize{348, 419};

// Resource path of a topic's text; empty for a topic that has no page.
QString HelpPageSource(int topic);
HelpPageText ParseHelpPage(const QString& source);
// Empty for a topic that has no page.
HelpPageText LoadHelpPage(int topic);

// Where the body text goes on the page.
QRectF HelpPageBodyArea();
// The largest body size (12 px down to the smallest readable one) at which the text fits.
TextBlocksFit FitHelpPage(const HelpPageText& page);
// The page as a drawing of HelpPageSize.
DrawnPicture HelpPageDrawing(const HelpPageText& page);
// The page rendered at the device pixel ratio; a null image for a topic without a page.
QImage RenderHelpPage(int topic, qreal devicePixelRatio = 1);
QImage RenderHelpPage(const HelpPageText& page, qreal devicePixelRatio = 1);

} // namespace vitalog
