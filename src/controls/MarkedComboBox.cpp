#include "MarkedComboBox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace vitalog {

namespace {

// Hands the drawing of the drop-down list's items to the combo box.
class MarkedItemDelegate : public QStyledItemDelegate {
public:
    explicit MarkedItemDelegate(MarkedComboBox* combo)
        : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        m_combo->DrawItem(painter, option, index.row());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return m_combo->ItemSizeHint(option, index.row());
    }

private:
    MarkedComboBox* m_combo;
};

} // namespace

MarkedComboBox::MarkedComboBox(QWidget* parent)
    : QComboBox(parent), m_columnWidths(100, DefaultColumnWidth) {
    setEditable(false);
    setItemDelegate(new MarkedItemDelegate(this));
}

void MarkedComboBox::SetColumnCount(int count) {
    if (count < 0)
        return;
    m_columnWidths.resize(static_cast<std::size_t>(count), DefaultColumnWidth);
}

int MarkedComboBox::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount())
        return 0;
    return m_columnWidths[static_cast<std::size_t>(column)];
}

void MarkedComboBox::SetItemBold(int index, bool bold) {
    if (!IsValidIndex(index))
        return;
    setItemData(index, bold, ItemBoldRole);
    update();
}

void MarkedComboBox::SetItemImage(int index, int imageIndex) {
    if (!IsValidIndex(index))
        return;
    setItemData(index, imageIndex, ItemImageRole);
    update();
}

void MarkedComboBox::SetItemColor(int index, const QColor& color) {
    if (!IsValidIndex(index))
        return;
    setItemData(index, color, ItemColorRole);
    update();
}

bool MarkedComboBox::ItemBold(int index) const {
    return IsValidIndex(index) && itemData(index, ItemBoldRole).toBool();
}

int MarkedComboBox::ItemImage(int index) const {
    const QVariant image = IsValidIndex(index) ? itemData(index, ItemImageRole) : QVariant();
    return image.isValid() ? image.toInt() : -1;
}

QColor MarkedComboBox::ItemColor(int index) const {
    const QVariant color = IsValidIndex(index) ? itemData(index, ItemColorRole) : QVariant();
    return color.isValid() ? color.value<QColor>() : QColor(Qt::black);
}

void MarkedComboBox::SetImageList(const QList<QPixmap>& images) {
    m_images = images;
    update();
}

void MarkedComboBox::SetShowImages(bool show) {
    m_showImages = show;
    update();
}

void MarkedComboBox::DrawItem(QPainter* painter, const QStyleOptionViewItem& option,
                              int index) const {
    if (!IsValidIndex(index))
        return;

    painter->save();
    const QRect rect = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    QColor textColor = option.palette.color(QPalette::Text);
    if (selected) {
        textColor = option.palette.color(QPalette::HighlightedText);
        painter->fillRect(rect, option.palette.color(QPalette::Highlight));
    } else {
        painter->fillRect(rect, option.palette.color(QPalette::Base));
    }

    QRect textRect = rect;
    if (!m_images.isEmpty()) {
        const int image = ItemImage(index);
        if (m_showImages && image >= 0 && image < m_images.size())
            painter->drawPixmap(rect.topLeft(), m_images.at(image));
        // Texts line up whether or not their item has a picture.
        textRect.setLeft(rect.left() + m_images.constFirst().width());
    }

    QFont font = option.font;
    if (ItemBold(index))
        font.setWeight(QFont::Bold);
    painter->setFont(font);
    // Black is the default colour; on the highlight it would be unreadable.
    const QColor itemColor = ItemColor(index);
    if (!selected || itemColor != QColor(Qt::black))
        textColor = itemColor;
    painter->setPen(textColor);
    painter->drawText(textRect.adjusted(1, 0, -1, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, itemText(index));
    painter->restore();
}

QSize MarkedComboBox::ItemSizeHint(const QStyleOptionViewItem& option, int index) const {
    QFont font = option.font;
    if (ItemBold(index))
        font.setWeight(QFont::Bold);
    const QFontMetrics metrics(font);
    int width = metrics.horizontalAdvance(itemText(index)) + 2;
    int height = metrics.height() + 4;
    if (!m_images.isEmpty()) {
        width += m_images.constFirst().width();
        height = qMax(height, m_images.constFirst().height());
    }
    return QSize(width, height);
}

void MarkedComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox box;
    initStyleOption(&box);
    box.currentText.clear();
    box.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, box);

    const int current = currentIndex();
    if (!IsValidIndex(current))
        return;
    QStyleOptionViewItem item;
    item.initFrom(this);
    item.rect =
        style()->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, this);
    item.font = font();
    // The closed box keeps the button's own face unless it shows the focus highlight.
    item.palette.setColor(QPalette::Base, Qt::transparent);
    item.state &= ~QStyle::State_Selected;
    if (hasFocus())
        item.state |= QStyle::State_Selected;
    DrawItem(&painter, item, current);
}

} // namespace vitalog
