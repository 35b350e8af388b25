#pragma once

#include "HistoryTables.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QString>

#include <vector>

namespace vitalog {

// The rows of the history view as texts, shaded by row index. Sorting reorders the rows in
// place; the columns stay.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static inline const QColor ShadedRow{240, 240, 240};
    static inline const QColor PlainRow{255, 255, 255};

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces columns and rows by those of the table.
    void SetTable(const HistoryTable& table);
    // No rows and no columns.
    void Clear();

    const HistoryColumn& Column(int column) const { return m_columns[std::size_t(column)]; }
    QString Text(int row, int column) const { return m_cells[Index(row, column)]; }
    void SetHeaderAlignment(int column, Qt::Alignment alignment);

    // Stable: rows of equal value keep their order.
    void SortRows(int column, bool asText, bool ascending);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    qsizetype Index(int row, int column) const {
        return qsizetype(row) * qsizetype(m_columns.size()) + column;
    }

    std::vector<HistoryColumn> m_columns;
    QList<QString> m_headers;
    QList<Qt::Alignment> m_headerAlignments;
    QList<QString> m_cells; // row by row
    int m_rows = 0;
};

Qt::Alignment ToQtAlignment(CellAlign align);

} // namespace vitalog
