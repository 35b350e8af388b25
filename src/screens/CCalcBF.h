#pragma once

#include "FormScreen.h"
#include "records/DateKey.h"

#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace vitalog {

class BodyFatCalculation;
class HoverButton;

// The body fat calculator: skinfolds, tape lengths or a known percentage of the current user
// go through one of seven methods; the result is handed to the results screen, which saves
// it. The screen itself stores nothing.
class CCalcBF : public FormScreen {
    Q_OBJECT
public:
    // The methods, numbered as the records and the results screen know them.
    enum Method {
        JacksonPollock7 = 1,
        JacksonPollock3,
        JacksonPollock4,
        Durnin,
        Parrillo,
        Tape,
        Other,
    };
    // Skinfold sites; the first seven are the record's slots.
    enum Site {
        Chest,
        Abdominal,
        Thigh,
        Tricep,
        Subscapular,
        Suprailiac,
        Midaxillary,
        Bicep,
        LowerBack,
        Calf,
        SiteCount
    };

    CCalcBF(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    void InitialUpdate() override;

    // The caliper help pages of the tape sites.
    static constexpr int AbdomenHelpIndex = 14;
    static constexpr int NeckHelpIndex = 15;
    static constexpr int HipHelpIndex = 16;

protected:
    bool PullFields() override;

private:
    // One caliper group's row of a site.
    struct SiteRow {
        Site site;
        QComboBox* list = nullptr;
        QLabel* last = nullptr;
    };
    struct CaliperGroup {
        Method method;
        std::vector<SiteRow> rows;
        QLabel* lastCaption = nullptr;
    };

    void BuildForm();
    QWidget* BuildSelectDateBox();
    QWidget* BuildCaliperBox(CaliperGroup& group, const QString& caption,
                             const std::vector<Site>& sites);
    QWidget* BuildTapeBox();
    QWidget* BuildOtherBox();
    QWidget* BuildReferenceBox();
    HoverButton* PictureButton(QWidget* parent, const QString& site, int helpIndex);
    HoverButton* CalculateButton(QWidget* parent, Method method, const QString& tooltip);

    bool IsFemale() const;
    bool IsMetricLength() const;
    DateKey PickerKey() const;
    void PrefillFromTape();
    void ShowLastValues();
    void ShowLastSites(Method method, const std::array<int, SiteCount>& values);
    void PushFields();

    CaliperGroup* GroupOf(Method method);
    // The chosen position of the method's list of a site; -1 for none.
    int Chosen(Method method, Site site);
    // The method's own checks, in the order the user is told about them.
    bool ValidateMethod(Method method);
    std::unique_ptr<BodyFatCalculation> Build(Method method);
    void Calculate(Method method);

    // Values of the form, in the user's units.
    double m_weight = 0;
    int m_age = 0;
    int m_heightFeet = 0;
    double m_heightInches = 0;
    double m_heightCentimetres = 0;
    double m_abdomen = 0; // the waist for women
    double m_neck = 0;
    double m_hip = 0;
    double m_bodyFat = 0;

    QDateEdit* m_datePicker = nullptr;
    QLineEdit* m_weightEdit = nullptr;
    QLineEdit* m_ageEdit = nullptr;
    QLabel* m_lastCaption = nullptr;
    QLabel* m_lastDate = nullptr;
    QLabel* m_lastWeight = nullptr;
    QLabel* m_lastAge = nullptr;

    std::array<CaliperGroup, 5> m_caliperGroups{};

    QLabel* m_heightCaption = nullptr;
    QLabel* m_feetCaption = nullptr;
    QLabel* m_inchesCaption = nullptr;
    QLineEdit* m_feetEdit = nullptr;
    QLineEdit* m_inchesEdit = nullptr;
    QLineEdit* m_centimetresEdit = nullptr;
    QLabel* m_abdomenCaption = nullptr;
    QLineEdit* m_abdomenEdit = nullptr;
    QLineEdit* m_neckEdit = nullptr;
    QLineEdit* m_hipEdit = nullptr;
    QList<QWidget*> m_hipRow;
    QLabel* m_tapeLastCaption = nullptr;
    QLabel* m_lastHeight = nullptr;
    QLabel* m_lastAbdomen = nullptr;
    QLabel* m_lastNeck = nullptr;
    QLabel* m_lastHip = nullptr;

    QLineEdit* m_bodyFatEdit = nullptr;
};

} // namespace vitalog
