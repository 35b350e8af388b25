#include "CTapeMeasurement.h"

#include "FieldText.h"
#include "calc/NumberText.h"
#include "controls/CXPGroupBox.h"
#include "help/HelpWindows.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "printing/ScreenExport.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "shell/CMainFrame.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vitalog {

namespace {

struct SiteInfo {
    const char* name; // caption without the colon, and the name in the range message
    const char* objectName;
};

// Record order; the forearm reads "Hip" for women.
constexpr std::array<SiteInfo, CTapeMeasurement::SiteCount> Sites{{
    {"Bicep", "bicep"},
    {"Forearm", "forearmOrHip"},
    {"Chest", "chest"},
    {"Waist", "waist"},
    {"Neck", "neck"},
    {"Calf", "calf"},
    {"Thigh", "thigh"},
}};

// The two columns of site fields.
constexpr int LeftColumnSites = 4;

constexpr double WeightLimit = 1200;
constexpr double SiteLimit = 1000;

std::array<double, CTapeMeasurement::SiteCount> SitesOf(const TapeRecord& r) {
    return {r.biceps, r.forearmOrHip, r.chest, r.waist, r.neck, r.calf, r.thigh};
}

void SetSites(TapeRecord& r, const std::array<double, CTapeMeasurement::SiteCount>& sites) {
    r.biceps = sites[CTapeMeasurement::Bicep];
    r.forearmOrHip = sites[CTapeMeasurement::ForearmOrHip];
    r.chest = sites[CTapeMeasurement::Chest];
    r.waist = sites[CTapeMeasurement::Waist];
    r.neck = sites[CTapeMeasurement::Neck];
    r.calf = sites[CTapeMeasurement::Calf];
    r.thigh = sites[CTapeMeasurement::Thigh];
}

// Stored pounds and inches to the user's units.
double WeightFactor(const UserRecord& user) {
    return user.units == Metric ? LbToKg : 1;
}
double LengthFactor(const UserRecord& user) {
    return user.lengthUnits == Centimetres ? InToCm : 1;
}

QString LastText(double value) {
    return QString::fromStdString(FormatText("%.2f", value));
}

} // namespace

CTapeMeasurement::CTapeMeasurement(CMainFrame& frame, AppServices& services, QWidget* parent)
    : RecordScreen(frame, services, parent) {
    setObjectName(QStringLiteral("tapeMeasurementScreen"));
    BuildForm();
}

int CTapeMeasurement::HelpTopicNumber() const {
    return HelpTapeMeasurementsTopic;
}

bool CTapeMeasurement::IsFemale() const {
    return Frame().CurrentUser.sex == Female;
}

QString CTapeMeasurement::SiteName(int site) const {
    if (site == ForearmOrHip && IsFemale())
        return QStringLiteral("Hip");
    return QString::fromLatin1(Sites[site].name);
}

