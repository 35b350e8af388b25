// The body fat calculator, driven through its widgets on the real main window: what each
// Calculate button hands to the main window, the checks before it, and what the screen reads
// from the user's stored records.
#include "MainWindowFixture.h"
#include "calc/BodyFatCalculation.h"
#include "controls/CXPGroupBox.h"
#include "controls/HoverButton.h"
#include "controls/MarkedComboBox.h"
#include "help/CaliperHelpWindow.h"
#include "help/HelpWindowRegistry.h"
#include "help/VendorConfig.h"
#include "platform/AppServices.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CBodyFatResults.h"
#include "screens/CCalcBF.h"
#include "shell/Commands.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(std::vector<int>)

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString WeightMessage =
    QStringLiteral("You must select a number between 1 and 1200 for Weight");
const QString AgeMessage = QStringLiteral("You must select a number between 1 and 120 for Age");
const QString OtherMessage = QStringLiteral("You must enter a number between .5 and 100");
const QString ListMessage = QStringLiteral("You must select a number between 0 and 80 for ");
constexpr DateKey Today = 20261209; // the fixture's clock

UserRecord Woman(const char* name = "Ann") {
    UserRecord user = MainWindowFixture::MakeUser(name);
    user.sex = Female;
    return user;
}

UserRecord MetricWoman() {
    UserRecord user = Woman();
    user.units = Metric;
    user.lengthUnits = Centimetres;
    user.weight = 60; // kilograms, as AddUser takes them
    return user;
}

// The calculator of a fixture whose user (stored in user.bin) is selected.
struct Calculator {
    explicit Calculator(MainWindowFixture& fixture,
                        UserRecord user = MainWindowFixture::MakeUser("Ann"))
        : f(fixture) {
        AddUser(Data(), user);
        FindUser(Data(), user);
        f.SelectUser(user);
        f.Frame().activateWindow();
    }

    std::filesystem::path Data() const { return f.services.services.DataPath(); }
    std::string Name() const { return f.Frame().CurrentUser.Name(); }

    // Through the Calculate menu, as the user gets there.
    void Open() {
        f.Frame().Execute(CommandId::CalcBodyFat);
        screen = qobject_cast<CCalcBF*>(f.Frame().CurrentScreen());
        QVERIFY(screen);
        QCoreApplication::processEvents();
    }

    template <class T = QWidget> T* Find(const QString& name) const {
        auto* widget = screen->findChild<T*>(name);
        if (!widget)
            qWarning("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit* Edit(const QString& name) const { return Find<QLineEdit>(name); }
    QComboBox* List(const QString& name) const { return Find<QComboBox>(name); }
    QLabel* Label(const QString& name) const { return Find<QLabel>(name); }
    HoverButton* Button(const QString& name) const { return Find<HoverButton>(name); }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void Choose(const QString& list, int millimetres) { List(list)->setCurrentIndex(millimetres); }
    void Calculate(const QString& prefix) {
        QTest::mouseClick(Button(prefix + QStringLiteral("CalculateButton")), Qt::LeftButton);
    }
    // True when the calculation left the screen for the results.
    bool Left() const { return f.Frame().CurrentScreen() != screen.data(); }
    const BodyFatRecord& Pending() const { return f.Frame().PendingCalculation->record; }
    std::vector<int> PendingSites() const {
        const BodyFatRecord& r = Pending();
        return {r.sites, r.sites + BodyFatRecord::SiteSlots};
    }

    MainWindowFixture& f;
    QPointer<CCalcBF> screen;
};

void StoreBodyFat(const std::filesystem::path& data, const UserRecord& user, DateKey date,
                  const char* method, std::vector<int> sites, std::array<double, 4> tape = {}) {
    BodyFatCalculation calculation(user);
    BodyFatRecord& r = calculation.record;
    r.SetMethod(method);
    for (std::size_t i = 0; i < sites.size(); ++i)
        r.sites[i] = sites[i];
    for (int i = 0; i < 4; ++i)
        r.tape[i] = tape[i];
    r.date = date;
    QCOMPARE(BodyFatFile::Append(data, r), StoreResult::Done);
}

QList<CaliperHelpWindow*> OpenCaliperWindows(CMainFrame& frame) {
    QList<CaliperHelpWindow*> windows;
    for (CaliperHelpWindow* window : frame.findChildren<CaliperHelpWindow*>())
        if (window->isVisible())
            windows << window;
    return windows;
}

} // namespace

class CalcBFScreenTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { HelpWindowRegistry::Close(HelpWindowRegistry::Kind::CaliperHelp); }

