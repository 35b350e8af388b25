#pragma once

#include "shell/Screen.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QSizePolicy>

#include <functional>
#include <initializer_list>
#include <optional>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QToolBar;
class QVBoxLayout;

namespace vitalog {

class CXPGroupBox;

// The shared look and ways of working of the form screens: light-blue background, themed
// group boxes, an action toolbar across the top, number fields with the program's parse
// rules, the SavedFlag handler and the profile write-back.
class FormScreen : public Screen {
    Q_OBJECT
public:
    static constexpr QColor FormBackground{191, 219, 255};
    static constexpr QColor BoxTitleColour{201, 201, 151};
    static constexpr QColor BoxBodyColour{255, 255, 204};

    FormScreen(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    bool HasHelp() const override { return HelpTopicNumber() != 0; }
    void OnHelp() override;

    QToolBar* ActionToolbar() const { return m_toolbar; }
    QAction* SaveAction() const { return m_save; }
    QAction* DeleteAction() const { return m_delete; }
    QAction* HelpAction() const { return m_help; }
    QAction* CalculateAction() const { return m_calculate; }

    // Brings the toolbar's enabled states up to date (also done whenever the program idles).
    void UpdateActionStates();

protected:
    // Toolbar commands and their enabling rules.
    virtual void OnSave() {}
    virtual void OnDelete() {}
    virtual void OnCalculate() {}
    virtual bool CanSave() const { return true; }
    virtual bool CanDelete() const { return true; }
    virtual bool CanCalculate() const { return true; }
    // The help page of this screen; 0 for none.
    virtual int HelpTopicNumber() const { return 0; }

    // Creates the toolbar [Calculate,] Save, Delete, Help at the top of the form; the form's
    // own content goes into ContentLayout() below it.
    void CreateActionToolbar(bool withCalculate);
    // For a screen with commands of its own: adds one to the toolbar (created, with its
    // colour-depth check, on first use). The object names are the command's name in camel case
    // with "Action" and "Button"; the button's accessible name is the command's name.
    QAction* AddToolbarAction(const QString& name, const QString& statusTip, const QString& toolTip,
                              const QIcon& icon, std::function<void()> handler);
    // A toolbar image with its "_hot" twin when the display shows it properly.
    QIcon ToolbarIcon(const QString& image);
    QVBoxLayout* ContentLayout() const { return m_content; }

    // Fonts of the forms.
    QFont BoldFont() const;
    static QFont FootnoteFont();
    // Group-box looks: a window with a title band, or a frame.
    static void StyleWindowBox(CXPGroupBox& box, const QColor& body);
    static void StyleFrameBox(CXPGroupBox& box, const QColor& caption, const QColor& background);

    // Read a field; on failure "Please enter an integer." / "Please enter a number.", the
    // focus goes to the field and false comes back.
    bool PullWhole(QLineEdit* field, int& value);
    bool PullReal(QLineEdit* field, double& value);
    bool PullReal(QLineEdit* field, float& value);
    void PushWhole(QLineEdit* field, int value);
    void PushReal(QLineEdit* field, double value);
    void PushDesired(QLineEdit* field, float value);

    // A field's caption label: the field's buddy, and its accessible name without the colon.
    static QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent);

    // A widget that may be hidden and shown again without moving the rest of the form.
    template <class Widget> static Widget* KeepRoom(Widget* widget) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
        return widget;
    }

    // An exclusive choice among radio buttons. Tab enters it on the checked button, wherever
    // the check came from.
    QButtonGroup* CreateChoiceGroup(std::initializer_list<QAbstractButton*> buttons);

    // A validation failure: "Warning" box, focus on the field.
    void WarnField(QWidget* field, const QString& message);

    // The user's own edits clear SavedFlag; text the screen writes does not.
    void FieldChanged();
    void ConnectFieldChanged(QLineEdit* field);
    // Date and time pickers re-read the fields when they change.
    void PickerChanged();
    virtual bool PullFields() { return true; }

    // Writes a changed weight (in the display unit), age or desired body fat back into the
    // profile; messages on failure, and the caller goes on either way.
    void UpdateProfileFromScreen(std::optional<double> weight, std::optional<int> age,
                                 std::optional<float> desiredBodyFat);

    // The colour-depth check of the toolbar; true when hot images can be used.
    bool CheckToolbarColourDepth();

private:
    void CreateToolbar();

    QToolBar* m_toolbar = nullptr;
    bool m_hotImages = true;
    QVBoxLayout* m_content = nullptr;
    QAction* m_save = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_help = nullptr;
    QAction* m_calculate = nullptr;
};

} // namespace vitalog
