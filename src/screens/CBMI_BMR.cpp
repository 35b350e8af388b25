#include "CBMI_BMR.h"

#include "FieldText.h"
#include "calc/ActivityLevel.h"
#include "calc/BasalMetabolicRate.h"
#include "calc/BodyMassIndex.h"
#include "calc/NumberText.h"
#include "controls/CXPGroupBox.h"
#include "help/HelpWindows.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/SharpImage.h"
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
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vitalog {

namespace {

constexpr QColor InnerCaptionColour(16, 140, 231);

// The "Last" height is written without a blank before the closing quotes.
constexpr const char* LastHeightWholeFeet = "%d ' 0''";
constexpr const char* LastHeightWithFraction = "%d ' %.0f.%.0f''";
constexpr const char* LastHeightPlain = "%d ' %.0f''";

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString KcalText(double kcal) {
    return Text(FormatKcalPerDay(kcal));
}

QLineEdit* NumberEdit(const QString& objectName, int characters, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    // Room for so many digits: the size hint holds 17 "x" besides the frame and margins.
    const QFontMetrics metrics = edit->fontMetrics();
    const int frame = edit->sizeHint().width() - metrics.horizontalAdvance(QLatin1Char('x')) * 17;
    edit->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * characters + frame);
    return edit;
}

// A value shown beside its caption: the caption is its buddy and names it.
QLabel* ValueLabel(const QString& objectName, const QString& accessibleName, QWidget* parent) {
    auto* value = new QLabel(parent);
    value->setObjectName(objectName);
    value->setAccessibleName(accessibleName);
    value->setTextFormat(Qt::PlainText);
    return value;
}

// Wide enough for the widest text the value can take, so that nothing moves when it changes.
void ReserveWidth(QLabel* label, const QString& widest) {
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 2);
}

QLabel* WrappedText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText); // keeps the two blanks after a full stop
    label->setWordWrap(true);
    return label;
}

QFrame* Rule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

} // namespace

CBMI_BMR::CBMI_BMR(CMainFrame& frame, AppServices& services, QWidget* parent)
    : RecordScreen(frame, services, parent) {
    setObjectName(QStringLiteral("bmiBmrScreen"));
    BuildForm();
}

