#include "BodyFigure.h"

#include "DrawnPicture.h"

#include <QList>
#include <QPainter>

#include <algorithm>

namespace vitalog {

namespace {

const QColor SkinColor(241, 222, 205);
const QColor OutlineColor(112, 86, 72);
const QColor DetailColor(186, 150, 130);
const QColor HairColor(104, 76, 56);

constexpr qreal Centre = 100;
constexpr qreal HeadY = 40;

// A closed curve through the points (Catmull-Rom turned into cubic pieces).
QPainterPath SmoothClosed(const QList<QPointF>& points) {
    QPainterPath path;
    const qsizetype n = points.size();
    if (n < 3)
        return path;
    path.moveTo(points[0]);
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF& p0 = points[(i - 1 + n) % n];
        const QPointF& p1 = points[i];
        const QPointF& p2 = points[(i + 1) % n];
        const QPointF& p3 = points[(i + 2) % n];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    path.closeSubpath();
    return path;
}

QPointF Left(qreal offset, qreal y) {
    return {Centre - offset, y};
}
QPointF Right(qreal offset, qreal y) {
    return {Centre + offset, y};
}

} // namespace

BodyFigure::BodyFigure(int sex, View view) : m_male(sex == 1), m_view(view) {
    if (m_male) {
        m_neck = 11;
        m_trapezius = 27;
        m_shoulder = 54;
        m_armpit = 41;
        m_waist = 34;
        m_hip = 38;
        m_upperArm = 10;
    } else {
        m_neck = 9;
        m_trapezius = 22;
        m_shoulder = 46;
        m_armpit = 35;
        m_waist = 27;
        m_hip = 44;
        m_upperArm = 8.5;
    }
    Build();
}

void BodyFigure::Build() {
    // Torso and legs: the viewer's left half from the neck down and round the foot up to the
    // crotch, then the same mirrored.
    const qreal thighOuter = m_hip - (m_male ? 4 : 3);
    const qreal kneeInner = m_male ? 9 : 8;
    const QList<std::pair<qreal, qreal>> half{
        {m_neck, 80},
        {m_trapezius, 86},
        {m_shoulder - 8, 93},
        {m_shoulder, 106},
        {m_armpit, 128},
        {m_male ? m_armpit - 1 : m_armpit + 1, m_male ? 150 : 146},
        {m_waist, 182},
        {m_hip - 2, 208},
        {m_hip, 228},
        {thighOuter, 258},
        {31, 338},
        {33, 368},
        {26, 420},
        {30, 446},
        {24, 453},
        {12, 453},
        {11, 420},
        {kneeInner, 368},
        {kneeInner, 338},
        {4, 272},
    };
    QList<QPointF> outline;
    for (const auto& [offset, y] : half)
        outline << Left(offset, y);
    outline << QPointF(Centre, 248);
    for (auto it = half.crbegin(); it != half.crend(); ++it)
        outline << Right(it->first, it->second);
    QPainterPath torso = SmoothClosed(outline);

    QPainterPath neck;
    neck.addRoundedRect(QRectF(Centre - m_neck, HeadY + 14, 2 * m_neck, 86 - HeadY - 14), 3, 3);
    m_trunk = torso.united(neck);

    // Arms from a centre line with a width at each joint, slightly away from the body.
    const qreal s = m_shoulder;
    const qreal w = m_upperArm;
    const QList<std::pair<QPointF, qreal>> arm{
        {{s - 3, 98}, w + 1},     {{s + 1, 150}, w},         {{s + 4, 190}, w * 0.78},
        {{s + 9, 262}, w * 0.56}, {{s + 11, 290}, w * 0.66},
    };
    QPainterPath arms;
    for (const int side : {-1, 1}) {
        // Down the outside of the arm, round the hand, up the inside.
        QList<QPointF> points;
        for (const auto& [c, halfWidth] : arm)
            points << QPointF(Centre + side * (c.x() + halfWidth), c.y());
        points << QPointF(Centre + side * (s + 12), 304); // finger tips
        for (auto it = arm.crbegin(); it != arm.crend(); ++it)
            points << QPointF(Centre + side * (it->first.x() - it->second), it->first.y());
        arms = arms.united(SmoothClosed(points));
    }

    const qreal headWidth = m_male ? 20 : 18.5;
    const qreal headHeight = m_male ? 27 : 25.5;
    QPainterPath head;
    head.addEllipse(QPointF(Centre, HeadY), headWidth, headHeight);

    m_silhouette = m_trunk.united(arms).united(head);
}

QTransform BodyFigure::Mapping(const QRectF& target) {
    const qreal scale =
        std::min(target.width() / Extent.width(), target.height() / Extent.height());
    const qreal x = target.left() + (target.width() - Extent.width() * scale) / 2;
    const qreal y = target.top() + (target.height() - Extent.height() * scale) / 2;
    return QTransform::fromTranslate(x, y).scale(scale, scale);
}

void BodyFigure::Draw(QPainter& painter, const QRectF& target) const {
    painter.save();
    painter.setTransform(Mapping(target), true);
    Draw(painter);
    painter.restore();
}

void BodyFigure::Draw(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SkinColor);
    painter.drawPath(m_silhouette);
    DrawDetails(painter);
    DrawHair(painter);
    QPen outline = PicturePen(painter, OutlineColor, 2);
    outline.setJoinStyle(Qt::RoundJoin);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(m_silhouette);
    painter.restore();
}

