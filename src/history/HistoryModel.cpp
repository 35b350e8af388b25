#include "HistoryModel.h"

#include "HistorySort.h"
#include "records/TextEncoding.h"

#include <QColor>

#include <algorithm>
#include <numeric>

namespace vitalog {

namespace {

// Number texts are ASCII; only names, notes and method texts may need the code page.
QString FromCellText(std::string_view text) {
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(text.data(), qsizetype(text.size()));
    if (const auto utf8 = Cp1252ToUtf8(text))
        return QString::fromStdString(*utf8);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

Qt::Alignment ToQtAlignment(CellAlign align) {
    switch (align) {
    case CellAlign::Left:
        return Qt::AlignLeft;
    case CellAlign::Centre:
        return Qt::AlignHCenter;
    case CellAlign::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

void HistoryModel::SetTable(const HistoryTable& table) {
    beginResetModel();
    m_columns = table.columns;
    m_headers.clear();
    m_headerAlignments.clear();
    for (const HistoryColumn& column : m_columns) {
        m_headers.append(
            QString::fromLatin1(column.header.data(), qsizetype(column.header.size())));
        m_headerAlignments.append(ToQtAlignment(column.align));
    }
    m_cells.clear();
    m_cells.reserve(qsizetype(table.CellCount()));
    for (std::size_t i = 0; i < table.CellCount(); ++i)
        m_cells.append(FromCellText(table.CellAt(i)));
    m_rows = int(table.RowCount());
    endResetModel();
}

void HistoryModel::Clear() {
    beginResetModel();
    m_columns.clear();
    m_headers.clear();
    m_headerAlignments.clear();
    m_cells.clear();
    m_rows = 0;
    endResetModel();
}

void HistoryModel::SetHeaderAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= m_headerAlignments.size())
        return;
    m_headerAlignments[column] = alignment;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void HistoryModel::SortRows(int column, bool asText, bool ascending) {
    if (column < 0 || column >= columnCount() || m_rows == 0)
        return;
    std::vector<int> order(static_cast<std::size_t>(m_rows));
    std::iota(order.begin(), order.end(), 0);
    if (asText) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = QString::compare(Text(a, column), Text(b, column), Qt::CaseInsensitive);
            return ascending ? c < 0 : c > 0;
        });
    } else {
        std::vector<double> keys(static_cast<std::size_t>(m_rows));
        for (int row = 0; row < m_rows; ++row)
            keys[std::size_t(row)] = SortNumber(Text(row, column).toStdString());
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const double ka = keys[std::size_t(a)], kb = keys[std::size_t(b)];
            return ascending ? ka < kb : ka > kb;
        });
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<QString> sorted;
    sorted.reserve(m_cells.size());
    const int columns = columnCount();
    for (const int row : order)
        for (int c = 0; c < columns; ++c)
            sorted.append(m_cells[Index(row, c)]);
    m_cells = std::move(sorted);
    // No persistent indexes are kept by the view beyond the selection, which a sort clears.
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_cells[Index(index.row(), index.column())];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ToQtAlignment(Column(index.column()).align) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return index.row() % 2 == 0 ? ShadedRow : PlainRow;
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_headers[section];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_headerAlignments[section] | Qt::AlignVCenter);
    default:
        return {};
    }
}

} // namespace vitalog