void CBMI_BMR::BuildForm() {
    // --- Select Date ---
    auto* selectBox = new CXPGroupBox(QStringLiteral("Select Date"), this);
    selectBox->setObjectName(QStringLiteral("selectDateBox"));
    StyleWindowBox(*selectBox, Qt::white);
    QComboBox* dateList = CreateDateList(selectBox);
    m_datePicker = new QDateEdit(selectBox);
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    m_pickerLabel =
        Caption(QStringLiteral("Or enter a new BMI/BMR date:"), m_datePicker, selectBox);
    // A chosen record hides the picker; its row keeps the room so that nothing moves.
    KeepRoom(m_pickerLabel);
    KeepRoom(m_datePicker);
    auto* lastDateCaption = new QLabel(QStringLiteral("Last"), selectBox);
    lastDateCaption->setObjectName(QStringLiteral("lastDateCaption"));
    m_lastDate =
        ValueLabel(QStringLiteral("lastDateValue"), QStringLiteral("Last date"), selectBox);
    lastDateCaption->setBuddy(m_lastDate);
    ReserveWidth(m_lastDate, QStringLiteral("00/00/0000"));
    AddLastWidget(lastDateCaption);

    auto* selectLayout = new QGridLayout(selectBox);
    selectLayout->setContentsMargins(12, 28, 12, 12);
    selectLayout->setHorizontalSpacing(10);
    selectLayout->addWidget(
        Caption(QStringLiteral("Select an existing BMI/BMR date:"), dateList, selectBox), 0, 0);
    selectLayout->addWidget(dateList, 0, 1);
    selectLayout->addWidget(lastDateCaption, 0, 3);
    selectLayout->addWidget(m_lastDate, 0, 4);
    selectLayout->addWidget(m_pickerLabel, 1, 0);
    selectLayout->addWidget(m_datePicker, 1, 1, Qt::AlignLeft);
    selectLayout->setColumnMinimumWidth(2, 16);
    selectLayout->setColumnStretch(5, 1);

    // --- Calculate your BMI and BMR: ---
    auto* calculateBox = new CXPGroupBox(QStringLiteral("Calculate your BMI and BMR:"), this);
    calculateBox->setObjectName(QStringLiteral("calculateBox"));
    StyleWindowBox(*calculateBox, BoxBodyColour);

    m_feetEdit = NumberEdit(QStringLiteral("heightFeetEdit"), 4, calculateBox);
    m_inchesEdit = NumberEdit(QStringLiteral("heightInchesEdit"), 6, calculateBox);
    m_centimetresEdit = NumberEdit(QStringLiteral("heightCentimetresEdit"), 6, calculateBox);
    m_weightEdit = NumberEdit(QStringLiteral("weightEdit"), 8, calculateBox);
    m_ageEdit = NumberEdit(QStringLiteral("ageEdit"), 4, calculateBox);
    m_feetCaption = new QLabel(QStringLiteral("feet"), calculateBox);
    m_feetCaption->setObjectName(QStringLiteral("feetCaption"));
    m_inchesCaption = new QLabel(QStringLiteral("inches"), calculateBox);
    m_inchesCaption->setObjectName(QStringLiteral("inchesCaption"));
    m_heightLabel = Caption(QStringLiteral("Height:"), m_feetEdit, calculateBox);
    m_feetEdit->setAccessibleName(QStringLiteral("Height feet"));
    m_inchesEdit->setAccessibleName(QStringLiteral("Height inches"));
    m_centimetresEdit->setAccessibleName(QStringLiteral("Height cm"));
    m_centimetresEdit->hide();

    auto* lastEntryCaption = new QLabel(QStringLiteral("Last"), calculateBox);
    lastEntryCaption->setObjectName(QStringLiteral("lastEntryCaption"));
    AddLastWidget(lastEntryCaption);
    m_lastHeight =
        ValueLabel(QStringLiteral("lastHeightValue"), QStringLiteral("Last height"), calculateBox);
    m_lastWeight =
        ValueLabel(QStringLiteral("lastWeightValue"), QStringLiteral("Last weight"), calculateBox);
    m_lastAge =
        ValueLabel(QStringLiteral("lastAgeValue"), QStringLiteral("Last age"), calculateBox);
    ReserveWidth(m_lastHeight, QStringLiteral("00 ' 00.00''"));

    auto* entryLayout = new QGridLayout;
    entryLayout->setHorizontalSpacing(10);
    entryLayout->addWidget(m_feetCaption, 0, 1);
    entryLayout->addWidget(m_inchesCaption, 0, 2);
    entryLayout->addWidget(lastEntryCaption, 0, 4);
    entryLayout->addWidget(m_heightLabel, 1, 0);
    entryLayout->addWidget(m_feetEdit, 1, 1);
    entryLayout->addWidget(m_centimetresEdit, 1, 1);
    entryLayout->addWidget(m_inchesEdit, 1, 2);
    entryLayout->addWidget(m_lastHeight, 1, 4);
    entryLayout->addWidget(Caption(QStringLiteral("Weight:"), m_weightEdit, calculateBox), 2, 0);
    entryLayout->addWidget(m_weightEdit, 2, 1, 1, 2);
    entryLayout->addWidget(m_lastWeight, 2, 4);
    entryLayout->addWidget(Caption(QStringLiteral("Age:"), m_ageEdit, calculateBox), 3, 0);
    entryLayout->addWidget(m_ageEdit, 3, 1, 1, 2);
    entryLayout->addWidget(m_lastAge, 3, 4);
    entryLayout->setColumnMinimumWidth(3, 24);
    entryLayout->setColumnStretch(5, 1);

    auto* activityBox = new CXPGroupBox(QStringLiteral("Select an Activity Factor:"), calculateBox);
    activityBox->setObjectName(QStringLiteral("activityBox"));
    StyleFrameBox(*activityBox, InnerCaptionColour, BoxBodyColour);
    // Qt would name a box inside a box by the outer box's title.
    activityBox->setAccessibleName(activityBox->title());
    auto* activityLayout = new QGridLayout(activityBox);
    activityLayout->setContentsMargins(12, 22, 12, 10);
    activityLayout->setHorizontalSpacing(16);
    for (std::size_t i = 0; i < ActivityLevels.size(); ++i) {
        const QString caption = Text(std::string(ActivityLevels[i].caption));
        const QString description = Text(std::string(ActivityLevels[i].description));
        auto* radio = new QRadioButton(caption, activityBox);
        radio->setObjectName(caption.toLower() + QStringLiteral("Radio"));
        radio->setAccessibleDescription(description);
        auto* text = new QLabel(description, activityBox);
        text->setObjectName(caption.toLower() + QStringLiteral("Description"));
        activityLayout->addWidget(radio, int(i), 0);
        activityLayout->addWidget(text, int(i), 1);
        m_activity[i] = radio;
    }
    activityLayout->setColumnStretch(2, 1);
    CreateChoiceGroup({m_activity[0], m_activity[1], m_activity[2], m_activity[3], m_activity[4]});
    m_activity[0]->setChecked(true);

    auto* resultsBox = new CXPGroupBox(QStringLiteral("BMI and BMR Results:"), calculateBox);
    resultsBox->setObjectName(QStringLiteral("resultsBox"));
    StyleFrameBox(*resultsBox, InnerCaptionColour, BoxBodyColour);
    resultsBox->setAccessibleName(resultsBox->title());
    const QFont bold = BoldFont();
    m_bmiValue = ValueLabel(QStringLiteral("bmiValue"), QStringLiteral("BMI"), resultsBox);
    m_bmrValue = ValueLabel(QStringLiteral("bmrValue"), QStringLiteral("BMR"), resultsBox);
    m_bmrActivityValue = ValueLabel(QStringLiteral("bmrActivityValue"),
                                    QStringLiteral("BMR w/Activity Factor"), resultsBox);
    m_lastBmi = ValueLabel(QStringLiteral("lastBmiValue"), QStringLiteral("Last BMI"), resultsBox);
    m_lastBmr = ValueLabel(QStringLiteral("lastBmrValue"), QStringLiteral("Last BMR"), resultsBox);
    m_lastBmrActivity = ValueLabel(QStringLiteral("lastBmrActivityValue"),
                                   QStringLiteral("Last BMR w/Activity Factor"), resultsBox);
    const QString widestKcal = QStringLiteral("00,000 kcal/day");
    for (QLabel* value : {m_bmiValue, m_bmrValue, m_bmrActivityValue}) {
        value->setFont(bold);
        ReserveWidth(value, widestKcal);
    }
    for (QLabel* value : {m_lastBmi, m_lastBmr, m_lastBmrActivity})
        ReserveWidth(value, widestKcal);
    auto* lastResultsCaption = new QLabel(QStringLiteral("Last"), resultsBox);
    lastResultsCaption->setObjectName(QStringLiteral("lastResultsCaption"));
    AddLastWidget(lastResultsCaption);

    auto* resultsLayout = new QGridLayout(resultsBox);
    resultsLayout->setContentsMargins(12, 22, 12, 10);
    resultsLayout->setHorizontalSpacing(16);
    resultsLayout->addWidget(lastResultsCaption, 0, 2);
    QLabel* const values[] = {m_bmiValue, m_bmrValue, m_bmrActivityValue};
    const char* const captions[] = {"BMI:", "BMR:", "BMR w/Activity Factor:"};
    QLabel* const lastValues[] = {m_lastBmi, m_lastBmr, m_lastBmrActivity};
    for (int row = 0; row < 3; ++row) {
        QLabel* value = values[row];
        auto* caption = new QLabel(QString::fromLatin1(captions[row]), resultsBox);
        caption->setBuddy(value);
        resultsLayout->addWidget(caption, row + 1, 0);
        resultsLayout->addWidget(value, row + 1, 1);
        resultsLayout->addWidget(lastValues[row], row + 1, 2);
    }
    resultsLayout->setColumnStretch(3, 1);

    // The results beside the entries, so that Calculate shows them where the eye already is.
    auto* calculateLayout = new QGridLayout(calculateBox);
    calculateLayout->setContentsMargins(12, 28, 12, 12);
    calculateLayout->setSpacing(12);
    calculateLayout->addLayout(entryLayout, 0, 0, Qt::AlignTop);
    calculateLayout->addWidget(resultsBox, 0, 1);
    calculateLayout->addWidget(activityBox, 1, 0, 1, 2);

    // One column as wide as the description's chart; the form scrolls within the window.
    auto* column = new QVBoxLayout;
    column->setSpacing(10);
    column->addWidget(selectBox);
    column->addWidget(calculateBox);
    column->addWidget(BuildDescription());
    auto* row = new QHBoxLayout;
    row->addLayout(column);
    row->addStretch(1);
    ContentLayout()->addLayout(row);
    ContentLayout()->addStretch(1);

    setTabOrder(dateList, m_datePicker);
    setTabOrder(m_datePicker, m_feetEdit);
    setTabOrder(m_feetEdit, m_centimetresEdit);
    setTabOrder(m_centimetresEdit, m_inchesEdit);
    setTabOrder(m_inchesEdit, m_weightEdit);
    setTabOrder(m_weightEdit, m_ageEdit);
    QWidget* previous = m_ageEdit;
    for (QRadioButton* radio : m_activity) {
        setTabOrder(previous, radio);
        previous = radio;
    }

    connect(m_datePicker, &QDateEdit::dateChanged, this, &CBMI_BMR::PickerChanged);
    // Choosing an entry ends the calculation in hand, and what is shown counts as saved,
    // whichever entry it is and whether or not it is found.
    connect(dateList, &QComboBox::activated, this, [this] {
        m_calculated = false;
        Frame().SavedFlag = true;
    });
}

