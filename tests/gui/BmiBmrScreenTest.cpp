// The BMI/BMR screen through its widgets: Calculate builds the pair of records, Save stores
// what it built (BMR silently, BMI with the messages), choosing and deleting dates, the "Last"
// values from the newest BMI and the newest BMR record, and the chart picture.
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "calc/ActivityLevel.h"
#include "calc/BasalMetabolicRate.h"
#include "calc/BodyMassIndex.h"
#include "help/HelpPageWindow.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CBMI_BMR.h"
#include "shell/Commands.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <optional>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// A metric woman of 60 kg (stored 132.2772 lb), 30 years.
UserRecord MetricWoman(const char* name) {
    UserRecord user = MainWindowFixture::MakeUser(name);
    user.units = Metric;
    user.lengthUnits = Centimetres;
    user.sex = Female;
    user.weight = 60; // AddUser stores pounds
    return user;
}

// The BMI/BMR screen of a fixture with a stored, chosen user.
struct BmiScreen {
    explicit BmiScreen(MainWindowFixture& fixture,
                       UserRecord user = MainWindowFixture::MakeUser("Ann"))
        : f(fixture) {
        AddUser(Data(), user);
        FindUser(Data(), user);
        f.SelectUser(user);
        Open();
    }

    std::filesystem::path Data() const { return f.services.services.DataPath(); }
    std::string Name() const { return f.Frame().CurrentUser.Name(); }

    void Open() {
        f.Frame().Execute(CommandId::CalcBmiBmr);
        QCoreApplication::processEvents(); // the old screen goes, the form is laid out
        screen = qobject_cast<CBMI_BMR*>(f.Frame().CurrentScreen());
        QVERIFY(screen);
        list = Find<QComboBox>("dateList");
        picker = Find<QDateEdit>("datePicker");
        feet = Find<QLineEdit>("heightFeetEdit");
        inches = Find<QLineEdit>("heightInchesEdit");
        centimetres = Find<QLineEdit>("heightCentimetresEdit");
        weight = Find<QLineEdit>("weightEdit");
        age = Find<QLineEdit>("ageEdit");
        bmi = Find<QLabel>("bmiValue");
        bmr = Find<QLabel>("bmrValue");
        bmrActivity = Find<QLabel>("bmrActivityValue");
    }

    template <class W> W* Find(const char* name) const {
        auto* widget = screen->findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no widget %s", name);
        return widget;
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    QRadioButton* Radio(const QString& caption) const {
        return Find<QRadioButton>(qPrintable(caption.toLower() + QStringLiteral("Radio")));
    }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void Fill(const QString& ft, const QString& in, const QString& w, const QString& a) {
        Type(feet, ft);
        Type(inches, in);
        Type(weight, w);
        Type(age, a);
    }
    void ChooseActivity(const QString& caption) {
        QRadioButton* radio = Radio(caption);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    }
    bool Enabled(const char* button) {
        screen->UpdateActionStates();
        return Find<QToolButton>(button)->isEnabled();
    }
    void Click(const char* button) {
        screen->UpdateActionStates();
        QTest::mouseClick(Find<QToolButton>(button), Qt::LeftButton);
    }
    void SetDate(int y, int m, int d) { picker->setDate(QDate(y, m, d)); }
    void Choose(const QString& text) { ChooseEntry(*list, text); }
    QStringList Entries() const { return ItemTexts(*list); }
    // Print and Export as the main window offers them.
    bool ReportEnabled() {
        f.Frame().UpdateCommandStates();
        const bool print = f.Frame().Action(CommandId::FilePrint)->isEnabled();
        const bool exportable = f.Frame().Action(CommandId::FileExport)->isEnabled();
        if (print != exportable)
            qWarning("Print and Export disagree");
        return print && exportable;
    }

    RecordList<BmiRecord> StoredBmi() const {
        RecordList<BmiRecord> records;
        BmiFile::LoadAll(Data(), Name(), records);
        return records;
    }
    RecordList<BmrRecord> StoredBmr() const {
        RecordList<BmrRecord> records;
        BmrFile::LoadAll(Data(), Name(), records);
        return records;
    }
    QByteArray Bytes(const char* prefix) const {
        return f.services.ReadFile(QString::fromLatin1(prefix) + QString::fromStdString(Name()) +
                                   QStringLiteral(".bin"));
    }

    MainWindowFixture& f;
    CBMI_BMR* screen = nullptr;
    QComboBox* list = nullptr;
    QDateEdit* picker = nullptr;
    QLineEdit *feet = nullptr, *inches = nullptr, *centimetres = nullptr, *weight = nullptr,
              *age = nullptr;
    QLabel *bmi = nullptr, *bmr = nullptr, *bmrActivity = nullptr;
};

// Stores a BMI record for the user as a calculation of the screen would; height in the user's
// length units.
BmiRecord StoreBmi(const std::filesystem::path& data, const UserRecord& user, double height,
                   DateKey date) {
    BmiRecord record = BuildBmiRecord(user, height, date);
    CalculateBmi(record);
    BmiFile::Append(data, record);
    return record;
}

BmrRecord StoreBmr(const std::filesystem::path& data, const UserRecord& user, double height,
                   DateKey date, double factor) {
    BmrRecord record = BuildBmrRecord(user, height, date, factor);
    CalculateBmr(record);
    BmrFile::Append(data, record);
    return record;
}

// A record file from a later version is read but never written.
void MarkLaterVersion(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const char later[4] = {0x59, 0x02, 0, 0}; // 601
    file.write(later, 4);
}

constexpr qsizetype BmiSize = 88;
constexpr qsizetype BmrSize = 104;

} // namespace

