#include "SlideshowArtwork.h"

#include "help/PictureText.h"
#include "help/ProductArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vitalog {

namespace {

const QColor Ink(20, 24, 32);
const QColor Band(24, 70, 130);
const QColor Panel(255, 255, 204);
const QColor PanelTitle(201, 201, 151);
const QColor Form(191, 219, 255);
const QColor Outline(70, 78, 92);

// A framed photograph: a sky, a hill and a sun, so that it reads as a picture at any size.
void DrawPhoto(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(Outline, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const QRectF inner =
        r.adjusted(r.width() * 0.08, r.height() * 0.08, -r.width() * 0.08, -r.height() * 0.08);
    QLinearGradient sky(inner.topLeft(), inner.bottomLeft());
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(200, 225, 250));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(inner);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QPointF(inner.left() + inner.width() * 0.75, inner.top() + inner.height() * 0.3),
                  inner.width() * 0.09, inner.width() * 0.09);
    QPainterPath hill;
    hill.moveTo(inner.bottomLeft());
    hill.quadTo(QPointF(inner.left() + inner.width() * 0.35, inner.top() + inner.height() * 0.35),
                QPointF(inner.right(), inner.bottom() - inner.height() * 0.15));
    hill.lineTo(inner.bottomRight());
    hill.closeSubpath();
    p.setBrush(QColor(90, 160, 90));
    p.drawPath(hill);
    p.restore();
}

// The screen in small: toolbar, date list and panels on the left, pictures on the right, with
// the numbers of the steps that use them.
void DrawScreenSketch(QPainter& p, PictureCanvas& canvas, const QRectF& r) {
    p.setPen(QPen(Outline, 1));
    p.setBrush(Form);
    p.drawRect(r);
    // Toolbar.
    const char* const buttons[] = {"Open", "Save", "Delete",  "Out", "In",
                                   "Prev", "Next", "Compare", "Help"};
    qreal x = r.left() + 6;
    for (const char* name : buttons) {
        const QRectF button(x, r.top() + 6, 36, 18);
        p.setBrush(Qt::white);
        p.drawRoundedRect(button, 3, 3);
        canvas.Text(button, QString::fromLatin1(name), PictureFont(9), Qt::AlignCenter, 7);
        x += 39;
    }
    // Side panel.
    const QRectF dateBox(r.left() + 6, r.top() + 34, 100, 40);
    const QRectF bodyBox(r.left() + 6, r.top() + 80, 100, 70);
    const QRectF tapeBox(r.left() + 6, r.top() + 156, 100, 86);
    for (const QRectF& box : {dateBox, bodyBox, tapeBox}) {
        p.setBrush(box == dateBox ? QColor(Qt::white) : Panel);
        p.drawRoundedRect(box, 4, 4);
        p.setBrush(PanelTitle);
        p.drawRect(QRectF(box.left(), box.top(), box.width(), 10));
    }
    p.setBrush(Qt::white);
    p.drawRect(QRectF(dateBox.left() + 8, dateBox.top() + 18, 84, 14));
    p.setPen(QPen(QColor(150, 150, 120), 1));
    for (qreal y = bodyBox.top() + 18; y < bodyBox.bottom() - 6; y += 10)
        p.drawLine(QPointF(bodyBox.left() + 8, y), QPointF(bodyBox.right() - 8, y));
    for (qreal y = tapeBox.top() + 18; y < tapeBox.bottom() - 6; y += 10)
        p.drawLine(QPointF(tapeBox.left() + 8, y), QPointF(tapeBox.right() - 8, y));
    // Pictures.
    DrawPhoto(p, QRectF(r.left() + 116, r.top() + 40, 70, 92));
    DrawPhoto(p, QRectF(r.left() + 194, r.top() + 40, 70, 92));
    DrawPhoto(p, QRectF(r.left() + 272, r.top() + 40, 70, 92));

    // Step numbers where they act.
    const auto badge = [&](const QPointF& at, int number) {
        p.setPen(Qt::NoPen);
        p.setBrush(Band);
        p.drawEllipse(at, 9, 9);
        p.setPen(Qt::white);
        p.setFont(PictureFont(11, true));
        p.drawText(QRectF(at.x() - 9, at.y() - 9, 18, 18), Qt::AlignCenter,
                   QString::number(number));
    };
    badge(QPointF(r.left() + 24, r.top() + 36), 1);
    badge(QPointF(dateBox.right() - 2, dateBox.top() + 26), 2);
    badge(QPointF(r.left() + 63, r.top() + 36), 3);
    badge(QPointF(r.left() + 240, r.top() + 136), 4);
    badge(QPointF(r.left() + 330, r.top() + 36), 5);
}

} // namespace