QWidget* CBMI_BMR::BuildDescription() {
    auto* box = new CXPGroupBox(QStringLiteral("BMI/BMR Description"), this);
    box->setObjectName(QStringLiteral("descriptionBox"));
    StyleWindowBox(*box, BoxBodyColour);
    const QFont bold = BoldFont();

    auto* bmiHeading = new QLabel(QStringLiteral("Body Mass Index (BMI)"), box);
    bmiHeading->setObjectName(QStringLiteral("bmiHeading"));
    bmiHeading->setFont(bold);
    auto* chart = new QLabel(box);
    chart->setObjectName(QStringLiteral("bmiChart"));
    chart->setAccessibleName(QStringLiteral("BMI chart"));
    // What the picture shows, for those who cannot see it.
    chart->setAccessibleDescription(
        QStringLiteral("BMI and Weight Status: Below 18.5 Underweight; 18.5 - 24.9 Normal; "
                       "25.0 - 29.9 Overweight; 30.0 and Above Obese"));
    const QPixmap picture = QPixmap::fromImage(
        ReadSharpImage(Services().DbFile(QStringLiteral("BMI.bmp")), devicePixelRatioF()));
    if (!picture.isNull()) {
        // Shown at its own size: scaling a bitmap blurs its text.
        chart->setPixmap(picture);
        chart->setFixedSize(picture.deviceIndependentSize().toSize());
    } else {
        chart->setText(chart->accessibleDescription());
        chart->setWordWrap(true);
    }
    auto* bmrHeading = new QLabel(QStringLiteral("Basal Metabolic Rate (BMR)"), box);
    bmrHeading->setObjectName(QStringLiteral("bmrHeading"));
    bmrHeading->setFont(bold);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(12, 28, 12, 12);
    layout->setSpacing(6);
    layout->addWidget(bmiHeading);
    layout->addWidget(Rule(box));
    layout->addWidget(
        WrappedText(QStringLiteral("The following BMI chart can be used for adults over 20 years "
                                   "old:"),
                    box));
    layout->addWidget(chart, 0, Qt::AlignHCenter);
    layout->addWidget(WrappedText(
        QStringLiteral("BMI only takes a person's height and weight into consideration, but not "
                       "body fat percentage.  Two people with the same height and weight will "
                       "have the same BMI, even though one of them may have a much higher body "
                       "fat percentage than the other. "),
        box));
    layout->addSpacing(6);
    layout->addWidget(bmrHeading);
    layout->addWidget(Rule(box));
    layout->addWidget(WrappedText(
        QStringLiteral("Your Basal Metabolic Rate (BMR) is the number of calories your body burns "
                       "per day if it is at rest.  The BMR w/Activity Factor is the number of "
                       "calories your body burns per day based on your activity level."),
        box));
    return box;
}

