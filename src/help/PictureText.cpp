#include "PictureText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace vitalog {

QFont PictureFont(int pixelSize, bool bold) {
    QFont font;
    // Arial-metric faces first, so the pictures look alike wherever they are drawn.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

int FittingPixelSize(const QString& text, const QFont& font, const QSizeF& box, int flags,
                     int minimumPixelSize) {
    QFont trial = font;
    for (int size = font.pixelSize(); size >= minimumPixelSize; --size) {
        trial.setPixelSize(size);
        const QFontMetricsF metrics(trial);
        const QRectF needed =
            metrics.boundingRect(QRectF(QPointF(0, 0), box), flags | Qt::TextWordWrap, text);
        if (needed.width() <= box.width() + 0.5 && needed.height() <= box.height() + 0.5)
            return size;
    }
    return 0;
}

int PictureCanvas::Text(const QRectF& box, const QString& text, const QFont& font, int alignment,
                        int minimumPixelSize) {
    int size = FittingPixelSize(text, font, box.size(), alignment, minimumPixelSize);
    if (size == 0) {
        if (m_overflow)
            m_overflow->append(text);
        size = minimumPixelSize;
    }
    QFont used = font;
    used.setPixelSize(size);
    m_painter.save();
    m_painter.setFont(used);
    m_painter.drawText(box, alignment | Qt::TextWordWrap, text);
    m_painter.restore();
    return size;
}

} // namespace vitalog

namespace vitalog {

qreal LayOutTextBlocks(const QList<TextBlock>& blocks, const QRectF& area, int pixelSize,
                       QPainter* painter, const TextBlockStyle& style) {
    const QFont body = PictureFont(pixelSize);
    const QFont subheading = PictureFont(pixelSize + 1, true);
    const qreal gap = pixelSize * 0.55;

    const auto isListItem = [](const TextBlock& block) {
        return block.kind == TextBlock::Bullet || block.kind == TextBlock::Numbered;
    };

    qreal y = area.top();
    bool first = true;
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const TextBlock& block = blocks[i];
        const bool isHeading = block.kind == TextBlock::Subheading;
        if (isHeading && !first)
            y += gap * 0.6; // a little air above a section
        first = false;

        const QFont& font = isHeading ? subheading : body;
        qreal indent = 0;
        QString marker;
        if (block.kind == TextBlock::Bullet) {
            indent = pixelSize + 1;
            marker = QString(QChar(0x2022));
        } else if (block.kind == TextBlock::Numbered) {
            indent = pixelSize + 5;
            marker = block.marker + QLatin1Char('.');
        }

        QTextLayout layout(block.text, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal height = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(area.width() - indent);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout.endLayout();

        if (painter) {
            painter->save();
            painter->setPen(isHeading ? style.heading : style.text);
            if (!marker.isEmpty()) {
                painter->setFont(font);
                painter->drawText(QPointF(area.left(), y + QFontMetricsF(font).ascent()), marker);
            }
            layout.draw(painter, QPointF(area.left() + indent, y));
            painter->restore();
        }
        // Items of one list sit closer together than paragraphs.
        const bool listGoesOn =
            i + 1 < blocks.size() && isListItem(block) && isListItem(blocks[i + 1]);
        if (i + 1 < blocks.size())
            y += isHeading ? gap * 0.3 : listGoesOn ? gap * 0.5 : gap;
        y += height;
    }
    return y;
}

TextBlocksFit FitTextBlocks(const QList<TextBlock>& blocks, const QRectF& area,
                            int largestPixelSize) {
    TextBlocksFit fit;
    for (int size = largestPixelSize; size >= MinimumPicturePixelSize; --size) {
        fit.pixelSize = size;
        fit.bottom = LayOutTextBlocks(blocks, area, size, nullptr);
        if (fit.bottom <= area.bottom()) {
            fit.fits = true;
            break;
        }
    }
    return fit;
}

TextBlocksFit DrawTextBlocks(PictureCanvas& canvas, const QList<TextBlock>& blocks,
                             const QRectF& area, int largestPixelSize,
                             const TextBlockStyle& style) {
    const TextBlocksFit fit = FitTextBlocks(blocks, area, largestPixelSize);
    if (!fit.fits && !blocks.isEmpty())
        canvas.NoteOverflow(blocks.constFirst().text);
    LayOutTextBlocks(blocks, area, fit.pixelSize, &canvas.Painter(), style);
    return fit;
}

} // namespace vitalog
