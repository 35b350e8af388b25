#include "FormScreen.h"

#include "FieldText.h"
#include "calc/NumberText.h"
#include "controls/CXPGroupBox.h"
#include "help/HelpWindows.h"
#include "platform/AppServices.h"
#include "platform/Prompter.h"
#include "records/Units.h"
#include "records/Users.h"
#include "shell/CMainFrame.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QButtonGroup>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vitalog {

namespace {

struct ActionInfo {
    const char* name;
    const char* statusTip;
    const char* toolTip;
    const char* image;
};

constexpr ActionInfo CalculateInfo{"Calculate", "Calculate the values of this screen", "Calculate",
                                   ":/images/action_calculate.png"};
constexpr ActionInfo SaveInfo{"Save", "Save the record", "Save", ":/images/action_save.png"};
constexpr ActionInfo DeleteInfo{"Delete", "Delete the chosen record", "Delete",
                                ":/images/action_delete.png"};
constexpr ActionInfo HelpInfo{"Help", "Help for this screen", "Help", ":/images/action_help.png"};

} // namespace

FormScreen::FormScreen(CMainFrame& frame, AppServices& services, QWidget* parent)
    : Screen(frame, services, parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, FormBackground);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_content = new QVBoxLayout;
    m_content->setContentsMargins(16, 12, 16, 12);
    m_content->setSpacing(10);
    layout->addLayout(m_content, 1);

    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &FormScreen::UpdateActionStates);
}

void FormScreen::OnHelp() {
    if (const int topic = HelpTopicNumber())
        OpenHelpPage(&Frame(), topic);
}

bool FormScreen::CheckToolbarColourDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->depth() < 16) {
        Services().prompter->Notice(
            this,
            QStringLiteral(
                "You need to set the color quality to 16 or 32 bit to see this toolbar properly"),
            QMessageBox::Warning);
        return false;
    }
    return true;
}

void FormScreen::CreateActionToolbar(bool withCalculate) {
    auto add = [&](const ActionInfo& info, void (FormScreen::*handler)()) {
        return AddToolbarAction(QString::fromLatin1(info.name), QString::fromLatin1(info.statusTip),
                                QString::fromLatin1(info.toolTip), ToolbarIcon(info.image),
                                [this, handler] { (this->*handler)(); });
    };
    if (withCalculate)
        m_calculate = add(CalculateInfo, &FormScreen::OnCalculate);
    m_save = add(SaveInfo, &FormScreen::OnSave);
    m_delete = add(DeleteInfo, &FormScreen::OnDelete);
    m_help = add(HelpInfo, &FormScreen::OnHelp);
    UpdateActionStates();
}

QIcon FormScreen::ToolbarIcon(const QString& image) {
    if (!m_toolbar)
        CreateToolbar();
    QIcon icon;
    if (QFile::exists(image)) {
        icon.addFile(image, QSize(), QIcon::Normal);
        QString hot = image;
        hot.replace(QStringLiteral(".png"), QStringLiteral("_hot.png"));
        if (m_hotImages && QFile::exists(hot))
            icon.addFile(hot, QSize(), QIcon::Active);
    }
    return icon;
}

void FormScreen::CreateToolbar() {
    m_hotImages = CheckToolbarColourDepth();
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("actionToolBar"));
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setStyleSheet(QStringLiteral("QToolBar { border: 0px; background: transparent; }"));
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_toolbar);
}

QAction* FormScreen::AddToolbarAction(const QString& name, const QString& statusTip,
                                      const QString& toolTip, const QIcon& icon,
                                      std::function<void()> handler) {
    if (!m_toolbar)
        CreateToolbar();
    auto* action = new QAction(icon, name, this);
    QString objectName = name;
    objectName.remove(QLatin1Char(' '));
    objectName[0] = objectName[0].toLower();
    action->setObjectName(objectName + QStringLiteral("Action"));
    action->setStatusTip(statusTip);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, std::move(handler));
    m_toolbar->addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(action))) {
        button->setObjectName(objectName + QStringLiteral("Button"));
        button->setAccessibleName(name);
        // Tool bars keep their buttons out of the tab chain; the form's commands belong in it.
        button->setFocusPolicy(Qt::TabFocus);
    }
    return action;
}

void FormScreen::UpdateActionStates() {
    if (m_save)
        m_save->setEnabled(CanSave());
    if (m_delete)
        m_delete->setEnabled(CanDelete());
    if (m_calculate)
        m_calculate->setEnabled(CanCalculate());
}

QFont FormScreen::BoldFont() const {
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    return bold;
}

