#include "SitePictures.h"

#include "BodyFigure.h"
#include "PictureText.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>
#include <optional>

namespace vitalog {

namespace {

using View = BodyFigure::View;

const QColor BandDark(24, 70, 130);
const QColor BandLight(58, 122, 192);
const QColor PanelColor(241, 246, 253);
const QColor PanelBorder(196, 212, 232);
const QColor TextColor(20, 24, 32);
const QColor MutedText(84, 96, 112);
const QColor MarkerColor(206, 36, 36);
const QColor TapeColor(250, 204, 60);
const QColor TapeEdge(176, 128, 16);
const QColor LeaderColor(110, 118, 130);
const QColor SkinShade(226, 196, 176);
const QColor CaliperColor(150, 156, 164);

const QString WhichFormula = QStringLiteral("Which Formula?");
const QString EntireBody = QStringLiteral("Entire Body Diagram");

enum class Kind { Caliper, Tape };
enum class Fold { Vertical, Diagonal, Horizontal };
enum Sexes { Men = 1, Women = 2, Both = 3 };

// One measurement site: where it is on the figure and what its picture says. A tape site's
// anchor gives the height of the tape line.
struct Site {
    const char* name;
    int sexes;
    Kind kind;
    View view;
    Fold fold;
    QPointF maleAnchor;
    QPointF femaleAnchor;
    const char* where;
    const char* whereFemale; // null: the same for both
    const char* usedByMen;
    const char* usedByWomen;
};

const std::array<Site, 14> Sites{{
    {"Chest",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Diagonal,
     {71, 129},
     {72, 127},
     "A diagonal fold halfway between the front crease of the armpit and the nipple, running "
     "along the line between them.",
     "A diagonal fold one third of the way from the front crease of the armpit to the nipple, "
     "running along the line between them.",
     "Jackson/Pollock 7 and 3 Site, Parrillo",
     "Jackson/Pollock 7 Site, Parrillo"},
    {"Abdominal",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Vertical,
     {93, 188},
     {93, 190},
     "A vertical fold 2 cm (about 1 inch) to the right of the navel.",
     nullptr,
     "Jackson/Pollock 7, 4 and 3 Site, Parrillo",
     "Jackson/Pollock 7 and 4 Site, Parrillo"},
    {"Thigh",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Vertical,
     {80, 288},
     {79, 288},
     "A vertical fold on the front of the thigh, halfway between the crease of the hip and the "
     "top of the kneecap. Stand with your weight on the other leg.",
     nullptr,
     "Jackson/Pollock 7, 4 and 3 Site, Parrillo",
     "Jackson/Pollock 7, 4 and 3 Site, Parrillo"},
    {"Tricep",
     Both,
     Kind::Caliper,
     View::Back,
     Fold::Vertical,
     {154, 150},
     {146, 150},
     "A vertical fold on the back of the upper arm, halfway between the tip of the shoulder and "
     "the elbow. Let the arm hang relaxed.",
     nullptr,
     "Jackson/Pollock 7 and 4 Site, Durnin/Womersley, Parrillo",
     "Jackson/Pollock 7, 4 and 3 Site, Durnin/Womersley, Parrillo"},
    {"Subscapular",
     Both,
     Kind::Caliper,
     View::Back,
     Fold::Diagonal,
     {125, 160},
     {124, 160},
     "A diagonal fold just below the lower tip of the shoulder blade, running down and outward "
     "at about 45 degrees.",
     nullptr,
     "Jackson/Pollock 7 Site, Durnin/Womersley, Parrillo",
     "Jackson/Pollock 7 Site, Durnin/Womersley, Parrillo"},
    {"Suprailiac",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Diagonal,
     {70, 204},
     {75, 202},
     "A diagonal fold just above the top of the hip bone, in line with the front of the armpit, "
     "following the natural slope of the hip.",
     nullptr,
     "Jackson/Pollock 7 and 4 Site, Durnin/Womersley, Parrillo",
     "Jackson/Pollock 7, 4 and 3 Site, Durnin/Womersley, Parrillo"},
    {"Midaxillary",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Vertical,
     {64, 162},
     {68, 162},
     "A vertical fold on the side of the body, straight below the middle of the armpit, level "
     "with the bottom of the breastbone. Raise the arm a little.",
     nullptr,
     "Jackson/Pollock 7 Site",
     "Jackson/Pollock 7 Site"},
    {"Bicep",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Vertical,
     {47, 142},
     {54, 142},
     "A vertical fold on the front of the upper arm, over the middle of the biceps, halfway "
     "between the shoulder and the elbow.",
     nullptr,
     "Durnin/Womersley, Parrillo",
     "Durnin/Womersley, Parrillo"},
    {"Lower Back",
     Both,
     Kind::Caliper,
     View::Back,
     Fold::Vertical,
     {113, 208},
     {113, 206},
     "A vertical fold on the lower back, about 5 cm (2 inches) to the right of the spine, level "
     "with the top of the hip bone.",
     nullptr,
     "Parrillo",
     "Parrillo"},
    {"Calf",
     Both,
     Kind::Caliper,
     View::Front,
     Fold::Vertical,
     {89, 370},
     {90, 370},
     "A vertical fold on the inside of the calf, where it is widest. Rest the foot on a step "
     "with the knee bent at a right angle.",
     nullptr,
     "Parrillo",
     "Parrillo"},
    {"Abdomen",
     Men,
     Kind::Tape,
     View::Front,
     Fold::Horizontal,
     {100, 186},
     {100, 186},
     "Around the abdomen at the level of the navel, the tape level all the way round.",
     nullptr,
     "Tape Measure formula",
     nullptr},
    {"Waist",
     Women,
     Kind::Tape,
     View::Front,
     Fold::Horizontal,
     {100, 174},
     {100, 174},
     "Around the narrowest part of the waist, between the lowest rib and the top of the hip "
     "bone, the tape level all the way round.",
     nullptr,
     nullptr,
     "Tape Measure formula"},
    {"Neck",
     Both,
     Kind::Tape,
     View::Front,
     Fold::Horizontal,
     {100, 74},
     {100, 74},
     "Around the neck just below the larynx (Adam's apple), the tape sloping slightly down toward "
     "the front. Keep the shoulders down.",
     "Around the neck just below the larynx, the tape sloping slightly down toward the front. "
     "Keep the shoulders down.",
     "Tape Measure formula",
     "Tape Measure formula"},
    {"Hip",
     Women,
     Kind::Tape,
     View::Front,
     Fold::Horizontal,
     {100, 228},
     {100, 228},
     "Around the widest part of the buttocks seen from the side, feet together and the tape "
     "level all the way round.",
     nullptr,
     nullptr,
     "Tape Measure formula"},
}};

const QStringList CaliperSteps{
    QStringLiteral("Grasp the fold firmly between thumb and forefinger and lift it away from "
                   "the muscle."),
    QStringLiteral("Put the caliper jaws on the fold 1 cm (1/2 inch) from your fingers, halfway "
                   "between the top and the base of the fold."),
    QStringLiteral("Keep holding the fold, let the caliper close and read the scale after one "
                   "or two seconds, to the nearest millimeter."),
    QStringLiteral("Release, then measure again; use the average of two or three readings."),
};

const QStringList TapeSteps{
    QStringLiteral("Stand upright and relaxed and breathe out normally."),
    QStringLiteral("Put the tape on bare skin along the line shown, snug but not pressing into "
                   "the skin."),
    QStringLiteral("Read the tape where its end meets it, to the nearest 1/4 inch or half "
                   "centimeter."),
    QStringLiteral("Measure twice; if the readings differ, measure a third time and use the "
                   "average."),
};

bool IsMale(int sex) {
    return sex == 1;
}

const Site* FindSite(int sex, const QString& item) {
    const int wanted = IsMale(sex) ? Men : Women;
    for (const Site& site : Sites)
        if ((site.sexes & wanted) && item == QLatin1String(site.name))
            return &site;
    return nullptr;
}

QPointF Anchor(const Site& site, int sex) {
    return IsMale(sex) ? site.maleAnchor : site.femaleAnchor;
}

qreal FoldAngle(Fold fold) {
    // A diagonal fold runs from the outside down toward the middle on the person's right
    // side: from upper left to lower right as drawn.
    switch (fold) {
    case Fold::Vertical:
        return 90;
    case Fold::Diagonal:
        return 45;
    case Fold::Horizontal:
        break;
    }
    return 0;
}

QString FoldText(const Site& site) {
    if (site.kind == Kind::Tape)
        return QString::fromLatin1(site.name) == QLatin1String("Neck")
                   ? QStringLiteral("Tape sloping slightly down to the front")
                   : QStringLiteral("Tape level all the way round");
    switch (site.fold) {
    case Fold::Vertical:
        return QStringLiteral("Vertical fold");
    case Fold::Diagonal:
        return QStringLiteral("Diagonal fold");
    case Fold::Horizontal:
        break;
    }
    return QStringLiteral("Horizontal fold");
}

// The title band across the top of every site picture.
void DrawBand(PictureCanvas& canvas, const QString& title, const QString& subtitle) {
    QPainter& painter = canvas.Painter();
    const qreal width = SitePictureSize.width();
    QLinearGradient band(0, 0, width, 0);
    band.setColorAt(0, BandDark);
    band.setColorAt(1, BandLight);
    painter.fillRect(QRectF(0, 0, width, 50), band);
    painter.fillRect(QRectF(0, 50, width, 3), QColor(191, 219, 255));
    painter.setPen(Qt::white);
    canvas.Text(QRectF(16, 4, 430, 42), title, PictureFont(24, true),
                Qt::AlignLeft | Qt::AlignVCenter, 16);
    painter.setPen(QColor(224, 236, 250));
    canvas.Text(QRectF(450, 4, width - 466, 42), subtitle, PictureFont(15),
                Qt::AlignRight | Qt::AlignVCenter, 11);
}

// A tape line across the trunk at height y, in figure coordinates.
void DrawTapeLine(QPainter& painter, const BodyFigure& figure, qreal y) {
    painter.save();
    painter.setClipPath(figure.Trunk(), Qt::IntersectClip);
    const QRectF tape(0, y - 2.6, BodyFigure::Extent.width(), 5.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(TapeColor);
    painter.drawRect(tape);
    QPen ticks(TapeEdge, 0.5);
    painter.setPen(ticks);
    for (qreal x = 1; x < tape.right(); x += 2)
        painter.drawLine(QPointF(x, tape.top()),
                         QPointF(x, tape.top() + (int(x) % 10 == 1 ? 3 : 1.6)));
    const QPen edge = PicturePen(painter, TapeEdge, 1.2);
    painter.setPen(edge);
    painter.drawLine(tape.topLeft(), tape.topRight());
    painter.drawLine(tape.bottomLeft(), tape.bottomRight());
    painter.restore();
}

// A red ring round a caliper site with a stroke along the fold, in figure coordinates.
void DrawSiteMarker(QPainter& painter, QPointF anchor, std::optional<Fold> fold) {
    painter.save();
    const QPen ring = PicturePen(painter, MarkerColor, 2.6);
    painter.setPen(ring);
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawEllipse(anchor, 8, 8);
    if (fold) {
        QPen stroke = PicturePen(painter, MarkerColor.darker(130), 2.6);
        stroke.setCapStyle(Qt::RoundCap);
        painter.setPen(stroke);
        painter.translate(anchor);
        painter.rotate(FoldAngle(*fold));
        painter.drawLine(QPointF(-5.5, 0), QPointF(5.5, 0));
    }
    painter.restore();
}

// The pinched fold with the fingers and the caliper jaws, the fold running along x.
void DrawFoldSketch(QPainter& painter) {
    const QPen outline = PicturePen(painter, QColor(112, 86, 72), 1.6);

    // Thumb and forefinger on either side of the fold.
    painter.setPen(outline);
    painter.setBrush(QColor(236, 206, 188));
    painter.drawRoundedRect(QRectF(-34, -38, 20, 26), 9, 9);
    painter.drawRoundedRect(QRectF(-34, 12, 20, 26), 9, 9);

    QLinearGradient shade(0, -12, 0, 12);
    shade.setColorAt(0, SkinShade);
    shade.setColorAt(0.5, QColor(250, 234, 222));
    shade.setColorAt(1, SkinShade);
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(-44, -12, 88, 24));
    const QPen crest = PicturePen(painter, QColor(255, 246, 238), 2);
    painter.setPen(crest);
    painter.drawLine(QPointF(-34, 0), QPointF(34, 0));

    // Caliper: two jaws meeting the fold from both sides, joined by the frame.
    const QPen metal = PicturePen(painter, QColor(92, 98, 108), 1.4);
    painter.setPen(metal);
    painter.setBrush(CaliperColor);
    painter.drawRect(QRectF(6, -22, 8, 10));
    painter.drawRect(QRectF(6, 12, 8, 10));
    painter.drawRect(QRectF(8, -48, 4, 26));
    painter.drawRect(QRectF(8, 22, 4, 26));
    painter.drawRect(QRectF(8, -52, 52, 6));
    painter.drawRect(QRectF(8, 46, 52, 6));
}

// A round close-up of the site: the figure enlarged around it, with the fold or the tape.
void DrawCloseUp(QPainter& painter, const QPointF& centre, qreal radius, const BodyFigure& figure,
                 const Site& site, QPointF anchor) {
    painter.save();
    QPainterPath circle;
    circle.addEllipse(centre, radius, radius);
    painter.setClipPath(circle);
    painter.fillRect(circle.boundingRect(), QColor(250, 251, 253));

    // A skinfold close-up shows a hand's breadth, a tape close-up the whole width of the body.
    const qreal zoom = 2 * radius / (site.kind == Kind::Caliper ? 46 : 100);
    painter.save();
    painter.translate(centre);
    painter.scale(zoom, zoom);
    painter.translate(-anchor);
    figure.Draw(painter);
    if (site.kind == Kind::Tape)
        DrawTapeLine(painter, figure, anchor.y());
    painter.restore();

    if (site.kind == Kind::Caliper) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(centre);
        painter.rotate(FoldAngle(site.fold));
        painter.scale(0.8, 0.8);
        DrawFoldSketch(painter);
        painter.restore();
    }
    painter.restore();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(PanelBorder, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

// A small square showing the direction of the fold or the tape.
void DrawDirectionGlyph(QPainter& painter, const QRectF& box, const Site& site) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(PanelBorder, 1.5));
    painter.setBrush(PanelColor);
    painter.drawRoundedRect(box, 5, 5);
    painter.translate(box.center());
    if (site.kind == Kind::Tape) {
        painter.rotate(QString::fromLatin1(site.name) == QLatin1String("Neck") ? 8 : 0);
        painter.setPen(QPen(TapeEdge, 1));
        painter.setBrush(TapeColor);
        painter.drawRect(QRectF(-box.width() * 0.38, -4, box.width() * 0.76, 8));
    } else {
        painter.rotate(FoldAngle(site.fold));
        painter.setPen(QPen(MarkerColor, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(-box.width() * 0.32, 0), QPointF(box.width() * 0.32, 0));
    }
    painter.restore();
}

void DrawSite(PictureCanvas& canvas, int sex, const Site& site) {
    QPainter& painter = canvas.Painter();
    const bool male = IsMale(sex);
    const QString name = QString::fromLatin1(site.name);
    const QString kind =
        site.kind == Kind::Caliper ? QStringLiteral("Skinfold site") : QStringLiteral("Tape site");
    DrawBand(canvas, name,
             kind + (male ? QStringLiteral(" \u2013 men") : QStringLiteral(" \u2013 women")));

    // The figure with the site marked.
    const QRectF panel(12, 64, 250, 410);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(PanelBorder, 1));
    painter.setBrush(PanelColor);
    painter.drawRoundedRect(panel, 8, 8);
    painter.setPen(MutedText);
    canvas.Text(QRectF(panel.left() + 10, panel.top() + 4, 120, 18),
                site.view == View::Front ? QStringLiteral("Front") : QStringLiteral("Back"),
                PictureFont(12, true), Qt::AlignLeft | Qt::AlignVCenter);

