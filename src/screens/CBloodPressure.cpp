#include "CBloodPressure.h"

#include "ChartPicture.h"
#include "FieldText.h"
#include "controls/CXPGroupBox.h"
#include "help/HelpWindows.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "printing/ScreenExport.h"
#include "records/RecordFile.h"
#include "shell/CMainFrame.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace vitalog {

namespace {

constexpr int SystolicLimit = 300;
constexpr int DiastolicLimit = 200;
constexpr int PulseLimit = 150;

DateTimeKey KeyOf(const QDate& date, const QTime& time) {
    return MakeDateTimeKey(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                           time.second());
}

// A calendar date and time as the key holds them. Kept in UTC: a local time would move
// readings that fall into a daylight-saving gap.
QDateTime Moment(const QDate& date, const QTime& time) {
    return QDateTime(date, QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}

// An invalid QDateTime when the key denotes no moment that QDate can hold.
QDateTime DateTimeOf(const DateTimeKey& key) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!SplitDateTimeKey(key, year, month, day, hour, minute, second))
        return {};
    return Moment(QDate(year, month, day), QTime(hour, minute, second));
}

// "2:05:09 PM": the hour on the 12-hour clock without a leading zero.
QString TimeText(const QTime& time) {
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QString::asprintf("%d:%02d:%02d %s", hour, time.minute(), time.second(),
                             time.hour() < 12 ? "AM" : "PM");
}

// A date-list entry: "3/5/2007 2:05:09 PM" as the list is filled, "03/05/2007 2:05:09 PM"
// for the entry a save inserts. Both read back to the same key.
QString EntryText(const DateTimeKey& key, bool twoDigitDate) {
    const QDateTime when = DateTimeOf(key);
    if (!when.isValid())
        return QStringLiteral("?");
    const QDate date = when.date();
    return QString::asprintf(twoDigitDate ? "%02d/%02d/%d " : "%d/%d/%d ", date.month(), date.day(),
                             date.year()) +
           TimeText(when.time());
}

// Reads either entry form. Always month/day/year on the 12-hour clock, as the list writes
// them, whatever the user's locale.
std::optional<DateTimeKey> ParseEntry(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{1,4})\\s+(\\d{1,2}):(\\d{2}):(\\d{2})"
                       "\\s*(AM|PM)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto number = [&](int group) { return match.captured(group).toInt(); };
    const int hour12 = number(4);
    if (hour12 < 1 || hour12 > 12)
        return std::nullopt;
    const bool afternoon = match.captured(7).compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0;
    const QDate date(number(3), number(1), number(2));
    const QTime time(hour12 % 12 + (afternoon ? 12 : 0), number(5), number(6));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return KeyOf(date, time);
}

// The notes field shows line breaks as line feeds; the record keeps CR LF, as the notes of
// readings typed on Windows have them.
QString ShownNotes(const std::string& stored) {
    QString notes = FromStoredText(stored);
    notes.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return notes;
}

} // namespace

CBloodPressure::CBloodPressure(CMainFrame& frame, AppServices& services, QWidget* parent)
    : RecordScreen(frame, services, parent) {
    setObjectName(QStringLiteral("bloodPressureScreen"));
    BuildForm();
}

int CBloodPressure::HelpTopicNumber() const {
    return HelpBloodPressureTopic;
}

