#include "CCalcBF.h"

#include "calc/BodyFatCalculation.h"
#include "calc/DurninCalc.h"
#include "calc/JacksonPollock3FemaleCalc.h"
#include "calc/JacksonPollock3MaleCalc.h"
#include "calc/JacksonPollock4Calc.h"
#include "calc/JacksonPollock7Calc.h"
#include "calc/NumberText.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "calc/TapeFemaleCalc.h"
#include "calc/TapeMaleCalc.h"
#include "controls/CXPGroupBox.h"
#include "controls/HoverButton.h"
#include "help/HelpWindows.h"
#include "help/VendorConfig.h"
#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "shell/CMainFrame.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <map>

namespace vitalog {

namespace {

struct SiteInfo {
    const char* name;        // caption without the colon; the tooltip's site
    const char* messageName; // the site as the selection message names it
    const char* objectName;
    int helpIndex;
};

constexpr std::array<SiteInfo, CCalcBF::SiteCount> Sites{{
    {"Chest", "Chest", "chest", 3},
    {"Abdominal", "Abdominal", "abdominal", 4},
    {"Thigh", "Thigh", "thigh", 5},
    {"Tricep", "Tricep", "tricep", 6},
    {"Subscapular", "Subscapular", "subscapular", 7},
    {"Suprailiac", "Suprailiac", "suprailiac", 8},
    {"Midaxillary", "Midaxilla", "midaxillary", 9},
    {"Bicep", "Bicep", "bicep", 10},
    {"Lower Back", "Lower Back", "lowerBack", 11},
    {"Calf", "Calf", "calf", 12},
}};

constexpr int LargestSkinfold = 80;
constexpr double WeightLimit = 1200;

const QString PictureTip = QStringLiteral("[Picture] How to take caliper measurements");

QString SiteName(CCalcBF::Site site) {
    return QString::fromLatin1(Sites[site].name);
}

// The object-name prefix of each method's widgets.
QString MethodPrefix(CCalcBF::Method method) {
    switch (method) {
    case CCalcBF::JacksonPollock7:
        return QStringLiteral("jp7");
    case CCalcBF::JacksonPollock3:
        return QStringLiteral("jp3");
    case CCalcBF::JacksonPollock4:
        return QStringLiteral("jp4");
    case CCalcBF::Durnin:
        return QStringLiteral("durnin");
    case CCalcBF::Parrillo:
        return QStringLiteral("parrillo");
    case CCalcBF::Tape:
        return QStringLiteral("tape");
    case CCalcBF::Other:
        return QStringLiteral("other");
    }
    return {};
}

QString Capitalised(const QString& text) {
    return text.left(1).toUpper() + text.mid(1);
}

QString Whole(int value) {
    return QString::fromStdString(FormatText("%d", value));
}

QString TwoPlaces(double value) {
    return QString::fromStdString(FormatText("%.2f", value));
}

// The buttons' pictures, drawn sharp for every scale the screen may use.
QIcon DrawnIcon(int size, void (*draw)(QPainter&, int)) {
    QIcon icon;
    for (const int ratio : {1, 2}) {
        QPixmap pixmap(size * ratio, size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A framed photograph: sky, sun and a hill.
void DrawPicture(QPainter& p, int size) {
    const qreal s = size;
    const QRectF frame(0.5, 1.5, s - 1, s - 3);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(150, 200, 245));
    p.drawRect(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(QPointF(s * 0.7, s * 0.35), s * 0.13, s * 0.13);
    QPainterPath hill;
    hill.moveTo(1, s - 2);
    hill.lineTo(s * 0.38, s * 0.45);
    hill.lineTo(s * 0.7, s - 2);
    hill.closeSubpath();
    p.setBrush(QColor(60, 140, 60));
    p.drawPath(hill);
}

// A film frame with a play sign.
void DrawVideo(QPainter& p, int size) {
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(2, s * 0.15, s - 4, s * 0.7), 4, 4);
    p.setBrush(Qt::white);
    const qreal hole = s / 16;
    for (int i = 0; i < 6; ++i) {
        const qreal x = 5 + i * (s - 10) / 6;
        p.drawRect(QRectF(x, s * 0.18, hole, hole));
        p.drawRect(QRectF(x, s * 0.82 - hole, hole, hole));
    }
    QPainterPath play;
    play.moveTo(s * 0.4, s * 0.35);
    play.lineTo(s * 0.66, s * 0.5);
    play.lineTo(s * 0.4, s * 0.65);
    play.closeSubpath();
    p.setBrush(QColor(220, 40, 40));
    p.drawPath(play);
}

QLabel* ColumnCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

CCalcBF::CCalcBF(CMainFrame& frame, AppServices& services, QWidget* parent)
    : FormScreen(frame, services, parent) {
    setObjectName(QStringLiteral("calcBodyFatScreen"));
    BuildForm();
}

bool CCalcBF::IsFemale() const {
    return Frame().CurrentUser.sex == Female;
}

bool CCalcBF::IsMetricLength() const {
    return Frame().CurrentUser.lengthUnits == Centimetres;
}

HoverButton* CCalcBF::PictureButton(QWidget* parent, const QString& site, int helpIndex) {
    auto* button = new HoverButton(parent);
    button->setObjectName(QStringLiteral("picture") + Capitalised(site).remove(QLatin1Char(' ')) +
                          QStringLiteral("Button"));
    button->SetIcon(DrawnIcon(16, DrawPicture), QSize(16, 16));
    button->SetDrawTransparent();
    const QString tip = PictureTip + QStringLiteral(" for ") + site;
    button->SetTooltipText(tip);
    button->setAccessibleName(tip);
    button->setProperty("siteIndex", helpIndex);
    connect(button, &QPushButton::clicked, this, [this, helpIndex] {
        OpenCaliperHelp(&Frame(), Services(), Frame().CurrentUser.sex, helpIndex);
    });
    return button;
}

HoverButton* CCalcBF::CalculateButton(QWidget* parent, Method method, const QString& tooltip) {
    auto* button = new HoverButton(QStringLiteral("Calculate"), parent);
    button->setObjectName(MethodPrefix(method) + QStringLiteral("CalculateButton"));
    button->SetTooltipText(tooltip);
    button->setAccessibleName(QStringLiteral("Calculate"));
    button->setAccessibleDescription(tooltip);
    button->SetDrawBorder(true);
    connect(button, &QPushButton::clicked, this, [this, method] { Calculate(method); });
    return button;
}

void CCalcBF::BuildForm() {
    auto* top = new QHBoxLayout;
    top->addWidget(BuildSelectDateBox(), 0, Qt::AlignTop);
    top->addStretch(1);
    auto* image = new HoverButton(QStringLiteral("Image"), this);
    image->setObjectName(QStringLiteral("imageButton"));
    image->SetIcon(DrawnIcon(48, DrawPicture), QSize(48, 48));
    image->SetAlign(1);
    image->SetDrawTransparent();
    image->SetTooltipText(PictureTip);
    image->setAccessibleName(QStringLiteral("Image"));
    image->setAccessibleDescription(PictureTip);
    connect(image, &QPushButton::clicked, this,
            [this] { OpenCaliperHelp(&Frame(), Services(), Frame().CurrentUser.sex, 0); });
    auto* video = new HoverButton(QStringLiteral("Video"), this);
    video->setObjectName(QStringLiteral("videoButton"));
    video->SetIcon(DrawnIcon(48, DrawVideo), QSize(48, 48));
    video->SetAlign(1);
    video->SetDrawTransparent();
    const QString videoTip = QStringLiteral("[Video] How to take caliper measurements");
    video->SetTooltipText(videoTip);
    video->setAccessibleName(QStringLiteral("Video"));
    video->setAccessibleDescription(videoTip);
    video->SetUrlOpener(Services().urlOpener);
    video->SetUrl(QString::fromLatin1(VideoPageAddress));
    top->addWidget(image, 0, Qt::AlignTop);
    top->addWidget(video, 0, Qt::AlignTop);

    const bool female = IsFemale();
    auto& jp7 = m_caliperGroups[0];
    auto& jp3 = m_caliperGroups[1];
    auto& jp4 = m_caliperGroups[2];
    auto& durnin = m_caliperGroups[3];
    auto& parrillo = m_caliperGroups[4];
    jp7.method = JacksonPollock7;
    jp3.method = JacksonPollock3;
    jp4.method = JacksonPollock4;
    durnin.method = Durnin;
    parrillo.method = Parrillo;

    // Three columns of groups, of about the same height.
    auto* columns = new QHBoxLayout;
    columns->setSpacing(10);
    auto* left = new QVBoxLayout;
    auto* middle = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    for (QVBoxLayout* column : {left, middle, right})
        column->setSpacing(10);
    left->addWidget(
        BuildCaliperBox(jp7, QStringLiteral("Jackson/Pollock 7 Site"),
                        {Chest, Abdominal, Thigh, Tricep, Subscapular, Suprailiac, Midaxillary}));
    left->addWidget(BuildCaliperBox(jp3, QStringLiteral("Jackson/Pollock 3 Site"),
                                    female ? std::vector<Site>{Tricep, Suprailiac, Thigh}
                                           : std::vector<Site>{Chest, Abdominal, Thigh}));
    left->addStretch(1);
    middle->addWidget(BuildCaliperBox(jp4, QStringLiteral("Jackson/Pollock 4 Site"),
                                      {Abdominal, Thigh, Tricep, Suprailiac}));
    middle->addWidget(BuildCaliperBox(durnin, QStringLiteral("Durnin/Womersley "),
                                      {Bicep, Tricep, Subscapular, Suprailiac}));
    middle->addWidget(BuildOtherBox());
    middle->addStretch(1);
    right->addWidget(BuildCaliperBox(
        parrillo, QStringLiteral("Parrillo "),
        {Chest, Abdominal, Thigh, Bicep, Tricep, Subscapular, Suprailiac, LowerBack, Calf}));
    right->addWidget(BuildTapeBox());
    right->addStretch(1);
    columns->addLayout(left, 1);
    columns->addLayout(middle, 1);
    columns->addLayout(right, 1);

    ContentLayout()->addLayout(top);
    ContentLayout()->addLayout(columns);
    ContentLayout()->addWidget(BuildReferenceBox());
    ContentLayout()->addStretch(1);
}

QWidget* CCalcBF::BuildSelectDateBox() {
    auto* box = new CXPGroupBox(QStringLiteral("Select Date"), this);
    box->setObjectName(QStringLiteral("selectDateBox"));
    StyleWindowBox(*box, Qt::white);
    m_datePicker = new QDateEdit(box);
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    m_weightEdit = new QLineEdit(box);
    m_weightEdit->setObjectName(QStringLiteral("weightEdit"));
    m_weightEdit->setMaximumWidth(100);
    m_ageEdit = new QLineEdit(box);
    m_ageEdit->setObjectName(QStringLiteral("ageEdit"));
    m_ageEdit->setMaximumWidth(100);

    m_lastCaption = KeepRoom(new QLabel(QStringLiteral("Last"), box));
    m_lastCaption->setObjectName(QStringLiteral("lastCaption"));
    const auto lastValue = [box](const QString& name, const QString& description) {
        auto* label = new QLabel(box);
        label->setObjectName(name);
        label->setAccessibleDescription(description);
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")));
        return label;
    };
    m_lastDate = lastValue(QStringLiteral("lastDateLabel"), QStringLiteral("Last date"));
    m_lastWeight = lastValue(QStringLiteral("lastWeightLabel"), QStringLiteral("Last weight"));
    m_lastAge = lastValue(QStringLiteral("lastAgeLabel"), QStringLiteral("Last age"));
    m_lastCaption->setBuddy(m_lastDate);
    m_lastCaption->hide();

    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(12, 28, 12, 12);
    layout->setHorizontalSpacing(8);
    layout->addWidget(m_lastCaption, 0, 3);
    layout->addWidget(Caption(QStringLiteral("Date:"), m_datePicker, box), 1, 0);
    layout->addWidget(m_datePicker, 1, 1);
    layout->addWidget(m_lastDate, 1, 3);
    layout->addWidget(Caption(QStringLiteral("Weight:"), m_weightEdit, box), 2, 0);
    layout->addWidget(m_weightEdit, 2, 1);
    layout->addWidget(m_lastWeight, 2, 3);
    layout->addWidget(Caption(QStringLiteral("Age:"), m_ageEdit, box), 3, 0);
    layout->addWidget(m_ageEdit, 3, 1);
    layout->addWidget(m_lastAge, 3, 3);
    layout->setColumnMinimumWidth(2, 16);
    return box;
}

QWidget* CCalcBF::BuildCaliperBox(CaliperGroup& group, const QString& caption,
                                  const std::vector<Site>& sites) {
    const QString prefix = MethodPrefix(group.method);
    auto* box = new CXPGroupBox(caption, this);
    box->setObjectName(prefix + QStringLiteral("Box"));
    StyleWindowBox(*box, BoxBodyColour);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(8, 26, 8, 8);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(4);
    layout->addWidget(ColumnCaption(QStringLiteral("mm"), box), 0, 2);
    group.lastCaption = KeepRoom(ColumnCaption(QStringLiteral("Last"), box));
    group.lastCaption->setObjectName(prefix + QStringLiteral("LastCaption"));
    group.lastCaption->hide();
    layout->addWidget(group.lastCaption, 0, 3);

    QStringList numbers;
    for (int value = 0; value <= LargestSkinfold; ++value)
        numbers << Whole(value);
    const bool womensThree = group.method == JacksonPollock3 && IsFemale();
    int row = 1;
    for (const Site site : sites) {
        const QString objectName =
            prefix + Capitalised(QString::fromLatin1(Sites[site].objectName));
        auto* list = new QComboBox(box);
        list->setObjectName(objectName + QStringLiteral("List"));
        list->addItems(numbers);
        list->setCurrentIndex(-1);
        list->setMaxVisibleItems(12);
        QString text = SiteName(site) + QLatin1Char(':');
        // The women's three-site caption has its own leading blank.
        if (womensThree && site == Suprailiac)
            text.prepend(QLatin1Char(' '));
        QLabel* label = Caption(text, list, box);
        list->setAccessibleName(SiteName(site));
        auto* last = new QLabel(box);
        last->setObjectName(objectName + QStringLiteral("Last"));
        last->setAccessibleDescription(QStringLiteral("Last ") + SiteName(site).toLower());
        last->setAlignment(Qt::AlignCenter);
        last->setMinimumWidth(last->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        layout->addWidget(PictureButton(box, SiteName(site), Sites[site].helpIndex), row, 0);
        layout->addWidget(label, row, 1);
        layout->addWidget(list, row, 2);
        layout->addWidget(last, row, 3);
        connect(list, &QComboBox::currentIndexChanged, this, [this] { PullFields(); });
        group.rows.push_back({site, list, last});
        ++row;
    }
    // Lists stay near their captions; the room left over goes to the right.
    // The lists of all groups line up under one another.
    layout->setColumnMinimumWidth(
        1, box->fontMetrics().horizontalAdvance(QStringLiteral(" Subscapular:")) + 4);
    layout->setColumnStretch(4, 1);

    static const std::map<Method, const char*> Tips{
        {JacksonPollock7, "Jackson/Pollock 7 Site"},
        {JacksonPollock3, "Jackson/Pollock 3 Site"},
        {JacksonPollock4, "Jackson/Pollock 4 Site"},
        {Durnin, "Durnin/Womersley"},
        {Parrillo, "Parrillo"},
    };
    auto* calculate = CalculateButton(box, group.method,
                                      QStringLiteral("Calculate body fat using %1 formula")
                                          .arg(QString::fromLatin1(Tips.at(group.method))));
    layout->addWidget(calculate, row, 1, 1, 4, Qt::AlignRight);
    return box;
}

QWidget* CCalcBF::BuildTapeBox() {
    auto* box = new CXPGroupBox(QStringLiteral("Tape Measure "), this);
    box->setObjectName(QStringLiteral("tapeBox"));
    StyleWindowBox(*box, BoxBodyColour);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(8, 26, 8, 8);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(4);

    const auto edit = [box](const QString& name) {
        auto* field = new QLineEdit(box);
        field->setObjectName(name);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000.00")) +
                               12);
        field->setMaximumWidth(80);
        return field;
    };
    const auto lastValue = [box](const QString& name, const QString& description) {
        auto* label = new QLabel(box);
        label->setObjectName(name);
        label->setAccessibleDescription(description);
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QStringLiteral("0 ' 00.00''")));
        return label;
    };

    m_feetCaption = ColumnCaption(QStringLiteral("feet"), box);
    m_feetCaption->setObjectName(QStringLiteral("feetCaption"));
    m_inchesCaption = ColumnCaption(QStringLiteral("inches"), box);
    m_inchesCaption->setObjectName(QStringLiteral("inchesCaption"));
    m_tapeLastCaption = KeepRoom(ColumnCaption(QStringLiteral("Last"), box));
    m_tapeLastCaption->setObjectName(QStringLiteral("tapeLastCaption"));
    m_tapeLastCaption->hide();
    layout->addWidget(m_feetCaption, 0, 2);
    layout->addWidget(m_inchesCaption, 0, 3);
    layout->addWidget(m_tapeLastCaption, 0, 4);

    m_feetEdit = edit(QStringLiteral("feetEdit"));
    m_inchesEdit = edit(QStringLiteral("inchesEdit"));
    m_centimetresEdit = edit(QStringLiteral("centimetresEdit"));
    auto* height = new QHBoxLayout;
    height->setSpacing(6);
    height->addWidget(m_feetEdit);
    height->addWidget(m_centimetresEdit);
    m_heightCaption = Caption(QStringLiteral("Height:"), m_feetEdit, box);
    m_heightCaption->setObjectName(QStringLiteral("heightCaption"));
    m_inchesEdit->setAccessibleName(QStringLiteral("Height inches"));
    m_feetEdit->setAccessibleName(QStringLiteral("Height feet"));
    m_centimetresEdit->setAccessibleName(QStringLiteral("Height cm"));
    m_lastHeight = lastValue(QStringLiteral("tapeHeightLast"), QStringLiteral("Last height"));
    layout->addWidget(m_heightCaption, 1, 1);
    layout->addLayout(height, 1, 2);
    layout->addWidget(m_inchesEdit, 1, 3);
    layout->addWidget(m_lastHeight, 1, 4);

    m_abdomenEdit = edit(QStringLiteral("abdomenEdit"));
    m_abdomenCaption = Caption(QStringLiteral("Abdomen:"), m_abdomenEdit, box);
    m_abdomenCaption->setObjectName(QStringLiteral("abdomenCaption"));
    m_lastAbdomen = lastValue(QStringLiteral("tapeAbdomenLast"), QStringLiteral("Last abdomen"));
    layout->addWidget(PictureButton(box, QStringLiteral("Abdomen"), AbdomenHelpIndex), 2, 0);
    layout->addWidget(m_abdomenCaption, 2, 1);
    layout->addWidget(m_abdomenEdit, 2, 2);
    layout->addWidget(m_lastAbdomen, 2, 4);

    m_neckEdit = edit(QStringLiteral("neckEdit"));
    m_lastNeck = lastValue(QStringLiteral("tapeNeckLast"), QStringLiteral("Last neck"));
    layout->addWidget(PictureButton(box, QStringLiteral("Neck"), NeckHelpIndex), 3, 0);
    layout->addWidget(Caption(QStringLiteral("Neck:"), m_neckEdit, box), 3, 1);
    layout->addWidget(m_neckEdit, 3, 2);
    layout->addWidget(m_lastNeck, 3, 4);

    m_hipEdit = edit(QStringLiteral("hipEdit"));
    m_lastHip = lastValue(QStringLiteral("tapeHipLast"), QStringLiteral("Last hip"));
    auto* hipButton = PictureButton(box, QStringLiteral("Hip"), HipHelpIndex);
    auto* hipCaption = Caption(QStringLiteral("Hip:"), m_hipEdit, box);
    hipCaption->setObjectName(QStringLiteral("hipCaption"));
    layout->addWidget(hipButton, 4, 0);
    layout->addWidget(hipCaption, 4, 1);
    layout->addWidget(m_hipEdit, 4, 2);
    layout->addWidget(m_lastHip, 4, 4);
    m_hipRow = {hipButton, hipCaption, m_hipEdit, m_lastHip};

    auto* calculate = CalculateButton(
        box, Tape, QStringLiteral("Calculate body fat using Tape Measurement formula"));
    calculate->SetBitmap(QStringLiteral(":/images/action_calculate.png"), Qt::white);
    layout->addWidget(calculate, 5, 1, 1, 5, Qt::AlignRight);
    layout->setColumnMinimumWidth(
        1, box->fontMetrics().horizontalAdvance(QStringLiteral(" Subscapular:")) + 4);
    layout->setColumnStretch(5, 1);
    return box;
}

QWidget* CCalcBF::BuildOtherBox() {
    auto* box = new CXPGroupBox(QStringLiteral("Other"), this);
    box->setObjectName(QStringLiteral("otherBox"));
    StyleWindowBox(*box, BoxBodyColour);
    m_bodyFatEdit = new QLineEdit(box);
    m_bodyFatEdit->setObjectName(QStringLiteral("bodyFatEdit"));
    m_bodyFatEdit->setMaximumWidth(70);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(8, 26, 8, 8);
    layout->setHorizontalSpacing(6);
    layout->addWidget(Caption(QStringLiteral("Body Fat %:"), m_bodyFatEdit, box), 0, 0);
    layout->addWidget(m_bodyFatEdit, 0, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(
        CalculateButton(box, Other,
                        QStringLiteral("Calculate body composition using other body fat method")),
        1, 0, 1, 3, Qt::AlignRight);
    return box;
}

QWidget* CCalcBF::BuildReferenceBox() {
    auto* box = new CXPGroupBox(QString(), this);
    box->setObjectName(QStringLiteral("referenceBox"));
    box->SetBoxStyle(CXPGroupBox::WindowStyle).SetBackgroundColor(FormBackground, Qt::white);
    box->setAccessibleName(QStringLiteral("References"));
    struct Reference {
        const char* number;
        const char* text;
    };
    static constexpr Reference References[] = {
        {"1", "Fat Caliper equations developed by A.S. Jackson, and M.L. Pollock. Practical "
              "assessment of \n body composition. Physician Sport Med 13:76-90, 1985 "},
        {"2", "High-performance bodybuilding. J. Parrillo and M. Greenwood-Robinson.  Berkeley "
              "Publishing group, NY. pp. 169-172."},
        {"3", "Durnin, J. V. G. A., and J. Womersley. 1974. Body fat assessed from total body "
              "density and its estimation from skinfold thickness: measurements on 481 men and "
              "women aged from 16 to 72 years. British Journal of Nutrition 32:77-97."},
        {"4", "Tape Measurement equations developed by J.A. Hodgdon, and K. Friedl. Development "
              "of the DoD body composition estimation equations. Technical Document No. 99-2B. "
              "Naval Health Research Center, San Diego, California 1999"},
        {"", "Siri, W. E. (1961). Body composition from fluid space and density. In J. Brozek & "
             "A. Hanschel (Eds.), Techniques for measuring body composition (pp. 223-244).  "
             "Washington, DC: National Academy of Science."},
    };
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(10, 14, 10, 8);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(2);
    int row = 0;
    for (const Reference& reference : References) {
        auto* number = new QLabel(QString::fromLatin1(reference.number), box);
        number->setFont(FootnoteFont());
        number->setAlignment(Qt::AlignRight | Qt::AlignTop);
        auto* text = new QLabel(QString::fromLatin1(reference.text), box);
        text->setObjectName(QStringLiteral("reference%1").arg(row + 1));
        text->setFont(FootnoteFont());
        text->setWordWrap(true);
        layout->addWidget(number, row, 0);
        layout->addWidget(text, row, 1);
        ++row;
    }
    layout->setColumnStretch(1, 1);
    return box;
}

void CCalcBF::InitialUpdate() {
    m_datePicker->setDate(Services().clock->Today());
    const UserRecord& user = Frame().CurrentUser;
    m_weight = RoundTo2(user.units == Metric ? user.weight * LbToKg : user.weight);
    if (IsMetricLength()) {
        m_feetCaption->setText(QStringLiteral("cm"));
        m_heightCaption->setBuddy(m_centimetresEdit);
        m_inchesCaption->hide();
        m_feetEdit->hide();
        m_inchesEdit->hide();
    } else {
        m_centimetresEdit->hide();
    }
    m_age = user.age;
    if (!IsFemale())
        for (QWidget* widget : m_hipRow)
            widget->hide();
    PrefillFromTape();
    if (IsFemale()) {
        m_abdomenCaption->setText(QStringLiteral("Waist:"));
        m_abdomenEdit->setAccessibleName(QStringLiteral("Waist"));
        m_lastAbdomen->setAccessibleDescription(QStringLiteral("Last waist"));
    }
    ShowLastValues();
    PushFields();
    connect(m_datePicker, &QDateEdit::dateChanged, this, &CCalcBF::PickerChanged);
}

DateKey CCalcBF::PickerKey() const {
    const QDate date = m_datePicker->date();
    return MakeDateKey(date.year(), date.month(), date.day());
}

void CCalcBF::PrefillFromTape() {
    const UserRecord& user = Frame().CurrentUser;
    const TapeRecord found = TapeFile::Find(Services().DataPath(), user.Name(), PickerKey());
    if (!found.active)
        return;
    const bool centimetres = IsMetricLength();
    const auto shown = [centimetres](double inches) {
        return centimetres ? RoundTo2(inches * InToCm) : inches;
    };
    m_neck = shown(found.neck);
    m_abdomen = shown(found.waist);
    if (IsFemale())
        m_hip = shown(found.forearmOrHip);
}

void CCalcBF::ShowLastValues() {
    const UserRecord& user = Frame().CurrentUser;
    RecordList<BodyFatRecord> records;
    if (!BodyFatFile::LoadAll(Services().DataPath(), user.Name(), records))
        return;
    const BodyFatRecord& newest = records.front();
    m_lastCaption->show();
    m_lastDate->setText(QString::fromStdString(FormatDateKey(newest.date, 1)));
    m_lastAge->setText(Whole(newest.user.age));
    m_lastWeight->setText(user.units == Metric
                              ? TwoPlaces(newest.user.weight * LbToKg) + QStringLiteral(" kgs")
                              : TwoPlaces(newest.user.weight) + QStringLiteral(" lbs"));

    const std::string method = newest.Method();
    std::array<int, SiteCount> values{};
    for (int slot = 0; slot < BodyFatRecord::SiteSlots; ++slot)
        values[slot] = newest.sites[slot];
    if (method == "Jackson/Pollock 7" || method == "Seven Site Caliper") {
        ShowLastSites(JacksonPollock7, values);
    } else if (method == "Durnin") {
        // Durnin keeps the biceps in the chest slot.
        values[Bicep] = values[Chest];
        ShowLastSites(Durnin, values);
    } else if (method == "Parrillo") {
        values[Chest] = ParrilloCalc::LowSite(newest.sites[Chest]);
        values[Bicep] = ParrilloCalc::HighSite(newest.sites[Chest]);
        values[Abdominal] = ParrilloCalc::LowSite(newest.sites[Abdominal]);
        values[Calf] = ParrilloCalc::HighSite(newest.sites[Abdominal]);
        values[LowerBack] = values[Midaxillary];
        ShowLastSites(Parrillo, values);
    } else if (method == "Jackson/Pollock 4") {
        ShowLastSites(JacksonPollock4, values);
    } else if (method == "Jackson/Pollock 3" || method == "Three Site Caliper") {
        ShowLastSites(JacksonPollock3, values);
    } else if (method == "Tape Measurement") {
        const bool centimetres = IsMetricLength();
        const double factor = centimetres ? InToCm : 1;
        // The tape block holds waist, height, hip, neck in inches.
        const double height = newest.tape[1];
        m_tapeLastCaption->show();
        m_lastHeight->setText(centimetres
                                  ? TwoPlaces(height * InToCm)
                                  : QString::fromStdString(FormatFeetInches(
                                        height, "%d ' 0''", "%d ' %.0f.%.0f''", "%d ' %.0f''")));
        m_lastAbdomen->setText(TwoPlaces(newest.tape[0] * factor));
        m_lastNeck->setText(TwoPlaces(newest.tape[3] * factor));
        if (IsFemale())
            m_lastHip->setText(TwoPlaces(newest.tape[2] * factor));
        if (centimetres) {
            m_heightCentimetres = height * InToCm;
        } else {
            const int wholeInches = static_cast<int>(height);
            m_heightFeet = wholeInches / 12;
            m_heightInches = RoundTo2(height - m_heightFeet * 12);
        }
    }
}

void CCalcBF::ShowLastSites(Method method, const std::array<int, SiteCount>& values) {
    CaliperGroup* group = GroupOf(method);
    group->lastCaption->show();
    for (const SiteRow& row : group->rows)
        row.last->setText(Whole(values[row.site]));
}

void CCalcBF::PushFields() {
    PushReal(m_weightEdit, m_weight);
    PushWhole(m_ageEdit, m_age);
    PushWhole(m_feetEdit, m_heightFeet);
    PushReal(m_inchesEdit, m_heightInches);
    PushReal(m_centimetresEdit, m_heightCentimetres);
    PushReal(m_abdomenEdit, m_abdomen);
    PushReal(m_neckEdit, m_neck);
    PushReal(m_hipEdit, m_hip);
    PushReal(m_bodyFatEdit, m_bodyFat);
}

bool CCalcBF::PullFields() {
    return PullReal(m_weightEdit, m_weight) && PullWhole(m_ageEdit, m_age) &&
           PullWhole(m_feetEdit, m_heightFeet) && PullReal(m_inchesEdit, m_heightInches) &&
           PullReal(m_centimetresEdit, m_heightCentimetres) && PullReal(m_abdomenEdit, m_abdomen) &&
           PullReal(m_neckEdit, m_neck) && PullReal(m_hipEdit, m_hip) &&
           PullReal(m_bodyFatEdit, m_bodyFat);
}

CCalcBF::CaliperGroup* CCalcBF::GroupOf(Method method) {
    for (CaliperGroup& group : m_caliperGroups)
        if (group.method == method)
            return &group;
    return nullptr;
}

int CCalcBF::Chosen(Method method, Site site) {
    for (const SiteRow& row : GroupOf(method)->rows)
        if (row.site == site)
            return row.list->currentIndex();
    return -1;
}

bool CCalcBF::ValidateMethod(Method method) {
    if (method == Tape) {
        const double height =
            IsMetricLength() ? m_heightCentimetres : m_heightFeet * 12 + m_heightInches;
        if (!(height > 0)) {
            Services().prompter->Warning(
                this, QStringLiteral("You must enter a valid number for Height"));
            return false;
        }
        if (!(m_neck > 0)) {
            WarnField(m_neckEdit, QStringLiteral("You must enter a valid number for Neck"));
            return false;
        }
        if (!(m_abdomen > 0)) {
            WarnField(m_abdomenEdit,
                      IsFemale() ? QStringLiteral("You must enter a valid number for Waist")
                                 : QStringLiteral("You must enter a valid number for Abdomen"));
            return false;
        }
        if (IsFemale() && !(m_hip > 0)) {
            WarnField(m_hipEdit, QStringLiteral("You must enter a valid number for Hip"));
            return false;
        }
        return true;
    }
    if (method == Other) {
        if (!(m_bodyFat > 0)) {
            WarnField(m_bodyFatEdit, QStringLiteral("You must enter a number between .5 and 100"));
            return false;
        }
        return true;
    }
    // Parrillo tests its two extra sites last; the other groups test in form order.
    std::vector<Site> order;
    if (method == Parrillo)
        order = {Chest, Abdominal, Thigh, Tricep, Subscapular, Suprailiac, LowerBack, Bicep, Calf};
    else
        for (const SiteRow& row : GroupOf(method)->rows)
            order.push_back(row.site);
    for (const Site site : order) {
        for (const SiteRow& row : GroupOf(method)->rows) {
            if (row.site == site && row.list->currentIndex() < 0) {
                WarnField(row.list,
                          QStringLiteral("You must select a number between 0 and 80 for ") +
                              QString::fromLatin1(Sites[site].messageName));
                return false;
            }
        }
    }
    return true;
}

std::unique_ptr<BodyFatCalculation> CCalcBF::Build(Method method) {
    const UserRecord& user = Frame().CurrentUser;
    const auto at = [this, method](Site site) { return Chosen(method, site); };
    switch (method) {
    case JacksonPollock7:
        return std::make_unique<JacksonPollock7Calc>(user, at(Chest), at(Abdominal), at(Thigh),
                                                     at(Tricep), at(Subscapular), at(Suprailiac),
                                                     at(Midaxillary));
    case JacksonPollock3:
        if (IsFemale())
            return std::make_unique<JacksonPollock3FemaleCalc>(user, at(Tricep), at(Suprailiac),
                                                               at(Thigh));
        return std::make_unique<JacksonPollock3MaleCalc>(user, at(Chest), at(Abdominal), at(Thigh));
    case JacksonPollock4:
        return std::make_unique<JacksonPollock4Calc>(user, at(Abdominal), at(Thigh), at(Tricep),
                                                     at(Suprailiac));
    case Durnin:
        return std::make_unique<DurninCalc>(user, at(Bicep), at(Tricep), at(Subscapular),
                                            at(Suprailiac));
    case Parrillo:
        return std::make_unique<ParrilloCalc>(user, at(Chest), at(Abdominal), at(Thigh), at(Bicep),
                                              at(Tricep), at(Subscapular), at(Suprailiac),
                                              at(LowerBack), at(Calf));
    case Tape: {
        const double height =
            IsMetricLength() ? m_heightCentimetres : m_heightFeet * 12 + m_heightInches;
        if (IsFemale())
            return std::make_unique<TapeFemaleCalc>(user, m_abdomen, height, m_hip, m_neck);
        return std::make_unique<TapeMaleCalc>(user, m_abdomen, height, m_neck);
    }
    case Other:
        return std::make_unique<OtherCalc>(user, m_bodyFat);
    }
    return nullptr;
}

void CCalcBF::Calculate(Method method) {
    if (!PullFields())
        return;
    // The limits themselves are refused.
    if (!(m_weight > 1 && m_weight < WeightLimit)) {
        WarnField(m_weightEdit,
                  QStringLiteral("You must select a number between 1 and 1200 for Weight"));
        return;
    }
    if (m_age < 2 || m_age > 119) {
        WarnField(m_ageEdit, QStringLiteral("You must select a number between 1 and 120 for Age"));
        return;
    }
    if (!ValidateMethod(method))
        return;
    UpdateProfileFromScreen(m_weight, m_age, std::nullopt);

    std::unique_ptr<BodyFatCalculation> calculation = Build(method);
    calculation->record.date = PickerKey();
    calculation->Calculate();
    if (!calculation->IsAcceptable()) {
        Services().prompter->Error(
            this,
            QStringLiteral(
                "Your body fat value is less than zero.\nPlease check values and calculate again"));
        return;
    }
    CMainFrame& frame = Frame();
    frame.PendingCalculation = std::move(calculation);
    frame.ResultsMode = CMainFrame::ResultsPending;
    // The calculation is meant to leave this screen: nothing here needs keeping.
    frame.SwitchScreen(ScreenClass::CBodyFatResults);
}

} // namespace vitalog
