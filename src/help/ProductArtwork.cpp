#include "ProductArtwork.h"

#include "BodyFigure.h"
#include "DrawnPicture.h"
#include "PictureText.h"
#include "VendorConfig.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <array>
#include <functional>

namespace vitalog {

namespace {

const QColor BandDark(24, 70, 130);
const QColor BandLight(58, 122, 192);
const QColor Theme(191, 219, 255);
const QColor TextColor(20, 24, 32);
const QColor MutedText(84, 96, 112);
const QColor Outline(70, 76, 86);
const QColor Metal(176, 182, 190);
const QColor TapeYellow(250, 204, 60);
const QColor HeartRed(214, 44, 52);

constexpr int BandHeight = 52;
constexpr int FirstRowTop = 58;
constexpr int RowHeight = 47;
constexpr int LinkLeft = 88;

QPainterPath Heart(const QPointF& centre, qreal size) {
    QPainterPath heart;
    const qreal s = size / 2;
    heart.moveTo(centre.x(), centre.y() + s);
    heart.cubicTo(centre.x() - s * 1.6, centre.y() - s * 0.2, centre.x() - s * 0.7,
                  centre.y() - s * 1.4, centre.x(), centre.y() - s * 0.45);
    heart.cubicTo(centre.x() + s * 0.7, centre.y() - s * 1.4, centre.x() + s * 1.6,
                  centre.y() - s * 0.2, centre.x(), centre.y() + s);
    return heart;
}

void DrawCaliper(QPainter& p, const QRectF& b) {
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(Metal);
    // Scale arm with ticks, two jaws, and the spring grip at the end.
    p.drawRect(QRectF(b.left() + 4, b.top() + 5, 52, 7));
    QPainterPath fixedJaw;
    fixedJaw.moveTo(b.left() + 5, b.top() + 12);
    fixedJaw.lineTo(b.left() + 10, b.top() + 12);
    fixedJaw.quadTo(b.left() + 12, b.top() + 28, b.left() + 16, b.top() + 36);
    fixedJaw.lineTo(b.left() + 12, b.top() + 36);
    fixedJaw.quadTo(b.left() + 5, b.top() + 26, b.left() + 5, b.top() + 12);
    p.drawPath(fixedJaw);
    QPainterPath movingJaw;
    movingJaw.moveTo(b.left() + 24, b.top() + 12);
    movingJaw.lineTo(b.left() + 29, b.top() + 12);
    movingJaw.quadTo(b.left() + 29, b.top() + 26, b.left() + 22, b.top() + 36);
    movingJaw.lineTo(b.left() + 18, b.top() + 36);
    movingJaw.quadTo(b.left() + 25, b.top() + 28, b.left() + 24, b.top() + 12);
    p.drawPath(movingJaw);
    p.setBrush(QColor(60, 110, 170));
    p.drawRoundedRect(QRectF(b.left() + 42, b.top() + 12, 12, 24), 4, 4);
    p.setPen(QPen(Outline, 0.8));
    for (int i = 0; i < 9; ++i)
        p.drawLine(QPointF(b.left() + 30 + i * 1.5, b.top() + 5),
                   QPointF(b.left() + 30 + i * 1.5, b.top() + (i % 4 == 0 ? 9 : 7.5)));
}

void DrawTape(QPainter& p, const QRectF& b) {
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(TapeYellow);
    p.drawRect(QRectF(b.left() + 24, b.top() + 26, 34, 7));
    p.setPen(QPen(Outline, 0.7));
    for (int i = 0; i < 11; ++i)
        p.drawLine(QPointF(b.left() + 27 + i * 3, b.top() + 26),
                   QPointF(b.left() + 27 + i * 3, b.top() + (i % 2 ? 28.5 : 30)));
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(QColor(36, 150, 140));
    p.drawEllipse(QPointF(b.left() + 20, b.top() + 19), 16, 16);
    p.setBrush(QColor(230, 244, 242));
    p.drawEllipse(QPointF(b.left() + 20, b.top() + 19), 6, 6);
    p.setBrush(Outline);
    p.drawRect(QRectF(b.left() + 56, b.top() + 24, 3, 11));
}

void DrawScale(QPainter& p, const QRectF& b) {
    p.setPen(QPen(Outline, 1.2));
    QLinearGradient glass(b.topLeft(), b.bottomRight());
    glass.setColorAt(0, QColor(236, 242, 248));
    glass.setColorAt(1, QColor(184, 196, 210));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(b.left() + 12, b.top() + 3, 38, 34), 6, 6);
    p.setBrush(QColor(40, 46, 54));
    p.drawRoundedRect(QRectF(b.left() + 21, b.top() + 7, 20, 8), 2, 2);
    p.setPen(QPen(QColor(120, 230, 160), 1.4));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(b.left() + 24 + i * 5, b.top() + 11),
                   QPointF(b.left() + 27 + i * 5, b.top() + 11));
}

