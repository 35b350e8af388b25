#pragma once

#include "RecordScreen.h"
#include "printing/ScreenPrint.h"
#include "records/Records.h"

#include <array>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vitalog {

// The BMI/BMR screen: calculates the body mass index and the basal metabolic rate from height,
// weight, age and an activity factor, and saves the two as a BMI and a BMR record of one date.
// Save stores what the last Calculate built; the BMI record's outcome is what the user is told,
// the BMR record follows it silently.
class CBMI_BMR : public RecordScreen {
    Q_OBJECT
public:
    CBMI_BMR(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    // The screen's report needs a BMI result on the screen.
    bool CanPrint() const override { return !m_bmiText.isEmpty(); }
    bool CanExport() const override { return !m_bmiText.isEmpty(); }
    void OnExport() override;
    void OnPrint() override;

    // The printed report of what the fields hold; nullopt when a field does not read.
    std::optional<ScreenPrintReport> PrintedReport();

    // The activity of the user's newest BMR record, for the reports; empty for none.
    QString LastActivityName() const { return m_lastActivityName; }

protected:
    void OnCalculate() override;
    void OnSave() override;
    void OnDelete() override;
    bool CanSave() const override { return m_calculated && !m_bmiText.isEmpty(); }
    int HelpTopicNumber() const override;

    bool PullFields() override;
    void PushFields() override;
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
    // Deleting neither re-reads the fields nor counts as saving.
    bool PullsBeforeDelete() const override { return false; }
    bool SavesOnDelete() const override { return false; }

private:
    void BuildForm();
    QWidget* BuildDescription();
    bool IsMetricLength() const;
    bool IsMetricWeight() const;
    void WeightAndAgeFromProfile();
    // Height fields from a stored height in inches.
    void HeightFromStored(double inches);
    // Checks the radio button of a stored factor; any other value leaves the choice alone.
    void ChooseActivity(double factor);
    DateKey PickerKey() const;
    // The reports' height and activity texts.
    QString ReportHeight() const;
    QString ReportActivity() const;

    // Values of the form.
    int m_feet = 0;
    double m_inches = 0;
    double m_centimetres = 0;
    double m_weight = 0;
    int m_age = 0;
    QString m_bmiText;
    QString m_bmrText;
    QString m_bmrActivityText;
    QString m_lastActivityName;

    // The calculation in hand: built by Calculate, stored by Save.
    BmiRecord m_bmiRecord;
    BmrRecord m_bmrRecord;
    bool m_calculated = false;

    QDateEdit* m_datePicker = nullptr;
    QLabel* m_pickerLabel = nullptr;
    QLabel* m_lastDate = nullptr;
    QLabel* m_feetCaption = nullptr;
    QLabel* m_inchesCaption = nullptr;
    QLineEdit* m_feetEdit = nullptr;
    QLineEdit* m_inchesEdit = nullptr;
    QLineEdit* m_centimetresEdit = nullptr;
    QLineEdit* m_weightEdit = nullptr;
    QLineEdit* m_ageEdit = nullptr;
    QLabel* m_heightLabel = nullptr;
    QLabel* m_lastHeight = nullptr;
    QLabel* m_lastWeight = nullptr;
    QLabel* m_lastAge = nullptr;
    std::array<QRadioButton*, 5> m_activity{};
    QLabel* m_bmiValue = nullptr;
    QLabel* m_bmrValue = nullptr;
    QLabel* m_bmrActivityValue = nullptr;
    QLabel* m_lastBmi = nullptr;
    QLabel* m_lastBmr = nullptr;
    QLabel* m_lastBmrActivity = nullptr;
};

} // namespace vitalog