    void formOfAMan();
    void formOfAMetricWoman();
    void womansThreeSitesHandOverTheirSlots();
    void parrilloPacksTwoSitesPerSlot();
    void listsReachTheirSlots_data();
    void listsReachTheirSlots();
    void choosingAnEntryRereadsTheFields();
    void metricTapeIsHeldInInches();
    void weightAndAgeLimits_data();
    void weightAndAgeLimits();
    void otherAcceptsAnyPositivePercentage_data();
    void otherAcceptsAnyPositivePercentage();
    void listsAreTestedInOrderAndOnlyInTheirGroup();
    void tapeChecks();
    void negativeResultStaysOnTheScreen();
    void prefillFromTodaysTapeAndNewestRecord();
    void olderMethodTextsShowTheirGroup();
    void pictureButtonsOpenTheCaliperHelpOnce();
    void videoOpensTheVendorsPage();
};

void CalcBFScreenTest::formOfAMan() {
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    QStringList captions;
    for (const char* name : {"selectDateBox", "jp7Box", "jp3Box", "jp4Box", "durninBox",
                             "parrilloBox", "tapeBox", "otherBox"})
        captions << c.Find<CXPGroupBox>(QString::fromLatin1(name))->title();
    QCOMPARE(captions, QStringList({"Select Date", "Jackson/Pollock 7 Site",
                                    "Jackson/Pollock 3 Site", "Jackson/Pollock 4 Site",
                                    "Durnin/Womersley ", "Parrillo ", "Tape Measure ", "Other"}));

    // Every skinfold list offers 0 to 80 with nothing chosen.
    const QList<QComboBox*> lists = c.screen->findChildren<QComboBox*>();
    QCOMPARE(lists.size(), 7 + 3 + 4 + 4 + 9);
    for (QComboBox* list : lists) {
        QCOMPARE(list->count(), 81);
        QCOMPARE(list->itemText(80), QStringLiteral("80"));
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(!list->accessibleName().isEmpty());
    }
    QVERIFY(c.List("jp3ChestList"));
    QVERIFY(c.List("jp3AbdominalList"));

    // Profile values; no records, so no "Last" captions; a man has no hip row.
    QCOMPARE(c.Edit("weightEdit")->text(), QStringLiteral("180"));
    QCOMPARE(c.Edit("ageEdit")->text(), QStringLiteral("30"));
    QCOMPARE(c.Find<QDateEdit>("datePicker")->date(), QDate(2026, 12, 9));
    QVERIFY(!c.Label("lastCaption")->isVisible());
    QVERIFY(!c.Label("jp7LastCaption")->isVisible());
    QVERIFY(!c.Edit("hipEdit")->isVisible());
    QVERIFY(!c.Button("pictureHipButton")->isVisible());
    QCOMPARE(c.Label("abdomenCaption")->text(), QStringLiteral("Abdomen:"));
    QVERIFY(c.Edit("feetEdit")->isVisible());
    QVERIFY(c.Edit("inchesEdit")->isVisible());
    QVERIFY(!c.Edit("centimetresEdit")->isVisible());
    QCOMPARE(c.Label("feetCaption")->text(), QStringLiteral("feet"));

    QCOMPARE(c.Button("jp7CalculateButton")->TooltipText(),
             QStringLiteral("Calculate body fat using Jackson/Pollock 7 Site formula"));
    QCOMPARE(c.Button("durninCalculateButton")->TooltipText(),
             QStringLiteral("Calculate body fat using Durnin/Womersley formula"));
    QCOMPARE(c.Button("otherCalculateButton")->TooltipText(),
             QStringLiteral("Calculate body composition using other body fat method"));
    QCOMPARE(c.Button("pictureMidaxillaryButton")->TooltipText(),
             QStringLiteral("[Picture] How to take caliper measurements for Midaxillary"));
    QCOMPARE(c.Button("pictureLowerBackButton")->TooltipText(),
             QStringLiteral("[Picture] How to take caliper measurements for Lower Back"));
    QCOMPARE(c.Label("reference1")->text(),
             QStringLiteral("Fat Caliper equations developed by A.S. Jackson, and M.L. Pollock. "
                            "Practical assessment of \n body composition. Physician Sport Med "
                            "13:76-90, 1985 "));
    // The calculator keeps Print, Export and the screen's help disabled.
    f.Frame().UpdateCommandStates();
    QVERIFY(!f.Frame().Action(CommandId::FilePrint)->isEnabled());
    QVERIFY(!f.Frame().Action(CommandId::FileExport)->isEnabled());
}

