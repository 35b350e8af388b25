#include "charts.h"

#include "painting.h"

#include <QFontMetricsF>
#include <QStringList>

#include <numeric>

namespace art {
namespace {

// Reports print these pictures at 50-55 %, so body text is 22 px: about 11 px
// on paper, still comfortably readable.
constexpr int kMargin = 14;
constexpr int kTitleSize = 28;
constexpr int kHeadSize = 21;
constexpr int kCellSize = 22;
constexpr int kMarkSize = 15;
constexpr int kHeadHeight = 50;
constexpr int kRowHeight = 48;
constexpr int kSwatch = 14;

const QColor kText(27, 42, 65);
const QColor kNavy(36, 66, 110);

struct Category {
    QColor swatch;
    QColor tint;
    QStringList cells; // "word|value" draws "word" in italics before the value
};

struct Table {
    QStringList title; // one entry per line
    QString titleMark; // footnote mark after the last title line
    QStringList headings;
    QStringList headingMarks;
    std::vector<int> widths;
    int boldColumn = 0;
    std::vector<Category> rows;
};

// Draws `text` with an optional raised footnote mark, centred on `cx` or
// starting at `left` when cx < 0.
void markedText(QPainter& p, const QString& text, const QString& mark, const QFont& font,
                double left, double cx, double baseline, const QColor& color) {
    const QFont markFont = uiFont(kMarkSize, font.bold());
    const QFontMetricsF fm(font);
    const QFontMetricsF mm(markFont);
    const double wText = fm.horizontalAdvance(text);
    const double wMark = mark.isEmpty() ? 0 : mm.horizontalAdvance(mark) + 1;
    const double x = cx < 0 ? left : cx - (wText + wMark) / 2;
    p.setPen(color);
    p.setFont(font);
    p.drawText(QPointF(x, baseline), text);
    if (!mark.isEmpty()) {
        p.setFont(markFont);
        p.drawText(QPointF(x + wText + 1, baseline - fm.ascent() * 0.45), mark);
    }
}

// A cell text "or|80-89": the connective in italics, then the value.
void cellText(QPainter& p, const QString& cell, bool bold, double left, double cx,
              double baseline) {
    const QFont main = uiFont(kCellSize, bold);
    const int bar = cell.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        markedText(p, cell, {}, main, left, cx, baseline, kText);
        return;
    }
    const QString word = cell.left(bar) + QLatin1Char(' ');
    const QString value = cell.mid(bar + 1);
    const QFont soft = uiFont(kCellSize - 2, false, true);
    const double ww = QFontMetricsF(soft).horizontalAdvance(word);
    const double wv = QFontMetricsF(main).horizontalAdvance(value);
    const double x = cx < 0 ? left : cx - (ww + wv) / 2;
    p.setPen(QColor(80, 92, 112));
    p.setFont(soft);
    p.drawText(QPointF(x, baseline), word);
    p.setPen(kText);
    p.setFont(main);
    p.drawText(QPointF(x + ww, baseline), value);
}

// Laid out in the chart's own pixels and drawn at `scale` times that resolution: the @2x file
// for 200 % screens is the same drawing, not an enlargement.
QImage drawTable(const Table& t, int scale = 1) {
    const int tableW = std::accumulate(t.widths.begin(), t.widths.end(), 0);
    const int width = tableW + 2 * kMargin;
    const QFont titleFont = uiFont(kTitleSize, true);
    const QFontMetricsF tfm(titleFont);
    const int titleLine = int(std::ceil(tfm.height())) + 2;
    const int titleH = int(t.title.size()) * titleLine;
    const int tableTop = kMargin + titleH + 10;
    const int height = tableTop + kHeadHeight + int(t.rows.size()) * kRowHeight + kMargin;

    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    for (int i = 0; i < t.title.size(); ++i) {
        const double baseline = kMargin + i * titleLine + tfm.ascent();
        const bool last = i == t.title.size() - 1;
        markedText(p, t.title[i], last ? t.titleMark : QString(), titleFont, 0, width / 2.0,
                   baseline, kNavy);
    }

    const int x0 = kMargin;
    std::vector<int> colX{x0};
    for (int w : t.widths)
        colX.push_back(colX.back() + w);

    // Heading band.
    p.fillRect(QRect(x0, tableTop, tableW, kHeadHeight), kNavy);
    const QFont headFont = uiFont(kHeadSize, true);
    const double headBase = tableTop + (kHeadHeight + QFontMetricsF(headFont).capHeight()) / 2.0;
    for (int c = 0; c < t.headings.size(); ++c) {
        const QString mark = c < t.headingMarks.size() ? t.headingMarks[c] : QString();
        if (c == 0)
            markedText(p, t.headings[c], mark, headFont, x0 + kSwatch + 12, -1, headBase,
                       Qt::white);
        else
            markedText(p, t.headings[c], mark, headFont, 0, (colX[c] + colX[c + 1]) / 2.0, headBase,
                       Qt::white);
    }

    // Category rows, each tinted in its colour with a solid swatch at the left.
    const double capH = QFontMetricsF(uiFont(kCellSize)).capHeight();
    for (size_t r = 0; r < t.rows.size(); ++r) {
        const Category& row = t.rows[r];
        const int y = tableTop + kHeadHeight + int(r) * kRowHeight;
        p.fillRect(QRect(x0, y, tableW, kRowHeight), row.tint);
        p.fillRect(QRect(x0, y, kSwatch, kRowHeight), row.swatch);
        const double base = y + (kRowHeight + capH) / 2.0;
        for (int c = 0; c < row.cells.size(); ++c) {
            const bool bold = c == t.boldColumn;
            if (c == 0)
                cellText(p, row.cells[c], bold, x0 + kSwatch + 12, -1, base);
            else
                cellText(p, row.cells[c], bold, 0, (colX[c] + colX[c + 1]) / 2.0, base);
        }
        if (r > 0)
            p.fillRect(QRect(x0 + kSwatch, y, tableW - kSwatch, 2), Qt::white);
    }
    // Column rules and the frame.
    const int bodyTop = tableTop + kHeadHeight;
    const int bottom = bodyTop + int(t.rows.size()) * kRowHeight;
    for (size_t c = 1; c + 1 < colX.size(); ++c) {
        p.fillRect(QRect(colX[c] - 1, bodyTop, 2, bottom - bodyTop), Qt::white);
        p.fillRect(QRect(colX[c], tableTop + 10, 1, kHeadHeight - 20), QColor(120, 150, 190));
    }
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(QRect(x0, tableTop, tableW - 1, bottom - tableTop - 1).adjusted(0, 0, 0, 0));
    p.end();
    return finished(image);
}

// Category colours shared by the three charts: blue for under, greens for
// healthy, amber for borderline, red for high.
struct Tone {
    QColor swatch;
    QColor tint;
};
const Tone kBlue{QColor(66, 133, 214), QColor(214, 230, 250)};
const Tone kGreen{QColor(46, 160, 80), QColor(208, 238, 214)};
const Tone kLime{QColor(140, 190, 60), QColor(230, 243, 205)};
const Tone kAmber{QColor(240, 180, 20), QColor(255, 240, 190)};
const Tone kOrange{QColor(240, 128, 40), QColor(253, 222, 196)};
const Tone kRed{QColor(214, 56, 48), QColor(250, 206, 200)};

Category row(const Tone& tone, QStringList cells) {
    return {tone.swatch, tone.tint, std::move(cells)};
}

const QString kDash = QStringLiteral(" \u2013 ");

Table bodyFatTable() {
    Table t;
    t.title = {QStringLiteral("Body Fat Classification")};
    t.headings = {QStringLiteral("Classification"), QStringLiteral("Women (% fat)"),
                  QStringLiteral("Men (% fat)")};
    t.widths = {280, 220, 220};
    t.boldColumn = 0;
    auto range = [](int a, int b) {
        return QStringLiteral("%1%2%3%").arg(a).arg(QStringLiteral("\u2013")).arg(b);
    };
    t.rows = {
        row(kBlue, {QStringLiteral("Essential Fat"), range(10, 12), range(2, 4)}),
        row(kGreen, {QStringLiteral("Athletes"), range(14, 20), range(6, 13)}),
        row(kLime, {QStringLiteral("Fitness"), range(21, 24), range(14, 17)}),
        row(kAmber, {QStringLiteral("Acceptable"), range(25, 31), range(18, 25)}),
        row(kRed, {QStringLiteral("Obese"), QStringLiteral("32% and over"),
                   QStringLiteral("25% and over")}),
    };
    return t;
}

Table bmiTable() {
    Table t;
    t.title = {QStringLiteral("BMI Categories for Adults")};
    t.headings = {QStringLiteral("BMI"), QStringLiteral("Weight Status")};
    t.widths = {300, 300};
    t.boldColumn = 1;
    t.rows = {
        row(kBlue, {QStringLiteral("Below 18.5"), QStringLiteral("Underweight")}),
        row(kGreen,
            {QStringLiteral("18.5") + kDash + QStringLiteral("24.9"), QStringLiteral("Normal")}),
        row(kAmber, {QStringLiteral("25.0") + kDash + QStringLiteral("29.9"),
                     QStringLiteral("Overweight")}),
        row(kRed, {QStringLiteral("30.0 and Above"), QStringLiteral("Obese")}),
    };
    return t;
}

Table bloodPressureTable() {
    Table t;
    t.title = {QStringLiteral("CLASSIFICATION AND MANAGEMENT OF"),
               QStringLiteral("BLOOD PRESSURE FOR ADULTS")};
    t.titleMark = QStringLiteral("1");
    t.headings = {QStringLiteral("BP Classification"), QStringLiteral("SBP (mmHg)"),
                  QStringLiteral("DBP (mmHg)")};
    t.headingMarks = {QString(), QStringLiteral("2"), QStringLiteral("2")};
    t.widths = {310, 210, 210};
    t.boldColumn = 0;
    const QString ge = QStringLiteral("\u2265");
    t.rows = {
        row(kGreen, {QStringLiteral("Normal"), QStringLiteral("<120"), QStringLiteral("and|<80")}),
        row(kAmber, {QStringLiteral("Prehypertension"), QStringLiteral("120\u2013139"),
                     QStringLiteral("or|80\u201389")}),
        row(kOrange, {QStringLiteral("Stage 1 Hypertension"), QStringLiteral("140\u2013159"),
                      QStringLiteral("or|90\u201399")}),
        row(kRed, {QStringLiteral("Stage 2 Hypertension"), ge + QStringLiteral("160"),
                   QStringLiteral("or|") + ge + QStringLiteral("100")}),
    };
    return t;
}

} // namespace

std::vector<Artwork> chartArtwork() {
    return {
        {QStringLiteral("db/bodyfatchart.bmp"), "bmp", drawTable(bodyFatTable()),
         drawTable(bodyFatTable(), 2)},
        {QStringLiteral("db/BMI.bmp"), "bmp", drawTable(bmiTable()), drawTable(bmiTable(), 2)},
        {QStringLiteral("db/bloodpressure.bmp"), "bmp", drawTable(bloodPressureTable()),
         drawTable(bloodPressureTable(), 2)},
    };
}

} // namespace art
