#pragma once

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QPixmap>

#include <vector>

class QStyleOptionViewItem;

namespace vitalog {

// A drop-down list whose items may be bold, coloured and marked with a small picture from
// an image list. The closed box draws its current item the same way.
class MarkedComboBox : public QComboBox {
    Q_OBJECT

public:
    // Where each item keeps its record in the model.
    enum ItemRole {
        ItemColorRole = Qt::UserRole + 100,
        ItemImageRole,
        ItemBoldRole,
    };

    static constexpr int DefaultColumnWidth = 50;

    explicit MarkedComboBox(QWidget* parent = nullptr);

    void SetColumnCount(int count);
    int ColumnCount() const { return static_cast<int>(m_columnWidths.size()); }
    int ColumnWidth(int column) const;

    // Both ignore an index outside the list.
    void SetItemBold(int index, bool bold);
    void SetItemImage(int index, int imageIndex);
    void SetItemColor(int index, const QColor& color);
    bool ItemBold(int index) const;
    // -1 when the item has no image.
    int ItemImage(int index) const;
    QColor ItemColor(int index) const;

    // An empty list detaches it. All images are expected to have the same size.
    void SetImageList(const QList<QPixmap>& images);
    const QList<QPixmap>& ImageList() const { return m_images; }
    void SetShowImages(bool show);
    bool ShowImages() const { return m_showImages; }

    // Draws one item as both the list and the closed box show it.
    void DrawItem(QPainter* painter, const QStyleOptionViewItem& option, int index) const;
    QSize ItemSizeHint(const QStyleOptionViewItem& option, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool IsValidIndex(int index) const { return index >= 0 && index < count(); }

    std::vector<int> m_columnWidths;
    QList<QPixmap> m_images;
    bool m_showImages = true;
};

} // namespace vitalog
