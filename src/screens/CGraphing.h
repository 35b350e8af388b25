#pragma once

#include "FormScreen.h"

#include <QDateTime>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QListWidget;
class QStackedWidget;

namespace vitalog {

class CMSChart;

// The graph screen: the current user's records of one kind over a date range, as a line or
// bar chart with one series per chosen item; the chart is printed and exported. The screen
// writes no records.
class CGraphing : public FormScreen {
    Q_OBJECT
public:
    CGraphing(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    bool CanPrint() const override { return m_drawn; }
    void OnPrint() override;
    bool CanExport() const override { return m_drawn; }
    void OnExport() override;
    bool HandlesGraphMenu() const override { return true; }
    bool GraphMenuEnabled() const override { return CanGraph(); }
    void OnGraphMenu() override { DrawGraph(); }

    CMSChart* Chart() const { return m_chart; }

protected:
    int HelpTopicNumber() const override { return 5; }
    bool CanGraph() const { return !m_selectedItems.isEmpty(); }

private:
    QWidget* BuildAttributesBox();
    QWidget* BuildDateRangeBox();
    QWidget* BuildChartArea();

    void ChooseGraphType(int index);
    void SelectionChanged();
    void DrawGraph();
    void UpdateGraphAction();
    void SetRange(const QDateTime& from, const QDateTime& to);
    bool IsBloodPressure() const;
    void UpdateOptionBoxes();
    void OptionToggled(const QString& key, bool on);

    int m_typeIndex = -1;
    QStringList m_selectedItems; // in list order
    bool m_drawn = false;
    QDateTime m_from;
    QDateTime m_to;

    QComboBox* m_typeList = nullptr;
    QListWidget* m_dataList = nullptr;
    QCheckBox* m_trendBox = nullptr;
    QCheckBox* m_goalBox = nullptr;
    QDateTimeEdit* m_fromPicker = nullptr;
    QDateTimeEdit* m_toPicker = nullptr;
    QStackedWidget* m_chartArea = nullptr;
    CMSChart* m_chart = nullptr;
    QAction* m_graph = nullptr;
};

} // namespace vitalog
