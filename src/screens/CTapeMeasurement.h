#pragma once

#include "RecordScreen.h"
#include "printing/ScreenPrint.h"
#include "records/Records.h"

#include <array>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace vitalog {

// The tape measurement screen: the body weight and seven tape-measured sites of the current
// user for a date, kept as tape records. The weight also becomes the profile's weight.
class CTapeMeasurement : public RecordScreen {
    Q_OBJECT
public:
    // The sites in record order; for women the forearm row measures the hip.
    enum Site { Bicep, ForearmOrHip, Chest, Waist, Neck, Calf, Thigh, SiteCount };

    CTapeMeasurement(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    // The report needs all seven sites; the weight may be 0.
    bool CanPrint() const override { return AllSitesMeasured(); }
    bool CanExport() const override { return AllSitesMeasured(); }
    void OnExport() override;
    void OnPrint() override;

    // The printed report of what the fields hold; nullopt when a field does not read.
    std::optional<ScreenPrintReport> PrintedReport();

protected:
    int HelpTopicNumber() const override;
    bool PullFields() override;
    void PushFields() override;
    bool ValidateFields() override;
    void WriteProfile() override;
    QStringList DateEntries() override;
    bool LoadStoredEntry(const QString& entry) override;
    void ResetEntry() override;
    StoreResult AppendRecord(QString& entryText) override;
    StoreResult OverwriteRecord() override;
    StoreResult RemoveRecord() override;
    bool ShowLastValues() override;
    void ShowDatePicker(bool shown) override;
    QString SavedMessage() const override;
    QString SaveFailedMessage() const override;
    QString DeleteFailedMessage() const override;

private:
    void BuildForm();
    void PrefillFromBodyComposition();
    bool IsFemale() const;
    // The site's name in captions and messages: "Forearm" reads "Hip" for women.
    QString SiteName(int site) const;
    bool AllSitesMeasured() const;
    DateKey PickerKey() const;

    // Values of the form, in the user's units.
    double m_weight = 0;
    std::array<double, SiteCount> m_sites{};
    // The record of the last save, kept for the overwrite that may follow.
    TapeRecord m_pending;

    QLabel* m_pickerCaption = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QLabel* m_lastDate = nullptr;
    QLineEdit* m_weightEdit = nullptr;
    QLabel* m_lastWeight = nullptr;
    std::array<QLineEdit*, SiteCount> m_siteEdits{};
    std::array<QLabel*, SiteCount> m_lastSites{};
};

} // namespace vitalog