void BodyFigure::DrawDetails(QPainter& painter) const {
    QPen pen = PicturePen(painter, DetailColor, 1.3);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    QPainterPath lines;
    // Arms meet the body: a line along the inside of the upper arm.
    for (const int side : {-1, 1}) {
        lines.moveTo(Centre + side * (m_shoulder - 10), 112);
        lines.quadTo(Centre + side * (m_armpit + 1), 122, Centre + side * (m_armpit), 130);
    }
    if (m_view == View::Front) {
        for (const int side : {-1, 1}) {
            // Collarbone.
            lines.moveTo(Centre + side * (m_neck + 2), 89);
            lines.quadTo(Centre + side * (m_trapezius + 4), 90, Centre + side * (m_shoulder - 10),
                         94);
            if (m_male) {
                lines.moveTo(Centre + side * 4, 140);
                lines.quadTo(Centre + side * 20, 146, Centre + side * (m_armpit - 6), 130);
            } else {
                lines.moveTo(Centre + side * 5, 138);
                lines.cubicTo(Centre + side * 6, 156, Centre + side * 28, 158,
                              Centre + side * (m_armpit - 4), 136);
            }
            // Hip crease and knee.
            lines.moveTo(Centre + side * (m_hip - 10), 220);
            lines.quadTo(Centre + side * 12, 236, Centre + side * 5, 246);
            lines.moveTo(Centre + side * 15, 342);
            lines.quadTo(Centre + side * 20, 347, Centre + side * 25, 342);
        }
        painter.drawPath(lines);
        painter.setBrush(DetailColor);
        painter.drawEllipse(QPointF(Centre, 186), 1.8, 2.4); // navel
    } else {
        lines.moveTo(Centre, 92);
        lines.lineTo(Centre, 226); // spine
        for (const int side : {-1, 1}) {
            // Shoulder blade, its lower tip about level with the armpit's bottom.
            lines.moveTo(Centre + side * 12, 102);
            lines.quadTo(Centre + side * 24, 98, Centre + side * (m_male ? 36 : 31), 104);
            lines.quadTo(Centre + side * 30, 128, Centre + side * 22, 150);
            lines.quadTo(Centre + side * 14, 126, Centre + side * 12, 102);
            // Buttock.
            lines.moveTo(Centre + side * 2, 262);
            lines.quadTo(Centre + side * (m_hip / 2), 268, Centre + side * (m_hip - 5), 254);
            // Back of the knee.
            lines.moveTo(Centre + side * 15, 340);
            lines.lineTo(Centre + side * 25, 340);
        }
        lines.moveTo(Centre, 228);
        lines.lineTo(Centre, 252);
        painter.drawPath(lines);
    }
}

void BodyFigure::DrawHair(QPainter& painter) const {
    painter.setPen(Qt::NoPen);
    painter.setBrush(HairColor);
    QPainterPath hair;
    const qreal w = m_male ? 21 : 20;
    if (m_view == View::Back) {
        if (m_male) {
            hair.moveTo(Centre - w, HeadY + 6);
            hair.cubicTo(Centre - w - 2, HeadY - 42, Centre + w + 2, HeadY - 42, Centre + w,
                         HeadY + 6);
            hair.quadTo(Centre, HeadY + 14, Centre - w, HeadY + 6);
        } else {
            hair.moveTo(Centre - w - 2, HeadY + 26);
            hair.cubicTo(Centre - w - 8, HeadY - 38, Centre + w + 8, HeadY - 38, Centre + w + 2,
                         HeadY + 26);
            hair.quadTo(Centre, HeadY + 31, Centre - w - 2, HeadY + 26);
        }
    } else if (m_male) {
        hair.moveTo(Centre - w, HeadY - 6);
        hair.cubicTo(Centre - w - 1, HeadY - 34, Centre + w + 1, HeadY - 34, Centre + w, HeadY - 6);
        hair.quadTo(Centre + 6, HeadY - 22, Centre - w, HeadY - 6);
    } else {
        // Shoulder-length hair framing the face.
        hair.moveTo(Centre - w - 3, HeadY + 24);
        hair.cubicTo(Centre - w - 9, HeadY - 38, Centre + w + 9, HeadY - 38, Centre + w + 3,
                     HeadY + 24);
        hair.lineTo(Centre + w - 4, HeadY + 24);
        hair.cubicTo(Centre + w - 2, HeadY - 10, Centre + 8, HeadY - 18, Centre - 4, HeadY - 16);
        hair.cubicTo(Centre - 12, HeadY - 12, Centre - w + 2, HeadY - 6, Centre - w + 4,
                     HeadY + 24);
        hair.closeSubpath();
    }
    painter.drawPath(hair);
}

} // namespace vitalog