void CTapeMeasurement::BuildForm() {
    auto* selectBox = new CXPGroupBox(QStringLiteral("Select Date"), this);
    selectBox->setObjectName(QStringLiteral("selectDateBox"));
    StyleWindowBox(*selectBox, Qt::white);
    QComboBox* dateList = CreateDateList(selectBox);
    m_datePicker = KeepRoom(new QDateEdit(selectBox));
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setCalendarPopup(true);
    // The form the date list shows its dates in.
    m_datePicker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    auto* lastDateCaption = new QLabel(QStringLiteral("Last"), selectBox);
    m_lastDate = new QLabel(selectBox);
    m_lastDate->setObjectName(QStringLiteral("lastDateLabel"));
    lastDateCaption->setBuddy(m_lastDate);
    m_lastDate->setAccessibleDescription(QStringLiteral("Last tape measurement date"));
    auto* selectLayout = new QGridLayout(selectBox);
    selectLayout->setContentsMargins(12, 28, 12, 12);
    selectLayout->addWidget(
        Caption(QStringLiteral("Select an existing tape measurement date:"), dateList, selectBox),
        0, 0);
    selectLayout->addWidget(dateList, 0, 1);
    m_pickerCaption = KeepRoom(
        Caption(QStringLiteral("Or enter a new tape measurement date:"), m_datePicker, selectBox));
    selectLayout->addWidget(m_pickerCaption, 1, 0);
    selectLayout->addWidget(m_datePicker, 1, 1, Qt::AlignLeft);
    selectLayout->addWidget(lastDateCaption, 0, 3);
    selectLayout->addWidget(m_lastDate, 0, 4);
    selectLayout->setColumnMinimumWidth(2, 16);
    selectLayout->setColumnStretch(5, 1);
    AddLastWidget(KeepRoom(lastDateCaption));
    AddLastWidget(KeepRoom(m_lastDate));

    auto* tapeBox = new CXPGroupBox(QStringLiteral("Tape Measurements"), this);
    tapeBox->setObjectName(QStringLiteral("tapeMeasurementsBox"));
    StyleWindowBox(*tapeBox, BoxBodyColour);

    const auto numberEdit = [tapeBox](const QString& objectName) {
        auto* edit = new QLineEdit(tapeBox);
        edit->setObjectName(objectName);
        edit->setMaximumWidth(120);
        return edit;
    };
    const auto lastValue = [this, tapeBox](const QString& objectName) {
        auto* label = KeepRoom(new QLabel(tapeBox));
        label->setObjectName(objectName);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000.00")));
        AddLastWidget(label);
        return label;
    };
    const auto lastCaption = [this, tapeBox] {
        auto* label = KeepRoom(new QLabel(QStringLiteral("Last"), tapeBox));
        AddLastWidget(label);
        return label;
    };

    m_weightEdit = numberEdit(QStringLiteral("weightEdit"));
    m_lastWeight = lastValue(QStringLiteral("lastWeightLabel"));
    m_lastWeight->setAccessibleDescription(QStringLiteral("Last weight"));
    auto* weightLast = lastCaption();
    weightLast->setBuddy(m_lastWeight);
    auto* weightLayout = new QHBoxLayout;
    weightLayout->setSpacing(8);
    weightLayout->addWidget(
        Caption(QStringLiteral("Body weight on date of measurement:"), m_weightEdit, tapeBox));
    weightLayout->addWidget(m_weightEdit);
    weightLayout->addSpacing(16);
    weightLayout->addWidget(weightLast);
    weightLayout->addWidget(m_lastWeight);
    weightLayout->addStretch(1);

    auto* sitesCaption = new QLabel(QStringLiteral("Tape Sites:"), tapeBox);
    sitesCaption->setFont(BoldFont());
    auto* rule = new QFrame(tapeBox);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* sitesRule = new QHBoxLayout;
    sitesRule->addWidget(sitesCaption);
    sitesRule->addWidget(rule, 1);

    // Two columns of [caption, field, last value] under their "Last" captions.
    auto* sitesLayout = new QGridLayout;
    sitesLayout->setHorizontalSpacing(8);
    sitesLayout->addWidget(lastCaption(), 0, 2);
    sitesLayout->addWidget(lastCaption(), 0, 6);
    for (int site = 0; site < SiteCount; ++site) {
        const QString objectName = QString::fromLatin1(Sites[site].objectName);
        m_siteEdits[site] = numberEdit(objectName + QStringLiteral("Edit"));
        // The user is chosen before any record screen is built.
        auto* caption = Caption(SiteName(site) + QLatin1Char(':'), m_siteEdits[site], tapeBox);
        caption->setObjectName(objectName + QStringLiteral("Caption"));
        m_lastSites[site] = lastValue(QStringLiteral("last") + objectName.at(0).toUpper() +
                                      objectName.mid(1) + QStringLiteral("Label"));
        m_lastSites[site]->setAccessibleDescription(QStringLiteral("Last ") +
                                                    SiteName(site).toLower());
        const bool left = site < LeftColumnSites;
        const int row = 1 + (left ? site : site - LeftColumnSites);
        const int column = left ? 0 : 4;
        sitesLayout->addWidget(caption, row, column);
        sitesLayout->addWidget(m_siteEdits[site], row, column + 1);
        sitesLayout->addWidget(m_lastSites[site], row, column + 2);
    }
    sitesLayout->setColumnMinimumWidth(3, 24);
    sitesLayout->setColumnStretch(7, 1);

    auto* tapeLayout = new QVBoxLayout(tapeBox);
    tapeLayout->setContentsMargins(12, 28, 12, 12);
    tapeLayout->setSpacing(10);
    tapeLayout->addLayout(weightLayout);
    tapeLayout->addLayout(sitesRule);
    tapeLayout->addLayout(sitesLayout);

    ContentLayout()->addWidget(selectBox);
    ContentLayout()->addWidget(tapeBox);
    ContentLayout()->addStretch(1);

    QWidget* previous = dateList;
    for (QWidget* next : std::initializer_list<QWidget*>{m_datePicker, m_weightEdit}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (QLineEdit* edit : m_siteEdits) {
        setTabOrder(previous, edit);
        previous = edit;
    }

    ConnectFieldChanged(m_weightEdit);
    for (QLineEdit* edit : m_siteEdits)
        ConnectFieldChanged(edit);
}

void CTapeMeasurement::InitialUpdate() {
    m_datePicker->setDate(Services().clock->Today());
    const UserRecord& user = Frame().CurrentUser;
    m_weight = RoundTo2(user.weight * WeightFactor(user));
    PrefillFromBodyComposition();
    OpenRecords(false);
    // Connected only now: the opening date is not a change, and the fields hold their values.
    connect(m_datePicker, &QDateEdit::dateChanged, this, &CTapeMeasurement::PickerChanged);
}

DateKey CTapeMeasurement::PickerKey() const {
    const QDate date = m_datePicker->date();
    return MakeDateKey(date.year(), date.month(), date.day());
}

void CTapeMeasurement::PrefillFromBodyComposition() {
    const UserRecord& user = Frame().CurrentUser;
    const BodyFatRecord found = BodyFatFile::Find(Services().DataPath(), user.Name(), PickerKey());
    if (!found.active)
        return;
    const bool centimetres = user.lengthUnits == Centimetres;
    const auto shown = [centimetres](double inches) {
        return centimetres ? RoundTo2(inches * InToCm) : inches; // inches as stored
    };
    // The tape block holds waist, height, hip, neck.
    m_sites[Neck] = shown(found.tape[3]);
    m_sites[Waist] = shown(found.tape[0]);
    if (IsFemale())
        m_sites[ForearmOrHip] = shown(found.tape[2]);
}

bool CTapeMeasurement::PullFields() {
    if (!PullReal(m_weightEdit, m_weight))
        return false;
    for (int site = 0; site < SiteCount; ++site)
        if (!PullReal(m_siteEdits[site], m_sites[site]))
            return false;
    return true;
}

void CTapeMeasurement::PushFields() {
    PushReal(m_weightEdit, m_weight);
    for (int site = 0; site < SiteCount; ++site)
        PushReal(m_siteEdits[site], m_sites[site]);
}

bool CTapeMeasurement::ValidateFields() {
    // The limits themselves are refused although the messages name them.
    if (m_weight < 0 || m_weight >= WeightLimit) {
        WarnField(m_weightEdit,
                  QStringLiteral("You must select a number between 0 and 1200 for Weight"));
        return false;
    }
    for (int site = 0; site < SiteCount; ++site) {
        if (m_sites[site] < 0 || m_sites[site] >= SiteLimit) {
            WarnField(m_siteEdits[site],
                      QStringLiteral("You must select a number between 0 and 1000 for ") +
                          SiteName(site));
            return false;
        }
    }
    return true;
}

void CTapeMeasurement::WriteProfile() {
    UpdateProfileFromScreen(m_weight, std::nullopt, std::nullopt);
}

QStringList CTapeMeasurement::DateEntries() {
    RecordList<TapeRecord> records;
    TapeFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records);
    QStringList entries;
    for (const TapeRecord& record : records)
        entries << QString::fromStdString(FormatDateKey(record.date, 1));
    return entries;
}