    const BodyFigure figure(sex, site.view);
    const QPointF anchor = Anchor(site, sex);
    painter.save();
    painter.setTransform(BodyFigure::Mapping(panel.adjusted(8, 22, -8, -8)), true);
    figure.Draw(painter);
    if (site.kind == Kind::Tape)
        DrawTapeLine(painter, figure, anchor.y());
    else
        DrawSiteMarker(painter, anchor, site.fold);
    painter.restore();

    // Close-up and the key facts beside it.
    const QPointF closeUpCentre(356, 142);
    DrawCloseUp(painter, closeUpCentre, 74, figure, site, anchor);
    painter.setPen(MutedText);
    canvas.Text(QRectF(closeUpCentre.x() - 74, 220, 148, 18), QStringLiteral("Close-up"),
                PictureFont(12), Qt::AlignCenter);

    DrawDirectionGlyph(painter, QRectF(450, 70, 34, 34), site);
    painter.setPen(TextColor);
    canvas.Text(QRectF(494, 70, 239, 34), FoldText(site), PictureFont(17, true),
                Qt::AlignLeft | Qt::AlignVCenter, 12);

    const char* usedBy = male ? site.usedByMen : site.usedByWomen;
    QList<TextBlock> facts{{TextBlock::Subheading, QStringLiteral("Used by"), {}},
                           {TextBlock::Paragraph, QString::fromLatin1(usedBy), {}}};
    if (site.kind == Kind::Caliper) {
        facts << TextBlock{TextBlock::Subheading, QStringLiteral("Side"), {}}
              << TextBlock{TextBlock::Paragraph,
                           QStringLiteral("The right side of the body, standing relaxed."),
                           {}};
    }
    DrawTextBlocks(canvas, facts, QRectF(450, 114, 283, 124), 14);

