#include "CUser.h"

#include "FieldText.h"
#include "calc/NumberText.h"
#include "controls/CXPGroupBox.h"
#include "platform/AppServices.h"
#include "platform/Prompter.h"
#include "records/Units.h"
#include "records/Users.h"
#include "shell/CMainFrame.h"

#include <QAction>
#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>

namespace vitalog {

namespace {

constexpr QColor UnitsCaptionColour(16, 140, 231);

// Wide enough for a whole name of the longest length, with the frame, margins and arrow that
// the style draws around the text. An "x" stands for a letter, as in QLineEdit's own size hint:
// the font's average character width is narrower than the letters of real names (capitals)
// and would cut them.
int NameFieldWidth(QWidget* field) {
    const QFontMetrics metrics = field->fontMetrics();
    const QSize text(metrics.horizontalAdvance(QLatin1Char('x')) * int(UserRecord::MaxNameLength),
                     metrics.height());
    if (auto* list = qobject_cast<QComboBox*>(field)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = list->isEditable();
        option.frame = list->hasFrame();
        return list->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, list).width();
    }
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    // QLineEdit keeps two pixels between its frame and the text on either side.
    return field->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, text + QSize(4, 0), field)
        .width();
}

QLineEdit* NumberEdit(const QString& objectName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaximumWidth(120);
    return edit;
}

} // namespace

CUser::CUser(CMainFrame& frame, AppServices& services, QWidget* parent)
    : FormScreen(frame, services, parent) {
    setObjectName(QStringLiteral("userScreen"));
    BuildForm();
}