void CBloodPressure::BuildForm() {
    auto* selectBox = new CXPGroupBox(QStringLiteral("Select Date"), this);
    selectBox->setObjectName(QStringLiteral("selectDateBox"));
    StyleWindowBox(*selectBox, Qt::white);
    QComboBox* dateList = CreateDateList(selectBox);
    // Long enough for "12/28/2007 12:05:09 PM".
    dateList->setMinimumContentsLength(22);
    m_datePicker = KeepRoom(new QDateEdit(selectBox));
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    auto* lastDateCaption = KeepRoom(new QLabel(QStringLiteral("Last"), selectBox));
    m_lastDate = KeepRoom(new QLabel(selectBox));
    m_lastDate->setObjectName(QStringLiteral("lastDateLabel"));
    lastDateCaption->setBuddy(m_lastDate);
    m_lastDate->setAccessibleDescription(QStringLiteral("Last blood pressure date"));
    AddLastWidget(lastDateCaption);
    AddLastWidget(m_lastDate);

    auto* selectLayout = new QGridLayout(selectBox);
    selectLayout->setContentsMargins(12, 28, 12, 12);
    selectLayout->addWidget(
        Caption(QStringLiteral("Select an existing blood pressure date:"), dateList, selectBox), 0,
        0);
    selectLayout->addWidget(dateList, 0, 1);
    m_pickerCaption = KeepRoom(
        Caption(QStringLiteral("Or enter a new blood pressure date:"), m_datePicker, selectBox));
    selectLayout->addWidget(m_pickerCaption, 1, 0);
    selectLayout->addWidget(m_datePicker, 1, 1, Qt::AlignLeft);
    selectLayout->addWidget(lastDateCaption, 0, 3);
    selectLayout->addWidget(m_lastDate, 0, 4);
    selectLayout->setColumnMinimumWidth(2, 16);
    selectLayout->setColumnStretch(5, 1);

    auto* recordBox = new CXPGroupBox(QStringLiteral("Record your blood pressure"), this);
    recordBox->setObjectName(QStringLiteral("recordBloodPressureBox"));
    StyleWindowBox(*recordBox, BoxBodyColour);

    m_timePicker = new QTimeEdit(recordBox);
    m_timePicker->setObjectName(QStringLiteral("timePicker"));
    // The 12-hour clock of the date list, in its own words whatever the user's locale.
    m_timePicker->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    m_timePicker->setDisplayFormat(QStringLiteral("h:mm:ss AP"));
    const auto numberEdit = [recordBox](const QString& objectName) {
        auto* edit = new QLineEdit(recordBox);
        edit->setObjectName(objectName);
        edit->setMaximumWidth(120);
        return edit;
    };
    m_systolicEdit = numberEdit(QStringLiteral("systolicEdit"));
    m_diastolicEdit = numberEdit(QStringLiteral("diastolicEdit"));
    m_pulseEdit = numberEdit(QStringLiteral("pulseEdit"));
    const auto lastValue = [this, recordBox](const QString& objectName, const QString& what) {
        auto* label = KeepRoom(new QLabel(recordBox));
        label->setObjectName(objectName);
        label->setAccessibleDescription(QStringLiteral("Last ") + what);
        AddLastWidget(label);
        return label;
    };
    m_lastTime = lastValue(QStringLiteral("lastTimeLabel"), QStringLiteral("time"));
    m_lastSystolic = lastValue(QStringLiteral("lastSystolicLabel"), QStringLiteral("systolic"));
    m_lastDiastolic = lastValue(QStringLiteral("lastDiastolicLabel"), QStringLiteral("diastolic"));
    m_lastPulse = lastValue(QStringLiteral("lastPulseLabel"), QStringLiteral("pulse"));
    auto* lastCaption = KeepRoom(new QLabel(QStringLiteral("Last"), recordBox));
    lastCaption->setBuddy(m_lastTime);
    AddLastWidget(lastCaption);

    auto* valuesLayout = new QGridLayout;
    valuesLayout->setHorizontalSpacing(8);
    valuesLayout->addWidget(lastCaption, 0, 3);
    int row = 1;
    for (const auto& [caption, field, last] :
         {std::tuple<QString, QWidget*, QLabel*>{QStringLiteral("Time:"), m_timePicker, m_lastTime},
          {QStringLiteral("Systolic:"), m_systolicEdit, m_lastSystolic},
          {QStringLiteral("Diastolic:"), m_diastolicEdit, m_lastDiastolic},
          {QStringLiteral("Pulse:"), m_pulseEdit, m_lastPulse}}) {
        valuesLayout->addWidget(Caption(caption, field, recordBox), row, 0);
        valuesLayout->addWidget(field, row, 1);
        valuesLayout->addWidget(last, row, 3);
        ++row;
    }
    valuesLayout->setColumnMinimumWidth(2, 16);
    valuesLayout->setColumnStretch(4, 1);

    auto* rule = new QFrame(recordBox);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    m_notesEdit = new QPlainTextEdit(recordBox);
    m_notesEdit->setObjectName(QStringLiteral("notesEdit"));
    m_notesEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Enter starts a new line; Tab leaves the field like every other.
    m_notesEdit->setTabChangesFocus(true);
    m_notesEdit->setMinimumHeight(m_notesEdit->fontMetrics().lineSpacing() * 4);
    auto* notesCaption = Caption(QStringLiteral("Notes:"), m_notesEdit, recordBox);
    notesCaption->setFont(BoldFont());

    auto* recordLayout = new QVBoxLayout(recordBox);
    recordLayout->setContentsMargins(12, 28, 12, 12);
    recordLayout->setSpacing(8);
    recordLayout->addLayout(valuesLayout);
    recordLayout->addSpacing(4);
    recordLayout->addWidget(rule);
    recordLayout->addWidget(notesCaption);
    recordLayout->addWidget(m_notesEdit, 1);

    auto* lowerRow = new QHBoxLayout;
    lowerRow->setSpacing(10);
    lowerRow->addWidget(recordBox, 1);
    lowerRow->addWidget(BuildClassificationBox(), 1);

    ContentLayout()->addWidget(selectBox);
    ContentLayout()->addLayout(lowerRow, 1);

    QWidget* previous = dateList;
    for (QWidget* next :
         std::initializer_list<QWidget*>{m_datePicker, m_timePicker, m_systolicEdit,
                                         m_diastolicEdit, m_pulseEdit, m_notesEdit}) {
        setTabOrder(previous, next);
        previous = next;
    }

    ConnectFieldChanged(m_systolicEdit);
    ConnectFieldChanged(m_diastolicEdit);
    ConnectFieldChanged(m_pulseEdit);
    connect(m_notesEdit, &QPlainTextEdit::textChanged, this, &CBloodPressure::NotesEdited);
}