    // Where and how.
    const char* where = (!male && site.whereFemale) ? site.whereFemale : site.where;
    QList<TextBlock> howTo{{TextBlock::Subheading, QStringLiteral("Where"), {}},
                           {TextBlock::Paragraph, QString::fromLatin1(where), {}},
                           {TextBlock::Subheading,
                            site.kind == Kind::Caliper ? QStringLiteral("Taking the skinfold")
                                                       : QStringLiteral("Taking the measurement"),
                            {}}};
    const QStringList& steps = site.kind == Kind::Caliper ? CaliperSteps : TapeSteps;
    for (qsizetype i = 0; i < steps.size(); ++i)
        howTo << TextBlock{TextBlock::Numbered, steps[i], QString::number(i + 1)};
    painter.setPen(QPen(PanelBorder, 1));
    painter.drawLine(QPointF(280, 248), QPointF(733, 248));
    DrawTextBlocks(canvas, howTo, QRectF(280, 256, 453, 218), 15);
}

void DrawLegendItem(PictureCanvas& canvas, const QPointF& at, bool tape, const QString& text) {
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (tape) {
        painter.setPen(QPen(TapeEdge, 1));
        painter.setBrush(TapeColor);
        painter.drawRect(QRectF(at.x(), at.y() - 4, 22, 8));
    } else {
        painter.setPen(QPen(MarkerColor, 2.4));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(at.x() + 11, at.y()), 6, 6);
    }
    painter.restore();
    painter.setPen(TextColor);
    canvas.Text(QRectF(at.x() + 30, at.y() - 9, 120, 18), text, PictureFont(12),
                Qt::AlignLeft | Qt::AlignVCenter);
}

