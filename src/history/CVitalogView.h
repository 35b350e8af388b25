#pragma once

#include "HistoryTables.h"
#include "shell/Screen.h"

#include <optional>

class QTableView;

namespace vitalog {

class HistoryModel;
class SortHeader;

// The history view: one table of the current user's records, or of all users, chosen by the
// main window's HistoryMode when the view is made. A click on a header sorts the rows.
class CVitalogView : public Screen {
    Q_OBJECT
public:
    CVitalogView(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    // Print, "Print screen" and Export work on a table with rows.
    bool CanPrint() const override { return m_hasData; }
    bool CanExport() const override { return m_hasData; }
    void OnPrint() override;
    // The export of the shown table, read again from the record files.
    void OnExport() override;

    // The text to print for the shown table, read again from the record files; shows the
    // table's message and gives nothing when its records are gone.
    std::optional<QString> PrintTextOfShownTable();

    bool HasData() const { return m_hasData; }
    ShownTable Shown() const { return m_shownTable; }

    void FillTable();
    void ClearTable();
    void SortByColumn(int column);
    void ShowSortArrow(int column, bool ascending, int mode);
    // Puts the table's columns and rows into the list; a table with rows enables printing.
    void ShowTable(const HistoryTable& table, ShownTable kind);

    // A column's width in pixels for the table's font, from its width in the table's layout.
    int ColumnWidth(int width) const;

    QTableView* Table() const { return m_table; }
    HistoryModel* Model() const { return m_model; }
    SortHeader* Header() const { return m_header; }

private:
    // Each answers whether it showed rows; order is where the walk leaves the newest record.
    bool FillBodyComposition(RowOrder order);
    bool FillTape(RowOrder order);
    bool FillBloodPressure(RowOrder order);
    bool FillBmiBmr(RowOrder order);
    void FillAllUsers();
    bool FillFor(int mode, RowOrder order);
    void NoRecords(const char* format);
    QString UserName() const;

    QTableView* m_table = nullptr;
    HistoryModel* m_model = nullptr;
    SortHeader* m_header = nullptr;
    bool m_hasData = false;
    ShownTable m_shownTable = ShownTable::None;
};

} // namespace vitalog