QWidget* CBloodPressure::BuildClassificationBox() {
    auto* box = new CXPGroupBox(QStringLiteral("Blood Pressure Classification"), this);
    box->setObjectName(QStringLiteral("classificationBox"));
    StyleWindowBox(*box, BoxBodyColour);

    auto* chart = new ChartPicture(Services().DbFile(QStringLiteral("bloodpressure.bmp")), box);
    chart->setObjectName(QStringLiteral("classificationChart"));
    chart->setAccessibleName(QStringLiteral("Blood pressure classification chart"));
    chart->setAccessibleDescription(QStringLiteral(
        "Classification and management of blood pressure for adults. Normal: systolic below "
        "120 and diastolic below 80. Prehypertension: systolic 120 to 139 or diastolic 80 to "
        "89. Stage 1 Hypertension: systolic 140 to 159 or diastolic 90 to 99. Stage 2 "
        "Hypertension: systolic 160 or more or diastolic 100 or more."));

    auto* notes = new QGridLayout;
    notes->setHorizontalSpacing(6);
    notes->setVerticalSpacing(2);
    const auto footnote = [box](const QString& text, const QString& objectName) {
        auto* label = new QLabel(text, box);
        label->setObjectName(objectName);
        label->setFont(FootnoteFont());
        label->setWordWrap(true);
        return label;
    };
    notes->addWidget(footnote(QStringLiteral("1"), QStringLiteral("footnoteMark1")), 0, 0,
                     Qt::AlignTop);
    notes->addWidget(footnote(QStringLiteral("Treatment determined by highest BP category."),
                              QStringLiteral("footnote1")),
                     0, 1);
    notes->addWidget(footnote(QStringLiteral("2"), QStringLiteral("footnoteMark2")), 1, 0,
                     Qt::AlignTop);
    notes->addWidget(
        footnote(QStringLiteral("SBP, systolic blood pressure; DBP, diastolic blood pressure"),
                 QStringLiteral("footnote2")),
        1, 1);
    notes->addWidget(footnote(QStringLiteral("Source: National Heart, Lung, and Blood Institute"),
                              QStringLiteral("sourceNote")),
                     2, 0, 1, 2);
    notes->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(12, 28, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(chart);
    layout->addLayout(notes);
    layout->addStretch(1);
    return box;
}

void CBloodPressure::InitialUpdate() {
    m_date = Services().clock->Today();
    // The time picker starts at the moment the screen was made.
    const QDateTime now = Services().clock->Now();
    m_time = Moment(now.date(), now.time());
    OpenRecords(false);
    // Connected only now: the opening values are not a change.
    connect(m_timePicker, &QTimeEdit::timeChanged, this, &CBloodPressure::PickerChanged);
}

void CBloodPressure::NotesEdited() {
    if (!m_writingNotes)
        FieldChanged();
}

bool CBloodPressure::PullFields() {
    m_date = m_datePicker->date();
    // The picker shows the time only; the member keeps its date (a chosen reading's own).
    m_time = Moment(m_time.date(), m_timePicker->time());
    QString notes = m_notesEdit->document()->toRawText();
    notes.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    notes.replace(QChar::LineSeparator, QLatin1Char('\n'));
    m_notes = notes;
    return PullWhole(m_systolicEdit, m_systolic) && PullWhole(m_diastolicEdit, m_diastolic) &&
           PullWhole(m_pulseEdit, m_pulse);
}

void CBloodPressure::PushFields() {
    m_datePicker->setDate(m_date);
    {
        // Only the user's own change of the time is a picker change.
        const QSignalBlocker blocker(m_timePicker);
        m_timePicker->setTime(m_time.time());
    }
    PushWhole(m_systolicEdit, m_systolic);
    PushWhole(m_diastolicEdit, m_diastolic);
    PushWhole(m_pulseEdit, m_pulse);
    m_writingNotes = true;
    m_notesEdit->setPlainText(m_notes);
    m_writingNotes = false;
}

bool CBloodPressure::NotesCharactersFit() {
    const QString unstorable = FirstUnstorableCharacter(m_notes);
    if (unstorable.isEmpty())
        return true;
    WarnField(m_notesEdit, QStringLiteral("Notes may not contain the character %1: it cannot "
                                          "be stored in Vitalog's files.")
                               .arg(ShownCharacter(unstorable)));
    return false;
}

std::optional<std::string> CBloodPressure::StoredNotes() const {
    QString notes = m_notes;
    notes.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToStoredText(notes);
}

bool CBloodPressure::ValidateFields() {
    // The limits themselves are refused although the messages name them.
    if (m_systolic < 0 || m_systolic >= SystolicLimit) {
        WarnField(m_systolicEdit,
                  QStringLiteral("You must select a number between 0 and 300 for Systolic"));
        return false;
    }
    if (m_diastolic < 0 || m_diastolic >= DiastolicLimit) {
        WarnField(m_diastolicEdit,
                  QStringLiteral("You must select a number between 0 and 200 for Diastolic"));
        return false;
    }
    if (m_pulse < 0 || m_pulse >= PulseLimit) {
        WarnField(m_pulseEdit,
                  QStringLiteral("You must select a number between 0 and 150 for Pulse"));
        return false;
    }
    // Notes the record cannot hold are refused, never cut.
    if (!NotesCharactersFit())
        return false;
    const auto stored = StoredNotes();
    if (!stored || stored->size() > BloodPressureRecord::MaxNotesLength) {
        WarnField(m_notesEdit,
                  QStringLiteral("Notes may hold at most %1 characters, a line break counting as "
                                 "two; these notes have %2.")
                      .arg(BloodPressureRecord::MaxNotesLength)
                      .arg(stored ? stored->size() : 0));
        return false;
    }
    return true;
}

QStringList CBloodPressure::DateEntries() {
    RecordList<BloodPressureRecord> records;
    BloodPressureFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records);
    QStringList entries;
    for (const BloodPressureRecord& record : records)
        entries << EntryText(record.when, false);
    return entries;
}

