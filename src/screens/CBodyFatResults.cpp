#include "CBodyFatResults.h"

#include "ChartPicture.h"
#include "calc/BodyCompositionResults.h"
#include "calc/BodyFatCalculation.h"
#include "calc/MeasurementType.h"
#include "calc/NumberText.h"
#include "controls/CXPGroupBox.h"
#include "help/HelpWindows.h"
#include "platform/AppServices.h"
#include "printing/ScreenExport.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "shell/CMainFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vitalog {

namespace {

enum Value { DateValue, BodyFatValue, ToLoseValue, TotalValue, LeanValue, FatValue, GoalValue };

struct ValueInfo {
    const char* caption;
    const char* objectName;
};

constexpr std::array<ValueInfo, 7> Values{{
    {"Date:", "date"},
    {"Body Fat %:", "bodyFat"},
    {"Body Fat to Lose:", "toLose"},
    {"Total Weight:", "totalWeight"},
    {"Lean Body Weight:", "leanWeight"},
    {"Body Fat Weight:", "fatWeight"},
    {"Goal Weight:", "goalWeight"},
}};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A goal weight that has no finite value is left out rather than shown as inf or nan.
QString GoalText(double leanWeight, double desired, int units) {
    const double goal = BodyFatCalculation::GoalWeight(leanWeight, desired);
    return IsShowableGoalWeight(goal) ? Text(FormatWeight(goal, units)) : QString();
}

QString& TextOf(CBodyFatResults::ResultTexts& texts, int value) {
    switch (value) {
    case DateValue:
        return texts.date;
    case BodyFatValue:
        return texts.bodyFat;
    case ToLoseValue:
        return texts.toLose;
    case TotalValue:
        return texts.totalWeight;
    case LeanValue:
        return texts.leanWeight;
    case FatValue:
        return texts.fatWeight;
    default:
        return texts.goalWeight;
    }
}

} // namespace

CBodyFatResults::CBodyFatResults(CMainFrame& frame, AppServices& services, QWidget* parent)
    : RecordScreen(frame, services, parent) {
    setObjectName(QStringLiteral("bodyFatResultsScreen"));
    BuildForm();
}

int CBodyFatResults::HelpTopicNumber() const {
    return HelpBodyCompositionResultsTopic;
}

bool CBodyFatResults::IsDeleteMode() const {
    return Frame().ResultsMode == CMainFrame::ResultsDelete;
}

