#include "painting.h"

#include <QFontDatabase>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

namespace art {

Palette normalPalette() {
    Palette c;
    c.ink = QColor(35, 52, 82);
    c.paper = QColor(255, 255, 255);
    c.mist = QColor(226, 232, 240);
    c.steel = QColor(160, 174, 192);
    c.slate = QColor(70, 98, 140);
    c.blue = QColor(40, 120, 220);
    c.blueLight = QColor(150, 198, 250);
    c.blueDark = QColor(26, 80, 160);
    c.red = QColor(222, 64, 56);
    c.redLight = QColor(250, 170, 160);
    c.orange = QColor(242, 140, 40);
    c.yellow = QColor(248, 196, 52);
    c.yellowLight = QColor(253, 230, 150);
    c.green = QColor(46, 160, 80);
    c.greenLight = QColor(150, 214, 120);
    c.skin = QColor(246, 204, 168);
    c.lcd = QColor(200, 234, 196);
    return c;
}

namespace {

QColor livelier(const QColor& c) {
    float h = 0, s = 0, v = 0, a = 0;
    c.getHsvF(&h, &s, &v, &a);
    s = std::min(1.0f, s * 1.15f);
    v = std::min(1.0f, v * 1.12f + 0.05f);
    return QColor::fromHsvF(h, s, v, a).toRgb();
}

} // namespace

Palette hotPalette() {
    Palette c = normalPalette();
    for (QColor* fill : {&c.paper, &c.mist, &c.steel, &c.slate, &c.blue, &c.blueLight, &c.blueDark,
                         &c.red, &c.redLight, &c.orange, &c.yellow, &c.yellowLight, &c.green,
                         &c.greenLight, &c.skin, &c.lcd})
        *fill = livelier(*fill);
    // Outlines turn from navy to a clear blue: the hover state reads at a glance.
    c.ink = QColor(20, 70, 150);
    return c;
}

QImage renderIcon(int size, const DrawFn& draw, int supersample) {
    const int big = size * supersample;
    QImage hi(big, big, QImage::Format_ARGB32_Premultiplied);
    hi.fill(Qt::transparent);
    {
        QPainter p(&hi);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(supersample, supersample);
        draw(p);
    }
    // Box filter over premultiplied pixels: exact area coverage, no ringing.
    QImage out(size, size, QImage::Format_ARGB32_Premultiplied);
    const int n = supersample * supersample;
    for (int y = 0; y < size; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size; ++x) {
            int sa = 0, sr = 0, sg = 0, sb = 0;
            for (int j = 0; j < supersample; ++j) {
                const auto* src =
                    reinterpret_cast<const QRgb*>(hi.constScanLine(y * supersample + j));
                for (int i = 0; i < supersample; ++i) {
                    const QRgb px = src[x * supersample + i];
                    sa += qAlpha(px);
                    sr += qRed(px);
                    sg += qGreen(px);
                    sb += qBlue(px);
                }
            }
            dst[x] = qRgba((sr + n / 2) / n, (sg + n / 2) / n, (sb + n / 2) / n, (sa + n / 2) / n);
        }
    }
    return out;
}

QImage finished(const QImage& image) {
    QImage out = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                         : image.convertToFormat(QImage::Format_RGB32);
    out.setDotsPerMeterX(3780);
    out.setDotsPerMeterY(3780);
    return out;
}

void box(QPainter& p, const QRectF& r, const QColor& fillColor, const QColor& ink, qreal radius) {
    p.save();
    p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fillColor);
    const QRectF inner = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (radius > 0.5)
        p.drawRoundedRect(inner, radius - 0.5, radius - 0.5);
    else
        p.drawRect(inner);
    p.restore();
}

void disc(QPainter& p, QPointF c, qreal r, const QColor& fillColor, const QColor& ink) {
    p.save();
    p.setPen(QPen(ink, 1.0));
    p.setBrush(fillColor);
    p.drawEllipse(c, r - 0.5, r - 0.5);
    p.restore();
}

void shape(QPainter& p, const QPainterPath& path, const QColor& fillColor, const QColor& ink,
           qreal width) {
    p.save();
    if (width > 0)
        p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(fillColor);
    p.drawPath(path);
    p.restore();
}

void line(QPainter& p, QPointF a, QPointF b, const QColor& color, qreal width,
          Qt::PenCapStyle cap) {
    p.save();
    p.setPen(QPen(color, width, Qt::SolidLine, cap, Qt::RoundJoin));
    p.drawLine(a, b);
    p.restore();
}

void fill(QPainter& p, const QRectF& r, const QColor& color) {
    p.fillRect(r, color);
}

void cutOut(QPainter& p, const QPainterPath& path, qreal gap) {
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(QPen(Qt::black, 2 * gap, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::black);
    p.drawPath(path);
    p.restore();
}

QFont uiFont(int pixelSize, bool bold, bool italic) {
    // Liberation Sans has Arial's metrics; DejaVu Sans is the fallback.
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const QString& f : {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")})
            if (families.contains(f))
                return f;
        return QStringLiteral("Sans Serif");
    }();
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace art