bool CBMI_BMR::IsMetricLength() const {
    return Frame().CurrentUser.lengthUnits == Centimetres;
}

bool CBMI_BMR::IsMetricWeight() const {
    return Frame().CurrentUser.units == Metric;
}

int CBMI_BMR::HelpTopicNumber() const {
    return HelpBmiBmrTopic;
}

void CBMI_BMR::InitialUpdate() {
    {
        // The screen's own date is no change of the user's: the fields are not filled yet.
        const QSignalBlocker quiet(m_datePicker);
        m_datePicker->setDate(Services().clock->Today());
    }
    if (IsMetricLength()) {
        m_feetCaption->setText(QStringLiteral("cm"));
        m_inchesCaption->hide();
        m_feetEdit->hide();
        m_inchesEdit->hide();
        m_centimetresEdit->show();
        m_heightLabel->setBuddy(m_centimetresEdit);
    }
    WeightAndAgeFromProfile();
    OpenRecords(true);
}

void CBMI_BMR::WeightAndAgeFromProfile() {
    const UserRecord& user = Frame().CurrentUser;
    m_weight = RoundTo2(IsMetricWeight() ? user.weight * LbToKg : user.weight);
    m_age = user.age;
}

void CBMI_BMR::HeightFromStored(double inches) {
    if (IsMetricLength()) {
        m_centimetres = RoundTo2(inches * InToCm);
        return;
    }
    m_feet = static_cast<int>(inches) / 12;
    m_inches = RoundTo2(inches - m_feet * 12);
}