void CalcBFScreenTest::formOfAMetricWoman() {
    MainWindowFixture f;
    Calculator c(f, MetricWoman());
    c.Open();
    QCOMPARE(c.Edit("weightEdit")->text(), QStringLiteral("60"));
    QCOMPARE(c.Label("feetCaption")->text(), QStringLiteral("cm"));
    QVERIFY(!c.Label("inchesCaption")->isVisible());
    QVERIFY(!c.Edit("feetEdit")->isVisible());
    QVERIFY(c.Edit("centimetresEdit")->isVisible());
    // The caption announces the field that is shown.
    QCOMPARE(c.Label("heightCaption")->buddy(), c.Edit("centimetresEdit"));
    QVERIFY(c.Edit("hipEdit")->isVisible());
    QCOMPARE(c.Label("abdomenCaption")->text(), QStringLiteral("Waist:"));
    QCOMPARE(c.Button("pictureAbdomenButton")->property("siteIndex").toInt(), 14);
    // The three-site group follows her sex.
    QVERIFY(!c.screen->findChild<QComboBox*>(QStringLiteral("jp3ChestList")));
    QStringList jp3Captions;
    for (QLabel* label : c.Find<CXPGroupBox>("jp3Box")->findChildren<QLabel*>())
        if (label->buddy())
            jp3Captions << label->text();
    QCOMPARE(jp3Captions, QStringList({"Tricep:", " Suprailiac:", "Thigh:"}));
}

void CalcBFScreenTest::womansThreeSitesHandOverTheirSlots() {
    MainWindowFixture f;
    Calculator c(f, Woman());
    c.Open();
    f.Frame().SavedFlag = true;
    c.Choose("jp3TricepList", 10);
    c.Choose("jp3SuprailiacList", 12);
    c.Choose("jp3ThighList", 20);
    c.Calculate("jp3");
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(c.Left());
    QCOMPARE(f.Frame().ResultsMode, 1);
    QVERIFY(f.Frame().PendingCalculation);
    QCOMPARE(c.PendingSites(), std::vector<int>({0, 0, 20, 10, 0, 12, 0}));
    QCOMPARE(c.Pending().Method(), std::string("Jackson/Pollock 3"));
    QCOMPARE(c.Pending().date, Today);
    QVERIFY(c.Pending().bodyFat > 0);
    // Switched without the discard question to the results screen, which holds the calculation
    // unsaved.
    QVERIFY(qobject_cast<CBodyFatResults*>(f.Frame().CurrentScreen()));
    QVERIFY(!f.Frame().SavedFlag);
}