bool CBloodPressure::LoadStoredEntry(const QString& entry) {
    const auto key = ParseEntry(entry);
    if (!key)
        return false;
    m_time = DateTimeOf(*key);
    const BloodPressureRecord found =
        BloodPressureFile::Find(Services().DataPath(), Frame().CurrentUser.Name(), *key);
    if (!found.active)
        return false;
    m_notes = ShownNotes(found.Notes());
    m_systolic = found.systolic;
    m_diastolic = found.diastolic;
    m_pulse = found.pulse;
    return true;
}

void CBloodPressure::ResetEntry() {
    const QDateTime now = Services().clock->Now();
    m_time = Moment(now.date(), now.time());
    m_notes.clear();
    m_systolic = 0;
    m_diastolic = 0;
    m_pulse = 0;
}

StoreResult CBloodPressure::AppendRecord(QString& entryText) {
    m_pending = BloodPressureRecord{};
    m_pending.user = Frame().CurrentUser;
    m_pending.systolic = m_systolic;
    m_pending.diastolic = m_diastolic;
    m_pending.pulse = m_pulse;
    m_pending.SetNotes(StoredNotes().value_or(std::string())); // checked by ValidateFields
    if (!SelectedEntry.isEmpty()) {
        // A chosen reading keeps its date, with the time the picker shows now; the screen
        // then leaves that reading.
        m_pending.when = KeyOf(m_time.date(), m_time.time());
        SelectedEntry.clear();
    } else {
        m_pending.when = KeyOf(m_date, m_time.time());
    }
    entryText = EntryText(m_pending.when, true);
    return BloodPressureFile::Append(Services().DataPath(), m_pending);
}