void CBMI_BMR::ChooseActivity(double factor) {
    if (const auto index = ActivityLevelIndexFor(factor))
        m_activity[*index]->setChecked(true);
}

DateKey CBMI_BMR::PickerKey() const {
    const QDate date = m_datePicker->date();
    return MakeDateKey(date.year(), date.month(), date.day());
}

bool CBMI_BMR::PullFields() {
    if (IsMetricLength()) {
        if (!PullReal(m_centimetresEdit, m_centimetres))
            return false;
    } else if (!PullWhole(m_feetEdit, m_feet) || !PullReal(m_inchesEdit, m_inches)) {
        return false;
    }
    return PullReal(m_weightEdit, m_weight) && PullWhole(m_ageEdit, m_age);
}

void CBMI_BMR::PushFields() {
    PushWhole(m_feetEdit, m_feet);
    PushReal(m_inchesEdit, m_inches);
    PushReal(m_centimetresEdit, m_centimetres);
    PushReal(m_weightEdit, m_weight);
    PushWhole(m_ageEdit, m_age);
    m_bmiValue->setText(m_bmiText);
    m_bmrValue->setText(m_bmrText);
    m_bmrActivityValue->setText(m_bmrActivityText);
}

QStringList CBMI_BMR::DateEntries() {
    RecordList<BmiRecord> records;
    BmiFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records);
    QStringList entries;
    for (const BmiRecord& record : records)
        entries << Text(FormatDateKey(record.date, 1));
    return entries;
}

bool CBMI_BMR::ShowLastValues() {
    // Emptied first (the last BMR texts too, as ResetEntry wants): stale texts of a record deleted
    // meanwhile are not shown as its "Last" values.
    for (QLabel* last : {m_lastDate, m_lastHeight, m_lastWeight, m_lastAge, m_lastBmi, m_lastBmr,
                         m_lastBmrActivity})
        last->clear();
    m_lastActivityName.clear();
    const std::string name = Frame().CurrentUser.Name();

    RecordList<BmiRecord> bmis;
    const bool shown = BmiFile::LoadAll(Services().DataPath(), name, bmis);
    if (shown) {
        const BmiRecord& newest = bmis.front();
        m_lastDate->setText(Text(FormatDateKey(newest.date, 1)));
        m_lastHeight->setText(
            IsMetricLength() ? Text(FormatText("%.2f", RoundTo2(newest.height * InToCm)))
                             : Text(FormatFeetInches(newest.height, LastHeightWholeFeet,
                                                     LastHeightWithFraction, LastHeightPlain)));
        HeightFromStored(newest.height);
        const double weight = IsMetricWeight() ? newest.user.weight * LbToKg : newest.user.weight;
        m_lastWeight->setText(Text(FormatText("%.2f", weight)));
        m_lastBmi->setText(Text(FormatBmi(newest.bmi)));
        m_lastAge->setText(Text(FormatText("%d", newest.user.age)));
    }

    RecordList<BmrRecord> bmrs;
    if (BmrFile::LoadAll(Services().DataPath(), name, bmrs)) {
        const BmrRecord& newest = bmrs.front();
        ChooseActivity(newest.activityFactor);
        const auto index = ActivityLevelIndexFor(newest.activityFactor);
        m_lastActivityName = index ? Text(std::string(ActivityLevels[*index].caption)) : QString();
        m_lastBmr->setText(KcalText(newest.bmr));
        m_lastBmrActivity->setText(KcalText(newest.bmrWithActivity));
    }
    return shown;
}

