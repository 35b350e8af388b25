#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

class QPainter;

namespace vitalog {

// A plain, stylised human outline for the measurement pictures, seen from the front or the
// back. It is drawn in its own coordinates (Extent: 200 wide, 460 high, centre line x = 100,
// feet at the bottom) and mapped into any rectangle. The person's right side is on the
// viewer's left in the front view and on the viewer's right in the back view.
class BodyFigure {
public:
    enum class View { Front, Back };
    static constexpr QSizeF Extent{200, 460};

    // sex: 1 male, anything else female.
    BodyFigure(int sex, View view);

    bool IsMale() const { return m_male; }
    View GetView() const { return m_view; }

    // The whole silhouette; and the trunk alone (neck, torso and legs, without arms and head),
    // which tape lines are clipped to.
    QPainterPath Silhouette() const { return m_silhouette; }
    QPainterPath Trunk() const { return m_trunk; }

    // Maps figure coordinates into target, keeping the proportions, centred.
    static QTransform Mapping(const QRectF& target);

    // Draws the figure in figure coordinates; the caller sets the painter's transform. Its lines
    // keep their width in pixels of the picture whatever the transform's scale (PicturePen).
    void Draw(QPainter& painter) const;
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    void Build();
    void DrawDetails(QPainter& painter) const;
    void DrawHair(QPainter& painter) const;

    bool m_male;
    View m_view;
    // Half widths of the body at its landmarks.
    qreal m_neck, m_trapezius, m_shoulder, m_armpit, m_waist, m_hip, m_upperArm;
    QPainterPath m_silhouette;
    QPainterPath m_trunk;
};

} // namespace vitalog