StoreResult CBloodPressure::OverwriteRecord() {
    return BloodPressureFile::Overwrite(Services().DataPath(), m_pending, m_pending.when);
}

StoreResult CBloodPressure::RemoveRecord() {
    // The time picker may have moved away from the reading: then there is none to remove.
    return BloodPressureFile::Remove(Services().DataPath(), Frame().CurrentUser.Name(),
                                     KeyOf(m_time.date(), m_time.time()));
}

bool CBloodPressure::ShowLastValues() {
    RecordList<BloodPressureRecord> records;
    if (!BloodPressureFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records))
        return false;
    const BloodPressureRecord& newest = records.front();
    const QDateTime when = DateTimeOf(newest.when);
    m_lastDate->setText(when.isValid() ? when.date().toString(QStringLiteral("MM/dd/yyyy"))
                                       : QString());
    m_lastTime->setText(when.isValid() ? TimeText(when.time()) : QString());
    m_lastSystolic->setText(FormatWholeNumber(newest.systolic));
    m_lastDiastolic->setText(FormatWholeNumber(newest.diastolic));
    m_lastPulse->setText(FormatWholeNumber(newest.pulse));
    return true;
}

void CBloodPressure::ShowDatePicker(bool shown) {
    // Its caption goes with it: a chosen reading keeps its own date.
    m_pickerCaption->setVisible(shown);
    m_datePicker->setVisible(shown);
}

bool CBloodPressure::AllValuesGiven() const {
    // The fields as shown, so that the commands follow the typing.
    for (const QLineEdit* edit : {m_systolicEdit, m_diastolicEdit, m_pulseEdit}) {
        int value = 0;
        if (!ParseWholeNumber(edit->text(), value) || value == 0)
            return false;
    }
    return true;
}

void CBloodPressure::OnExport() {
    // The report shows what the fields show now; its notes, like the record's, are
    // Windows-1252 and refused rather than altered.
    if (!PullFields() || !NotesCharactersFit())
        return;
    ScreenExport report(*this);
    if (!report.ExportOpen(QStringLiteral("BloodPressure.rtf")))
        return;
    report.ExportTitle(QStringLiteral("Blood Pressure Report for "));
    report.ComparisonTable({
        ScreenExport::Row(QStringLiteral("Date:"), ReportDate(), m_lastDate->text()),
        ScreenExport::Row(QStringLiteral("Time:"), TimeText(m_time.time()), m_lastTime->text()),
        ScreenExport::Row(QStringLiteral("Systolic:"), QString::number(m_systolic),
                          m_lastSystolic->text()),
        ScreenExport::Row(QStringLiteral("Diastolic:"), QString::number(m_diastolic),
                          m_lastDiastolic->text()),
        ScreenExport::Row(QStringLiteral("Pulse:"), QString::number(m_pulse), m_lastPulse->text()),
    });
    BloodPressureReportBody(report.Writer(), ScreenExport::DocumentText(m_notes));
    report.ExportFooter();
}

QString CBloodPressure::ReportDate() const {
    // The picker is hidden while a reading is chosen.
    const QDate date = SelectedEntry.isEmpty() ? m_date : m_time.date();
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

std::optional<ScreenPrintReport> CBloodPressure::PrintedReport() {
    if (!PullFields())
        return std::nullopt;
    const QString text = QStringLiteral("\nDate:  ") + ReportDate() + QStringLiteral("\nTime:   ") +
                         TimeText(m_time.time()) + QStringLiteral("\nSystolic:  ") +
                         QString::number(m_systolic) + QStringLiteral("\nDiastolic:  ") +
                         QString::number(m_diastolic) + QStringLiteral("\nPulse:  ") +
                         QString::number(m_pulse) + QStringLiteral("\nNotes:  ") + m_notes +
                         QLatin1Char('\n');
    return ScreenPrintReport{
        ScreenPrint::Title(*this, QStringLiteral("Blood Pressure Report for ")), QString(),
        BloodPressureChartFile, text};
}

void CBloodPressure::OnPrint() {
    if (const std::optional<ScreenPrintReport> report = PrintedReport())
        ScreenPrint::Print(*this, *report);
}

QString CBloodPressure::SavedMessage() const {
    return QStringLiteral("Blood pressure record has been successfully saved");
}

QString CBloodPressure::SaveFailedMessage() const {
    return QStringLiteral("Saving Blood Pressure failed");
}

QString CBloodPressure::DeleteFailedMessage() const {
    return QStringLiteral("Deleting blood pressure failed");
}

} // namespace vitalog
