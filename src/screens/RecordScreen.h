#pragma once

#include "FormScreen.h"
#include "records/DateKey.h"
#include "records/StoreResult.h"

#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;

namespace vitalog {

// A form screen that keeps dated records of the current user: a date list headed by
// NewRecordEntry, "Last" captions that appear once the user has a record, and the one save,
// overwrite and delete protocol. Each screen supplies its record kind through the hooks.
class RecordScreen : public FormScreen {
    Q_OBJECT
public:
    static inline const QString NewRecordEntry = QStringLiteral("< Add New Record >");

    RecordScreen(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    // The chosen stored record: its entry text (empty for none) and key (0 for none).
    QString SelectedEntry;
    DateKey SelectedKey = 0;

protected:
    // --- hooks of the screen ---
    // Entry texts of the user's stored records, newest first.
    virtual QStringList DateEntries() = 0;
    // Finds the record of an entry and copies it into the screen's values; false if none.
    virtual bool LoadStoredEntry(const QString& entry) = 0;
    // Back to new-record values.
    virtual void ResetEntry() = 0;
    virtual void PushFields() = 0;
    // Range checks after the fields were read; the screen reports the first failure.
    virtual bool ValidateFields() { return true; }
    // Writes changed profile values (UpdateProfileFromScreen) before the record is built.
    virtual void WriteProfile() {}
    // Builds and appends the record; entryText receives its date-list text.
    virtual StoreResult AppendRecord(QString& entryText) = 0;
    // Overwrites the live record of the key just refused by AppendRecord.
    virtual StoreResult OverwriteRecord() = 0;
    // Tombstones the chosen record.
    virtual StoreResult RemoveRecord() = 0;
    // Fills the "Last" texts from the newest record; false when there is none.
    virtual bool ShowLastValues() { return false; }
    // Shows or hides the new record's date (and time) picker.
    virtual void ShowDatePicker(bool) {}
    virtual QString SavedMessage() const = 0;
    virtual QString SaveFailedMessage() const = 0;
    virtual QString DeleteFailedMessage() const = 0;
    // Screens that differ: the BMI/BMR screen neither re-reads before deleting nor marks
    // the delete as saved.
    virtual bool PullsBeforeDelete() const { return true; }
    virtual bool SavesOnDelete() const { return true; }
    // The question asked before a chosen record is deleted.
    virtual QString DeleteQuestion(const QString& entry) const;
    // The key of an entry text; date-time screens read their own.
    virtual DateKey KeyOfEntry(const QString& entry) const;

    // --- building blocks ---
    QComboBox* CreateDateList(QWidget* parent);
    QComboBox* DateList() const { return m_dateList; }
    // Captions and values of the "Last" column: hidden until a record is shown there.
    void AddLastWidget(QWidget* widget);
    // Fills the date list, runs ShowLastValues and the toolbar: the screen's opening steps.
    void OpenRecords(bool withCalculate);
    void FillDateList();
    void RefreshLastValues();

    // --- the protocol ---
    void ChooseEntry(int index);
    // Reads, checks, writes the profile and stores.
    void SaveRecord();
    // The storing step alone (screens that built their record already enter here).
    void StoreRecord();
    void DeleteRecord();

    void OnSave() override { SaveRecord(); }
    void OnDelete() override { DeleteRecord(); }
    bool CanDelete() const override { return !SelectedEntry.isEmpty(); }

private:
    QComboBox* m_dateList = nullptr;
    QList<QWidget*> m_lastWidgets;
};

} // namespace vitalog