void CBodyFatResults::BuildForm() {
    auto* box = new CXPGroupBox(QStringLiteral("Body Composition"), this);
    box->setObjectName(QStringLiteral("bodyCompositionBox"));
    StyleWindowBox(*box, BoxBodyColour);

    // The delete mode's date choice; in pending mode it takes no room.
    m_deleteRow = new QWidget(box);
    QComboBox* dateList = CreateDateList(m_deleteRow);
    auto* deleteRow = new QHBoxLayout(m_deleteRow);
    deleteRow->setContentsMargins(0, 0, 0, 0);
    deleteRow->setSpacing(8);
    deleteRow->addWidget(
        Caption(QStringLiteral("Select a date to delete:"), dateList, m_deleteRow));
    deleteRow->addWidget(dateList);
    deleteRow->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const auto columnCaption = [this, box](const QString& text, bool bold) {
        auto* label = KeepRoom(new QLabel(text, box));
        if (bold)
            label->setFont(BoldFont());
        AddLastWidget(label);
        return label;
    };
    for (const int column : {1, 5}) {
        grid->addWidget(columnCaption(QStringLiteral("Current"), true), 0, column);
        grid->addWidget(columnCaption(QStringLiteral("Last"), false), 0, column + 1);
    }

    m_desiredEdit = new QLineEdit(box);
    m_desiredEdit->setObjectName(QStringLiteral("desiredEdit"));
    m_desiredEdit->setMaximumWidth(
        m_desiredEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 12);
    m_recalculate = new QToolButton(box);
    m_recalculate->setObjectName(QStringLiteral("recalculateButton"));
    m_recalculate->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    m_recalculate->setToolTip(QStringLiteral("Recalculate goal weight/body fat to lose"));
    m_recalculate->setAccessibleName(QStringLiteral("Recalculate"));
    m_recalculate->setAccessibleDescription(m_recalculate->toolTip());
    m_recalculate->setFocusPolicy(Qt::StrongFocus);
    connect(m_recalculate, &QToolButton::clicked, this, &CBodyFatResults::Recalculate);
    auto* desiredRow = new QHBoxLayout;
    desiredRow->setSpacing(4);
    desiredRow->addWidget(m_desiredEdit);
    desiredRow->addWidget(m_recalculate);
    desiredRow->addStretch(1);

    // Left: date, body fat, desired, to lose; right: the four weights.
    const auto addValue = [&](int value, int row, int column) {
        const QString objectName = QString::fromLatin1(Values[value].objectName);
        auto* label = new QLabel(box);
        label->setObjectName(objectName + QStringLiteral("Value"));
        label->setFont(BoldFont());
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QStringLiteral("0000.00 kgs")));
        m_values[value] = label;
        QLabel* caption = Caption(QString::fromLatin1(Values[value].caption), label, box);
        auto* last = KeepRoom(new QLabel(box));
        last->setObjectName(QStringLiteral("last") + objectName.at(0).toUpper() +
                            objectName.mid(1) + QStringLiteral("Label"));
        last->setAccessibleName(QStringLiteral("Last ") + label->accessibleName());
        last->setMinimumWidth(last->fontMetrics().horizontalAdvance(QStringLiteral("0000.00 kgs")));
        AddLastWidget(last);
        m_lastValues[value] = last;
        grid->addWidget(caption, row, column);
        grid->addWidget(label, row, column + 1);
        grid->addWidget(last, row, column + 2);
    };
    addValue(DateValue, 1, 0);
    addValue(BodyFatValue, 2, 0);
    grid->addWidget(Caption(QStringLiteral("Desired Body Fat %:"), m_desiredEdit, box), 3, 0);
    grid->addLayout(desiredRow, 3, 1, 1, 2);
    addValue(ToLoseValue, 4, 0);
    addValue(TotalValue, 1, 4);
    addValue(LeanValue, 2, 4);
    addValue(FatValue, 3, 4);
    addValue(GoalValue, 4, 4);
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(7, 1);

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(12, 28, 12, 12);
    boxLayout->setSpacing(12);
    boxLayout->addWidget(m_deleteRow);
    boxLayout->addLayout(grid);

    ContentLayout()->addWidget(box);
    ContentLayout()->addWidget(BuildChart());
    ContentLayout()->addStretch(1);

    setTabOrder(dateList, m_desiredEdit);
    setTabOrder(m_desiredEdit, m_recalculate);
}

QWidget* CBodyFatResults::BuildChart() {
    auto* holder = new QWidget(this);
    auto* chart = new ChartPicture(Services().DbFile(QStringLiteral("bodyfatchart.bmp")), holder);
    chart->setObjectName(QStringLiteral("classificationChart"));
    chart->setAccessibleName(QStringLiteral("Body fat classification chart"));
    chart->setAccessibleDescription(QStringLiteral(
        "Classification, women and men in percent fat. Essential Fat: women 10-12%, men 2-4%. "
        "Athletes: women 14-20%, men 6-13%. Fitness: women 21-24%, men 14-17%. Acceptable: "
        "women 25-31%, men 18-25%. Obese: women 32% plus, men 25% plus."));
    auto* source = new QLabel(
        QStringLiteral("Source: Reprinted with permission from the American Council on Exercise"),
        holder);
    source->setObjectName(QStringLiteral("sourceNote"));
    source->setFont(FootnoteFont());
    source->setWordWrap(true);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(chart);
    layout->addWidget(source);
    return holder;
}

void CBodyFatResults::InitialUpdate() {
    if (IsDeleteMode()) {
        DateList()->addItems(DateEntries());
        m_desiredEdit->setEnabled(false);
        m_recalculate->hide();
        Frame().SavedFlag = true;
    } else {
        m_deleteRow->hide();
        Frame().SavedFlag = false;
        ShowPending();
        RefreshLastValues();
    }
    PushFields();
    CreateActionToolbar(false);
}

void CBodyFatResults::ShowPending() {
    const BodyFatCalculation* pending = Frame().PendingCalculation.get();
    if (!pending)
        return;
    const BodyFatRecord& record = pending->record;
    const UserRecord& user = Frame().CurrentUser;
    // The pending weights are still in the user's units.
    const int units = record.user.units;
    Shown.date = Text(FormatDateKey(record.date, 2));
    Shown.bodyFat = Text(FormatBodyFat(record.bodyFat));
    Desired = float(RoundTo2(user.desiredBodyFat));
    Shown.totalWeight = Text(FormatStoredWeight(user.weight, user.units));
    Shown.fatWeight = Text(FormatWeight(record.fatWeight, units));
    Shown.leanWeight = Text(FormatWeight(record.leanWeight, units));
    Shown.toLose = Text(FormatWeight(record.weightToLose, units));
    Shown.goalWeight = GoalText(record.leanWeight, record.user.desiredBodyFat, units);
    KeepForReports(record);
}