void DrawBloodPressureMonitor(QPainter& p, const QRectF& b) {
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(QColor(60, 90, 130));
    p.drawRoundedRect(QRectF(b.left() + 36, b.top() + 4, 22, 30), 5, 5);
    p.setPen(QPen(QColor(200, 210, 222), 1));
    p.drawLine(QPointF(b.left() + 40, b.top() + 10), QPointF(b.left() + 54, b.top() + 10));
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath tube;
    tube.moveTo(b.left() + 36, b.top() + 20);
    tube.cubicTo(b.left() + 30, b.top() + 34, b.left() + 28, b.top() + 14, b.left() + 26,
                 b.top() + 22);
    p.drawPath(tube);
    p.setBrush(QColor(244, 246, 248));
    p.drawRoundedRect(QRectF(b.left() + 2, b.top() + 8, 26, 26), 4, 4);
    p.setBrush(QColor(200, 224, 206));
    p.drawRect(QRectF(b.left() + 6, b.top() + 12, 18, 10));
    p.setBrush(QColor(80, 150, 210));
    p.drawEllipse(QPointF(b.left() + 15, b.top() + 28), 3, 3);
}

void DrawHeartRateMonitor(QPainter& p, const QRectF& b) {
    p.setPen(QPen(QColor(40, 44, 52), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(b.left() + 3, b.top() + 4, 56, 30), 200 * 16, 140 * 16);
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(QColor(40, 44, 52));
    p.drawRoundedRect(QRectF(b.left() + 19, b.top() + 20, 24, 14), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(HeartRed);
    p.drawPath(Heart(QPointF(b.left() + 31, b.top() + 27), 9));
}

void DrawAnalyzer(QPainter& p, const QRectF& b) {
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(Metal);
    p.drawRoundedRect(QRectF(b.left() + 2, b.top() + 9, 15, 22), 5, 5);
    p.drawRoundedRect(QRectF(b.left() + 45, b.top() + 9, 15, 22), 5, 5);
    p.setBrush(QColor(236, 240, 246));
    p.drawRoundedRect(QRectF(b.left() + 14, b.top() + 11, 34, 18), 4, 4);
    p.setBrush(QColor(200, 224, 206));
    p.drawRect(QRectF(b.left() + 20, b.top() + 15, 22, 8));
    p.setPen(QPen(QColor(40, 90, 60), 1));
    p.setFont(PictureFont(8, true));
    p.drawText(QRectF(b.left() + 20, b.top() + 15, 22, 8), Qt::AlignCenter, QStringLiteral("%"));
}

void DrawGuide(QPainter& p, const QRectF& b) {
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(QRectF(b.left() + 19, b.top() + 4, 30, 33));
    p.setBrush(BandDark);
    p.drawRect(QRectF(b.left() + 15, b.top() + 2, 30, 33));
    p.setPen(Qt::NoPen);
    p.setBrush(Theme);
    p.drawRect(QRectF(b.left() + 20, b.top() + 8, 20, 3));
    p.drawRect(QRectF(b.left() + 20, b.top() + 13, 14, 2));
    p.setBrush(HeartRed);
    p.drawPath(Heart(QPointF(b.left() + 30, b.top() + 25), 10));
}

const std::array<std::function<void(QPainter&, const QRectF&)>, 7> ProductDrawings{
    DrawCaliper,          DrawTape,     DrawScale, DrawBloodPressureMonitor,
    DrawHeartRateMonitor, DrawAnalyzer, DrawGuide,
};

void DrawLogo(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, LogoSize.height());
    sky.setColorAt(0, Qt::white);
    sky.setColorAt(1, Theme);
    painter.fillRect(QRect(QPoint(0, 0), LogoSize), sky);

    // Emblem: a figure with a tape round its waist in a blue disc.
    const QPointF centre(64, 62);
    const qreal radius = 50;
    QRadialGradient disc(centre - QPointF(radius / 3, radius / 2.5), radius * 1.6);
    disc.setColorAt(0, BandLight);
    disc.setColorAt(1, BandDark);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);

    const QRectF figureBox(centre.x() - radius * 0.42, centre.y() - radius * 0.84, radius * 0.84,
                           radius * 1.68);
    const QTransform map = BodyFigure::Mapping(figureBox);
    const BodyFigure figure(1, BodyFigure::View::Front);
    const QPointF waist = map.map(QPointF(100, 186));
    const QRectF tapeLoop(waist.x() - radius * 0.55, waist.y() - 5, radius * 1.1, 10);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(TapeYellow.darker(115), 3.5));
    painter.drawArc(tapeLoop, 0, 180 * 16); // the back of the loop, behind the figure
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(map.map(figure.Silhouette()));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(TapeYellow, 3.5));
    painter.drawArc(tapeLoop, 180 * 16, 180 * 16);

    // A rising line on the disc: progress.
    painter.setPen(QPen(QColor(120, 220, 150), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath trend;
    const auto at = [&](qreal x, qreal y) { return centre + QPointF(x, y) * radius; };
    trend.moveTo(at(0.35, 0.58));
    trend.lineTo(at(0.52, 0.42));
    trend.lineTo(at(0.61, 0.48));
    trend.lineTo(at(0.8, 0.26));
    painter.drawPath(trend);

    // Right of the emblem goes the name and version, below the rule the links: those are
    // controls placed over the picture (LogoTextPlace, LogoLinksPlace).
    painter.setPen(MutedText);
    PictureCanvas canvas(painter);
    QFont tagline = PictureFont(12);
    tagline.setItalic(true);
    canvas.Text(QRectF(128, 52, 195, 20), QStringLiteral("Your body composition diary"), tagline,
                Qt::AlignLeft | Qt::AlignVCenter);
    canvas.Text(QRectF(128, 84, 195, 18), QStringLiteral("Copyright \u00A9 Kestrel Software"),
                PictureFont(11), Qt::AlignLeft | Qt::AlignVCenter);
    painter.setPen(QPen(Theme.darker(115), 1));
    painter.drawLine(QPointF(14, 122.5), QPointF(LogoSize.width() - 14, 122.5));
}

void DrawAccessories(QPainter& painter, QStringList* overflow) {
    painter.setRenderHint(QPainter::Antialiasing);
    PictureCanvas canvas(painter, overflow);

    QLinearGradient band(0, 0, AccessoriesSize.width(), 0);
    band.setColorAt(0, BandDark);
    band.setColorAt(1, BandLight);
    painter.fillRect(QRectF(0, 0, AccessoriesSize.width(), BandHeight), band);
    painter.setPen(Qt::white);
    canvas.Text(QRectF(16, 4, 200, BandHeight - 8), QStringLiteral("Accessories"),
                PictureFont(22, true), Qt::AlignLeft | Qt::AlignVCenter);
    painter.setPen(QColor(224, 236, 250));
    canvas.Text(QRectF(220, 4, AccessoriesSize.width() - 236, BandHeight - 8),
                QStringLiteral("Tools for tracking your progress"), PictureFont(13),
                Qt::AlignRight | Qt::AlignVCenter);

    for (int i = 0; i < int(AccessoryLinks.size()); ++i) {
        const int top = FirstRowTop + i * RowHeight;
        if (i % 2)
            painter.fillRect(QRectF(0, top, AccessoriesSize.width(), RowHeight),
                             QColor(241, 246, 253));
        painter.save();
        ProductDrawings[std::size_t(i)](painter, QRectF(14, top + 4, 62, 39));
        painter.restore();
        painter.setPen(MutedText);
        canvas.Text(QRectF(LinkLeft + 2, top + 24, AccessoriesSize.width() - LinkLeft - 14, 20),
                    QString::fromLatin1(AccessoryLinks[std::size_t(i)].tooltip), PictureFont(12),
                    Qt::AlignLeft | Qt::AlignVCenter);
    }
}

} // namespace

