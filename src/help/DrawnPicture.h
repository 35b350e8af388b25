#pragma once

#include <QColor>
#include <QImage>
#include <QPen>
#include <QSize>

#include <functional>

class QPainter;
class QRectF;

namespace vitalog {

// A picture the program draws itself: a size in logical pixels and the painting that fills it
// in those coordinates. It is rendered for the screen at the device pixel ratio of the widget
// that shows it, so that its text and lines stay sharp at any scale, and painted straight onto
// a printed page at the printer's resolution.
class DrawnPicture {
public:
    using Painting = std::function<void(QPainter&)>;

    DrawnPicture() = default;
    // An opaque background is filled before the painting; a transparent one is left clear.
    DrawnPicture(QSize size, QColor background, Painting painting);

    bool IsNull() const { return !m_painting; }
    QSize Size() const { return m_size; }

    // Paints the picture scaled into target, given in the painter's world coordinates (not
    // rotated; a view transform of the caller's is not kept). The painter's state is as it was
    // afterwards.
    void Paint(QPainter& painter, const QRectF& target) const;

    // Size() x devicePixelRatio device pixels with that ratio set, so that it is shown at
    // Size(); null for a null picture. Opaque pictures are Format_RGB32.
    QImage Render(qreal devicePixelRatio = 1) const;

private:
    QSize m_size{0, 0};
    QColor m_background;
    Painting m_painting;
};

// A pen for a line width pixels of the picture wide while a painting draws in coordinates of
// its own (a body figure mapped into a panel, a close-up enlarged). Unlike a cosmetic pen, whose
// width is in device pixels, it keeps its width at any device pixel ratio and on paper.
QPen PicturePen(const QPainter& painter, const QColor& color, qreal width);

} // namespace vitalog