bool CTapeMeasurement::LoadStoredEntry(const QString&) {
    const UserRecord& user = Frame().CurrentUser;
    const TapeRecord found = TapeFile::Find(Services().DataPath(), user.Name(), SelectedKey);
    if (!found.active)
        return false;
    m_weight = RoundTo2(found.user.weight * WeightFactor(user));
    const auto stored = SitesOf(found);
    for (int site = 0; site < SiteCount; ++site)
        m_sites[site] = RoundTo2(stored[site] * LengthFactor(user));
    return true;
}

void CTapeMeasurement::ResetEntry() {
    // The weight stays: it is most likely the same on the next date.
    m_sites.fill(0);
}

StoreResult CTapeMeasurement::AppendRecord(QString& entryText) {
    m_pending = TapeRecord{};
    m_pending.user = Frame().CurrentUser;
    SetSites(m_pending, m_sites);
    m_pending.date = SelectedKey ? SelectedKey : PickerKey();
    entryText = QString::fromStdString(FormatDateKey(m_pending.date, 1));
    return TapeFile::Append(Services().DataPath(), m_pending);
}

StoreResult CTapeMeasurement::OverwriteRecord() {
    // Append has converted the record already; it is written as it is.
    return TapeFile::Overwrite(Services().DataPath(), m_pending, m_pending.date);
}