void CalcBFScreenTest::parrilloPacksTwoSitesPerSlot() {
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    const QStringList sites{"Chest",       "Abdominal",  "Thigh",     "Bicep", "Tricep",
                            "Subscapular", "Suprailiac", "LowerBack", "Calf"};
    const QList<int> values{5, 7, 9, 3, 11, 13, 15, 17, 4};
    for (int i = 0; i < sites.size(); ++i)
        c.Choose(QStringLiteral("parrillo") + sites[i] + QStringLiteral("List"), values[i]);
    c.Calculate("parrillo");
    QVERIFY(c.Left());
    QCOMPARE(c.PendingSites(), std::vector<int>({196613, 4 * 65536 + 7, 9, 11, 13, 15, 17}));
    QCOMPARE(c.Pending().Method(), std::string("Parrillo"));
}

void CalcBFScreenTest::listsReachTheirSlots_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("lists"); // chosen 11, 12, 13, ... in this order
    QTest::addColumn<std::vector<int>>("expected");
    QTest::addColumn<QString>("method");
    QTest::newRow("seven sites") << "jp7"
                                 << QStringList{"Chest",       "Abdominal",  "Thigh",      "Tricep",
                                                "Subscapular", "Suprailiac", "Midaxillary"}
                                 << std::vector<int>{11, 12, 13, 14, 15, 16, 17}
                                 << "Jackson/Pollock 7";
    QTest::newRow("three sites, man")
        << "jp3" << QStringList{"Chest", "Abdominal", "Thigh"}
        << std::vector<int>{11, 12, 13, 0, 0, 0, 0} << "Jackson/Pollock 3";
    QTest::newRow("four sites") << "jp4"
                                << QStringList{"Abdominal", "Thigh", "Tricep", "Suprailiac"}
                                << std::vector<int>{0, 11, 12, 13, 0, 14, 0} << "Jackson/Pollock 4";
    QTest::newRow("Durnin") << "durnin"
                            << QStringList{"Bicep", "Tricep", "Subscapular", "Suprailiac"}
                            << std::vector<int>{11, 0, 0, 12, 13, 14, 0} << "Durnin";
}

void CalcBFScreenTest::listsReachTheirSlots() {
    QFETCH(QString, prefix);
    QFETCH(QStringList, lists);
    QFETCH(std::vector<int>, expected);
    QFETCH(QString, method);
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    for (int i = 0; i < lists.size(); ++i)
        c.Choose(prefix + lists[i] + QStringLiteral("List"), 11 + i);
    c.Calculate(prefix);
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(c.Left());
    QCOMPARE(c.PendingSites(), expected);
    QCOMPARE(QString::fromStdString(c.Pending().Method()), method);
    QVERIFY(c.Pending().bodyFat > 0);
}

void CalcBFScreenTest::choosingAnEntryRereadsTheFields() {
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    c.Type(c.Edit("neckEdit"), "1x");
    f.Prompter().ExpectOk();
    c.Choose("jp4ThighList", 5);
    QCOMPARE(f.Prompter().Texts(), QStringList{QStringLiteral("Please enter a number.")});
    QCOMPARE(QApplication::focusWidget(), c.Edit("neckEdit"));
    QVERIFY(f.Frame().SavedFlag);
}

void CalcBFScreenTest::metricTapeIsHeldInInches() {
    MainWindowFixture f;
    Calculator c(f, MetricWoman());
    c.Open();
    c.Type(c.Edit("abdomenEdit"), "80");
    c.Type(c.Edit("hipEdit"), "100");
    c.Type(c.Edit("neckEdit"), "35");
    c.Type(c.Edit("centimetresEdit"), "170");
    c.Calculate("tape");
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(c.Left());
    const double* tape = c.Pending().tape;
    QCOMPARE(tape[0], 80 * CmToIn);
    QCOMPARE(tape[1], 170 * CmToIn);
    QCOMPARE(tape[2], 100 * CmToIn);
    QCOMPARE(tape[3], 35 * CmToIn);
    QCOMPARE(c.Pending().Method(), std::string("Tape Measurement"));
}