// Spreads label centres so that neighbours keep at least gap between them, inside [top, bottom].
QList<qreal> SpreadLabels(QList<qreal> wanted, qreal gap, qreal top, qreal bottom) {
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        if (i > 0)
            wanted[i] = std::max(wanted[i], wanted[i - 1] + gap);
        wanted[i] = std::max(wanted[i], top);
    }
    for (qsizetype i = wanted.size() - 1; i >= 0; --i) {
        if (i + 1 < wanted.size())
            wanted[i] = std::min(wanted[i], wanted[i + 1] - gap);
        wanted[i] = std::min(wanted[i], bottom);
    }
    return wanted;
}

// Where the trunk ends on the right as seen, at height y in figure coordinates.
qreal TrunkRightEdge(const BodyFigure& figure, qreal y) {
    QPainterPath slice;
    slice.addRect(QRectF(BodyFigure::Extent.width() / 2, y - 0.5, BodyFigure::Extent.width(), 1));
    return figure.Trunk().intersected(slice).boundingRect().right();
}

struct DiagramLabel {
    const Site* site;
    QPointF point; // on the picture
};

void DrawBodyDiagram(PictureCanvas& canvas, int sex) {
    QPainter& painter = canvas.Painter();
    const bool male = IsMale(sex);
    DrawBand(canvas, QStringLiteral("Measurement Sites"),
             male ? QStringLiteral("Men") : QStringLiteral("Women"));

    const BodyFigure front(sex, View::Front);
    const BodyFigure back(sex, View::Back);
    const QRectF frontArea(148, 62, 180, 392);
    const QRectF backArea(462, 62, 180, 392);
    const QTransform frontMap = BodyFigure::Mapping(frontArea);
    const QTransform backMap = BodyFigure::Mapping(backArea);

    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& [figure, map] : {std::pair{&front, frontMap}, std::pair{&back, backMap}}) {
        painter.save();
        painter.setTransform(map, true);
        figure->Draw(painter);
        painter.restore();
    }

    const int wanted = male ? Men : Women;
    QList<DiagramLabel> frontCaliper, tape, backCaliper;
    for (const Site& site : Sites) {
        if (!(site.sexes & wanted))
            continue;
        const QPointF anchor = Anchor(site, sex);
        if (site.kind == Kind::Tape) {
            // The label points at the tape's end on the figure's left side as seen.
            tape << DiagramLabel{
                &site, frontMap.map(QPointF(TrunkRightEdge(front, anchor.y()), anchor.y()))};
        } else if (site.view == View::Front) {
            frontCaliper << DiagramLabel{&site, frontMap.map(anchor)};
        } else {
            backCaliper << DiagramLabel{&site, backMap.map(anchor)};
        }
    }

    for (const DiagramLabel& label : tape) {
        painter.save();
        painter.setTransform(frontMap, true);
        DrawTapeLine(painter, front, frontMap.inverted().map(label.point).y());
        painter.restore();
    }
    for (const DiagramLabel& label : frontCaliper + backCaliper) {
        painter.save();
        const bool isFront = label.site->view == View::Front;
        painter.setTransform(isFront ? frontMap : backMap, true);
        DrawSiteMarker(painter, Anchor(*label.site, sex), label.site->fold);
        painter.restore();
    }

    // Label columns: front caliper sites on the left, tape lines between the figures, back
    // sites on the right; each label has a leader line to its site.
    const auto placeColumn = [&](QList<DiagramLabel> labels, qreal textLeft, qreal textRight,
                                 bool alignRight) {
        std::sort(labels.begin(), labels.end(), [](const DiagramLabel& a, const DiagramLabel& b) {
            return a.point.y() < b.point.y();
        });
        QList<qreal> ys;
        for (const DiagramLabel& label : labels)
            ys << label.point.y();
        ys = SpreadLabels(ys, 22, 80, 400);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const qreal y = ys[i];
            const QPointF end(alignRight ? textRight + 4 : textLeft - 4, y);
            QPen leader(LeaderColor, 1);
            painter.setPen(leader);
            painter.drawLine(end, labels[i].point);
            painter.setBrush(LeaderColor);
            painter.drawEllipse(end, 1.5, 1.5);
            painter.setPen(TextColor);
            canvas.Text(QRectF(textLeft, y - 10, textRight - textLeft, 20),
                        QString::fromLatin1(labels[i].site->name), PictureFont(13, true),
                        (alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, 10);
        }
    };
    placeColumn(frontCaliper, 10, 128, true);
    placeColumn(tape, 350, 450, false);
    placeColumn(backCaliper, 656, 737, false);

    painter.setPen(MutedText);
    canvas.Text(QRectF(frontArea.left(), 458, frontArea.width(), 20), QStringLiteral("Front"),
                PictureFont(13, true), Qt::AlignCenter);
    canvas.Text(QRectF(backArea.left(), 458, backArea.width(), 20), QStringLiteral("Back"),
                PictureFont(13, true), Qt::AlignCenter);

    DrawLegendItem(canvas, QPointF(12, 420), false, QStringLiteral("Skinfold site"));
    DrawLegendItem(canvas, QPointF(12, 444), true, QStringLiteral("Tape line"));
    painter.setPen(MutedText);
    canvas.Text(QRectF(12, 456, 136, 26), QStringLiteral("Measure on the right side."),
                PictureFont(11), Qt::AlignLeft | Qt::AlignVCenter);
}