void CUser::BuildForm() {
    auto* selectBox = new CXPGroupBox(QStringLiteral("Select User"), this);
    selectBox->setObjectName(QStringLiteral("selectUserBox"));
    StyleWindowBox(*selectBox, Qt::white);
    m_userList = new QComboBox(selectBox);
    m_userList->setObjectName(QStringLiteral("userList"));
    m_userList->setEditable(false);
    m_userList->setMinimumWidth(NameFieldWidth(m_userList));
    m_nameEdit = new QLineEdit(selectBox);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMinimumWidth(NameFieldWidth(m_nameEdit));
    auto* selectLayout = new QGridLayout(selectBox);
    selectLayout->setContentsMargins(12, 28, 12, 12);
    selectLayout->addWidget(
        Caption(QStringLiteral("Select an existing user name:"), m_userList, selectBox), 0, 0);
    selectLayout->addWidget(m_userList, 0, 1);
    m_nameLabel = Caption(QStringLiteral("Or enter a new user name:"), m_nameEdit, selectBox);
    selectLayout->addWidget(m_nameLabel, 1, 0);
    selectLayout->addWidget(m_nameEdit, 1, 1);
    // A chosen user hides the name row; the row keeps its room so that nothing below moves.
    KeepRoom(m_nameLabel);
    KeepRoom(m_nameEdit);
    selectLayout->setColumnStretch(2, 1);

    auto* profileBox = new CXPGroupBox(QStringLiteral("User Profile"), this);
    profileBox->setObjectName(QStringLiteral("userProfileBox"));
    StyleWindowBox(*profileBox, BoxBodyColour);

    auto* sexBox = new CXPGroupBox(QStringLiteral("Sex"), profileBox);
    sexBox->setObjectName(QStringLiteral("sexBox"));
    StyleFrameBox(*sexBox, UnitsCaptionColour, BoxBodyColour);
    m_male = new QRadioButton(QStringLiteral("Male"), sexBox);
    m_male->setObjectName(QStringLiteral("maleRadio"));
    m_female = new QRadioButton(QStringLiteral("Female"), sexBox);
    m_female->setObjectName(QStringLiteral("femaleRadio"));
    auto* sexLayout = new QVBoxLayout(sexBox);
    sexLayout->setContentsMargins(12, 22, 12, 10);
    sexLayout->addWidget(m_male);
    sexLayout->addWidget(m_female);

    auto* unitsBox = new CXPGroupBox(QStringLiteral("Units"), profileBox);
    unitsBox->setObjectName(QStringLiteral("unitsBox"));
    StyleFrameBox(*unitsBox, UnitsCaptionColour, BoxBodyColour);
    m_imperial = new QRadioButton(QStringLiteral("Imperial (Pounds/Inches)"), unitsBox);
    m_imperial->setObjectName(QStringLiteral("imperialRadio"));
    m_metric = new QRadioButton(QStringLiteral("Metric (Kilograms/Centimeters)"), unitsBox);
    m_metric->setObjectName(QStringLiteral("metricRadio"));
    auto* unitsLayout = new QVBoxLayout(unitsBox);
    unitsLayout->setContentsMargins(12, 22, 12, 10);
    unitsLayout->addWidget(m_imperial);
    unitsLayout->addWidget(m_metric);

    CreateChoiceGroup({m_male, m_female});
    CreateChoiceGroup({m_imperial, m_metric});

    m_weightEdit = NumberEdit(QStringLiteral("weightEdit"), profileBox);
    m_desiredEdit = NumberEdit(QStringLiteral("desiredBodyFatEdit"), profileBox);
    m_ageEdit = NumberEdit(QStringLiteral("ageEdit"), profileBox);

    auto* profileLayout = new QGridLayout(profileBox);
    profileLayout->setContentsMargins(12, 28, 12, 12);
    profileLayout->addWidget(sexBox, 0, 0, 1, 2);
    profileLayout->addWidget(unitsBox, 0, 2, 1, 2);
    profileLayout->addWidget(Caption(QStringLiteral("Current Weight:"), m_weightEdit, profileBox),
                             1, 0);
    profileLayout->addWidget(m_weightEdit, 1, 1);
    profileLayout->addWidget(
        Caption(QStringLiteral("Desired Body Fat Percentage:"), m_desiredEdit, profileBox), 2, 0);
    profileLayout->addWidget(m_desiredEdit, 2, 1);
    profileLayout->addWidget(new QLabel(QStringLiteral("%"), profileBox), 2, 2);
    profileLayout->addWidget(Caption(QStringLiteral("Age:"), m_ageEdit, profileBox), 3, 0);
    profileLayout->addWidget(m_ageEdit, 3, 1);
    profileLayout->setColumnStretch(3, 1);

    ContentLayout()->addWidget(selectBox);
    ContentLayout()->addWidget(profileBox);
    ContentLayout()->addStretch(1);

    setTabOrder(m_userList, m_nameEdit);
    setTabOrder(m_nameEdit, m_male);
    setTabOrder(m_male, m_female);
    setTabOrder(m_female, m_imperial);
    setTabOrder(m_imperial, m_metric);
    setTabOrder(m_metric, m_weightEdit);
    setTabOrder(m_weightEdit, m_desiredEdit);
    setTabOrder(m_desiredEdit, m_ageEdit);

    connect(m_userList, &QComboBox::activated, this, &CUser::ChooseUser);
    ConnectFieldChanged(m_weightEdit);
    ConnectFieldChanged(m_desiredEdit);
    ConnectFieldChanged(m_ageEdit);
    connect(m_male, &QRadioButton::clicked, this, &CUser::FieldChanged);
    connect(m_female, &QRadioButton::clicked, this, &CUser::FieldChanged);
    connect(m_imperial, &QRadioButton::clicked, this, [this] { UnitsClicked(Imperial); });
    connect(m_metric, &QRadioButton::clicked, this, [this] { UnitsClicked(Metric); });
}

