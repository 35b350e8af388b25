#include "SortHeader.h"

#include <QPainter>
#include <QPolygon>
#include <QStyleOptionHeader>

namespace vitalog {

namespace {

constexpr int ArrowMargin = 4; // between the text and the arrow, and after the arrow

} // namespace

SortHeader::SortHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setSortIndicatorShown(false); // the arrow is ours
    setHighlightSections(false);
}

void SortHeader::SetArrow(int column, bool ascending) {
    m_column = column;
    m_ascending = ascending;
    viewport()->update();
}

void SortHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    const bool arrow = logicalIndex == m_column;
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    QStyleOptionHeader label = option;
    if (arrow)
        label.rect.setRight(rect.right() - (ArrowWidth + 2 * ArrowMargin));
    label.rect.adjust(ArrowMargin, 0, 0, 0);
    if (!arrow)
        label.rect.adjust(0, 0, -ArrowMargin, 0);
    style()->drawControl(QStyle::CE_HeaderLabel, &label, painter, this);
    if (arrow) {
        // 9 x 5, point up or down, in the text colour on the header's face.
        const int left = rect.right() - ArrowMargin - ArrowWidth + 1;
        const int top = rect.top() + (rect.height() - ArrowHeight) / 2;
        QPolygonF triangle;
        if (m_ascending)
            triangle << QPointF(left, top + ArrowHeight)
                     << QPointF(left + ArrowWidth, top + ArrowHeight)
                     << QPointF(left + ArrowWidth / 2.0, top);
        else
            triangle << QPointF(left, top) << QPointF(left + ArrowWidth, top)
                     << QPointF(left + ArrowWidth / 2.0, top + ArrowHeight);
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette().color(QPalette::ButtonText));
        painter->drawPolygon(triangle);
    }
    painter->restore();
}

QSize SortHeader::sectionSizeFromContents(int logicalIndex) const {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.setHeight(std::max(size.height(), ArrowHeight + 2 * ArrowMargin));
    return size;
}

} // namespace vitalog