void CBMI_BMR::ResetEntry() {
    ShowDatePicker(true);
    m_weight = 0;
    m_feet = 0;
    m_inches = 0;
    m_centimetres = 0;
    m_age = 0;
    m_bmiText.clear();
    m_bmrText.clear();
    m_bmrActivityText.clear();
    // Every caller goes on with the profile's weight and age and the newest record's height.
    WeightAndAgeFromProfile();
    RefreshLastValues();
}

bool CBMI_BMR::LoadStoredEntry(const QString&) {
    const std::string name = Frame().CurrentUser.Name();
    const BmiRecord bmi = BmiFile::Find(Services().DataPath(), name, SelectedKey);
    if (!bmi.active)
        return false;
    const BmrRecord bmr = BmrFile::Find(Services().DataPath(), name, SelectedKey);
    if (bmr.active) {
        m_bmrText = KcalText(bmr.bmr);
        m_bmrActivityText = KcalText(bmr.bmrWithActivity);
        ChooseActivity(bmr.activityFactor);
    } else {
        m_bmrText.clear();
        m_bmrActivityText.clear();
    }
    m_age = bmi.user.age;
    m_weight = RoundTo2(IsMetricWeight() ? bmi.user.weight * LbToKg : bmi.user.weight);
    m_bmiText = Text(FormatBmi(bmi.bmi));
    HeightFromStored(bmi.height);
    return true;
}

void CBMI_BMR::ShowDatePicker(bool shown) {
    m_pickerLabel->setVisible(shown);
    m_datePicker->setVisible(shown);
}

void CBMI_BMR::OnCalculate() {
    m_calculated = false;
    if (!PullFields())
        return;
    const double height = IsMetricLength() ? m_centimetres : m_feet * 12 + m_inches;
    if (!(height > 0)) {
        WarnField(nullptr, QStringLiteral("You must select a number greater than 0 for Height"));
        return;
    }
    if (m_age < 1 || m_age > 119) {
        WarnField(m_ageEdit, QStringLiteral("You must select a number between 1 and 120 for Age"));
        return;
    }
    if (!(m_weight > 0 && m_weight < 1200)) {
        WarnField(m_weightEdit,
                  QStringLiteral("You must select a number between 1 and 1200 for Weight"));
        return;
    }
    UpdateProfileFromScreen(m_weight, m_age, std::nullopt);

    const UserRecord& user = Frame().CurrentUser;
    const DateKey key = SelectedKey > 0 ? SelectedKey : PickerKey();
    m_bmiRecord = BuildBmiRecord(user, height, key);
    m_bmiText = Text(FormatBmi(CalculateBmi(m_bmiRecord)));

    double factor = 0;
    for (const QRadioButton* radio : m_activity)
        if (radio->isChecked())
            factor = ActivityFactorFor(radio->text().toStdString());
    m_bmrRecord = BuildBmrRecord(user, height, key, factor);
    m_bmrText = KcalText(CalculateBmr(m_bmrRecord));
    // Without a factor the product is no rate to punctuate.
    m_bmrActivityText = factor != 0
                            ? KcalText(m_bmrRecord.bmrWithActivity)
                            : Text(FormatText("%.0f kcal/day", m_bmrRecord.bmrWithActivity));

    m_calculated = true;
    PushFields();
    Frame().SavedFlag = false;
}