class BmiBmrScreenTest : public QObject {
    Q_OBJECT
private slots:
    void opensInNewStateWithoutRecords();
    void lastValuesComeFromNewestBmiAndNewestBmr();
    void calculateShowsResults_data();
    void calculateShowsResults();
    void rangeEdges_data();
    void rangeEdges();
    void calculatedFlagDecidesSave();
    void calculateThenNewPickerDateSavesUnderIt();
    void metricRecordsStoreTheirUnits();
    void overwriteAsksAndKeepsOneEntry();
    void chosenBmiWithoutBmrShowsEmptyBmrTexts();
    void deleteResetsFieldsAndShowsPicker();
    void failuresAreToldOfTheBmiRecordOnly();
    void thousandsCommaOnScreen_data();
    void thousandsCommaOnScreen();
    void calculatedRateGetsTheSameComma_data();
    void calculatedRateGetsTheSameComma();
    void helpAndAccessibleNames();
    void chartIsShownPixelForPixel();
};

void BmiBmrScreenTest::opensInNewStateWithoutRecords() {
    MainWindowFixture f;
    BmiScreen s(f);
    QCOMPARE(s.Entries(), QStringList{RecordScreen::NewRecordEntry});
    QCOMPARE(s.picker->date(), f.services.clock.Today());
    QVERIFY(s.picker->isVisible());
    for (const char* caption : {"lastDateCaption", "lastEntryCaption", "lastResultsCaption"})
        QVERIFY2(s.Find<QLabel>(caption)->isHidden(), caption);
    QCOMPARE(s.weight->text(), QStringLiteral("180"));
    QCOMPARE(s.age->text(), QStringLiteral("30"));
    QCOMPARE(s.feet->text(), QStringLiteral("0"));
    QVERIFY(s.feet->isVisible() && s.inches->isVisible() && !s.centimetres->isVisible());
    QCOMPARE(s.Text("feetCaption"), QStringLiteral("feet"));
    QVERIFY(s.Radio(QStringLiteral("Sedentary"))->isChecked());
    QVERIFY(s.bmi->text().isEmpty());
    QVERIFY(s.Enabled("calculateButton"));
    QVERIFY(!s.Enabled("saveButton"));
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(!s.ReportEnabled());
    QVERIFY(f.Frame().SavedFlag);
    QStringList commands;
    for (QAction* action : s.screen->ActionToolbar()->actions())
        commands << action->text();
    QCOMPARE(commands, (QStringList{"Calculate", "Save", "Delete", "Help"}));
    QVERIFY(f.Prompter().Boxes().isEmpty());

    // A metric user enters centimetres in one field.
    MainWindowFixture g;
    BmiScreen m(g, MetricWoman("Eve"));
    QCOMPARE(m.Text("feetCaption"), QStringLiteral("cm"));
    QVERIFY(m.centimetres->isVisible());
    QVERIFY(!m.feet->isVisible() && !m.inches->isVisible());
    QVERIFY(!m.Find<QLabel>("inchesCaption")->isVisible());
    QCOMPARE(m.weight->text(), QStringLiteral("60"));
}

void BmiBmrScreenTest::lastValuesComeFromNewestBmiAndNewestBmr() {
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    const auto data = f.services.services.DataPath();
    AddUser(data, user);
    // Newest BMI on 03/09; newest BMR on 03/05 with "Very", an older pair with "Moderate".
    StoreBmi(data, user, 70.5, 20040309);
    UserRecord older = user;
    older.weight = 170;
    older.age = 29;
    StoreBmi(data, older, 69, 20040301);
    StoreBmr(data, user, 70, 20040305, 1.725);
    StoreBmr(data, older, 69, 20040301, 1.55);

    BmiScreen s(f, user);
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/09/2004", "03/01/2004"}));
    for (const char* caption : {"lastDateCaption", "lastEntryCaption", "lastResultsCaption"})
        QVERIFY2(s.Find<QLabel>(caption)->isVisible(), caption);
    QCOMPARE(s.Text("lastDateValue"), QStringLiteral("03/09/2004"));
    QCOMPARE(s.Text("lastHeightValue"), QStringLiteral("5 ' 10.50''"));
    QCOMPARE(s.Text("lastWeightValue"), QStringLiteral("180.00"));
    QCOMPARE(s.Text("lastAgeValue"), QStringLiteral("30"));
    QCOMPARE(s.Text("lastBmiValue"), QStringLiteral("25.46"));
    // 180 lb, 177.8 cm, 30 years: 1876.18 kcal/day, "Very" 3236.41.
    QCOMPARE(s.Text("lastBmrValue"), QStringLiteral("1,876 kcal/day"));
    QCOMPARE(s.Text("lastBmrActivityValue"), QStringLiteral("3,236 kcal/day"));
    QVERIFY(s.Radio(QStringLiteral("Very"))->isChecked());
    QCOMPARE(s.screen->LastActivityName(), QStringLiteral("Very"));
    // The height fields start from the newest record; weight and age from the profile.
    QCOMPARE(s.feet->text(), QStringLiteral("5"));
    QCOMPARE(s.inches->text(), QStringLiteral("10.5"));
    QCOMPARE(s.weight->text(), QStringLiteral("180"));
    // Filling the form is no result on the screen, and no edit.
    QVERIFY(s.bmi->text().isEmpty());
    QVERIFY(!s.ReportEnabled());
    QVERIFY(f.Frame().SavedFlag);

    // A metric user sees centimetres and kilograms.
    MainWindowFixture g;
    UserRecord eve = MetricWoman("Eve");
    const auto evesData = g.services.services.DataPath();
    AddUser(evesData, eve);
    StoreBmi(evesData, eve, 177.8, 20050101);
    BmiScreen m(g, eve);
    QCOMPARE(m.Text("lastHeightValue"), QStringLiteral("177.80"));
    QCOMPARE(m.centimetres->text(), QStringLiteral("177.8"));
    QCOMPARE(m.Text("lastWeightValue"), QStringLiteral("60.00"));
    // No BMR record: the choice stays as it was, the last rates empty.
    QVERIFY(m.Radio(QStringLiteral("Sedentary"))->isChecked());
    QVERIFY(m.Text("lastBmrValue").isEmpty());
    QVERIFY(m.screen->LastActivityName().isEmpty());
}