bool CBodyFatResults::ShowLastValues() {
    RecordList<BodyFatRecord> records;
    if (!Frame().PendingCalculation ||
        !BodyFatFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records))
        return false;
    const BodyFatRecord& newest = records.front();
    const int units = Frame().PendingCalculation->record.user.units;
    Last.date = Text(FormatDateKey(newest.date, 2));
    Last.bodyFat = Text(FormatBodyFat(newest.bodyFat));
    Last.totalWeight = Text(FormatStoredWeight(newest.user.weight, units));
    Last.fatWeight = Text(FormatStoredWeight(newest.fatWeight, units));
    Last.leanWeight = Text(FormatStoredWeight(newest.leanWeight, units));
    Last.toLose = Text(FormatStoredWeight(newest.weightToLose, units));
    Last.goalWeight =
        GoalText(StoredWeightInUnits(newest.leanWeight, units), newest.user.desiredBodyFat, units);
    for (int value = 0; value < int(m_lastValues.size()); ++value)
        m_lastValues[value]->setText(TextOf(Last, value));
    return true;
}

void CBodyFatResults::Recalculate() {
    PullFields(); // a bad number is reported; the shown percentage is used
    BodyFatCalculation* pending = Frame().PendingCalculation.get();
    if (!pending)
        return;
    // At 100 the goal weight divides by zero, above it and at 0 or less it makes no sense.
    if (!IsValidDesiredBodyFat(Desired)) {
        WarnField(m_desiredEdit, QStringLiteral("You must select a number between 0 and 100 for "
                                                "Desired Body Fat %"));
        return;
    }
    BodyFatRecord& record = pending->record;
    RecalculateDesired(record, Desired, Frame().CurrentUser.units);
    UpdateProfileFromScreen(std::nullopt, std::nullopt, Desired);
    const int units = record.user.units;
    Shown.toLose = Text(FormatWeight(record.weightToLose, units));
    Shown.goalWeight = GoalText(record.leanWeight, Desired, units);
    PushFields();
}

bool CBodyFatResults::CanSave() const {
    return Frame().PendingCalculation && Frame().ResultsMode == CMainFrame::ResultsPending;
}

void CBodyFatResults::OnSave() {
    if (!CanSave())
        return;
    StoreRecord();
    // Whatever came of it: the stored object may hold pounds now, so it is never saved again.
    Frame().PendingCalculation.reset();
    UpdateActionStates();
}

bool CBodyFatResults::PullFields() {
    return PullReal(m_desiredEdit, Desired);
}

void CBodyFatResults::PushFields() {
    for (int value = 0; value < int(m_values.size()); ++value)
        m_values[value]->setText(TextOf(Shown, value));
    PushDesired(m_desiredEdit, Desired);
    // The delete list has no entry for "nothing chosen": it shows none.
    if (IsDeleteMode() && SelectedEntry.isEmpty())
        DateList()->setCurrentIndex(-1);
}

QStringList CBodyFatResults::DateEntries() {
    RecordList<BodyFatRecord> records;
    BodyFatFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records);
    QStringList entries;
    for (const BodyFatRecord& record : records)
        entries << Text(FormatDateKey(record.date, 1));
    return entries;
}

bool CBodyFatResults::LoadStoredEntry(const QString& entry) {
    const BodyFatRecord found =
        BodyFatFile::Find(Services().DataPath(), Frame().CurrentUser.Name(), SelectedKey);
    if (!found.active)
        return false;
    // Stored weights are pounds.
    const int units = Frame().CurrentUser.units;
    Shown.date = entry;
    Shown.bodyFat = Text(FormatBodyFatSpaced(found.bodyFat));
    Desired = found.user.desiredBodyFat;
    Shown.totalWeight = Text(FormatStoredWeight(found.user.weight, units));
    Shown.fatWeight = Text(FormatStoredWeight(found.fatWeight, units));
    Shown.leanWeight = Text(FormatStoredWeight(found.leanWeight, units));
    Shown.toLose = Text(FormatStoredWeight(found.weightToLose, units));
    Shown.goalWeight = GoalText(StoredWeightInUnits(found.leanWeight, units), Desired, units);
    KeepForReports(found);
    return true;
}