void CalcBFScreenTest::weightAndAgeLimits_data() {
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("focus");
    QTest::newRow("weight 1") << "1"
                              << "30" << WeightMessage << "weightEdit";
    QTest::newRow("weight 1.01") << "1.01"
                                 << "30" << QString() << QString();
    QTest::newRow("weight 1199.99") << "1199.99"
                                    << "30" << QString() << QString();
    QTest::newRow("weight 1200") << "1200"
                                 << "30" << WeightMessage << "weightEdit";
    QTest::newRow("age 1") << "180"
                           << "1" << AgeMessage << "ageEdit";
    QTest::newRow("age 2") << "180"
                           << "2" << QString() << QString();
    QTest::newRow("age 119") << "180"
                             << "119" << QString() << QString();
    QTest::newRow("age 120") << "180"
                             << "120" << AgeMessage << "ageEdit";
    // The weight is reported first.
    QTest::newRow("both") << "0"
                          << "0" << WeightMessage << "weightEdit";
}

void CalcBFScreenTest::weightAndAgeLimits() {
    QFETCH(QString, weight);
    QFETCH(QString, age);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    c.Type(c.Edit("weightEdit"), weight);
    c.Type(c.Edit("ageEdit"), age);
    c.Type(c.Edit("bodyFatEdit"), "20");
    if (!message.isEmpty())
        f.Prompter().ExpectOk();
    c.Calculate("other");
    if (message.isEmpty()) {
        QVERIFY(f.Prompter().Boxes().isEmpty());
        QVERIFY(c.Left());
        // The calculation used the entered values, which the profile keeps.
        QCOMPARE(c.Pending().user.age, age.toInt());
        QCOMPARE(c.Pending().user.weight, weight.toDouble());
        UserRecord stored;
        stored.SetName(c.Name());
        QVERIFY(FindUser(c.Data(), stored));
        QCOMPARE(stored.age, age.toInt());
        return;
    }
    QCOMPARE(f.Prompter().Texts(), QStringList{message});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QVERIFY(!c.Left());
    QVERIFY(!f.Frame().PendingCalculation);
    QCOMPARE(QApplication::focusWidget(), c.Edit(focus));
}

void CalcBFScreenTest::otherAcceptsAnyPositivePercentage_data() {
    QTest::addColumn<QString>("bodyFat");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("150") << "150" << true;
    QTest::newRow("0.01") << "0.01" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("-3") << "-3" << false;
}