struct FormulaRow {
    const char* formula;
    const char* recommendedFor;
    const char* tool;
    const char* sites;
};

const std::array<FormulaRow, 7> FormulaRows{{
    {"Jackson/Pollock 7 Site", "The most thorough caliper method, for men and women of any build.",
     "Fat caliper", "Chest, abdominal, thigh, tricep, subscapular, suprailiac, midaxillary"},
    {"Jackson/Pollock 4 Site", "Men and women who want good accuracy with fewer skinfolds.",
     "Fat caliper", "Abdominal, thigh, tricep, suprailiac"},
    {"Jackson/Pollock 3 Site",
     "Beginners and quick regular checks; the sites are easy to reach on yourself.", "Fat caliper",
     "Men: chest, abdominal, thigh. Women: tricep, suprailiac, thigh"},
    {"Durnin/Womersley",
     "Adults of all ages (16 to 72) and people carrying more fat; upper-body sites only.",
     "Fat caliper", "Bicep, tricep, subscapular, suprailiac"},
    {"Parrillo", "Lean athletes and bodybuilders who follow small changes.", "Fat caliper",
     "Chest, abdominal, thigh, bicep, tricep, subscapular, suprailiac, lower back, calf"},
    {"Tape Measure", "Anyone without a caliper; quick, simple and easy to repeat.", "Tape measure",
     "Men: height, abdomen, neck. Women: height, waist, hip, neck"},
    {"Other", "You already know your body fat % from a scale, an analyzer or a clinic test.",
     "None", "Enter the body fat % yourself"},
}};