void CBodyFatResults::KeepForReports(const BodyFatRecord& record) {
    ReportMethod = Text(record.Method());
    ReportTape = {record.tape[0], record.tape[1], record.tape[2], record.tape[3]};
    const auto& s = record.sites;
    if (record.Method() == MeasurementType::Parrillo) {
        // Slot 0 packs chest (low) with bicep (high), slot 1 abdominal with calf.
        const auto low = [](std::int32_t slot) { return int(slot & 0xFFFF); };
        const auto high = [](std::int32_t slot) { return int((slot >> 16) & 0xFFFF); };
        ReportSites = {low(s[0]), low(s[1]), s[2], high(s[0]), s[3], s[4], s[5], s[6], high(s[1])};
    } else {
        ReportSites.assign(std::begin(s), std::end(s));
    }
}

void CBodyFatResults::OnExport() {
    // The report shows what the fields show now.
    if (!CanExport() || !PullFields())
        return;
    ScreenExport report(*this);
    if (!report.ExportOpen(QStringLiteral("BodyComp.rtf")))
        return;
    report.ExportTitle(QStringLiteral("Body Composition Report for "));
    report.ComparisonTable({
        ScreenExport::Row(QStringLiteral("Date:"), Shown.date, Last.date),
        ScreenExport::Row(QStringLiteral("Body Fat %:"), Shown.bodyFat, Last.bodyFat),
        // The newest stored record's own desired percentage is not compared.
        ScreenExport::Row(QStringLiteral("Desired Body Fat %:"),
                          Text(FormatText("%.2f%%", double(Desired))), QString()),
        ScreenExport::Row(QStringLiteral("Body Fat to lose:"), Shown.toLose, Last.toLose),
        ScreenExport::Row(QStringLiteral("Total Weight:"), Shown.totalWeight, Last.totalWeight),
        ScreenExport::Row(QStringLiteral("Lean Body Weight:"), Shown.leanWeight, Last.leanWeight),
        ScreenExport::Row(QStringLiteral("Body Fat Weight:"), Shown.fatWeight, Last.fatWeight),
        ScreenExport::Row(QStringLiteral("Goal Weight:"), Shown.goalWeight, Last.goalWeight),
    });
    BodyCompositionReportBody(report.Writer(), ScreenExport::DocumentText(ReportMethod),
                              ReportSiteLines());
    report.ExportFooter();
}

std::optional<ScreenPrintReport> CBodyFatResults::PrintedReport() {
    if (!PullFields())
        return std::nullopt;
    QString text = QStringLiteral("\nDate:  ") + Shown.date + QStringLiteral("\nBody Fat %:  ") +
                   Shown.bodyFat + QStringLiteral("\nDesired Body Fat:  ") +
                   Text(FormatText("%.2f%%", double(Desired))) +
                   QStringLiteral("\nBody Fat to lose:  ") + Shown.toLose +
                   QStringLiteral("\nTotal Weight:  ") + Shown.totalWeight +
                   QStringLiteral("\nLean Body Weight:  ") + Shown.leanWeight +
                   QStringLiteral("\nBody Fat Weight:  ") + Shown.fatWeight +
                   QStringLiteral("\nGoal Weight:  ") + Shown.goalWeight +
                   QStringLiteral("\n\nType of Measurement:  ") + ReportMethod + QLatin1Char('\n');
    for (const std::string& line : ReportSiteLines())
        text += Text(line);
    return ScreenPrintReport{
        ScreenPrint::Title(*this, QStringLiteral("Body Composition Report for ")),
        QStringLiteral("Reprinted with permission from the American Council on Exercise"),
        BodyFatChartFile, text};
}

void CBodyFatResults::OnPrint() {
    if (const std::optional<ScreenPrintReport> report = PrintedReport())
        ScreenPrint::Print(*this, *report);
}

