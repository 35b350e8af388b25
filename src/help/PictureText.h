#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace vitalog {

// Text for the pictures the program draws itself (help pages, site pictures, logo): pixel-sized
// sans-serif fonts, and word-wrapped text that shrinks until it fits its box.
QFont PictureFont(int pixelSize, bool bold = false);

// Smallest size a picture's text may shrink to and stay readable.
constexpr int MinimumPicturePixelSize = 9;

class PictureCanvas {
public:
    // Texts that do not fit even at the smallest size are noted in overflow, when given.
    explicit PictureCanvas(QPainter& painter, QStringList* overflow = nullptr)
        : m_painter(painter), m_overflow(overflow) {}

    QPainter& Painter() { return m_painter; }
    void NoteOverflow(const QString& text) {
        if (m_overflow)
            m_overflow->append(text);
    }

    // Draws text word-wrapped into box with the font, shrinking it down to the minimum size
    // when needed. Returns the pixel size used.
    int Text(const QRectF& box, const QString& text, const QFont& font, int alignment,
             int minimumPixelSize = MinimumPicturePixelSize);

private:
    QPainter& m_painter;
    QStringList* m_overflow;
};

// A paragraph, a section heading, a bullet or a numbered step of a text laid out in a picture.
struct TextBlock {
    enum Kind { Paragraph, Subheading, Bullet, Numbered };
    Kind kind = Paragraph;
    QString text;
    QString marker; // the number of a numbered step
};

struct TextBlockStyle {
    QColor text{20, 24, 32};
    QColor heading{24, 70, 130};
};

// Lays blocks out top-down in area with a body font of pixelSize (headings one pixel larger,
// bold) and draws them when painter is given. Returns the bottom of the last line; it may lie
// below area when the text is too long.
qreal LayOutTextBlocks(const QList<TextBlock>& blocks, const QRectF& area, int pixelSize,
                       QPainter* painter, const TextBlockStyle& style = {});

struct TextBlocksFit {
    bool fits = false;
    int pixelSize = 0; // the size the body text is drawn at
    qreal bottom = 0;  // of the last line at that size
};

// The largest body size from largestPixelSize down to the smallest readable one at which the
// blocks fit area.
TextBlocksFit FitTextBlocks(const QList<TextBlock>& blocks, const QRectF& area,
                            int largestPixelSize);
// Fits and draws; a text that does not fit even at the smallest size is noted as overflow.
TextBlocksFit DrawTextBlocks(PictureCanvas& canvas, const QList<TextBlock>& blocks,
                             const QRectF& area, int largestPixelSize,
                             const TextBlockStyle& style = {});

// The pixel size at which text fits box when wrapped, starting from font's size; 0 when it does
// not fit even at minimumPixelSize.
int FittingPixelSize(const QString& text, const QFont& font, const QSizeF& box, int flags,
                     int minimumPixelSize = MinimumPicturePixelSize);

} // namespace vitalog