void CUser::InitialUpdate() {
    m_userList->addItem(AddNewUserEntry);
    for (const std::string& name : ListUsers(Services().DataPath()))
        InsertUserName(FromStoredText(name));
    m_userList->setCurrentIndex(-1);
    CreateActionToolbar(false);
    // Here a record is a whole user.
    SaveAction()->setStatusTip(QStringLiteral("Save the user profile"));
    DeleteAction()->setStatusTip(QStringLiteral("Delete the chosen user and all of their records"));
    m_male->setChecked(true);
    m_imperial->setChecked(true);
    m_units = Imperial;
    PushFields();
}

void CUser::InsertUserName(const QString& name) {
    // The names stay sorted below the "< Add New User >" entry, without regard to case as a
    // sorted list shows them; names that differ only in case keep one order (capitals first).
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto before = [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a.compare(b, Qt::CaseSensitive) < 0;
    };
    int at = 1;
    while (at < m_userList->count() && !before(name, m_userList->itemText(at)))
        ++at;
    m_userList->insertItem(at, name);
}

QString CUser::CurrentUserName() const {
    return FromStoredText(Frame().CurrentUser.Name());
}

bool CUser::CanDelete() const {
    return Frame().IsUserSelected();
}

bool CUser::PullFields() {
    return PullReal(m_weightEdit, m_weight) && PullReal(m_desiredEdit, m_desiredBodyFat) &&
           PullWhole(m_ageEdit, m_age);
}

void CUser::PushFields() {
    PushReal(m_weightEdit, m_weight);
    PushDesired(m_desiredEdit, m_desiredBodyFat);
    PushWhole(m_ageEdit, m_age);
}

void CUser::ClearForm() {
    m_nameLabel->show();
    m_nameEdit->show();
    m_nameEdit->clear();
    m_weight = 0;
    m_desiredBodyFat = 0;
    m_age = 0;
    m_male->setChecked(true);
    m_imperial->setChecked(true);
    m_units = Imperial;
    PushFields();
}

void CUser::ChooseUser(int index) {
    const QString text = m_userList->itemText(index);
    if (index < 0 || text.isEmpty()) {
        Services().prompter->Warning(this, QStringLiteral("No user selected"));
        m_userList->setFocus();
        return;
    }
    if (text == AddNewUserEntry) {
        Frame().CurrentUser.active = 0;
        Frame().SetCurrentUserText(QStringLiteral("No User Selected"));
        ClearForm();
        m_nameEdit->setFocus();
        return;
    }

    UserRecord found;
    const auto stored = ToStoredText(text);
    if (!stored || !found.SetName(*stored) || !FindUser(Services().DataPath(), found)) {
        Services().prompter->Notice(this, QStringLiteral("Could not find match for user ") + text,
                                    QMessageBox::NoIcon);
        return;
    }
    Frame().CurrentUser = found;
    Frame().SetCurrentUserText(text);
    m_nameLabel->hide();
    m_nameEdit->hide();
    m_nameEdit->setText(text);
    (found.sex == Male ? m_male : m_female)->setChecked(true);
    m_units = found.units == Metric ? Metric : Imperial;
    (m_units == Metric ? m_metric : m_imperial)->setChecked(true);
    m_weight = RoundTo2(m_units == Metric ? found.weight * LbToKg : found.weight);
    m_desiredBodyFat = found.desiredBodyFat;
    m_age = found.age;
    PushFields();
}

void CUser::UnitsClicked(int units) {
    // Only a real change of units converts the weight.
    if (units == m_units)
        return;
    if (!PullFields()) {
        (m_units == Metric ? m_metric : m_imperial)->setChecked(true);
        return;
    }
    m_units = units;
    FieldChanged();
    if (m_weight > 0) {
        m_weight = RoundTo2(m_weight * (units == Metric ? LbToKg : KgToLb));
        PushReal(m_weightEdit, m_weight);
    }
}