StoreResult CTapeMeasurement::RemoveRecord() {
    return TapeFile::Remove(Services().DataPath(), Frame().CurrentUser.Name(), SelectedKey);
}

bool CTapeMeasurement::ShowLastValues() {
    const UserRecord& user = Frame().CurrentUser;
    RecordList<TapeRecord> records;
    if (!TapeFile::LoadAll(Services().DataPath(), user.Name(), records))
        return false;
    const TapeRecord& newest = records.front();
    m_lastDate->setText(QString::fromStdString(FormatDateKey(newest.date, 1)));
    m_lastWeight->setText(LastText(newest.user.weight * WeightFactor(user)));
    const auto stored = SitesOf(newest);
    for (int site = 0; site < SiteCount; ++site)
        m_lastSites[site]->setText(LastText(stored[site] * LengthFactor(user)));
    return true;
}

void CTapeMeasurement::ShowDatePicker(bool shown) {
    // Its caption goes with it: a chosen record keeps its own date.
    m_pickerCaption->setVisible(shown);
    m_datePicker->setVisible(shown);
}

bool CTapeMeasurement::AllSitesMeasured() const {
    // The fields as shown, so that the commands follow the typing.
    for (const QLineEdit* edit : m_siteEdits) {
        double value = 0;
        if (!ParseRealNumber(edit->text(), value) || value == 0)
            return false;
    }
    return true;
}

void CTapeMeasurement::OnExport() {
    // The report shows what the fields show now.
    if (!PullFields())
        return;
    ScreenExport report(*this);
    if (!report.ExportOpen(QStringLiteral("TapeM.rtf")))
        return;
    report.ExportTitle(QStringLiteral("Tape Measurements Report for "));
    const auto number = [](double value) {
        return QString::fromStdString(FormatText("%.2f", value));
    };
    // The picker's date, also while a stored record is chosen and the picker is hidden.
    std::vector<ComparisonRow> rows{
        ScreenExport::Row(QStringLiteral("Date:"),
                          QString::fromStdString(FormatDateKey(PickerKey(), 1)),
                          m_lastDate->text()),
        ScreenExport::Row(QStringLiteral("Weight:"), number(m_weight), m_lastWeight->text()),
    };
    // The fields are in the user's units already.
    for (int site = 0; site < SiteCount; ++site)
        rows.push_back(ScreenExport::Row(SiteName(site) + QLatin1Char(':'), number(m_sites[site]),
                                         m_lastSites[site]->text()));
    report.ComparisonTable(rows);
    TapeReportBody(report.Writer());
    report.ExportFooter();
}

std::optional<ScreenPrintReport> CTapeMeasurement::PrintedReport() {
    if (!PullFields())
        return std::nullopt;
    const auto number = [](double value) {
        return QString::fromStdString(FormatText("%.2f", value));
    };
    // The picker's date, also while a stored record is chosen; three blanks after "Weight:".
    QString text = QStringLiteral("\nDate:  ") +
                   QString::fromStdString(FormatDateKey(PickerKey(), 1)) +
                   QStringLiteral("\nWeight:   ") + number(m_weight) + QLatin1Char('\n');
    for (int site = 0; site < SiteCount; ++site)
        text += SiteName(site) + QStringLiteral(":  ") + number(m_sites[site]) + QLatin1Char('\n');
    return ScreenPrintReport{
        ScreenPrint::Title(*this, QStringLiteral("Tape Measurements Report for ")),
        QString(),
        {},
        text};
}

void CTapeMeasurement::OnPrint() {
    if (const std::optional<ScreenPrintReport> report = PrintedReport())
        ScreenPrint::Print(*this, *report);
}

QString CTapeMeasurement::SavedMessage() const {
    return QStringLiteral("Tape measurement record has been successfully saved");
}

QString CTapeMeasurement::SaveFailedMessage() const {
    return QStringLiteral("Saving Tape Measurement failed");
}

QString CTapeMeasurement::DeleteFailedMessage() const {
    return QStringLiteral("Deleting tape measurement failed");
}

} // namespace vitalog
