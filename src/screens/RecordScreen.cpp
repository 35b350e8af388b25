#include "RecordScreen.h"

#include "FieldText.h"
#include "platform/AppServices.h"
#include "platform/Prompter.h"
#include "shell/CMainFrame.h"

#include <QComboBox>

namespace vitalog {

RecordScreen::RecordScreen(CMainFrame& frame, AppServices& services, QWidget* parent)
    : FormScreen(frame, services, parent) {}

DateKey RecordScreen::KeyOfEntry(const QString& entry) const {
    return ParseDateKey(entry.toStdString());
}

QString RecordScreen::DeleteQuestion(const QString& entry) const {
    return QStringLiteral("Are you sure you want to remove record ") + entry;
}

QComboBox* RecordScreen::CreateDateList(QWidget* parent) {
    m_dateList = new QComboBox(parent);
    m_dateList->setObjectName(QStringLiteral("dateList"));
    m_dateList->setEditable(false);
    m_dateList->setMinimumContentsLength(18);
    connect(m_dateList, &QComboBox::activated, this, &RecordScreen::ChooseEntry);
    return m_dateList;
}

void RecordScreen::AddLastWidget(QWidget* widget) {
    widget->hide();
    m_lastWidgets << widget;
}

void RecordScreen::RefreshLastValues() {
    const bool shown = ShowLastValues();
    for (QWidget* widget : m_lastWidgets)
        widget->setVisible(shown);
}

void RecordScreen::FillDateList() {
    if (!m_dateList)
        return;
    m_dateList->clear();
    m_dateList->addItem(NewRecordEntry);
    m_dateList->addItems(DateEntries());
    m_dateList->setCurrentIndex(0);
}

void RecordScreen::OpenRecords(bool withCalculate) {
    FillDateList();
    RefreshLastValues();
    PushFields();
    CreateActionToolbar(withCalculate);
}

void RecordScreen::ChooseEntry(int index) {
    PullFields(); // a bad number is reported, the choice goes on
    SelectedEntry = index >= 0 ? m_dateList->itemText(index) : QString();
    if (SelectedEntry.isEmpty()) {
        m_dateList->setFocus();
        return;
    }
    if (SelectedEntry == NewRecordEntry) {
        ResetEntry();
        SelectedKey = 0;
        SelectedEntry.clear();
        ShowDatePicker(true);
        PushFields();
        return;
    }
    SelectedKey = KeyOfEntry(SelectedEntry);
    if (!LoadStoredEntry(SelectedEntry)) {
        Services().prompter->Error(this, QStringLiteral("Could not find Date: ") + SelectedEntry);
        return;
    }
    ShowDatePicker(false);
    PushFields();
}

void RecordScreen::SaveRecord() {
    if (!PullFields() || !ValidateFields())
        return;
    WriteProfile();
    StoreRecord();
}

void RecordScreen::StoreRecord() {
    QString entryText;
    switch (AppendRecord(entryText)) {
    case StoreResult::Done:
        if (m_dateList) {
            // Right below the first entry, whatever its date; reopening sorts it.
            m_dateList->insertItem(1, entryText);
            m_dateList->setCurrentIndex(1);
        }
        Services().prompter->Information(this, SavedMessage());
        Frame().SavedFlag = true;
        break;
    case StoreResult::AlreadyExists:
        if (!Services().prompter->AskYesNo(
                this, QStringLiteral(
                          "A record for this date already exists.  Would you like to overwrite?")))
            return;
        if (OverwriteRecord() == StoreResult::Done)
            Frame().SavedFlag = true;
        else
            Services().prompter->Error(this, QStringLiteral("Overwrite unsuccessful"));
        break;
    default:
        Services().prompter->Error(this, SaveFailedMessage());
        break;
    }
}

void RecordScreen::DeleteRecord() {
    if (SelectedEntry.isEmpty())
        return;
    if (PullsBeforeDelete())
        PullFields();
    if (!Services().prompter->AskYesNo(this, DeleteQuestion(SelectedEntry)))
        return;
    switch (RemoveRecord()) {
    case StoreResult::Done:
        break;
    case StoreResult::NotFound:
        Services().prompter->Warning(this, QStringLiteral("Date does not exist"));
        return;
    default:
        Services().prompter->Error(this, DeleteFailedMessage());
        return;
    }
    if (m_dateList) {
        const int at = m_dateList->findText(SelectedEntry, Qt::MatchStartsWith);
        if (at >= 0)
            m_dateList->removeItem(at);
        m_dateList->setCurrentIndex(0);
    }
    SelectedEntry.clear();
    SelectedKey = 0;
    ResetEntry();
    ShowDatePicker(true);
    PushFields();
    if (SavesOnDelete())
        Frame().SavedFlag = true;
}

} // namespace vitalog