void CUser::OnSave() {
    if (!PullFields())
        return;

    const QString typed = m_nameEdit->text();
    const QString name = typed.trimmed();
    // The length counts the name as typed; a name of blanks only is no name either.
    if (typed.size() < 1 || typed.size() > int(UserRecord::MaxNameLength) || name.isEmpty()) {
        WarnField(m_nameEdit, QStringLiteral("User name must be between 1 and 30 characters"));
        return;
    }
    if (name.contains(QLatin1Char('/'))) {
        WarnField(m_nameEdit, QStringLiteral("User name may not contain the character \"/\""));
        return;
    }
    const auto stored = ToStoredText(name);
    if (!stored || !IsUsableUserName(*stored)) {
        WarnField(m_nameEdit, QStringLiteral("User name may not contain the character %1: it "
                                             "cannot be stored in Vitalog's files.")
                                  .arg(ShownCharacter(FirstUnstorableCharacter(name))));
        return;
    }
    if (m_weight <= 1 || m_weight >= 1200) {
        WarnField(m_weightEdit,
                  QStringLiteral("You must select a number between 1 and 1200 for Weight"));
        return;
    }
    if (m_desiredBodyFat <= 1 || m_desiredBodyFat >= 99) {
        WarnField(m_desiredEdit,
                  QStringLiteral("You must select a number between 1 and 99 for Desired Body Fat"));
        return;
    }
    if (m_age <= 1 || m_age >= 120) {
        WarnField(m_ageEdit, QStringLiteral("You must select a number between 1 and 120 for Age"));
        return;
    }

    UserRecord record;
    record.SetName(*stored);
    record.weight = m_weight;
    record.age = m_age;
    const bool imperial = m_imperial->isChecked();
    record.units = imperial ? Imperial : Metric;
    record.lengthUnits = imperial ? Inches : Centimetres;
    record.desiredBodyFat = m_desiredBodyFat;
    record.sex = m_male->isChecked() ? Male : Female;
    record.active = 1;

    UserRecord& current = Frame().CurrentUser;
    current = record;
    QString success;
    switch (AddUser(Services().DataPath(), current)) {
    case StoreResult::Done:
        InsertUserName(name);
        Frame().SetCurrentUserText(name);
        success = QStringLiteral("New User %1 has been created").arg(name);
        break;
    case StoreResult::AlreadyExists:
        switch (UpdateUser(Services().DataPath(), current, record.weight, record.age, record.units,
                           record.lengthUnits, record.desiredBodyFat, record.sex, 1)) {
        case StoreResult::Done:
            success = QStringLiteral("Current User %1 has been updated").arg(name);
            break;
        case StoreResult::NotFound:
            Services().prompter->Error(this, QStringLiteral("User %1 does not exist!").arg(name));
            m_nameEdit->setFocus();
            break;
        default:
            Services().prompter->Error(this, QStringLiteral("Update profile failed"));
            break;
        }
        break;
    default:
        Services().prompter->Error(this, QStringLiteral("Saving new profile failed"));
        break;
    }
    if (!success.isEmpty()) {
        Services().prompter->Information(this, success);
        Frame().SavedFlag = true;
    }
    Frame().SetCurrentUserText(name);
}

void CUser::OnDelete() {
    if (!Frame().IsUserSelected())
        return;
    const QString name = CurrentUserName();
    if (!Services().prompter->AskYesNo(
            this, QStringLiteral("Are you sure you want to remove user %1").arg(name)))
        return;
    Frame().SavedFlag = true;
    switch (DeleteUser(Services().DataPath(), Frame().CurrentUser)) {
    case StoreResult::Done:
        break;
    case StoreResult::NotFound:
        Services().prompter->Warning(this, QStringLiteral("User %1 does not exist").arg(name));
        return;
    default:
        Services().prompter->Error(this, QStringLiteral("Deleting user failed"));
        return;
    }
    Frame().SetCurrentUserText(QStringLiteral("No User Selected"));
    const int at = m_userList->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at > 0)
        m_userList->removeItem(at);
    m_userList->setCurrentIndex(-1);
    ClearForm();
}

} // namespace vitalog
