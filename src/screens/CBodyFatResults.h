#pragma once

#include "RecordScreen.h"
#include "printing/ScreenPrint.h"
#include "records/Records.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QToolButton;

namespace vitalog {

// The body composition results: in pending mode the calculation just made, which the user may
// recalculate with another desired body fat and save; in delete mode the stored records by
// date, one of which can be shown and deleted.
class CBodyFatResults : public RecordScreen {
    Q_OBJECT
public:
    // The shown texts of one column.
    struct ResultTexts {
        QString date;
        QString bodyFat;
        QString toLose;
        QString totalWeight;
        QString leanWeight;
        QString fatWeight;
        QString goalWeight;
    };

    CBodyFatResults(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    bool CanPrint() const override { return true; }
    bool CanExport() const override { return CanSave(); }
    void OnExport() override;
    void OnPrint() override;

    // The printed report of what the screen shows; nullopt when the desired body fat does not
    // read.
    std::optional<ScreenPrintReport> PrintedReport();

    // What the screen's reports are built from: the values as shown, the desired percentage,
    // the "Last" column, and the shown record's method, skinfolds and tape lengths. Parrillo
    // skinfolds come unpacked in its nine-site order (chest, abdominal, thigh, bicep, tricep,
    // subscapular, suprailiac, lower back, calf); other methods keep their seven slots.
    ResultTexts Shown;
    ResultTexts Last;
    float Desired = 0;
    QString ReportMethod;
    std::vector<int> ReportSites;
    std::array<double, 4> ReportTape{};

    // The report's lines for the kept sites of the shown method, each ending in a line break:
    // skinfolds in whole millimetres, tape lengths in the user's length unit. None for a method
    // without sites.
    std::vector<std::string> ReportSiteLines() const;

protected:
    int HelpTopicNumber() const override;
    bool CanSave() const override;
    void OnSave() override;
    bool PullFields() override;
    void PushFields() override;
    QStringList DateEntries() override;
    bool LoadStoredEntry(const QString& entry) override;
    void ResetEntry() override;
    StoreResult AppendRecord(QString& entryText) override;
    StoreResult OverwriteRecord() override;
    StoreResult RemoveRecord() override;
    bool ShowLastValues() override;
    QString SavedMessage() const override;
    QString SaveFailedMessage() const override;
    QString DeleteFailedMessage() const override;
    QString DeleteQuestion(const QString& entry) const override;
    bool PullsBeforeDelete() const override { return false; }
    bool SavesOnDelete() const override { return false; }

private:
    void BuildForm();
    QWidget* BuildChart();
    bool IsDeleteMode() const;
    void ShowPending();
    void Recalculate();
    void KeepForReports(const BodyFatRecord& record);

    QWidget* m_deleteRow = nullptr;
    QLineEdit* m_desiredEdit = nullptr;
    QToolButton* m_recalculate = nullptr;
    // Current values, in the order of ResultTexts.
    std::array<QLabel*, 7> m_values{};
    // Last values; the desired percentage has none.
    std::array<QLabel*, 7> m_lastValues{};
};

} // namespace vitalog
