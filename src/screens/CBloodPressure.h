#pragma once

#include "RecordScreen.h"
#include "printing/ScreenPrint.h"
#include "records/Records.h"

#include <QDate>
#include <QDateTime>

#include <optional>
#include <string>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimeEdit;

namespace vitalog {

// The blood pressure screen: readings of systolic and diastolic pressure, pulse and notes of
// the current user, kept by date and time of day, so that a day may hold several readings.
// Beside the fields it shows the classification chart; it does not classify the values.
class CBloodPressure : public RecordScreen {
    Q_OBJECT
public:
    CBloodPressure(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    // The report needs all three values.
    bool CanPrint() const override { return AllValuesGiven(); }
    bool CanExport() const override { return AllValuesGiven(); }
    void OnExport() override;
    void OnPrint() override;

    // The printed report of what the fields hold; nullopt when a field does not read.
    std::optional<ScreenPrintReport> PrintedReport();

    // The chart's height follows its width, but the form fills the client area like every
    // screen: asked for the height at a width, the client area would grow the form to its
    // preferred height and scroll. It scrolls only below the form's minimum size.
    int heightForWidth(int) const override { return -1; }

protected:
    int HelpTopicNumber() const override;
    bool PullFields() override;
    void PushFields() override;
    bool ValidateFields() override;
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
    // The key of a chosen reading is kept in the time member, not in SelectedKey.
    DateKey KeyOfEntry(const QString&) const override { return 0; }

private:
    void BuildForm();
    QWidget* BuildClassificationBox();
    bool AllValuesGiven() const;
    // The notes as the record stores them: Windows-1252, each line break CR LF.
    std::optional<std::string> StoredNotes() const;
    // Warns about the first character of the notes that has no Windows-1252 form.
    bool NotesCharactersFit();
    void NotesEdited();
    // The reports' date: a chosen reading keeps its own, the picker's otherwise.
    QString ReportDate() const;

    // Values of the form. The time member carries a date as well: a chosen reading's own,
    // which with the time picker's time is the key of that reading.
    QDate m_date;
    QDateTime m_time;
    int m_systolic = 0;
    int m_diastolic = 0;
    int m_pulse = 0;
    QString m_notes;
    // The record of the last save, kept for the overwrite that may follow.
    BloodPressureRecord m_pending;
    // Set while the screen itself writes the notes: that is no edit of the user's.
    bool m_writingNotes = false;

    QLabel* m_pickerCaption = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QLabel* m_lastDate = nullptr;
    QTimeEdit* m_timePicker = nullptr;
    QLineEdit* m_systolicEdit = nullptr;
    QLineEdit* m_diastolicEdit = nullptr;
    QLineEdit* m_pulseEdit = nullptr;
    QPlainTextEdit* m_notesEdit = nullptr;
    QLabel* m_lastTime = nullptr;
    QLabel* m_lastSystolic = nullptr;
    QLabel* m_lastDiastolic = nullptr;
    QLabel* m_lastPulse = nullptr;
};

} // namespace vitalog
