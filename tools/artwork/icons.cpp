#include "icons.h"

#include "painting.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace art {
namespace {

// A motif draws itself into the square (0, 0, s, s). Geometry is laid out on a
// 32 px grid and snapped to whole pixels at the size asked for; the smallest
// sizes get their own simpler layout where the grid would blur.
using Motif = std::function<void(QPainter&, const Palette&, int)>;

double snap(double v, int s) {
    return std::round(v * s / 32.0);
}

QRectF grid(double x0, double y0, double x1, double y1, int s) {
    return QRectF(QPointF(snap(x0, s), snap(y0, s)), QPointF(snap(x1, s), snap(y1, s)));
}

double sc(double v, int s) {
    return v * s / 32.0;
}

QPointF polar(QPointF c, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {c.x() + radius * std::cos(a), c.y() - radius * std::sin(a)};
}

QPainterPath circlePath(QPointF c, double r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

QPainterPath heartPath(const QRectF& r) {
    auto at = [&r](double x, double y) {
        return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
    };
    QPainterPath path;
    path.moveTo(at(0.5, 1.0));
    path.cubicTo(at(0.30, 0.80), at(0.0, 0.58), at(0.0, 0.30));
    path.cubicTo(at(0.0, 0.10), at(0.14, 0.0), at(0.28, 0.0));
    path.cubicTo(at(0.39, 0.0), at(0.47, 0.07), at(0.5, 0.17));
    path.cubicTo(at(0.53, 0.07), at(0.61, 0.0), at(0.72, 0.0));
    path.cubicTo(at(0.86, 0.0), at(1.0, 0.10), at(1.0, 0.30));
    path.cubicTo(at(1.0, 0.58), at(0.70, 0.80), at(0.5, 1.0));
    path.closeSubpath();
    return path;
}

// 3 x 5 pixel digits for the calculator's display.
void pixelDigits(QPainter& p, const QString& text, int right, int top, const QColor& color) {
    static const std::array<const char*, 10> glyphs = {
        "111101101101111", "010110010010111", "111001111100111", "111001111001111",
        "101101111001001", "111100111001111", "111100111101111", "111001001001001",
        "111101111101111", "111101111001111"};
    int x = right - int(text.size()) * 4 + 1;
    for (QChar ch : text) {
        const char* g = glyphs[ch.digitValue()];
        for (int i = 0; i < 15; ++i)
            if (g[i] == '1')
                p.fillRect(QRectF(x + i % 3, top + i / 3, 1, 1), color);
        x += 4;
    }
}

// ---------------------------------------------------------------- motifs

void calculator(QPainter& p, const Palette& c, int s) {
    const int w = s <= 16 ? 12 : int(std::lround(s * 0.70));
    const int x0 = (s - w) / 2, x1 = x0 + w;
    const int y0 = s >= 24 ? 1 : 0, y1 = s - y0;
    const int pad = s >= 24 ? 3 : 2;
    const int dispH = s >= 32 ? 7 : s >= 24 ? 5 : 2;
    box(p, QRectF(x0, y0, w, y1 - y0), c.slate, c.ink, s >= 24 ? 2.5 : 1.5);
    const QRectF disp(x0 + pad, y0 + pad, w - 2 * pad, dispH);
    fill(p, disp, c.lcd);
    if (s >= 32)
        pixelDigits(p, QStringLiteral("24"), int(disp.right()) - 2, int(disp.top()) + 1, c.ink);

    const int cols = s >= 24 ? 4 : 3;
    const int rows = s >= 32 ? 4 : 3;
    const int ax0 = x0 + pad, ax1 = x1 - pad;
    const int ay0 = y0 + pad + dispH + (s >= 24 ? 2 : 1), ay1 = y1 - pad;
    const int kw = (ax1 - ax0 - (cols - 1)) / cols;
    const int kh = (ay1 - ay0 - (rows - 1)) / rows;
    const int ox = ax0 + (ax1 - ax0 - (cols * kw + cols - 1)) / 2;
    const int oy = ay0 + (ay1 - ay0 - (rows * kh + rows - 1)) / 2;
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) {
            QColor key = c.paper;
            if (k == cols - 1)
                key = c.blueLight;
            if (k == cols - 1 && r == rows - 1)
                key = c.orange;
            fill(p, QRectF(ox + k * (kw + 1), oy + r * (kh + 1), kw, kh), key);
        }
}

void tapeMeasure(QPainter& p, const Palette& c, int s) {
    // The case sits on the pulled-out tape, which runs to a hook at the right.
    QPointF centre;
    double r = 0, hub = 0;
    QRectF strip;
    QRectF hook;
    int tickFrom = 0;
    if (s <= 16) {
        centre = {6.0, 6.0};
        r = 5.5;
        hub = 2.0;
        strip = QRectF(1, 9, 14, 5);
        hook = QRectF(14, 8, 2, 7);
        tickFrom = 12;
    } else {
        centre = {sc(11.5, s), sc(11, s)};
        r = sc(9.5, s);
        hub = sc(3.5, s);
        strip = grid(3, 17, 29, 24, s);
        hook = grid(28, 15, 31, 26, s);
        tickFrom = int(std::ceil(centre.x() + r * 0.75)) + 1;
    }
    box(p, strip, c.yellow, c.ink);
    for (int x = tickFrom, i = 0; x < hook.left() - 1; x += 2, ++i) {
        const double len = s >= 24 ? (i % 2 == 0 ? 3 : 2) : 1;
        fill(p, QRectF(x, strip.top() + 1, 1, len), c.ink);
    }
    box(p, hook, c.steel, c.ink);
    disc(p, centre, r, c.orange, c.ink);
    if (s >= 24) {
        // A lighter ring reads as the case's rounded rim.
        p.save();
        p.setPen(QPen(c.yellowLight, 1.0));
        p.setBrush(Qt::NoBrush);
        const double rim = r - 2.5;
        p.drawEllipse(centre, rim, rim);
        p.restore();
    }
    disc(p, centre, hub, c.paper, c.ink);
    if (s >= 24)
        disc(p, centre, 1.25, c.ink, c.ink);
}

void scaleGauge(QPainter& p, const Palette& c, int s) {
    const bool small = s <= 16;
    const QRectF plate = small ? QRectF(1, 2, 14, 13) : grid(2, 4, 30, 30, s);
    box(p, plate, c.mist, c.ink, small ? 2.5 : sc(5, s));
    const QPointF g(s / 2.0, small ? 10.0 : snap(18.5, s));
    const double rr = small ? 4.5 : sc(9.5, s);
    const double ww = small ? 2.0 : std::max(2.0, sc(4, s));
    const QRectF arc(g.x() - rr, g.y() - rr, 2 * rr, 2 * rr);
    struct Seg {
        double from, span;
        QColor color;
    };
    const Seg segs[] = {
        {180, -40, c.blue}, {140, -50, c.green}, {90, -40, c.yellow}, {50, -50, c.red}};
    for (const Seg& seg : segs) {
        p.save();
        p.setPen(QPen(seg.color, ww, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(arc, int(seg.from * 16), int(seg.span * 16));
        p.restore();
    }
    line(p, g, polar(g, rr + (small ? 0.5 : 1.0), 112), c.ink,
         small ? 1.0 : std::max(1.0, sc(1.6, s)), Qt::RoundCap);
    disc(p, g, small ? 1.5 : sc(2.5, s), c.ink, c.ink);
    if (!small)
        box(p, grid(11, 23, 21, 27, s), c.lcd, c.ink, 1);
}

void heartGauge(QPainter& p, const Palette& c, int s, bool withGauge = true) {
    const bool small = s <= 16;
    const QRectF hr =
        small ? QRectF(0.5, 1, 12.5, 11.5) : QRectF(sc(1, s), sc(2, s), sc(24, s), sc(22, s));
    shape(p, heartPath(hr), c.red, c.ink);
    if (!small) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QPointF(hr.left() + hr.width() * 0.26, hr.top() + hr.height() * 0.24),
                      hr.width() * 0.1, hr.height() * 0.08);
        p.restore();
    }
    if (!withGauge)
        return;
    const double r = small ? 4.5 : sc(8.5, s);
    const QPointF g = small ? QPointF(11.5, 11.5)
                            : QPointF(std::floor(sc(22.5, s)) + 0.5, std::floor(sc(22.5, s)) + 0.5);
    cutOut(p, circlePath(g, r), 1.0);
    disc(p, g, r, c.paper, c.ink);
    if (!small) {
        for (int i = 0; i <= 4; ++i) {
            const double a = 225 - i * 67.5;
            line(p, polar(g, r - 1.5, a), polar(g, r - 3.5, a), i == 4 ? c.red : c.ink, 1.0);
        }
    }
    line(p, g, polar(g, r - (small ? 1.5 : 2.5), 50), c.ink, small ? 1.0 : 1.5, Qt::RoundCap);
    disc(p, g, small ? 1.0 : 1.75, c.red, c.red);
}

void bloodPressure(QPainter& p, const Palette& c, int s) {
    heartGauge(p, c, s, true);
}

// Under the history clock the gauge would crowd the badge; the heart alone says it.
void heartOnly(QPainter& p, const Palette& c, int s) {
    heartGauge(p, c, s, false);
}

void person(QPainter& p, const Palette& c, double cx, double headY, double headR, double top,
            double bottom, double halfW, const QColor& body) {
    const double k = std::min(halfW, bottom - top) * 0.85;
    QPainterPath path;
    path.moveTo(cx - halfW, bottom);
    path.lineTo(cx - halfW, top + k);
    path.arcTo(QRectF(cx - halfW, top, 2 * k, 2 * k), 180, -90);
    path.lineTo(cx + halfW - k, top);
    path.arcTo(QRectF(cx + halfW - 2 * k, top, 2 * k, 2 * k), 90, -90);
    path.lineTo(cx + halfW, bottom);
    path.closeSubpath();
    shape(p, path, body, c.ink);
    disc(p, QPointF(cx, headY), headR, c.skin, c.ink);
}

void twoPeople(QPainter& p, const Palette& c, int s) {
    if (s <= 16) {
        person(p, c, 5.5, 4.5, 3.5, 8.5, 13.5, 4.5, c.green);
        person(p, c, 10.5, 7.0, 3.5, 11.0, 15.5, 5.0, c.blue);
        return;
    }
    person(p, c, sc(11, s), sc(8.5, s), sc(5.5, s), sc(15, s), sc(27, s), sc(8.5, s), c.green);
    person(p, c, sc(20.5, s), sc(13.5, s), sc(6, s), sc(20.5, s), sc(31.5, s), sc(9.5, s), c.blue);
}

void group(QPainter& p, const Palette& c, int s) {
    if (s <= 16) {
        person(p, c, 4.0, 4.0, 3.0, 7.5, 12.5, 3.5, c.green);
        person(p, c, 12.0, 4.0, 3.0, 7.5, 12.5, 3.5, c.orange);
        person(p, c, 8.0, 7.0, 3.5, 11.0, 15.5, 5.0, c.blue);
        return;
    }
    person(p, c, sc(8, s), sc(7.5, s), sc(5, s), sc(13.5, s), sc(25, s), sc(7, s), c.green);
    person(p, c, sc(24, s), sc(7.5, s), sc(5, s), sc(13.5, s), sc(25, s), sc(7, s), c.orange);
    person(p, c, sc(16, s), sc(13, s), sc(6, s), sc(20, s), sc(31.5, s), sc(10, s), c.blue);
}

// The history mark: a small clock, cut out of whatever lies under it.
void clockBadge(QPainter& p, const Palette& c, QPointF centre, double r) {
    cutOut(p, circlePath(centre, r), 1.0);
    if (r >= 6) {
        disc(p, centre, r, c.blue, c.ink);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(c.paper);
        p.drawEllipse(centre, r - 2.5, r - 2.5);
        p.restore();
        line(p, centre, centre + QPointF(0, -(r - 3.5)), c.ink, 1.5, Qt::RoundCap);
        line(p, centre, centre + QPointF(r - 4.5, 0), c.ink, 1.5, Qt::RoundCap);
    } else {
        disc(p, centre, r, c.paper, c.blueDark);
        line(p, centre, centre + QPointF(0, -(r - 1.5)), c.ink, 1.0, Qt::RoundCap);
        line(p, centre, centre + QPointF(r - 2.0, 0), c.ink, 1.0, Qt::RoundCap);
    }
}

void slides(QPainter& p, const Palette& c, int s) {
    const bool small = s <= 16;
    const QRectF back = small ? QRectF(0, 1, 12, 10) : grid(1, 3, 23, 20, s);
    box(p, back, c.mist, c.ink, 1);
    const QRectF front = small ? QRectF(3, 4, 13, 10) : grid(6, 8, 31, 27, s);
    box(p, front, c.paper, c.ink, 1);
    const QRectF pic =
        front.adjusted(small ? 1 : 2, small ? 1 : 2, small ? -1 : -2, small ? -1 : -2);
    p.save();
    p.setClipRect(pic);
    fill(p, pic, c.blueLight);
    p.setPen(Qt::NoPen);
    p.setBrush(c.yellow);
    p.drawEllipse(QPointF(pic.right() - pic.width() * 0.25, pic.top() + pic.height() * 0.32),
                  pic.height() * 0.2, pic.height() * 0.2);
    p.setBrush(c.green);
    p.drawEllipse(QPointF(pic.left() + pic.width() * 0.3, pic.bottom() + pic.height() * 0.35),
                  pic.width() * 0.55, pic.height() * 0.75);
    p.setBrush(c.greenLight);
    p.drawEllipse(QPointF(pic.right() - pic.width() * 0.1, pic.bottom() + pic.height() * 0.4),
                  pic.width() * 0.45, pic.height() * 0.6);
    p.restore();
    if (small)
        return;
    // Play button: this is a show, not a single picture.
    const double r = sc(6.5, s);
    const QPointF g(std::floor(sc(24.5, s)) + 0.5, std::floor(sc(24.5, s)) + 0.5);
    cutOut(p, circlePath(g, r), 1.0);
    disc(p, g, r, c.green, c.ink);
    QPainterPath tri;
    const double t = r * 0.45;
    tri.moveTo(g + QPointF(-t * 0.7, -t));
    tri.lineTo(g + QPointF(t * 1.1, 0));
    tri.lineTo(g + QPointF(-t * 0.7, t));
    tri.closeSubpath();
    shape(p, tri, c.paper, c.paper, 0);
}

void lineGraph(QPainter& p, const Palette& c, int s) {
    const bool small = s <= 16;
    const QRectF panel = small ? QRectF(0, 1, 16, 14) : grid(2, 3, 30, 29, s);
    box(p, panel, c.paper, c.ink, small ? 1 : 2);
    const double inset = small ? 2 : 3;
    for (int i = 1; i <= 3; ++i) {
        const int y = int(panel.top() + panel.height() * i / 4.0);
        fill(p, QRectF(panel.left() + inset, y, panel.width() - 2 * inset, 1), c.mist);
    }
    const QPointF pts32[] = {{6, 23}, {12, 14}, {18, 18}, {26, 8}};
    const QPointF pts16[] = {{2.5, 11.5}, {6, 7}, {9.5, 9.5}, {13.5, 4}};
    QPainterPath path;
    for (int i = 0; i < 4; ++i) {
        const QPointF pt = small ? pts16[i] : QPointF(sc(pts32[i].x(), s), sc(pts32[i].y(), s));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.save();
    p.setPen(QPen(c.blue, small ? 1.5 : std::max(1.5, sc(2.2, s)), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
    if (!small)
        for (const QPointF& pt : pts32)
            disc(p, QPointF(sc(pt.x(), s), sc(pt.y(), s)), sc(2.5, s), c.orange, c.ink);
}

void printer(QPainter& p, const Palette& c, int s) {
    const bool small = s <= 16;
    box(p, small ? QRectF(4, 0, 8, 6) : grid(8, 2, 24, 12, s), c.paper, c.ink);
    box(p, small ? QRectF(0, 5, 16, 8) : grid(2, 10, 30, 25, s), c.steel, c.ink, small ? 1.5 : 2.5);
    if (!small) {
        fill(p, grid(6, 19, 26, 20, s), c.ink);
        disc(p, QPointF(snap(25.5, s) + 0.5, snap(14, s) + 0.5), sc(1.6, s), c.green, c.green);
    } else {
        fill(p, QRectF(12, 7, 2, 1), c.green);
    }
    const QRectF out = small ? QRectF(3, 10, 10, 6) : grid(7, 19, 25, 31, s);
    box(p, out, c.paper, c.ink);
    const int lineStep = small ? 2 : 3;
    for (int y = int(out.top()) + (small ? 2 : 3), i = 0; y < out.bottom() - 1 && i < 3;
         y += lineStep, ++i)
        fill(p, QRectF(out.left() + 2, y, out.width() - (i == 2 ? 7 : 4), 1), c.blue);
}

QPainterPath pagePath(const QRectF& r, double fold) {
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    return path;
}

// A sheet with a folded corner; text lines are drawn down to `linesTo`.
void page(QPainter& p, const Palette& c, const QRectF& outer, double fold, int lineStep,
          double linesTo) {
    const QRectF r = outer.adjusted(0.5, 0.5, -0.5, -0.5);
    shape(p, pagePath(r, fold), c.paper, c.ink);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    shape(p, corner, c.mist, c.ink);
    int i = 0;
    for (double y = outer.top() + fold + 2; y < linesTo; y += lineStep, ++i) {
        const double right = outer.right() - 3 - (i % 3 == 2 ? (outer.width() - 6) * 0.35 : 0);
        fill(p, QRectF(outer.left() + 3, y, right - outer.left() - 3, 1), c.steel);
    }
}

void exportDoc(QPainter& p, const Palette& c, int s) {
    const bool small = s <= 16;
    if (small)
        page(p, c, QRectF(1, 0, 10, 16), 3, 2, 8);
    else
        page(p, c, grid(3, 1, 22, 31, s), sc(6, s), s >= 32 ? 3 : 2, snap(16, s));
    // The arrow leaves the page: the document goes out to a file.
    const double cy = small ? 10.5 : snap(20.5, s) + 0.5;
    const double sh = small ? 1.5 : sc(3.5, s);
    const double hh = small ? 4.5 : sc(8.5, s);
    const double x0 = small ? 4 : sc(10, s), xm = small ? 10 : sc(21, s),
                 x1 = small ? 15.5 : sc(31, s);
    QPainterPath arrow;
    arrow.moveTo(x0, cy - sh);
    arrow.lineTo(xm, cy - sh);
    arrow.lineTo(xm, cy - hh);
    arrow.lineTo(x1, cy);
    arrow.lineTo(xm, cy + hh);
    arrow.lineTo(xm, cy + sh);
    arrow.lineTo(x0, cy + sh);
    arrow.closeSubpath();
    cutOut(p, arrow, 1.0);
    shape(p, arrow, c.green, c.ink);
}

void globe(QPainter& p, const Palette& c, int s) {
    const QPointF g(s / 2.0, s / 2.0);
    const double r = s / 2.0 - (s >= 24 ? 1.5 : 0.5);
    QRadialGradient sea(g - QPointF(r * 0.35, r * 0.35), r * 1.6);
    sea.setColorAt(0, c.blueLight);
    sea.setColorAt(0.55, c.blue);
    sea.setColorAt(1, c.blueDark);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawEllipse(g, r, r);
    p.setClipPath(circlePath(g, r - 0.5));
    const QColor meridian(255, 255, 255, 215);
    p.setPen(QPen(meridian, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(g, r * 0.42, r);
    p.drawLine(QPointF(g.x(), g.y() - r), QPointF(g.x(), g.y() + r));
    p.drawLine(QPointF(g.x() - r, g.y()), QPointF(g.x() + r, g.y()));
    if (s >= 24) {
        p.drawLine(QPointF(g.x() - r, g.y() - r * 0.5), QPointF(g.x() + r, g.y() - r * 0.5));
        p.drawLine(QPointF(g.x() - r, g.y() + r * 0.5), QPointF(g.x() + r, g.y() + r * 0.5));
    }
    p.restore();
    p.save();
    p.setPen(QPen(c.ink, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(g, r - 0.5, r - 0.5);
    p.restore();
}

void cart(QPainter& p, const Palette& c, int s) {
    const double k = s / 32.0;
    auto P = [k](double x, double y) { return QPointF(x * k, y * k); };
    QPainterPath basket;
    basket.moveTo(P(8, 8));
    basket.lineTo(P(30, 8));
    basket.lineTo(P(27, 19));
    basket.lineTo(P(10.5, 19));
    basket.closeSubpath();
    shape(p, basket, c.greenLight, c.ink);
    p.save();
    p.setClipPath(basket);
    for (double x : {14.0, 19.0, 24.0})
        line(p, P(x, 8), P(x - 0.8, 19), c.green, 1.0);
    line(p, P(8, 13.5), P(30, 13.5), c.green, 1.0);
    p.restore();
    QPainterPath frame;
    frame.moveTo(P(1.5, 4));
    frame.lineTo(P(6, 4));
    frame.lineTo(P(10.5, 23));
    frame.lineTo(P(27, 23));
    p.save();
    p.setPen(QPen(c.ink, std::max(1.5, 2.2 * k), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    p.restore();
    disc(p, P(12.5, 27.5), std::max(2.0, 3.0 * k), c.steel, c.ink);
    disc(p, P(25, 27.5), std::max(2.0, 3.0 * k), c.steel, c.ink);
}

void ledger(QPainter& p, const Palette& c, int s) {
    const bool small = s <= 16;
    const QRectF r = small ? QRectF(1, 0, 11, 15) : grid(3, 1, 24, 29, s);
    box(p, r, c.paper, c.ink, 1);
    const int step = small ? 3 : 4;
    for (int y = int(r.top()) + (small ? 2 : 4); y + 2 <= r.bottom() - 2; y += step) {
        fill(p, QRectF(r.left() + 2, y, 2, 2), c.blue);
        fill(p, QRectF(r.left() + 5, y + (small ? 0.5 : 0.5), r.width() - 7, 1), c.steel);
    }
}

void infoDisc(QPainter& p, const Palette& c, int s, const QString& glyph) {
    const QPointF g(s / 2.0, s / 2.0);
    const double r = s / 2.0 - (s >= 24 ? 1 : 0);
    QLinearGradient shade(0, g.y() - r, 0, g.y() + r);
    shade.setColorAt(0, c.blue.lighter(118));
    shade.setColorAt(1, c.blueDark);
    p.save();
    p.setPen(QPen(c.ink, 1.0));
    p.setBrush(shade);
    p.drawEllipse(g, r - 0.5, r - 0.5);
    p.setPen(Qt::NoPen);
    QFont font = uiFont(int(std::lround(r * 1.55)), true);
    QPainterPath text;
    text.addText(0, 0, font, glyph);
    const QRectF b = text.boundingRect();
    text.translate(g - b.center());
    p.setBrush(c.paper);
    p.drawPath(text);
    p.restore();
}

void floppy(QPainter& p, const Palette& c, int s) {
    const double k = s / 24.0;
    auto R = [k](double x0, double y0, double x1, double y1) {
        return QRectF(QPointF(std::round(x0 * k), std::round(y0 * k)),
                      QPointF(std::round(x1 * k), std::round(y1 * k)));
    };
    const QRectF body = R(2, 2, 22, 22);
    const double cut = std::round(3 * k);
    QPainterPath outline;
    const QRectF b = body.adjusted(0.5, 0.5, -0.5, -0.5);
    outline.moveTo(b.topLeft());
    outline.lineTo(b.right() - cut, b.top());
    outline.lineTo(b.right(), b.top() + cut);
    outline.lineTo(b.bottomRight());
    outline.lineTo(b.bottomLeft());
    outline.closeSubpath();
    shape(p, outline, c.blue, c.ink);
    box(p, R(6, 2, 17, 9), c.mist, c.ink);
    fill(p, R(13, 3, 15, 8), c.slate);
    const QRectF label = R(5, 12, 19, 22);
    box(p, label, c.paper, c.ink);
    fill(p, QRectF(label.left() + 2, label.top() + 2, label.width() - 4, 1), c.red);
    fill(p, QRectF(label.left() + 2, label.top() + 5, label.width() - 4, 1), c.steel);
}

void trashCan(QPainter& p, const Palette& c, int s) {
    const double k = s / 24.0;
    auto R = [k](double x0, double y0, double x1, double y1) {
        return QRectF(QPointF(std::round(x0 * k), std::round(y0 * k)),
                      QPointF(std::round(x1 * k), std::round(y1 * k)));
    };
    box(p, R(9, 1, 15, 4), c.steel, c.ink, 1);
    QPainterPath body;
    body.moveTo(5.5 * k, 6.5 * k);
    body.lineTo(18.5 * k, 6.5 * k);
    body.lineTo(17.5 * k, 22.5 * k);
    body.lineTo(6.5 * k, 22.5 * k);
    body.closeSubpath();
    shape(p, body, c.mist, c.ink);
    for (double x : {9.5, 12.0, 14.5})
        line(p, QPointF(x * k, 9.5 * k), QPointF(x * k, 19.5 * k), c.red, 1.5 * k, Qt::RoundCap);
    box(p, R(3, 3, 21, 7), c.steel, c.ink, 1);
}

void crossBadge(QPainter& p, const Palette& c, QPointF g, double r) {
    cutOut(p, circlePath(g, r), 1.0);
    disc(p, g, r, c.red, c.ink);
    const double t = r * 0.42;
    line(p, g + QPointF(-t, -t), g + QPointF(t, t), c.paper, r >= 6 ? 2.0 : 1.25, Qt::RoundCap);
    line(p, g + QPointF(-t, t), g + QPointF(t, -t), c.paper, r >= 6 ? 2.0 : 1.25, Qt::RoundCap);
}

// Plain grey tiles: they stand in when the icon files are missing and should
// look like stand-ins.
void genericTile(QPainter& p, int s) {
    box(p, QRectF(2, 2, s - 4, s - 4), QColor(168, 176, 186), QColor(104, 114, 128), 4);
}

void fallbackCalculators(QPainter& p, const Palette&, int s) {
    genericTile(p, s);
    const QColor w(255, 255, 255);
    const double a = 3.5;
    // + - x /  in the four quarters
    const QPointF q[] = {{11, 11}, {21, 11}, {11, 21}, {21, 21}};
    line(p, q[0] - QPointF(a, 0), q[0] + QPointF(a, 0), w, 2, Qt::RoundCap);
    line(p, q[0] - QPointF(0, a), q[0] + QPointF(0, a), w, 2, Qt::RoundCap);
    line(p, q[1] - QPointF(a, 0), q[1] + QPointF(a, 0), w, 2, Qt::RoundCap);
    const double d = a * 0.75;
    line(p, q[2] - QPointF(d, d), q[2] + QPointF(d, d), w, 2, Qt::RoundCap);
    line(p, q[2] - QPointF(d, -d), q[2] + QPointF(d, -d), w, 2, Qt::RoundCap);
    line(p, q[3] - QPointF(a, 0), q[3] + QPointF(a, 0), w, 2, Qt::RoundCap);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(w);
    p.drawEllipse(q[3] - QPointF(0, 3), 1.25, 1.25);
    p.drawEllipse(q[3] + QPointF(0, 3), 1.25, 1.25);
    p.restore();
}

void fallbackHistory(QPainter& p, const Palette&, int s) {
    genericTile(p, s);
    const QColor w(255, 255, 255);
    const QPointF g(s / 2.0, s / 2.0);
    p.save();
    p.setPen(QPen(w, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(g, 9, 9);
    p.restore();
    line(p, g, g + QPointF(0, -6), w, 2, Qt::RoundCap);
    line(p, g, g + QPointF(4.5, 0), w, 2, Qt::RoundCap);
}

// ---------------------------------------------------------------- composites

Motif withHistory(Motif base) {
    return [base](QPainter& p, const Palette& c, int s) {
        base(p, c, s);
        const double r = s >= 32 ? 7.5 : s >= 24 ? 6.0 : 4.5;
        clockBadge(p, c, QPointF(s - r, s - r), r);
    };
}

Motif withCross(Motif base) {
    return [base](QPainter& p, const Palette& c, int s) {
        base(p, c, s);
        const double r = s >= 24 ? 6.5 : 4.5;
        crossBadge(p, c, QPointF(s - r, s - r), r);
    };
}

// The program icon: a blue tile with a white heart crossed by a pulse trace,
// above a strip of measuring tape.
void programIcon(QPainter& p, const Palette& c, int s) {
    const double k = s / 256.0;
    p.save();
    p.scale(k, k);
    const QRectF tile(10, 10, 236, 236);
    QLinearGradient sky(0, tile.top(), 0, tile.bottom());
    sky.setColorAt(0, QColor(96, 170, 255));
    sky.setColorAt(1, QColor(28, 92, 196));
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, 50, 50);
    p.setPen(QPen(QColor(22, 66, 150), 6));
    p.setBrush(sky);
    p.drawPath(tilePath);
    p.setClipPath(tilePath);

    // Tape across the lower part of the tile.
    QPainterPath tape;
    tape.moveTo(0, 190);
    tape.cubicTo(80, 172, 176, 172, 256, 190);
    tape.lineTo(256, 232);
    tape.cubicTo(176, 214, 80, 214, 0, 232);
    tape.closeSubpath();
    p.setPen(QPen(QColor(150, 100, 10), 4));
    p.setBrush(c.yellow);
    p.drawPath(tape);
    p.setPen(QPen(QColor(90, 60, 10), 5, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i <= 12; ++i) {
        // Small renderings keep only the long ticks; the short ones turn to noise.
        if (s < 100 && i % 2 == 1)
            continue;
        const double t = i / 12.0;
        const double x = 256 * t;
        // Top edge of the tape: a cubic with the control points above.
        const double mt = 1 - t;
        const double y =
            mt * mt * mt * 190 + 3 * mt * mt * t * 172 + 3 * mt * t * t * 172 + t * t * t * 190;
        const double len = i % 2 == 0 ? 18 : 10;
        p.drawLine(QPointF(x, y + 2), QPointF(x, y + 2 + len));
    }
    p.setClipping(false);

    const QRectF hr(42, 40, 172, 150);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 40, 100, 70));
    p.drawPath(heartPath(hr.translated(0, 6)));
    p.setPen(QPen(QColor(22, 66, 150), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c.paper);
    p.drawPath(heartPath(hr));

    QPainterPath pulse;
    pulse.moveTo(56, 104);
    pulse.lineTo(96, 104);
    pulse.lineTo(110, 78);
    pulse.lineTo(128, 140);
    pulse.lineTo(146, 62);
    pulse.lineTo(160, 104);
    pulse.lineTo(200, 104);
    p.setPen(QPen(c.red, 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pulse);
    p.restore();
}

// The motif laid out for `size` px and drawn at `scale` times that resolution: the @2x image
// is the 1x drawing on a finer grid, not a new layout, so both look alike on screen.
QImage draw(const Motif& motif, int size, const Palette& c, int supersample = 4, int scale = 1) {
    return finished(renderIcon(
        size * scale,
        [&](QPainter& p) {
            p.scale(scale, scale);
            motif(p, c, size);
        },
        supersample));
}

} // namespace

QString doubleSizePath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype at = dot > slash ? dot : path.size();
    return path.left(at) + QStringLiteral("@2x") + path.mid(at);
}

std::vector<Artwork> iconArtwork() {
    const Palette normal = normalPalette();
    const Palette hot = hotPalette();
    std::vector<Artwork> out;
    auto add = [&out](const QString& path, const QByteArray& format, const QImage& image) {
        out.push_back({path, format, image, QImage()});
    };
    // An icon shown at `size` logical pixels, with its @2x image.
    auto addIcon = [&out](const QString& path, const QByteArray& format, const Motif& motif,
                          int size, const Palette& c) {
        out.push_back({path, format, draw(motif, size, c), draw(motif, size, c, 4, 2)});
    };
    const QString img = QStringLiteral("src/resources/images/");

    // Navigation bar, read from db/ at run time.
    const std::pair<const char*, Motif> nav[] = {
        {"calculator2", calculator},
        {"tape", tapeMeasure},
        {"bmi", scaleGauge},
        {"bp", bloodPressure},
        {"history_bf", withHistory(calculator)},
        {"history_tp", withHistory(tapeMeasure)},
        {"history_bp", withHistory(heartOnly)},
        {"history_bmi", withHistory(scaleGauge)},
        {"history_usr", withHistory(group)},
    };
    for (const auto& [name, motif] : nav)
        addIcon(QStringLiteral("db/%1.ico").arg(QLatin1String(name)), "ico", motif, 32, normal);

    // Menu images, 16 x 16.
    const std::pair<const char*, Motif> menu[] = {
        {"users", twoPeople},
        {"slideshow", slides},
        {"graph", lineGraph},
        {"print", printer},
        {"bmi", scaleGauge},
        {"history_bf", withHistory(calculator)},
        {"history_tape", withHistory(tapeMeasure)},
        {"history_bmi", withHistory(scaleGauge)},
        {"history_users", withHistory(group)},
        {"history_bp", withHistory(heartOnly)},
        {"tape", tapeMeasure},
        {"bodyfat", calculator},
        {"bp", bloodPressure},
        {"export", exportDoc},
        {"about",
         [](QPainter& p, const Palette& c, int s) { infoDisc(p, c, s, QStringLiteral("i")); }},
        {"delete_bf", withCross(calculator)},
    };
    for (const auto& [name, motif] : menu)
        addIcon(img + QStringLiteral("menu_%1.png").arg(QLatin1String(name)), "png", motif, 16,
                normal);

    // Main toolbar, 32 x 32, each with its hover image.
    const std::pair<const char*, Motif> toolbar[] = {
        {"users", twoPeople},  {"bodyfat", calculator}, {"history", withHistory(ledger)},
        {"slideshow", slides}, {"graph", lineGraph},    {"print", printer},
        {"export", exportDoc}, {"website", globe},      {"buy", cart},
    };
    for (const auto& [name, motif] : toolbar) {
        addIcon(img + QStringLiteral("toolbar_%1.png").arg(QLatin1String(name)), "png", motif, 32,
                normal);
        addIcon(img + QStringLiteral("toolbar_%1_hot.png").arg(QLatin1String(name)), "png", motif,
                32, hot);
    }

    // The record screens' action toolbar, 24 x 24.
    const std::pair<const char*, Motif> actions[] = {
        {"save", floppy},
        {"delete", trashCan},
        {"help",
         [](QPainter& p, const Palette& c, int s) { infoDisc(p, c, s, QStringLiteral("?")); }},
        {"calculate", calculator},
    };
    for (const auto& [name, motif] : actions) {
        addIcon(img + QStringLiteral("action_%1.png").arg(QLatin1String(name)), "png", motif, 24,
                normal);
        addIcon(img + QStringLiteral("action_%1_hot.png").arg(QLatin1String(name)), "png", motif,
                24, hot);
    }

    addIcon(img + QStringLiteral("fallback_calculators.png"), "png", fallbackCalculators, 32,
            normal);
    addIcon(img + QStringLiteral("fallback_history.png"), "png", fallbackHistory, 32, normal);

    // The program icon comes in the sizes the desktop asks for instead.
    add(img + QStringLiteral("vitalog.png"), "png", draw(programIcon, 256, normal, 2));
    add(img + QStringLiteral("vitalog-48.png"), "png", draw(programIcon, 48, normal));
    return out;
}

} // namespace art
