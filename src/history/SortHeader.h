#pragma once

#include <QHeaderView>

namespace vitalog {

// The history table's header: its sorted section shows a small triangle right of the text,
// up for ascending, down for descending.
class SortHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int ArrowWidth = 9;
    static constexpr int ArrowHeight = 5;

    explicit SortHeader(QWidget* parent = nullptr);

    // column -1: no arrow.
    void SetArrow(int column, bool ascending);
    int ArrowColumn() const { return m_column; }
    bool ArrowAscending() const { return m_ascending; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    int m_column = -1;
    bool m_ascending = true;
};

} // namespace vitalog
