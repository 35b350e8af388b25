#include "HelpPages.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>

#include <array>

namespace vitalog {

namespace {

constexpr std::array<const char*, 9> TopicFiles{
    "topic1-user-profile.txt",
    "topic2-bmi-bmr.txt",
    "topic3-body-composition-results.txt",
    "topic4-calculate-body-fat.txt",
    "topic5-graphing.txt",
    "topic6-history.txt",
    "topic7-slideshow.txt",
    "topic8-tape-measurements.txt",
    "topic9-blood-pressure.txt",
};

const QColor BandDark(24, 70, 130);
const QColor BandLight(58, 122, 192);
const QColor PaperColor(252, 253, 255);
const QColor AccentColor(191, 219, 255);

constexpr int BandHeight = 46;
constexpr int Margin = 14;
constexpr int LargestBodySize = 12;

void DrawFrame(PictureCanvas& canvas, const QString& heading) {
    QPainter& painter = canvas.Painter();
    const QRect page(QPoint(0, 0), HelpPageSize);

    QLinearGradient band(0, 0, page.width(), 0);
    band.setColorAt(0, BandDark);
    band.setColorAt(1, BandLight);
    painter.fillRect(QRect(0, 0, page.width(), BandHeight), band);
    painter.fillRect(QRect(0, BandHeight, page.width(), 3), AccentColor);

    // A question-mark badge says "help" at a glance.
    const QRectF badge(page.width() - Margin - 28, (BandHeight - 28) / 2.0, 28, 28);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawEllipse(badge);
    painter.setPen(BandDark);
    painter.setFont(PictureFont(19, true));
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("?"));

    painter.setPen(Qt::white);
    canvas.Text(QRectF(Margin, 4, badge.left() - Margin - 6, BandHeight - 8), heading,
                PictureFont(17, true), Qt::AlignLeft | Qt::AlignVCenter, 12);

    painter.setPen(QPen(AccentColor, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(page).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace

QString HelpPageText::PlainText() const {
    QStringList lines{heading};
    for (const TextBlock& block : blocks) {
        switch (block.kind) {
        case TextBlock::Bullet:
            lines << QStringLiteral("- ") + block.text;
            break;
        case TextBlock::Numbered:
            lines << block.marker + QStringLiteral(". ") + block.text;
            break;
        default:
            lines << block.text;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString HelpPageSource(int topic) {
    if (topic < 1 || topic > int(TopicFiles.size()))
        return {};
    return QStringLiteral(":/help/") + QLatin1String(TopicFiles[std::size_t(topic - 1)]);
}

HelpPageText ParseHelpPage(const QString& source) {
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)\\.\\s+(.*)$"));
    HelpPageText page;
    bool inBlock = false;
    for (const QString& rawLine : source.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty()) {
            inBlock = false;
            continue;
        }
        if (page.heading.isEmpty()) {
            page.heading = line;
            continue;
        }
        TextBlock block;
        if (line.startsWith(QStringLiteral("## "))) {
            block.kind = TextBlock::Subheading;
            block.text = line.mid(3).trimmed();
            page.blocks << block;
            inBlock = false; // a subheading stands on its own line
            continue;
        }
        if (line.startsWith(QStringLiteral("- "))) {
            block.kind = TextBlock::Bullet;
            block.text = line.mid(2).trimmed();
        } else if (const auto match = numbered.match(line); match.hasMatch()) {
            block.kind = TextBlock::Numbered;
            block.marker = match.captured(1);
            block.text = match.captured(2);
        } else if (inBlock) {
            page.blocks.last().text += QLatin1Char(' ') + line;
            continue;
        } else {
            block.text = line;
        }
        page.blocks << block;
        inBlock = true;
    }
    return page;
}

HelpPageText LoadHelpPage(int topic) {
    const QString path = HelpPageSource(topic);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return ParseHelpPage(QString::fromUtf8(file.readAll()));
}

QRectF HelpPageBodyArea() {
    const int top = BandHeight + 12;
    return QRectF(Margin, top, HelpPageSize.width() - 2 * Margin, HelpPageSize.height() - 10 - top);
}

TextBlocksFit FitHelpPage(const HelpPageText& page) {
    return FitTextBlocks(page.blocks, HelpPageBodyArea(), LargestBodySize);
}

DrawnPicture HelpPageDrawing(const HelpPageText& page) {
    return DrawnPicture(HelpPageSize, PaperColor, [page](QPainter& painter) {
        painter.setRenderHint(QPainter::TextAntialiasing);
        PictureCanvas canvas(painter);
        DrawFrame(canvas, page.heading);
        DrawTextBlocks(canvas, page.blocks, HelpPageBodyArea(), LargestBodySize);
    });
}

QImage RenderHelpPage(int topic, qreal devicePixelRatio) {
    const HelpPageText page = LoadHelpPage(topic);
    if (page.IsEmpty())
        return {};
    return RenderHelpPage(page, devicePixelRatio);
}

QImage RenderHelpPage(const HelpPageText& page, qreal devicePixelRatio) {
    return HelpPageDrawing(page).Render(devicePixelRatio);
}

} // namespace vitalog