void CBMI_BMR::OnExport() {
    // The report shows what the fields show now.
    if (!PullFields())
        return;
    ScreenExport report(*this);
    if (!report.ExportOpen(QStringLiteral("BMI_BMR.rtf")))
        return;
    report.ExportTitle(QStringLiteral("BMI/BMR Report for "));
    report.ComparisonTable({
        ScreenExport::Row(QStringLiteral("Date:"), Text(FormatDateKey(PickerKey(), 1)),
                          m_lastDate->text()),
        ScreenExport::Row(QStringLiteral("Height:"), ReportHeight(), m_lastHeight->text()),
        ScreenExport::Row(QStringLiteral("Weight:"), Text(FormatText("%.2f", m_weight)),
                          m_lastWeight->text()),
        ScreenExport::Row(QStringLiteral("BMI:"), m_bmiText, m_lastBmi->text()),
        ScreenExport::Row(QStringLiteral("BMR:"), m_bmrText, m_lastBmr->text()),
        ScreenExport::Row(QStringLiteral("Activity Factor (AF):"), ReportActivity(),
                          m_lastActivityName),
        ScreenExport::Row(QStringLiteral("BMR w/AF:"), m_bmrActivityText,
                          m_lastBmrActivity->text()),
    });
    BmiBmrReportBody(report.Writer());
    report.ExportFooter();
}

QString CBMI_BMR::ReportHeight() const {
    // Whole inches; no inches at all reads 0.
    return IsMetricLength() ? Text(FormatText("%.2f", m_centimetres))
           : m_inches != 0  ? Text(FormatText("%d ' %.0f''", m_feet, m_inches))
                            : Text(FormatText("%d ' 0''", m_feet));
}

QString CBMI_BMR::ReportActivity() const {
    // The activity the calculation used, or the chosen record's: the checked choice.
    for (std::size_t i = 0; i < m_activity.size(); ++i)
        if (m_activity[i]->isChecked())
            return Text(std::string(ActivityLevels[i].caption));
    return QString();
}

std::optional<ScreenPrintReport> CBMI_BMR::PrintedReport() {
    if (!PullFields())
        return std::nullopt;
    // Weight before height, unlike the export's table.
    const QString text =
        QStringLiteral("\nDate:  ") + Text(FormatDateKey(PickerKey(), 1)) +
        QStringLiteral("\nWeight:  ") + Text(FormatText("%.2f", m_weight)) +
        QStringLiteral("\nHeight:  ") + ReportHeight() + QStringLiteral("\nBMI:  ") + m_bmiText +
        QStringLiteral("\nBMR:  ") + m_bmrText + QStringLiteral("\nActivity Factor (AF):  ") +
        ReportActivity() + QStringLiteral("\nBMR w/AF:  ") + m_bmrActivityText + QLatin1Char('\n');
    return ScreenPrintReport{ScreenPrint::Title(*this, QStringLiteral("BMI/BMR Report for ")),
                             QString(), BmiChartFile, text};
}

void CBMI_BMR::OnPrint() {
    if (const std::optional<ScreenPrintReport> report = PrintedReport())
        ScreenPrint::Print(*this, *report);
}

void CBMI_BMR::OnSave() {
    if (!m_calculated)
        return;
    m_calculated = false;
    if (SelectedKey < 1) {
        // The picker may have moved since Calculate.
        m_bmiRecord.date = PickerKey();
        m_bmrRecord.date = m_bmiRecord.date;
    }
    StoreRecord();
    m_bmiRecord = BmiRecord{};
    m_bmrRecord = BmrRecord{};
}

StoreResult CBMI_BMR::AppendRecord(QString& entryText) {
    BmrFile::Append(Services().DataPath(), m_bmrRecord); // the BMI record's outcome is told
    entryText = Text(FormatDateKey(m_bmiRecord.date, 1));
    return BmiFile::Append(Services().DataPath(), m_bmiRecord);
}

StoreResult CBMI_BMR::OverwriteRecord() {
    BmrFile::Overwrite(Services().DataPath(), m_bmrRecord, m_bmrRecord.date);
    return BmiFile::Overwrite(Services().DataPath(), m_bmiRecord, m_bmiRecord.date);
}

void CBMI_BMR::OnDelete() {
    m_calculated = false;
    DeleteRecord();
}

StoreResult CBMI_BMR::RemoveRecord() {
    const std::string name = Frame().CurrentUser.Name();
    BmrFile::Remove(Services().DataPath(), name, SelectedKey);
    return BmiFile::Remove(Services().DataPath(), name, SelectedKey);
}

QString CBMI_BMR::SavedMessage() const {
    return QStringLiteral("BMI/BMR record has been successfully saved");
}

QString CBMI_BMR::SaveFailedMessage() const {
    return QStringLiteral("Saving BMI Measurement failed");
}

QString CBMI_BMR::DeleteFailedMessage() const {
    return QStringLiteral("Deleting user failed");
}

} // namespace vitalog