QFont FormScreen::FootnoteFont() {
    QFont footnote(QStringLiteral("Arial"));
    footnote.setItalic(true);
    footnote.setWeight(QFont::Thin);
    footnote.setPixelSize(10);
    return footnote;
}

void FormScreen::StyleWindowBox(CXPGroupBox& box, const QColor& body) {
    box.SetBoxStyle(CXPGroupBox::WindowStyle)
        .SetBackgroundColor(BoxTitleColour, body)
        .SetFontBold(true);
}

void FormScreen::StyleFrameBox(CXPGroupBox& box, const QColor& caption, const QColor& background) {
    box.SetBoxStyle(CXPGroupBox::FrameStyle)
        .SetCaptionTextColor(caption)
        .SetBackgroundColor(background)
        .SetFontBold(true);
}

bool FormScreen::PullWhole(QLineEdit* field, int& value) {
    if (ParseWholeNumber(field->text(), value))
        return true;
    Services().prompter->Notice(this, QStringLiteral("Please enter an integer."),
                                QMessageBox::Warning);
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

bool FormScreen::PullReal(QLineEdit* field, double& value) {
    if (ParseRealNumber(field->text(), value))
        return true;
    Services().prompter->Notice(this, QStringLiteral("Please enter a number."),
                                QMessageBox::Warning);
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

bool FormScreen::PullReal(QLineEdit* field, float& value) {
    double read = 0;
    if (!PullReal(field, read))
        return false;
    value = static_cast<float>(read);
    return true;
}

void FormScreen::PushWhole(QLineEdit* field, int value) {
    field->setText(FormatWholeNumber(value));
}

void FormScreen::PushReal(QLineEdit* field, double value) {
    field->setText(FormatRealNumber(value));
}

void FormScreen::PushDesired(QLineEdit* field, float value) {
    field->setText(FormatDesiredBodyFat(value));
}

QLabel* FormScreen::Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    QString name = text;
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    buddy->setAccessibleName(name);
    return label;
}

QButtonGroup* FormScreen::CreateChoiceGroup(std::initializer_list<QAbstractButton*> buttons) {
    auto* group = new QButtonGroup(this);
    for (QAbstractButton* button : buttons)
        group->addButton(button);
    // Qt moves a group's Tab stop only when one of its buttons takes the focus, so a check
    // that the form sets (a loaded profile, a cleared form) would leave the stop on the
    // unchecked button, and before any check every button is a stop. The checked button is
    // the one stop; with none checked, every button stays one.
    const auto keepTabStop = [group] {
        const bool anyChecked = group->checkedButton() != nullptr;
        for (QAbstractButton* button : group->buttons()) {
            const int policy = button->focusPolicy();
            button->setFocusPolicy(Qt::FocusPolicy(!anyChecked || button->isChecked()
                                                       ? policy | Qt::TabFocus
                                                       : policy & ~Qt::TabFocus));
        }
    };
    connect(group, &QButtonGroup::buttonToggled, this, keepTabStop);
    keepTabStop();
    return group;
}

void FormScreen::WarnField(QWidget* field, const QString& message) {
    Services().prompter->Warning(this, message);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

void FormScreen::FieldChanged() {
    Frame().SavedFlag = false;
}

void FormScreen::ConnectFieldChanged(QLineEdit* field) {
    connect(field, &QLineEdit::textEdited, this, &FormScreen::FieldChanged);
}

void FormScreen::PickerChanged() {
    PullFields();
}

void FormScreen::UpdateProfileFromScreen(std::optional<double> weight, std::optional<int> age,
                                         std::optional<float> desiredBodyFat) {
    UserRecord& user = Frame().CurrentUser;
    const bool metric = user.units == Metric;
    const double shownWeight = metric ? user.weight * LbToKg : user.weight;
    const bool changed = (weight && *weight != shownWeight) || (age && *age != user.age) ||
                         (desiredBodyFat && *desiredBodyFat != user.desiredBodyFat);
    if (!changed)
        return;
    const StoreResult result =
        UpdateUser(Services().DataPath(), user, weight.value_or(shownWeight),
                   age.value_or(user.age), user.units, user.lengthUnits,
                   desiredBodyFat.value_or(user.desiredBodyFat), user.sex, user.active);
    if (result == StoreResult::NotFound)
        Services().prompter->Error(
            this, QStringLiteral("User %1 does not exist!").arg(FromStoredText(user.Name())));
    else if (result == StoreResult::FileError)
        Services().prompter->Error(this, QStringLiteral("Update profile failed"));
}

} // namespace vitalog