void DrawFormulaTable(PictureCanvas& canvas) {
    QPainter& painter = canvas.Painter();
    DrawBand(canvas, WhichFormula, QStringLiteral("Choosing a body fat method"));

    const qreal left = 12;
    const std::array<qreal, 4> widths{150, 262, 92, 217};
    const std::array<QString, 4> headers{QStringLiteral("Formula"),
                                         QStringLiteral("Recommended for"),
                                         QStringLiteral("Tool needed"), QStringLiteral("Sites")};
    const qreal top = 64;
    const qreal headerHeight = 26;
    const qreal rowHeight = 52;
    qreal tableWidth = 0;
    for (const qreal w : widths)
        tableWidth += w;

    painter.fillRect(QRectF(left, top, tableWidth, headerHeight), BandDark);
    painter.setPen(Qt::white);
    qreal x = left;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        canvas.Text(QRectF(x + 8, top, widths[c] - 16, headerHeight), headers[c],
                    PictureFont(13, true), Qt::AlignLeft | Qt::AlignVCenter);
        x += widths[c];
    }

    // One text size for every cell, the largest at which all of them fit.
    const auto CellBox = [&](qreal cellLeft, qreal rowTop, std::size_t column) {
        return QRectF(cellLeft + 8, rowTop + 3, widths[column] - 16, rowHeight - 6);
    };
    int cellSize = 13;
    for (const FormulaRow& row : FormulaRows) {
        const std::array<const char*, 4> cells{row.formula, row.recommendedFor, row.tool,
                                               row.sites};
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const int size =
                FittingPixelSize(QString::fromLatin1(cells[c]), PictureFont(cellSize, c == 0),
                                 CellBox(0, 0, c).size(), Qt::AlignLeft);
            if (size > 0)
                cellSize = std::min(cellSize, size);
        }
    }

    for (std::size_t r = 0; r < FormulaRows.size(); ++r) {
        const qreal y = top + headerHeight + qreal(r) * rowHeight;
        painter.fillRect(QRectF(left, y, tableWidth, rowHeight),
                         r % 2 ? PanelColor : QColor(Qt::white));
        const FormulaRow& row = FormulaRows[r];
        const std::array<const char*, 4> cells{row.formula, row.recommendedFor, row.tool,
                                               row.sites};
        x = left;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            painter.setPen(c == 0 ? BandDark : TextColor);
            canvas.Text(CellBox(x, y, c), QString::fromLatin1(cells[c]),
                        PictureFont(cellSize, c == 0), Qt::AlignLeft | Qt::AlignVCenter);
            x += widths[c];
        }
    }

    const qreal bottom = top + headerHeight + qreal(FormulaRows.size()) * rowHeight;
    painter.setPen(QPen(PanelBorder, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(left, top, tableWidth, bottom - top));
    x = left;
    for (std::size_t c = 0; c + 1 < widths.size(); ++c) {
        x += widths[c];
        painter.drawLine(QPointF(x, top + headerHeight), QPointF(x, bottom));
    }

    painter.setPen(MutedText);
    canvas.Text(QRectF(left, bottom + 8, tableWidth, SitePictureSize.height() - bottom - 14),
                QStringLiteral("Not sure? Start with Jackson/Pollock 3 Site, and keep to one "
                               "formula so that your results compare."),
                PictureFont(13), Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

QStringList SitePictureItems(int sex) {
    QStringList items{WhichFormula, EntireBody};
    const bool male = IsMale(sex);
    for (const char* name : {"Chest", "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac",
                             "Midaxillary", "Bicep", "Lower Back", "Calf"})
        items << QString::fromLatin1(name);
    if (male)
        items << QStringLiteral("Abdomen") << QStringLiteral("Neck");
    else
        items << QStringLiteral("Waist") << QStringLiteral("Neck") << QStringLiteral("Hip");
    return items;
}

namespace {

DrawnPicture Drawing(int sex, const QString& item, QStringList* overflow) {
    const Site* site = FindSite(sex, item);
    if (!site && item != WhichFormula && item != EntireBody)
        return {};
    return DrawnPicture(SitePictureSize, Qt::white, [sex, item, site, overflow](QPainter& painter) {
        painter.setRenderHint(QPainter::TextAntialiasing);
        PictureCanvas canvas(painter, overflow);
        if (item == WhichFormula)
            DrawFormulaTable(canvas);
        else if (item == EntireBody)
            DrawBodyDiagram(canvas, sex);
        else
            DrawSite(canvas, sex, *site);
    });
}

} // namespace

DrawnPicture SiteDrawing(int sex, const QString& item) {
    return Drawing(sex, item, nullptr);
}

QImage SitePicture(int sex, const QString& item, QStringList* overflow, qreal devicePixelRatio) {
    // Rendered at once, while overflow is still there to note into.
    return Drawing(sex, item, overflow).Render(devicePixelRatio);
}

} // namespace vitalog