void BmiBmrScreenTest::calculateShowsResults_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QStringList>("fields"); // feet, inches (or centimetres), weight, age
    QTest::addColumn<QString>("activity");
    QTest::addColumn<QStringList>("texts"); // BMI, BMR, BMR w/AF
    QTest::newRow("man 180 lb 5 ft 10 in 40 years")
        << false << QStringList{"5", "10", "180", "40"} << "Moderate"
        << QStringList{"25.82", "1,809 kcal/day", "2,803 kcal/day"};
    QTest::newRow("woman 60 kg 165 cm 30 years")
        << true << QStringList{"165", "60", "30"} << "Sedentary"
        << QStringList{"22.04", "1,394 kcal/day", "1,673 kcal/day"};
    QTest::newRow("5 ft 0 in is a height")
        << false << QStringList{"5", "0", "180", "40"} << "Extra"
        << QStringList{"35.15", "1,682 kcal/day", "3,195 kcal/day"};
}

void BmiBmrScreenTest::calculateShowsResults() {
    QFETCH(bool, metric);
    QFETCH(QStringList, fields);
    QFETCH(QString, activity);
    QFETCH(QStringList, texts);
    MainWindowFixture f;
    BmiScreen s(f, metric ? MetricWoman("Eve") : MainWindowFixture::MakeUser("Ann"));
    if (metric) {
        BmiScreen::Type(s.centimetres, fields[0]);
        BmiScreen::Type(s.weight, fields[1]);
        BmiScreen::Type(s.age, fields[2]);
    } else {
        s.Fill(fields[0], fields[1], fields[2], fields[3]);
    }
    s.ChooseActivity(activity);
    QVERIFY(f.Frame().SavedFlag); // typing is no edit here: Calculate is
    s.Click("calculateButton");
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QCOMPARE((QStringList{s.bmi->text(), s.bmr->text(), s.bmrActivity->text()}), texts);
    QVERIFY(!f.Frame().SavedFlag);
    QVERIFY(s.Enabled("saveButton"));
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(s.ReportEnabled());
    // Nothing is stored before Save, but the profile takes the weight and age.
    QVERIFY(s.StoredBmi().empty() && s.StoredBmr().empty());
    UserRecord stored;
    stored.SetName(s.Name());
    QVERIFY(FindUser(s.Data(), stored));
    QCOMPARE(stored.age, fields.last().toInt());
}