DrawnPicture GettingStartedPicture() {
    return DrawnPicture(GettingStartedSize, QColor(248, 250, 253), [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        QStringList overflow;
        PictureCanvas canvas(p, &overflow);
        // Title band.
        p.setPen(Qt::NoPen);
        p.setBrush(Band);
        p.drawRect(QRectF(0, 0, 776, 56));
        p.setPen(Qt::white);
        canvas.Text(QRectF(20, 8, 736, 40),
                    QStringLiteral("Getting started with the picture slideshow"),
                    PictureFont(24, true), Qt::AlignLeft | Qt::AlignVCenter);

        p.setPen(Ink);
        canvas.Text(QRectF(20, 70, 736, 44),
                    QStringLiteral("Keep progress pictures of yourself beside your measurements. "
                                   "The pictures stay where they are on your computer; Vitalog "
                                   "remembers only which picture belongs to which date."),
                    PictureFont(15), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);

        const QList<TextBlock> steps{
            {TextBlock::Subheading, QStringLiteral("Saving a picture"), {}},
            {TextBlock::Numbered,
             QStringLiteral("Press Open and choose a picture file (BMP, GIF, ICO, JPG, PNG, "
                            "TIFF or WebP)."),
             QStringLiteral("1")},
            {TextBlock::Numbered,
             QStringLiteral("Choose its date in \"Select date of picture\". The list holds the "
                            "dates of your body composition and tape measurements."),
             QStringLiteral("2")},
            {TextBlock::Numbered,
             QStringLiteral("Press Save. Up to eight pictures can be saved for one date; dates "
                            "with pictures are shown in bold with a marker."),
             QStringLiteral("3")},
            {TextBlock::Subheading, QStringLiteral("Looking back"), {}},
            {TextBlock::Numbered,
             QStringLiteral("Choose a date to see its pictures with that day's measurements. "
                            "Zoom In and Zoom Out change their size; Previous and Next step "
                            "through the dates that have pictures."),
             QStringLiteral("4")},
            {TextBlock::Numbered,
             QStringLiteral("Compare shows two pictures of any dates side by side. Print and "
                            "Export make a report of what is shown."),
             QStringLiteral("5")},
        };
        DrawTextBlocks(canvas, steps, QRectF(20, 124, 350, 430), 15);

        DrawScreenSketch(p, canvas, QRectF(392, 150, 364, 250));
        p.setPen(Ink);
        canvas.Text(QRectF(392, 410, 364, 80),
                    QStringLiteral("Deleting a date removes only its association with the "
                                   "pictures; the picture files themselves are never touched."),
                    PictureFont(14), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    });
}

QPixmap DateMarker(qreal devicePixelRatio) {
    const DrawnPicture marker(DateMarkerSize, Qt::transparent, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        DrawPhoto(p, QRectF(2.5, 1.5, 15, 12));
    });
    return QPixmap::fromImage(marker.Render(devicePixelRatio));
}

QIcon OpenPictureIcon() {
    return DrawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(150, 110, 30), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(2.5, 7.5, 19, 13));
        DrawPhoto(p, QRectF(9.5, 2.5, 12, 10));
        p.setBrush(QColor(250, 215, 110));
        p.drawPolygon(QPolygonF(
            {QPointF(2.5, 20.5), QPointF(6.5, 11.5), QPointF(23.5, 11.5), QPointF(21.5, 20.5)}));
    });
}

QIcon ZoomIcon(bool in) {
    return DrawnIcon([in](QPainter& p) {
        p.setPen(QPen(Outline, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 15), QPointF(21, 21));
        p.setPen(QPen(Outline, 1.5));
        p.setBrush(QColor(225, 240, 255));
        p.drawEllipse(QPointF(10, 10), 7.5, 7.5);
        p.setPen(QPen(Band, 2));
        p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
        if (in)
            p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    });
}

QIcon StepIcon(bool next) {
    return DrawnIcon([next](QPainter& p) {
        p.setPen(QPen(Band.darker(120), 1));
        p.setBrush(QColor(70, 140, 210));
        QPolygonF arrow({QPointF(3, 9), QPointF(12, 9), QPointF(12, 4), QPointF(21, 12),
                         QPointF(12, 20), QPointF(12, 15), QPointF(3, 15)});
        if (!next)
            arrow = QTransform(-1, 0, 0, 1, 24, 0).map(arrow);
        p.drawPolygon(arrow);
    });
}

QIcon CompareIcon() {
    return DrawnIcon([](QPainter& p) {
        DrawPhoto(p, QRectF(1.5, 4.5, 10, 14));
        DrawPhoto(p, QRectF(12.5, 4.5, 10, 14));
    });
}

} // namespace vitalog