std::vector<std::string> CBodyFatResults::ReportSiteLines() const {
    namespace Type = MeasurementType;
    const std::string method = ReportMethod.toStdString();
    const UserRecord& user = Frame().CurrentUser;
    const auto site = [this](std::size_t index) {
        return index < ReportSites.size() ? ReportSites[index] : 0;
    };
    std::vector<std::string> lines;
    // Skinfolds by the slots the method keeps them in (Parrillo's nine come unpacked).
    const auto skinfolds = [&](std::initializer_list<std::pair<const char*, std::size_t>> rows) {
        for (const auto& [format, index] : rows)
            lines.push_back(FormatText(format, site(index)));
    };
    constexpr std::size_t Chest = 0, Abdominal = 1, Thigh = 2, Tricep = 3, Subscapular = 4,
                          Suprailiac = 5, Midaxillary = 6;
    if (method == Type::JacksonPollock7 || method == "Seven Site Caliper") {
        skinfolds({{"Chest:  %d mm\n", Chest},
                   {"Abdominal:  %d mm\n", Abdominal},
                   {"Thigh:  %d mm\n", Thigh},
                   {"Tricep:  %d mm\n", Tricep},
                   {"Subscapular:  %d mm\n", Subscapular},
                   {"Suprailiac:  %d mm\n", Suprailiac},
                   {"Midaxillary:  %d mm\n", Midaxillary}});
    } else if (method == Type::JacksonPollock4) {
        skinfolds({{"Abdominal:  %d mm\n", Abdominal},
                   {"Thigh:  %d mm\n", Thigh},
                   {"Tricep:  %d mm\n", Tricep},
                   {"Suprailiac:  %d mm\n", Suprailiac}});
    } else if (method == Type::JacksonPollock3 || method == "Three Site Caliper") {
        if (user.sex == Male)
            skinfolds({{"Chest:  %d mm\n", Chest},
                       {"Abdominal:  %d mm\n", Abdominal},
                       {"Thigh:  %d mm\n", Thigh}});
        else
            skinfolds({{"Tricep:  %d mm\n", Tricep},
                       {"Suprailiac:  %d mm\n", Suprailiac},
                       {"Thigh:  %d mm\n", Thigh}});
    } else if (method == Type::Durnin) {
        // Durnin keeps the bicep in the chest slot.
        skinfolds({{"Bicep:  %d mm\n", Chest},
                   {"Tricep:  %d mm\n", Tricep},
                   {"Subscapular:  %d mm\n", Subscapular},
                   {"Suprailiac:  %d mm\n", Suprailiac}});
    } else if (method == Type::Parrillo) {
        // The last two have a single blank after the colon, as the program always wrote them.
        skinfolds({{"Chest:  %d mm\n", 0},
                   {"Abdominal:  %d mm\n", 1},
                   {"Thigh:  %d mm\n", 2},
                   {"Bicep:  %d mm\n", 3},
                   {"Tricep:  %d mm\n", 4},
                   {"Subscapular:  %d mm\n", 5},
                   {"Suprailiac:  %d mm\n", 6},
                   {"Lower Back: %d mm\n", 7},
                   {"Calf: %d mm\n", 8}});
    } else if (method == Type::TapeMeasurement) {
        // The tape block: waist (or abdomen), height, hip, neck, in inches.
        const double height = ReportTape[1];
        lines.push_back(user.lengthUnits == Centimetres
                            ? FormatText("Height:  %.2f\n", height * InToCm)
                            : FormatFeetInches(height, "Height:  %d ' 0 ''\n",
                                               "Height:  %d ' %.0f.%.0f ''\n",
                                               "Height:  %d ' %.0f ''\n"));
        const double factor = user.lengthUnits == Inches ? 1 : InToCm;
        lines.push_back(FormatText(user.sex == Male ? "Abdomen:  %.2f\n" : "Waist:  %.2f\n",
                                   ReportTape[0] * factor));
        lines.push_back(FormatText("Neck:  %.2f\n", ReportTape[3] * factor));
        if (user.sex == Female)
            lines.push_back(FormatText("Hip:  %.2f\n", ReportTape[2] * factor));
    }
    return lines;
}

void CBodyFatResults::ResetEntry() {
    Shown = ResultTexts{};
    Desired = 0;
    ReportMethod.clear();
    ReportSites.clear();
    ReportTape = {};
}

StoreResult CBodyFatResults::AppendRecord(QString& entryText) {
    BodyFatCalculation& pending = *Frame().PendingCalculation;
    entryText = Text(FormatDateKey(pending.record.date, 1));
    return pending.Save(Services().DataPath());
}

StoreResult CBodyFatResults::OverwriteRecord() {
    BodyFatCalculation& pending = *Frame().PendingCalculation;
    return pending.Overwrite(Services().DataPath(), pending.record.date);
}

StoreResult CBodyFatResults::RemoveRecord() {
    return BodyFatFile::Remove(Services().DataPath(), Frame().CurrentUser.Name(), SelectedKey);
}

QString CBodyFatResults::SavedMessage() const {
    return QStringLiteral("Body Composition record has been successfully saved");
}

QString CBodyFatResults::SaveFailedMessage() const {
    return QStringLiteral("Saving Body Composition failed");
}

QString CBodyFatResults::DeleteFailedMessage() const {
    return QStringLiteral("Deleting body fat record failed");
}

QString CBodyFatResults::DeleteQuestion(const QString& entry) const {
    return QStringLiteral("Are you sure you want to delete ") + entry +
           QStringLiteral(" body composition record from memory?");
}

} // namespace vitalog