QImage LogoPicture(qreal devicePixelRatio) {
    return DrawnPicture(LogoSize, Qt::white, DrawLogo).Render(devicePixelRatio);
}

QImage AccessoriesPicture(QStringList* overflow, qreal devicePixelRatio) {
    const auto draw = [overflow](QPainter& painter) { DrawAccessories(painter, overflow); };
    return DrawnPicture(AccessoriesSize, Qt::white, draw).Render(devicePixelRatio);
}

QPoint LogoTextPlace() {
    return {126, 20};
}
QPoint LogoLinksPlace() {
    return {12, 126};
}

QPoint AccessoryLinkPlace(int index) {
    return {LinkLeft, FirstRowTop + index * RowHeight + 3};
}

QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
    const DrawnPicture picture(QSize(24, 24), Qt::transparent, [&draw](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    });
    // The icon picks the pixmap for the screen's ratio, scaling the larger one down in between.
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(QPixmap::fromImage(picture.Render(ratio)));
    return icon;
}

QIcon PrintIcon() {
    return DrawnIcon([](QPainter& p) {
        p.setPen(QPen(Outline, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 2.5, 11, 8));
        p.setBrush(QColor(150, 158, 170));
        p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 14.5, 11, 7));
        p.setPen(QPen(QColor(120, 128, 140), 1));
        p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
        p.drawLine(QPointF(8.5, 19.5), QPointF(13.5, 19.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 200, 100));
        p.drawEllipse(QPointF(18.5, 11.5), 1.2, 1.2);
    });
}

QIcon HelpIcon() {
    return DrawnIcon([](QPainter& p) {
        QRadialGradient ball(QPointF(9, 8), 14);
        ball.setColorAt(0, BandLight.lighter(130));
        ball.setColorAt(1, BandDark);
        p.setPen(QPen(BandDark.darker(120), 1));
        p.setBrush(ball);
        p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
        p.setPen(Qt::white);
        p.setFont(PictureFont(16, true));
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    });
}

} // namespace vitalog