void BmiBmrScreenTest::rangeEdges_data() {
    QTest::addColumn<QStringList>("fields"); // feet, inches, weight, age
    QTest::addColumn<QString>("message");    // empty: accepted
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("focus"); // the field that has the focus afterwards
    const QString height = QStringLiteral("You must select a number greater than 0 for Height");
    const QString ageRange = QStringLiteral("You must select a number between 1 and 120 for Age");
    const QString weightRange =
        QStringLiteral("You must select a number between 1 and 1200 for Weight");
    const QString warning = QStringLiteral("Warning");
    const QString program = QStringLiteral("Vitalog");
    // The focus is put on the weight before Calculate is clicked.
    QTest::newRow("5 ft 0 in") << QStringList{"5", "0", "180", "30"} << ""
                               << ""
                               << "weightEdit";
    QTest::newRow("0 ft 0.5 in") << QStringList{"0", "0.5", "180", "30"} << ""
                                 << ""
                                 << "weightEdit";
    QTest::newRow("0 ft 0 in: focus stays")
        << QStringList{"0", "0", "180", "30"} << height << warning << "weightEdit";
    QTest::newRow("negative height")
        << QStringList{"-1", "11", "180", "30"} << height << warning << "weightEdit";
    QTest::newRow("age 0") << QStringList{"5", "10", "180", "0"} << ageRange << warning
                           << "ageEdit";
    QTest::newRow("age 1") << QStringList{"5", "10", "180", "1"} << ""
                           << ""
                           << "weightEdit";
    QTest::newRow("age 119") << QStringList{"5", "10", "180", "119"} << ""
                             << ""
                             << "weightEdit";
    QTest::newRow("age 120") << QStringList{"5", "10", "180", "120"} << ageRange << warning
                             << "ageEdit";
    QTest::newRow("weight 0") << QStringList{"5", "10", "0", "30"} << weightRange << warning
                              << "weightEdit";
    QTest::newRow("weight 0.5 although the text says 1")
        << QStringList{"5", "10", "0.5", "30"} << ""
        << ""
        << "weightEdit";
    QTest::newRow("weight 1199.99") << QStringList{"5", "10", "1199.99", "30"} << ""
                                    << ""
                                    << "weightEdit";
    QTest::newRow("weight 1200") << QStringList{"5", "10", "1200", "30"} << weightRange << warning
                                 << "weightEdit";
    QTest::newRow("height before age")
        << QStringList{"0", "0", "180", "0"} << height << warning << "weightEdit";
    QTest::newRow("age before weight")
        << QStringList{"5", "10", "0", "0"} << ageRange << warning << "ageEdit";
    QTest::newRow("feet not whole") << QStringList{"5.5", "10", "180", "30"}
                                    << "Please enter an integer." << program << "heightFeetEdit";
    QTest::newRow("inches empty") << QStringList{"5", "", "180", "30"} << "Please enter a number."
                                  << program << "heightInchesEdit";
    QTest::newRow("weight with unit") << QStringList{"5", "10", "70 kg", "30"}
                                      << "Please enter a number." << program << "weightEdit";
    QTest::newRow("blanks around numbers") << QStringList{" 5 ", " 10", "180 ", " 30"} << ""
                                           << ""
                                           << "weightEdit";
}

void BmiBmrScreenTest::rangeEdges() {
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(QString, focus);
    MainWindowFixture f;
    BmiScreen s(f);
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    // A calculation in hand first: a refused Calculate ends it.
    s.Fill("5", "10", "180", "30");
    s.Click("calculateButton");
    QVERIFY(s.Enabled("saveButton"));

    s.Fill(fields[0], fields[1], fields[2], fields[3]);
    s.weight->setFocus();
    if (!message.isEmpty())
        f.Prompter().ExpectOk();
    s.Click("calculateButton");
    if (message.isEmpty()) {
        QVERIFY(f.Prompter().Boxes().isEmpty());
        QVERIFY(s.Enabled("saveButton"));
    } else {
        QCOMPARE(f.Prompter().Texts(), QStringList{message});
        QCOMPARE(f.Prompter().Last().title, title);
        QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
        QVERIFY(!s.Enabled("saveButton"));
    }
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void BmiBmrScreenTest::calculatedFlagDecidesSave() {
    MainWindowFixture f;
    BmiScreen s(f);
    s.SetDate(2004, 3, 7);
    // Save before any Calculate stores nothing and says nothing.
    s.Fill("5", "10", "180", "30");
    QVERIFY(!s.Enabled("saveButton"));
    s.Click("saveButton");
    s.screen->findChild<QAction*>(QStringLiteral("saveAction"))->trigger();
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(s.Bytes("bmi").isEmpty() && s.Bytes("bmr").isEmpty());

    // Calculate enables it; Save disables it until the next Calculate.
    s.Click("calculateButton");
    QVERIFY(s.Enabled("saveButton"));
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Texts(),
             QStringList{QStringLiteral("BMI/BMR record has been successfully saved")});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));
    QVERIFY(!s.Enabled("saveButton"));
    QVERIFY(s.ReportEnabled()); // the result stays on the screen
    s.screen->findChild<QAction*>(QStringLiteral("saveAction"))->trigger();
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    QCOMPARE(s.StoredBmi().size(), size_t(1));

    // Choosing an entry ends a calculation and marks the screen saved: leaving asks nothing.
    s.Click("calculateButton");
    QVERIFY(!f.Frame().SavedFlag);
    s.Choose(QStringLiteral("03/07/2004"));
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(!s.Enabled("saveButton"));
    QVERIFY(s.Enabled("deleteButton"));

    // A Delete answered No ends it too.
    s.Click("calculateButton");
    QVERIFY(s.Enabled("saveButton"));
    f.Prompter().Answer(QMessageBox::No);
    s.Click("deleteButton");
    QVERIFY(!s.Enabled("saveButton"));
    QVERIFY(!f.Frame().SavedFlag); // the Calculate's edit stays unsaved

    s.Choose(RecordScreen::NewRecordEntry);
    QVERIFY(f.Frame().SavedFlag);
    f.Frame().Execute(CommandId::FileUsers);
    QCOMPARE(f.Prompter().Boxes().size(), 2);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BmiBmrScreenTest::calculateThenNewPickerDateSavesUnderIt() {
    MainWindowFixture f;
    BmiScreen s(f);
    s.SetDate(2004, 3, 7);
    s.Fill("5", "10", "180", "40");
    s.ChooseActivity(QStringLiteral("Moderate"));
    s.Click("calculateButton");
    s.SetDate(2004, 3, 9);
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Texts(),
             QStringList{QStringLiteral("BMI/BMR record has been successfully saved")});
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/09/2004"}));
    QCOMPARE(s.list->currentIndex(), 1);
    QVERIFY(!s.Enabled("deleteButton")); // still a new record
    QVERIFY(f.Frame().SavedFlag);

    // One record in each file, both of the picker's new date.
    QCOMPARE(s.Bytes("bmi").size(), 4 + BmiSize);
    QCOMPARE(s.Bytes("bmr").size(), 4 + BmrSize);
    const BmiRecord bmi = s.StoredBmi().at(0);
    QCOMPARE(bmi.date, 20040309);
    QCOMPARE(bmi.height, 70.0);
    QCOMPARE(bmi.user.weight, 180.0);
    QCOMPARE(bmi.user.age, 40);
    QCOMPARE(QString::fromStdString(FormatBmi(bmi.bmi)), QStringLiteral("25.82"));
    const BmrRecord bmr = s.StoredBmr().at(0);
    QCOMPARE(bmr.date, 20040309);
    QVERIFY(qAbs(bmr.height - 70.0) < 1e-12); // an imperial user's BMR height is inches
    QCOMPARE(bmr.activityFactor, 1.55);
    QVERIFY(qAbs(bmr.bmr - 1808.63) < 0.01);
    QCOMPARE(bmr.bmrWithActivity, bmr.bmr * 1.55);
    QCOMPARE(bmr.user.age, 40);
    QCOMPARE(bmr.user.sex, int(Male));
    QVERIFY(BmiFile::Find(s.Data(), s.Name(), 20040307).active == 0);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BmiBmrScreenTest::metricRecordsStoreTheirUnits() {
    MainWindowFixture f;
    UserRecord kim = MainWindowFixture::MakeUser("Kim");
    kim.units = Metric;
    kim.lengthUnits = Centimetres;
    kim.weight = 80;
    BmiScreen s(f, kim);
    s.SetDate(2005, 1, 1);
    BmiScreen::Type(s.centimetres, QStringLiteral("177.8"));
    QCOMPARE(s.weight->text(), QStringLiteral("80"));
    s.Click("calculateButton");
    QCOMPARE(s.bmi->text(), QStringLiteral("25.30"));
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    const BmiRecord bmi = s.StoredBmi().at(0);
    QVERIFY(qAbs(bmi.height - 70.0) < 1e-9); // BMI heights are inches
    QVERIFY(qAbs(bmi.user.weight - 176.3696) < 1e-9);
    QCOMPARE(s.StoredBmr().at(0).height, 177.8); // a metric user's BMR height stays centimetres

    s.Open();
    QCOMPARE(s.Text("lastHeightValue"), QStringLiteral("177.80"));
    QCOMPARE(s.Text("lastWeightValue"), QStringLiteral("80.00"));
    QCOMPARE(s.centimetres->text(), QStringLiteral("177.8"));
}

