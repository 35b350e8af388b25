#pragma once

#include "FormScreen.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vitalog {

class CXPGroupBox;

// The user profile screen: users are chosen, created, updated and removed here, and it is
// the only place where a user becomes the current user.
class CUser : public FormScreen {
    Q_OBJECT
public:
    static inline const QString AddNewUserEntry = QStringLiteral("< Add New User >");

    CUser(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

protected:
    void OnSave() override;
    void OnDelete() override;
    bool CanDelete() const override;
    int HelpTopicNumber() const override { return 1; }
    bool PullFields() override;

private:
    void BuildForm();
    void ChooseUser(int index);
    void ClearForm();
    void PushFields();
    void InsertUserName(const QString& name);
    void UnitsClicked(int units);
    QString CurrentUserName() const;

    // Values of the form.
    double m_weight = 0;
    float m_desiredBodyFat = 0;
    int m_age = 0;
    int m_units = 1; // the choice the weight field is in: 1 imperial, 2 metric

    QComboBox* m_userList = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QRadioButton* m_male = nullptr;
    QRadioButton* m_female = nullptr;
    QRadioButton* m_imperial = nullptr;
    QRadioButton* m_metric = nullptr;
    QLineEdit* m_weightEdit = nullptr;
    QLineEdit* m_desiredEdit = nullptr;
    QLineEdit* m_ageEdit = nullptr;
};

} // namespace vitalog
