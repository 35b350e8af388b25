// Shared drawing tools: the palette, supersampled rendering and a few
// pixel-aligned primitives. All coordinates are in final-image pixels; a
// rectangle's edges lie on pixel boundaries so that 1 px outlines stay sharp.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <functional>

namespace art {

struct Palette {
    QColor ink;   // outlines and hands
    QColor paper; // white surfaces
    QColor mist;  // light grey surfaces
    QColor steel; // mid grey parts
    QColor slate; // dark blue-grey bodies
    QColor blue;
    QColor blueLight;
    QColor blueDark;
    QColor red;
    QColor redLight;
    QColor orange;
    QColor yellow;
    QColor yellowLight;
    QColor green;
    QColor greenLight;
    QColor skin;
    QColor lcd;
};

// The colours every image is drawn from.
Palette normalPalette();
// The hover ("hot") look: the same drawing with livelier, lighter fills.
Palette hotPalette();

using DrawFn = std::function<void(QPainter&)>;

// Draws at `supersample` times the size and averages down, which gives even
// antialiasing and exact coverage for shapes that sit on the pixel grid.
QImage renderIcon(int size, const DrawFn& draw, int supersample = 4);

// Straight ARGB32 at 96 dpi, so files do not depend on the screen.
QImage finished(const QImage& image);

// A filled rectangle whose 1 px outline lies inside `r`.
void box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& ink, qreal radius = 0);
// A filled disc whose 1 px outline lies inside radius `r`.
void disc(QPainter& p, QPointF c, qreal r, const QColor& fill, const QColor& ink);
// A filled path with a 1 px outline centred on its edge.
void shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& ink,
           qreal width = 1.0);
void line(QPainter& p, QPointF a, QPointF b, const QColor& color, qreal width = 1.0,
          Qt::PenCapStyle cap = Qt::FlatCap);
void fill(QPainter& p, const QRectF& r, const QColor& color);

// Clears a ring of `gap` px around a path, so a badge drawn over a motif
// stands apart from it on any background.
void cutOut(QPainter& p, const QPainterPath& path, qreal gap);

// Pixel size font from the sans-serif family that is installed.
QFont uiFont(int pixelSize, bool bold = false, bool italic = false);

} // namespace art