void BmiBmrScreenTest::overwriteAsksAndKeepsOneEntry() {
    MainWindowFixture f;
    BmiScreen s(f);
    s.SetDate(2004, 3, 7);
    s.Fill("5", "10", "180", "30");
    s.Click("calculateButton");
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    const QByteArray bmiBefore = s.Bytes("bmi");
    const QByteArray bmrBefore = s.Bytes("bmr");

    // The same date again: No keeps both files as they were.
    s.Type(s.weight, QStringLiteral("190"));
    s.ChooseActivity(QStringLiteral("Extra"));
    s.Click("calculateButton");
    f.Prompter().Answer(QMessageBox::No);
    s.Click("saveButton");
    QCOMPARE(
        f.Prompter().Last().text,
        QStringLiteral("A record for this date already exists.  Would you like to overwrite?"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(f.Prompter().Last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(s.Bytes("bmi"), bmiBefore);
    QCOMPARE(s.Bytes("bmr"), bmrBefore);
    QVERIFY(!f.Frame().SavedFlag);
    QVERIFY(!s.Enabled("saveButton"));

    // Yes replaces both in place: no message, one entry.
    s.Click("calculateButton");
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    QVERIFY(f.Frame().SavedFlag);
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/07/2004"}));
    QCOMPARE(s.Bytes("bmi").size(), 4 + BmiSize);
    QCOMPARE(s.Bytes("bmr").size(), 4 + BmrSize);
    QCOMPARE(s.StoredBmi().at(0).user.weight, 190.0);
    QCOMPARE(s.StoredBmr().at(0).activityFactor, 1.9);
    // The overwritten BMR height is still inches: it was converted once, by the Append.
    QVERIFY(qAbs(s.StoredBmr().at(0).height - 70.0) < 1e-12);

    // A chosen record recalculated saves under its own date, whatever the picker says.
    s.Open();
    s.Choose(QStringLiteral("03/07/2004"));
    QVERIFY(!s.picker->isVisible());
    s.SetDate(2010, 1, 1);
    s.Type(s.age, QStringLiteral("31"));
    s.Click("calculateButton");
    QVERIFY(s.Enabled("saveButton") && s.Enabled("deleteButton"));
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Boxes().size(), 4);
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/07/2004"}));
    QCOMPARE(s.Bytes("bmi").size(), 4 + BmiSize);
    QCOMPARE(s.StoredBmi().at(0).user.age, 31);
    QCOMPARE(s.StoredBmr().at(0).user.age, 31);
    QVERIFY(s.Enabled("deleteButton")); // still on the chosen record
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BmiBmrScreenTest::chosenBmiWithoutBmrShowsEmptyBmrTexts() {
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    const auto data = f.services.services.DataPath();
    AddUser(data, user);
    UserRecord then = user;
    then.weight = 150;
    then.age = 25;
    StoreBmi(data, then, 66.25, 20030101);
    StoreBmi(data, user, 70, 20040101);
    StoreBmr(data, user, 70, 20040101, 1.375);

    BmiScreen s(f, user);
    QVERIFY(s.Radio(QStringLiteral("Light"))->isChecked());
    f.Frame().SavedFlag = false;
    s.Choose(QStringLiteral("01/01/2004"));
    QCOMPARE(s.bmr->text(), QStringLiteral("1,876 kcal/day"));
    QCOMPARE(s.bmrActivity->text(), QStringLiteral("2,580 kcal/day"));

    s.Choose(QStringLiteral("01/01/2003"));
    QVERIFY(s.bmr->text().isEmpty());
    QVERIFY(s.bmrActivity->text().isEmpty());
    QCOMPARE(s.bmi->text(), QStringLiteral("24.03"));
    QCOMPARE(s.weight->text(), QStringLiteral("150"));
    QCOMPARE(s.age->text(), QStringLiteral("25"));
    QCOMPARE(s.feet->text(), QStringLiteral("5"));
    QCOMPARE(s.inches->text(), QStringLiteral("6.25"));
    QVERIFY(s.Radio(QStringLiteral("Light"))->isChecked()); // no factor to show: left alone
    QVERIFY(!s.picker->isVisible());
    QVERIFY(s.Enabled("deleteButton"));
    QVERIFY(!s.Enabled("saveButton"));
    QVERIFY(s.ReportEnabled());
    QVERIFY(f.Frame().SavedFlag);
    QCOMPARE(s.screen->SelectedKey, 20030101);

    // Removed behind the screen's back: the choice stops with the error.
    BmiFile::Remove(data, "Ann", 20040101);
    f.Prompter().ExpectOk();
    s.Choose(QStringLiteral("01/01/2004"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Could not find Date: 01/01/2004"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BmiBmrScreenTest::deleteResetsFieldsAndShowsPicker() {
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    const auto data = f.services.services.DataPath();
    AddUser(data, user);
    UserRecord then = user;
    then.weight = 150;
    StoreBmi(data, then, 66, 20030101);
    StoreBmr(data, then, 66, 20030101, 1.2);
    StoreBmi(data, user, 70, 20040101);
    StoreBmr(data, user, 70, 20040101, 1.9);
    BmiScreen s(f, user);
    const qsizetype bmiSize = s.Bytes("bmi").size();
    const qsizetype bmrSize = s.Bytes("bmr").size();

    s.Choose(QStringLiteral("01/01/2004"));
    f.Prompter().Answer(QMessageBox::No);
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text,
             QStringLiteral("Are you sure you want to remove record 01/01/2004"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(s.StoredBmi().size(), size_t(2));

    f.Frame().SavedFlag = false; // deleting leaves it as it is
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Boxes().size(), 2);
    QVERIFY(!f.Frame().SavedFlag);
    // Both tombstoned in place; the other date lives on.
    QCOMPARE(s.Bytes("bmi").size(), bmiSize);
    QCOMPARE(s.Bytes("bmr").size(), bmrSize);
    QCOMPARE(BmiFile::Find(data, "Ann", 20040101).active, 0);
    QCOMPARE(BmrFile::Find(data, "Ann", 20040101).active, 0);
    QCOMPARE(s.StoredBmi().size(), size_t(1));
    QCOMPARE(s.StoredBmr().size(), size_t(1));

    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "01/01/2003"}));
    QVERIFY(s.picker->isVisible());
    QVERIFY(s.screen->SelectedEntry.isEmpty());
    QCOMPARE(s.screen->SelectedKey, 0);
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(s.bmi->text().isEmpty() && s.bmr->text().isEmpty() && s.bmrActivity->text().isEmpty());
    QVERIFY(!s.ReportEnabled());
    // Weight and age from the profile, the height and "Last" values from what is left.
    QCOMPARE(s.weight->text(), QStringLiteral("180"));
    QCOMPARE(s.age->text(), QStringLiteral("30"));
    QCOMPARE(s.inches->text(), QStringLiteral("6"));
    QCOMPARE(s.Text("lastDateValue"), QStringLiteral("01/01/2003"));
    QCOMPARE(s.Text("lastWeightValue"), QStringLiteral("150.00"));
    QVERIFY(s.Radio(QStringLiteral("Sedentary"))->isChecked());

    // The next save takes the picker's date.
    s.SetDate(2010, 12, 25);
    s.Click("calculateButton");
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(s.StoredBmi().at(0).date, 20101225);
    QCOMPARE(s.StoredBmr().at(0).date, 20101225);

    // The last pair deleted: the "Last" column is hidden and empty.
    for (const QString& date : {QStringLiteral("12/25/2010"), QStringLiteral("01/01/2003")}) {
        s.Choose(date);
        f.Prompter().Answer(QMessageBox::Yes);
        s.Click("deleteButton");
    }
    QVERIFY(s.Find<QLabel>("lastDateCaption")->isHidden());
    QVERIFY(s.Text("lastDateValue").isEmpty());
    QVERIFY(s.Text("lastBmrValue").isEmpty());
    QVERIFY(s.screen->LastActivityName().isEmpty());

    // Gone behind the screen's back: "Date does not exist", the list stays.
    StoreBmi(data, user, 70, 20110101);
    s.Open();
    s.Choose(QStringLiteral("01/01/2011"));
    BmiFile::Remove(data, "Ann", 20110101);
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Date does not exist"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(s.Entries().size(), 2);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BmiBmrScreenTest::failuresAreToldOfTheBmiRecordOnly() {
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    const auto data = f.services.services.DataPath();
    AddUser(data, user);
    StoreBmi(data, user, 70, 20040101);
    StoreBmr(data, user, 70, 20040101, 1.2);
    BmiScreen s(f, user);

    // The BMR file refuses: the BMI record is saved and that is all the user hears.
    MarkLaterVersion(f.services.FilePath(QStringLiteral("bmrAnn.bin")));
    const QByteArray bmr = s.Bytes("bmr");
    s.SetDate(2004, 3, 7);
    s.Click("calculateButton");
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Texts(),
             QStringList{QStringLiteral("BMI/BMR record has been successfully saved")});
    QCOMPARE(s.Bytes("bmr"), bmr);
    QCOMPARE(s.StoredBmi().size(), size_t(2));

    // The BMI file refuses: the save fails and says so.
    MarkLaterVersion(f.services.FilePath(QStringLiteral("bmiAnn.bin")));
    const QByteArray bmi = s.Bytes("bmi");
    s.SetDate(2004, 3, 8);
    s.Click("calculateButton");
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Saving BMI Measurement failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
    QCOMPARE(s.Bytes("bmi"), bmi);
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/07/2004", "01/01/2004"}));

    // Nor can it be deleted from; the screen's words for that are these.
    s.Choose(QStringLiteral("01/01/2004"));
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Deleting user failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(s.Bytes("bmi"), bmi);
    QCOMPARE(s.Entries().size(), 3);
    QVERIFY(s.Enabled("deleteButton"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BmiBmrScreenTest::thousandsCommaOnScreen_data() {
    QTest::addColumn<double>("kcal");
    QTest::addColumn<QString>("text");
    QTest::newRow("1000.4") << 1000.4 << "1,000 kcal/day";
    QTest::newRow("999.6") << 999.6 << "1000 kcal/day";
    QTest::newRow("1000") << 1000.0 << "1000 kcal/day";
    QTest::newRow("10000") << 10000.0 << "10000 kcal/day";
    QTest::newRow("9999.7") << 9999.7 << "10000 kcal/day";
    QTest::newRow("10000.2") << 10000.2 << "10,000 kcal/day";
    QTest::newRow("54321") << 54321.0 << "54,321 kcal/day";
}

// Stored rates, as the "Last" column and a chosen record show them.
void BmiBmrScreenTest::thousandsCommaOnScreen() {
    QFETCH(double, kcal);
    QFETCH(QString, text);
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    const auto data = f.services.services.DataPath();
    AddUser(data, user);
    StoreBmi(data, user, 70, 20040101);
    BmrRecord bmr = BuildBmrRecord(user, 70, 20040101, 1.2);
    bmr.bmr = kcal;
    bmr.bmrWithActivity = kcal;
    BmrFile::Append(data, bmr);

    BmiScreen s(f, user);
    QCOMPARE(s.Text("lastBmrValue"), text);
    QCOMPARE(s.Text("lastBmrActivityValue"), text);
    s.Choose(QStringLiteral("01/01/2004"));
    QCOMPARE(s.bmr->text(), text);
    QCOMPARE(s.bmrActivity->text(), text);
}

void BmiBmrScreenTest::calculatedRateGetsTheSameComma_data() {
    QTest::addColumn<double>("kcal");
    QTest::addColumn<QString>("text");
    QTest::newRow("1000.4") << 1000.4 << "1,000 kcal/day";
    QTest::newRow("999.6") << 999.6 << "1000 kcal/day";
    QTest::newRow("9999.7") << 9999.7 << "10000 kcal/day";
}

// A metric man of 100 cm and 30 years whose weight gives the wanted BMR.
void BmiBmrScreenTest::calculatedRateGetsTheSameComma() {
    QFETCH(double, kcal);
    QFETCH(QString, text);
    MainWindowFixture f;
    UserRecord kim = MainWindowFixture::MakeUser("Kim");
    kim.units = Metric;
    kim.lengthUnits = Centimetres;
    kim.weight = 80;
    BmiScreen s(f, kim);
    const double kilograms = (kcal - (5.0033 * 100 + 66.473 - 6.755 * 30)) / 13.7516;
    BmiScreen::Type(s.centimetres, QStringLiteral("100"));
    BmiScreen::Type(s.weight, QString::number(kilograms, 'f', 9));
    s.Click("calculateButton");
    QCOMPARE(s.bmr->text(), text);
}

void BmiBmrScreenTest::helpAndAccessibleNames() {
    MainWindowFixture f;
    BmiScreen s(f);
    s.Click("helpButton");
    QList<HelpPageWindow*> pages;
    for (HelpPageWindow* page : f.Frame().findChildren<HelpPageWindow*>())
        if (page->isVisible())
            pages << page;
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages[0]->Topic(), 2);
    for (HelpPageWindow* page : pages)
        page->close();

    // Fields are named by their captions, values by theirs, buttons by their commands.
    const std::pair<const char*, const char*> names[] = {
        {"heightFeetEdit", "Height feet"},
        {"heightInchesEdit", "Height inches"},
        {"weightEdit", "Weight"},
        {"ageEdit", "Age"},
        {"bmiValue", "BMI"},
        {"bmrValue", "BMR"},
        {"bmrActivityValue", "BMR w/Activity Factor"},
        {"lastBmiValue", "Last BMI"},
        {"calculateButton", "Calculate"},
        {"saveButton", "Save"},
        {"deleteButton", "Delete"},
        {"helpButton", "Help"},
        {"bmiChart", "BMI chart"},
    };
    for (const auto& [object, name] : names)
        QCOMPARE(s.Find<QWidget>(object)->accessibleName(), QString::fromLatin1(name));
    // What assistive technology is handed.
    const std::pair<QWidget*, const char*> announced[] = {
        {s.picker, "Or enter a new BMI/BMR date"},
        {s.weight, "Weight"},
        {s.bmrActivity, "BMR w/Activity Factor"},
        {s.Find<QWidget>("activityBox"), "Select an Activity Factor:"},
        {s.Find<QWidget>("resultsBox"), "BMI and BMR Results:"},
        {s.Radio(QStringLiteral("Very")), "Very"},
    };
    for (const auto& [widget, name] : announced) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QString::fromLatin1(name));
    }
    // A drop-down list is announced by the label that labels it (its name is its current text).
    QStringList listLabels;
    for (const auto& [label, relation] :
         QAccessible::queryAccessibleInterface(s.list)->relations(QAccessible::Label))
        listLabels << label->text(QAccessible::Name);
    QVERIFY2(listLabels.contains(QStringLiteral("Select an existing BMI/BMR date:")),
             qPrintable(listLabels.join(QLatin1Char('|'))));
    // Lists and pickers are announced by their buddy labels.
    for (QWidget* field : std::initializer_list<QWidget*>{s.list, s.picker, s.feet, s.weight}) {
        bool hasBuddy = false;
        for (QLabel* label : s.screen->findChildren<QLabel*>())
            hasBuddy = hasBuddy || label->buddy() == field;
        QVERIFY2(hasBuddy, qPrintable(field->objectName()));
    }
    QStringList boxes;
    for (QGroupBox* box : s.screen->findChildren<QGroupBox*>())
        boxes << box->title();
    boxes.sort();
    QCOMPARE(boxes, (QStringList{"BMI and BMR Results:", "BMI/BMR Description",
                                 "Calculate your BMI and BMR:", "Select Date",
                                 "Select an Activity Factor:"}));
    for (const ActivityLevel& level : ActivityLevels) {
        const QString caption = QString::fromLatin1(level.caption.data(), level.caption.size());
        const QString description =
            QString::fromLatin1(level.description.data(), level.description.size());
        QCOMPARE(s.Radio(caption)->text(), caption);
        QCOMPARE(s.Radio(caption)->accessibleDescription(), description);
        QCOMPARE(s.Find<QLabel>(qPrintable(caption.toLower() + "Description"))->text(),
                 description);
    }

    // Tab runs down the form (through the picker's month, day and year), and into the
    // activity choice at its checked button.
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    s.list->setFocus();
    QStringList order;
    for (int i = 0; i < 12 && !order.contains(QStringLiteral("sedentaryRadio")); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = QApplication::focusWidget()->objectName();
        if (order.isEmpty() || order.last() != name)
            order << name;
    }
    QCOMPARE(order, (QStringList{"datePicker", "heightFeetEdit", "heightInchesEdit", "weightEdit",
                                 "ageEdit", "sedentaryRadio"}));
}

void BmiBmrScreenTest::chartIsShownPixelForPixel() {
    MainWindowFixture f;
    BmiScreen s(f);
    QImageReader reader(f.services.services.DbFile(QStringLiteral("BMI.bmp")));
    const QImage source = reader.read().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!source.isNull());
    auto* chart = s.Find<QLabel>("bmiChart");
    QVERIFY(chart->isVisible());
    QCOMPARE(chart->size(), source.size());
    QCOMPARE(chart->grab().toImage().convertToFormat(QImage::Format_RGB32), source);

    // At 200 % each picture pixel becomes a block of four alike: enlarged, never smoothed.
    QPixmap doubled(chart->size() * 2);
    doubled.setDevicePixelRatio(2);
    chart->render(&doubled);
    const QImage shown = doubled.toImage().convertToFormat(QImage::Format_RGB32);
    int blurred = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            if (shown.pixel(2 * x, 2 * y) != pixel || shown.pixel(2 * x + 1, 2 * y + 1) != pixel)
                ++blurred;
        }
    QCOMPARE(blurred, 0);

    // The description names the table for those who do not see it.
    QVERIFY(chart->accessibleDescription().contains(QStringLiteral("30.0 and Above Obese")));
    QVERIFY(s.screen->findChild<QGroupBox*>(QStringLiteral("descriptionBox"))->isVisible());
}

QTEST_MAIN(BmiBmrScreenTest)
#include "BmiBmrScreenTest.moc"