void CalcBFScreenTest::otherAcceptsAnyPositivePercentage() {
    QFETCH(QString, bodyFat);
    QFETCH(bool, accepted);
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    c.Type(c.Edit("bodyFatEdit"), bodyFat);
    if (!accepted)
        f.Prompter().ExpectOk();
    c.Calculate("other");
    QCOMPARE(c.Left(), accepted);
    if (accepted) {
        QCOMPARE(c.Pending().bodyFat, bodyFat.toDouble());
        QCOMPARE(c.Pending().Method(), std::string("Other"));
    } else {
        QCOMPARE(f.Prompter().Texts(), QStringList{OtherMessage});
        QCOMPARE(QApplication::focusWidget(), c.Edit("bodyFatEdit"));
    }
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void CalcBFScreenTest::listsAreTestedInOrderAndOnlyInTheirGroup() {
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    // Parrillo asks for its lower back before its bicep, though the bicep comes first on the
    // form; each answer fills the list it asked for.
    const QStringList asked{"Chest",      "Abdominal",  "Thigh", "Tricep", "Subscapular",
                            "Suprailiac", "Lower Back", "Bicep", "Calf"};
    for (const QString& site : asked) {
        f.Prompter().ExpectOk();
        c.Calculate("parrillo");
        QCOMPARE(f.Prompter().Last().text, ListMessage + site);
        QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
        QComboBox* list = c.List(QStringLiteral("parrillo") +
                                 QString(site).remove(QLatin1Char(' ')) + QStringLiteral("List"));
        QCOMPARE(QApplication::focusWidget(), list);
        list->setCurrentIndex(0);
    }
    QVERIFY(!c.Left());
    f.Prompter().Clear();

    // The seven-site midaxillary list is named "Midaxilla"; a filled group is not excused.
    for (const char* site : {"Chest", "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac"})
        c.Choose(QStringLiteral("jp7") + QString::fromLatin1(site) + QStringLiteral("List"), 10);
    f.Prompter().ExpectOk();
    c.Calculate("jp7");
    QCOMPARE(f.Prompter().Texts(), QStringList{ListMessage + QStringLiteral("Midaxilla")});

    // The four-site group calculates though the other groups' lists are empty, and the one
    // list it shares a site name with elsewhere is its own.
    for (const char* site : {"Abdominal", "Thigh", "Tricep", "Suprailiac"})
        c.Choose(QStringLiteral("jp4") + QString::fromLatin1(site) + QStringLiteral("List"), 15);
    c.Calculate("jp4");
    QVERIFY(c.Left());
    QCOMPARE(c.PendingSites(), std::vector<int>({0, 15, 15, 15, 0, 15, 0}));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void CalcBFScreenTest::tapeChecks() {
    MainWindowFixture f;
    Calculator c(f, Woman());
    c.Open();
    const auto expect = [&](const QString& message, QWidget* focus) {
        f.Prompter().Clear();
        f.Prompter().ExpectOk();
        c.Calculate("tape");
        QCOMPARE(f.Prompter().Texts(), QStringList{message});
        if (focus)
            QCOMPARE(QApplication::focusWidget(), focus);
        QVERIFY(!c.Left());
    };
    expect(QStringLiteral("You must enter a valid number for Height"), nullptr);
    c.Type(c.Edit("inchesEdit"), "5");
    expect(QStringLiteral("You must enter a valid number for Neck"), c.Edit("neckEdit"));
    c.Type(c.Edit("neckEdit"), "13");
    expect(QStringLiteral("You must enter a valid number for Waist"), c.Edit("abdomenEdit"));
    c.Type(c.Edit("abdomenEdit"), "28");
    expect(QStringLiteral("You must enter a valid number for Hip"), c.Edit("hipEdit"));
    // A field that is not a number stops before any range check.
    c.Type(c.Edit("hipEdit"), "3x");
    expect(QStringLiteral("Please enter a number."), c.Edit("hipEdit"));
    c.Type(c.Edit("hipEdit"), "38");
    c.Type(c.Edit("feetEdit"), "5");
    f.Prompter().Clear();
    c.Calculate("tape");
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(c.Left());
    QCOMPARE(c.Pending().tape[1], 65.0);
    QCOMPARE(c.Pending().tape[2], 38.0);
}

void CalcBFScreenTest::negativeResultStaysOnTheScreen() {
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    // An earlier calculation is still pending.
    f.Frame().PendingCalculation = std::make_unique<BodyFatCalculation>(f.Frame().CurrentUser);
    BodyFatCalculation* earlier = f.Frame().PendingCalculation.get();
    // A neck wider than the abdomen has no logarithm.
    c.Type(c.Edit("feetEdit"), "6");
    c.Type(c.Edit("neckEdit"), "40");
    c.Type(c.Edit("abdomenEdit"), "30");
    f.Prompter().ExpectOk();
    c.Calculate("tape");
    QCOMPARE(
        f.Prompter().Texts(),
        QStringList{QStringLiteral(
            "Your body fat value is less than zero.\nPlease check values and calculate again")});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Critical);
    QVERIFY(!c.Left());
    QCOMPARE(f.Frame().PendingCalculation.get(), earlier);
    QCOMPARE(f.Frame().ResultsMode, 0);
}

void CalcBFScreenTest::prefillFromTodaysTapeAndNewestRecord() {
    MainWindowFixture f;
    Calculator c(f, MetricWoman());
    const UserRecord& user = f.Frame().CurrentUser;
    // Yesterday's tape record is not today's; today's gives neck, waist and hip (handed to
    // Append in centimetres, as the tape screen does).
    TapeRecord tape;
    tape.user = user;
    tape.waist = 70;
    tape.neck = 33;
    tape.forearmOrHip = 99.5;
    tape.date = Today - 1;
    QCOMPARE(TapeFile::Append(c.Data(), tape), StoreResult::Done);
    tape = TapeRecord{};
    tape.user = user;
    tape.waist = 80;
    tape.neck = 33;
    tape.forearmOrHip = 99.5;
    tape.date = Today;
    QCOMPARE(TapeFile::Append(c.Data(), tape), StoreResult::Done);
    // The newest body composition record is a tape measurement of 66.5 inches.
    StoreBodyFat(c.Data(), user, Today - 10, "Durnin", {4, 0, 0, 6, 8, 10, 0});
    StoreBodyFat(c.Data(), user, Today - 2, "Tape Measurement", {}, {31, 66.5, 40, 13});
    c.Open();
    QCOMPARE(c.Edit("abdomenEdit")->text(), QStringLiteral("80"));
    QCOMPARE(c.Edit("neckEdit")->text(), QStringLiteral("33"));
    QCOMPARE(c.Edit("hipEdit")->text(), QStringLiteral("99.5"));
    QCOMPARE(c.Edit("centimetresEdit")->text(), QStringLiteral("168.91"));

    QVERIFY(c.Label("lastCaption")->isVisible());
    QCOMPARE(c.Label("lastDateLabel")->text(), QStringLiteral("12/07/2026"));
    QCOMPARE(c.Label("lastAgeLabel")->text(), QStringLiteral("30"));
    QCOMPARE(c.Label("lastWeightLabel")->text(), QStringLiteral("60.00 kgs"));
    QVERIFY(c.Label("tapeLastCaption")->isVisible());
    QCOMPARE(c.Label("tapeHeightLast")->text(), QStringLiteral("168.91"));
    QCOMPARE(c.Label("tapeAbdomenLast")->text(), QStringLiteral("78.74"));
    QCOMPARE(c.Label("tapeNeckLast")->text(), QStringLiteral("33.02"));
    QCOMPARE(c.Label("tapeHipLast")->text(), QStringLiteral("101.60"));
    // Only the newest record's group shows last values.
    QVERIFY(!c.Label("durninLastCaption")->isVisible());
    QCOMPARE(c.Label("durninBicepLast")->text(), QString());
}

void CalcBFScreenTest::olderMethodTextsShowTheirGroup() {
    struct Case {
        const char* method;
        std::vector<int> sites;
        const char* prefix;
        QStringList labels;
        QStringList values;
    };
    const std::vector<Case> cases{
        {"Seven Site Caliper",
         {1, 2, 3, 4, 5, 6, 7},
         "jp7",
         {"Chest", "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac", "Midaxillary"},
         {"1", "2", "3", "4", "5", "6", "7"}},
        {"Three Site Caliper",
         {1, 2, 3, 4, 5, 6, 7},
         "jp3",
         {"Chest", "Abdominal", "Thigh"},
         {"1", "2", "3"}},
        {"Jackson/Pollock 4",
         {0, 2, 3, 4, 0, 6, 0},
         "jp4",
         {"Abdominal", "Thigh", "Tricep", "Suprailiac"},
         {"2", "3", "4", "6"}},
        {"Durnin",
         {9, 0, 0, 4, 5, 6, 0},
         "durnin",
         {"Bicep", "Tricep", "Subscapular", "Suprailiac"},
         {"9", "4", "5", "6"}},
        {"Parrillo",
         {3 * 65536 + 5, 8 * 65536 + 7, 9, 11, 13, 15, 17},
         "parrillo",
         {"Chest", "Abdominal", "Thigh", "Bicep", "Tricep", "Subscapular", "Suprailiac",
          "LowerBack", "Calf"},
         {"5", "7", "9", "3", "11", "13", "15", "17", "8"}},
    };
    for (const Case& one : cases) {
        MainWindowFixture f;
        Calculator c(f);
        StoreBodyFat(c.Data(), f.Frame().CurrentUser, Today, one.method, one.sites);
        c.Open();
        const QString prefix = QString::fromLatin1(one.prefix);
        QVERIFY2(c.Label(prefix + QStringLiteral("LastCaption"))->isVisible(), one.method);
        QStringList shown;
        for (const QString& site : one.labels)
            shown << c.Label(prefix + site + QStringLiteral("Last"))->text();
        QCOMPARE(shown, one.values);
        QCOMPARE(c.Label("lastWeightLabel")->text(), QStringLiteral("180.00 lbs"));
    }

    // An imperial tape height in feet and inches, also into the height fields.
    MainWindowFixture f;
    Calculator c(f);
    StoreBodyFat(c.Data(), f.Frame().CurrentUser, Today, "Tape Measurement", {}, {34, 70.5, 0, 15});
    c.Open();
    QCOMPARE(c.Label("tapeHeightLast")->text(), QStringLiteral("5 ' 10.50''"));
    QCOMPARE(c.Edit("feetEdit")->text(), QStringLiteral("5"));
    QCOMPARE(c.Edit("inchesEdit")->text(), QStringLiteral("10.5"));
    QCOMPARE(c.Label("tapeAbdomenLast")->text(), QStringLiteral("34.00"));
    QVERIFY(!c.Label("tapeHipLast")->isVisible());
}

void CalcBFScreenTest::pictureButtonsOpenTheCaliperHelpOnce() {
    MainWindowFixture f;
    Calculator c(f, Woman());
    c.Open();
    // The three-site buttons follow her sex.
    auto* jp3 = c.Find<CXPGroupBox>("jp3Box");
    QVERIFY(!jp3->findChild<HoverButton*>(QStringLiteral("pictureChestButton")));
    QCOMPARE(jp3->findChild<HoverButton*>(QStringLiteral("pictureTricepButton"))
                 ->property("siteIndex")
                 .toInt(),
             6);

    QTest::mouseClick(c.Button("pictureHipButton"), Qt::LeftButton);
    QList<CaliperHelpWindow*> windows = OpenCaliperWindows(f.Frame());
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->SiteList()->currentIndex(), 16);

    // While it is open, another site leaves it where it is.
    const QList<HoverButton*> neck = c.Find<CXPGroupBox>("tapeBox")->findChildren<HoverButton*>(
        QStringLiteral("pictureNeckButton"));
    QTest::mouseClick(neck.first(), Qt::LeftButton);
    QTest::mouseClick(c.Button("imageButton"), Qt::LeftButton);
    QCOMPARE(OpenCaliperWindows(f.Frame()), windows);
    QCOMPARE(windows.first()->SiteList()->currentIndex(), 16);

    // Closed, the buttons work again: "Image" opens the first page.
    QPointer<CaliperHelpWindow> closed = windows.first();
    closed->close();
    QTRY_VERIFY(closed.isNull() || !closed->isVisible());
    QTest::mouseClick(c.Button("imageButton"), Qt::LeftButton);
    windows = OpenCaliperWindows(f.Frame());
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->SiteList()->currentIndex(), 0);
    QCOMPARE(c.Button("imageButton")->TooltipText(),
             QStringLiteral("[Picture] How to take caliper measurements"));
}

void CalcBFScreenTest::videoOpensTheVendorsPage() {
    MainWindowFixture f;
    Calculator c(f);
    c.Open();
    HoverButton* video = c.Button("videoButton");
    QCOMPARE(video->TooltipText(), QStringLiteral("[Video] How to take caliper measurements"));
    QTest::mouseClick(video, Qt::LeftButton);
    QCOMPARE(f.services.urlOpener.opened, QStringList{QString::fromLatin1(VideoPageAddress)});
    QVERIFY(!c.Left());
}

QTEST_MAIN(CalcBFScreenTest)
#include "CalcBFScreenTest.moc"
