// The body composition results screen, driven through its widgets on the real main window: a
// calculation handed over as the calculator does, and the delete mode of the Calculate menu.
// What it stores is read back through the record file's own readers.
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "calc/BodyFatCalculation.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "help/HelpPageWindow.h"
#include "platform/AppServices.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CBodyFatResults.h"
#include "shell/Commands.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString Saved = QStringLiteral("Body Composition record has been successfully saved");
const QString OverwriteQuestion =
    QStringLiteral("A record for this date already exists.  Would you like to overwrite?");
const QString DiscardQuestion =
    QStringLiteral("Record has not been saved, would you like to continue without saving?");
const QString DesiredRefused =
    QStringLiteral("You must select a number between 0 and 100 for Desired Body Fat %");

const DateKey Today = MakeDateKey(2026, 12, 9);

// 200 lb, desired 15; metric users hand the weight over in kilograms as the user screen does.
UserRecord MakeProfile(bool metric) {
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    user.weight = 200;
    if (metric) {
        user.units = Metric;
        user.lengthUnits = Centimetres;
        user.weight = 200 * LbToKg;
    }
    return user;
}

// A stored record as a save from the screen leaves it: weights in pounds.
void StoreRecord(const std::filesystem::path& data, const UserRecord& user, DateKey date,
                 double bodyFat) {
    OtherCalc calc(user, bodyFat);
    calc.Calculate();
    calc.record.date = date;
    QCOMPARE(calc.Save(data), StoreResult::Done);
}

struct ResultsScreen {
    explicit ResultsScreen(MainWindowFixture& fixture, bool metric = false) : f(fixture) {
        UserRecord user = MakeProfile(metric);
        AddUser(Data(), user);
        FindUser(Data(), user);
        f.SelectUser(user);
        f.Frame().activateWindow();
    }

    std::filesystem::path Data() const { return f.services.services.DataPath(); }
    std::string Name() const { return f.Frame().CurrentUser.Name(); }

    // As the calculator hands a calculation over.
    void Calculate(double bodyFat, DateKey date = Today) {
        auto calc = std::make_unique<OtherCalc>(f.Frame().CurrentUser, bodyFat);
        calc->Calculate();
        calc->record.date = date;
        Hand(std::move(calc));
    }
    void Hand(std::unique_ptr<BodyFatCalculation> calc) {
        f.Frame().PendingCalculation = std::move(calc);
        f.Frame().ResultsMode = CMainFrame::ResultsPending;
        f.Frame().SwitchScreen(ScreenClass::CBodyFatResults);
        Attach();
    }
    // Through the Calculate menu.
    void OpenDeleteMode() {
        f.Frame().Execute(CommandId::CalcDeleteBodyFat);
        Attach();
    }
    void Attach() {
        screen = qobject_cast<CBodyFatResults*>(f.Frame().CurrentScreen());
        QVERIFY(screen);
        list = screen->findChild<QComboBox*>(QStringLiteral("dateList"));
        desired = screen->findChild<QLineEdit*>(QStringLiteral("desiredEdit"));
        recalculate = screen->findChild<QToolButton*>(QStringLiteral("recalculateButton"));
        QVERIFY(list && desired && recalculate);
        QCoreApplication::processEvents();
    }

    QString Value(const char* name) const {
        auto* label = screen->findChild<QLabel*>(QString::fromLatin1(name) + "Value");
        return label ? label->text() : QStringLiteral("<missing>");
    }
    QLabel* LastLabel(const char* name) const {
        return screen->findChild<QLabel*>(QString::fromLatin1(name));
    }
    QToolButton* Button(const char* name) const {
        return screen->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    bool Enabled(const char* button) {
        screen->UpdateActionStates();
        return Button(button)->isEnabled();
    }
    void Click(const char* button) {
        QVERIFY(Enabled(button));
        QTest::mouseClick(Button(button), Qt::LeftButton);
    }
    bool CommandEnabled(CommandId id) {
        f.Frame().UpdateCommandStates();
        return f.Frame().Action(id)->isEnabled();
    }

    void TypeDesired(const QString& text) {
        desired->selectAll();
        QTest::keyClick(desired, Qt::Key_Backspace);
        QTest::keyClicks(desired, text);
    }

    void Choose(const QString& text) { ClickEntry(*list, text); }
    QStringList Entries() const { return ItemTexts(*list); }

    RecordList<BodyFatRecord> Stored() const {
        RecordList<BodyFatRecord> records;
        BodyFatFile::LoadAll(Data(), Name(), records);
        return records;
    }
    BodyFatRecord StoredAt(DateKey key) const { return BodyFatFile::Find(Data(), Name(), key); }
    UserRecord Profile() const {
        UserRecord user;
        user.SetName(Name());
        FindUser(Data(), user);
        return user;
    }

    MainWindowFixture& f;
    CBodyFatResults* screen = nullptr;
    QComboBox* list = nullptr;
    QLineEdit* desired = nullptr;
    QToolButton* recalculate = nullptr;
};

} // namespace

class BodyFatResultsScreenTest : public QObject {
    Q_OBJECT

private slots:
    void calculationShown_data();
    void calculationShown();
    void lastColumnShowsNewestStoredRecord();
    void recalculateWritesProfileAndNextSave_data();
    void recalculateWritesProfileAndNextSave();
    void desiredPercentageRange_data();
    void desiredPercentageRange();
    void everySaveAttemptEndsThePendingCalculation_data();
    void everySaveAttemptEndsThePendingCalculation();
    void deleteMode_data();
    void deleteMode();
    void parrilloSitesKeptUnpacked();
    void keyboardRecalculatesAndHelpOpensItsTopic();
    void storedDesiredOf100ShowsNoGoalWeight();
};

void BodyFatResultsScreenTest::calculationShown_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QStringList>("texts"); // total, lean, fat, to lose, goal
    QTest::newRow("pounds") << false
                            << QStringList{"200.00 lbs", "150.00 lbs", "50.00 lbs", "23.53 lbs",
                                           "176.47 lbs"};
    QTest::newRow("kilograms") << true
                               << QStringList{"90.72 kgs", "68.04 kgs", "22.68 kgs", "10.67 kgs",
                                              "80.05 kgs"};
}

void BodyFatResultsScreenTest::calculationShown() {
    QFETCH(bool, metric);
    QFETCH(QStringList, texts);
    MainWindowFixture f;
    ResultsScreen s(f, metric);
    s.Calculate(25);

    QCOMPARE(s.Value("date"), QStringLiteral("12/9/26"));
    QCOMPARE(s.Value("bodyFat"), QStringLiteral("25.00%"));
    QCOMPARE(s.desired->text(), QStringLiteral("15"));
    const QStringList shown{s.Value("totalWeight"), s.Value("leanWeight"), s.Value("fatWeight"),
                            s.Value("toLose"), s.Value("goalWeight")};
    QCOMPARE(shown, texts);

    // No stored record yet: no "Last" column and no "Current" captions.
    QVERIFY(!s.LastLabel("lastDateLabel")->isVisible());
    QVERIFY(!s.LastLabel("lastDateLabel")->text().size());
    for (QLabel* label : s.screen->findChildren<QLabel*>())
        if (label->text() == "Current" || label->text() == "Last")
            QVERIFY(!label->isVisible());

    // A pending calculation: only Save; the delete list is not there.
    QVERIFY(!s.list->isVisible());
    QVERIFY(s.recalculate->isVisible());
    QCOMPARE(s.recalculate->accessibleName(), QStringLiteral("Recalculate"));
    QCOMPARE(s.recalculate->toolTip(), QStringLiteral("Recalculate goal weight/body fat to lose"));
    QCOMPARE(s.desired->accessibleName(), QStringLiteral("Desired Body Fat %"));
    QVERIFY(s.Enabled("saveButton"));
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(s.CommandEnabled(CommandId::FilePrint));
    QVERIFY(s.CommandEnabled(CommandId::FileExport));
    QVERIFY(!f.Frame().SavedFlag);

    auto* chart = s.screen->findChild<QWidget*>(QStringLiteral("classificationChart"));
    QVERIFY(chart && chart->isVisible() && !chart->sizeHint().isEmpty());
    QCOMPARE(s.screen->findChild<QLabel*>(QStringLiteral("sourceNote"))->text(),
             QStringLiteral("Source: Reprinted with permission from the American Council on "
                            "Exercise"));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void BodyFatResultsScreenTest::lastColumnShowsNewestStoredRecord() {
    MainWindowFixture f;
    ResultsScreen s(f);
    StoreRecord(s.Data(), f.Frame().CurrentUser, MakeDateKey(2026, 11, 1), 30);
    StoreRecord(s.Data(), f.Frame().CurrentUser, MakeDateKey(2026, 12, 1), 20);
    s.Calculate(25);

    // 200 lb at 20 %: lean 160, fat 40, to lose 200 - 160 / 0.85.
    QVERIFY(s.LastLabel("lastDateLabel")->isVisible());
    QCOMPARE(s.LastLabel("lastDateLabel")->text(), QStringLiteral("12/1/26"));
    QCOMPARE(s.LastLabel("lastBodyFatLabel")->text(), QStringLiteral("20.00%"));
    QCOMPARE(s.LastLabel("lastTotalWeightLabel")->text(), QStringLiteral("200.00 lbs"));
    QCOMPARE(s.LastLabel("lastLeanWeightLabel")->text(), QStringLiteral("160.00 lbs"));
    QCOMPARE(s.LastLabel("lastFatWeightLabel")->text(), QStringLiteral("40.00 lbs"));
    QCOMPARE(s.LastLabel("lastToLoseLabel")->text(), QStringLiteral("11.76 lbs"));
    QCOMPARE(s.LastLabel("lastGoalWeightLabel")->text(), QStringLiteral("188.24 lbs"));
    int current = 0;
    for (QLabel* label : s.screen->findChildren<QLabel*>())
        if (label->text() == "Current") {
            QVERIFY(label->isVisible());
            QVERIFY(label->font().bold());
            ++current;
        }
    QCOMPARE(current, 2);
}

void BodyFatResultsScreenTest::recalculateWritesProfileAndNextSave_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("toLose");
    QTest::addColumn<QString>("goal");
    // Lean 150 lb (68.04 kg) at 20 %: goal lean / 0.8.
    QTest::newRow("pounds") << false << "12.50 lbs"
                            << "187.50 lbs";
    QTest::newRow("kilograms") << true << "5.67 kgs"
                               << "85.05 kgs";
}

void BodyFatResultsScreenTest::recalculateWritesProfileAndNextSave() {
    QFETCH(bool, metric);
    QFETCH(QString, toLose);
    QFETCH(QString, goal);
    MainWindowFixture f;
    ResultsScreen s(f, metric);
    s.Calculate(25);
    const QString before = s.Value("goalWeight");

    s.TypeDesired("20");
    QTest::mouseClick(s.recalculate, Qt::LeftButton);
    QCOMPARE(s.Value("toLose"), toLose);
    QCOMPARE(s.Value("goalWeight"), goal);
    QVERIFY(s.Value("goalWeight") != before);
    QCOMPARE(s.Value("bodyFat"), QStringLiteral("25.00%"));
    QCOMPARE(s.Profile().desiredBodyFat, 20.0f);
    QCOMPARE(f.Frame().CurrentUser.desiredBodyFat, 20.0f);
    // The profile's weight is written back unchanged.
    QVERIFY(std::abs(s.Profile().weight - 200) < 0.01);

    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text, Saved);
    const BodyFatRecord stored = s.StoredAt(Today);
    QVERIFY(stored.active);
    QCOMPARE(stored.user.desiredBodyFat, 20.0f);
    QCOMPARE(stored.bodyFat, 25.0);
    // Stored in pounds whatever the user's units.
    QVERIFY(std::abs(stored.weightToLose - 12.5) < 0.01);
    QVERIFY(std::abs(stored.leanWeight - 150) < 0.01);
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BodyFatResultsScreenTest::desiredPercentageRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("100") << "100" << false;
    QTest::newRow("above 100") << "150" << false;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("-1") << "-1" << false;
    QTest::newRow("99.99") << "99.99" << true;
    QTest::newRow("0.01") << "0.01" << true;
}

void BodyFatResultsScreenTest::desiredPercentageRange() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    MainWindowFixture f;
    ResultsScreen s(f);
    s.Calculate(25);
    const QString goalBefore = s.Value("goalWeight");
    const QString toLoseBefore = s.Value("toLose");

    s.TypeDesired(typed);
    if (!accepted)
        f.Prompter().ExpectOk();
    QTest::mouseClick(s.recalculate, Qt::LeftButton);

    const float value = typed.toFloat();
    const BodyFatRecord& pending = f.Frame().PendingCalculation->record;
    if (accepted) {
        QVERIFY(f.Prompter().Boxes().isEmpty());
        QCOMPARE(pending.user.desiredBodyFat, value);
        QCOMPARE(s.Profile().desiredBodyFat, value);
        const double goal = 150 / (1 - double(value) * 0.01);
        QCOMPARE(s.Value("goalWeight"), QString::asprintf("%.2f lbs", goal));
    } else {
        QCOMPARE(f.Prompter().Boxes().size(), 1);
        QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
        QCOMPARE(f.Prompter().Last().text, DesiredRefused);
        QCOMPARE(pending.user.desiredBodyFat, 15.0f);
        QCOMPARE(s.Profile().desiredBodyFat, 15.0f);
        QCOMPARE(s.Value("goalWeight"), goalBefore);
        QCOMPARE(s.Value("toLose"), toLoseBefore);
        QVERIFY(s.desired->hasFocus());
    }
    for (const char* name : {"goalWeight", "toLose"}) {
        QVERIFY(!s.Value(name).contains("inf", Qt::CaseInsensitive));
        QVERIFY(!s.Value(name).contains("nan", Qt::CaseInsensitive));
    }
}

void BodyFatResultsScreenTest::everySaveAttemptEndsThePendingCalculation_data() {
    QTest::addColumn<bool>("storedBefore");
    QTest::addColumn<bool>("saves");
    QTest::addColumn<bool>("overwrite"); // the answer to the overwrite question
    QTest::addColumn<double>("storedBodyFat");
    QTest::addColumn<bool>("asksOnLeaving");
    QTest::newRow("left unsaved") << false << false << false << -1.0 << true;
    QTest::newRow("stored") << false << true << false << 25.0 << false;
    QTest::newRow("overwritten") << true << true << true << 25.0 << false;
    QTest::newRow("overwrite refused") << true << true << false << 30.0 << true;
}

void BodyFatResultsScreenTest::everySaveAttemptEndsThePendingCalculation() {
    QFETCH(bool, storedBefore);
    QFETCH(bool, saves);
    QFETCH(bool, overwrite);
    QFETCH(double, storedBodyFat);
    QFETCH(bool, asksOnLeaving);
    MainWindowFixture f;
    ResultsScreen s(f);
    if (storedBefore)
        StoreRecord(s.Data(), f.Frame().CurrentUser, Today, 30);
    s.Calculate(25);

    if (saves) {
        if (storedBefore)
            f.Prompter().Answer(overwrite ? QMessageBox::Yes : QMessageBox::No);
        else
            f.Prompter().ExpectOk();
        s.Click("saveButton");
        QCOMPARE(f.Prompter().Last().text, storedBefore ? OverwriteQuestion : Saved);
        QCOMPARE(f.Prompter().Boxes().size(), 1);
        QVERIFY(!f.Frame().PendingCalculation);
        QVERIFY(!s.Enabled("saveButton"));
        QVERIFY(!s.CommandEnabled(CommandId::FileExport));
        QVERIFY(s.CommandEnabled(CommandId::FilePrint));
        // The values stay; recalculating has nothing to work on.
        QCOMPARE(s.Value("bodyFat"), QStringLiteral("25.00%"));
        s.TypeDesired("20");
        QTest::mouseClick(s.recalculate, Qt::LeftButton);
        QCOMPARE(s.Value("toLose"), QStringLiteral("23.53 lbs"));
        QCOMPARE(s.Profile().desiredBodyFat, 15.0f);
    }
    const RecordList<BodyFatRecord> stored = s.Stored();
    if (storedBodyFat < 0) {
        QVERIFY(stored.empty());
    } else {
        QCOMPARE(stored.size(), std::size_t(1));
        QCOMPARE(stored.front().bodyFat, storedBodyFat);
    }

    f.Prompter().Clear();
    if (asksOnLeaving)
        f.Prompter().Answer(QMessageBox::Yes);
    f.Frame().Execute(CommandId::CalcTape);
    QCOMPARE(f.Prompter().Texts(), asksOnLeaving ? QStringList{DiscardQuestion} : QStringList{});
    QVERIFY(!qobject_cast<CBodyFatResults*>(f.Frame().CurrentScreen()));
}

void BodyFatResultsScreenTest::deleteMode_data() {
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QStringList>("texts"); // total, lean, fat, to lose, goal
    QTest::newRow("pounds") << false
                            << QStringList{"200.00 lbs", "150.00 lbs", "50.00 lbs", "23.53 lbs",
                                           "176.47 lbs"};
    QTest::newRow("kilograms") << true
                               << QStringList{"90.72 kgs", "68.04 kgs", "22.68 kgs", "10.67 kgs",
                                              "80.05 kgs"};
}

void BodyFatResultsScreenTest::deleteMode() {
    QFETCH(bool, metric);
    QFETCH(QStringList, texts);
    MainWindowFixture f;
    ResultsScreen s(f, metric);
    StoreRecord(s.Data(), f.Frame().CurrentUser, MakeDateKey(2026, 11, 1), 30);
    // The same record first reaches the screen as a calculation and is saved there.
    s.Calculate(25);
    QCOMPARE(s.Value("bodyFat"), QStringLiteral("25.00%"));
    f.Prompter().ExpectOk();
    s.Click("saveButton");

    s.OpenDeleteMode();
    QCOMPARE(s.Entries(), (QStringList{"12/09/2026", "11/01/2026"}));
    QCOMPARE(s.list->currentIndex(), -1);
    QVERIFY(s.list->isVisible());
    QCOMPARE(s.list->accessibleName(), QStringLiteral("Select a date to delete"));
    QVERIFY(!s.desired->isEnabled());
    QVERIFY(!s.recalculate->isVisible());
    QVERIFY(!s.LastLabel("lastDateLabel")->isVisible());
    QCOMPARE(s.Value("bodyFat"), QString());
    QVERIFY(!s.Enabled("saveButton"));
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(s.CommandEnabled(CommandId::FilePrint));
    QVERIFY(!s.CommandEnabled(CommandId::FileExport));

    s.Choose("12/09/2026");
    QCOMPARE(s.Value("date"), QStringLiteral("12/09/2026"));
    QCOMPARE(s.Value("bodyFat"), QStringLiteral("25.00 %"));
    QCOMPARE(s.desired->text(), QStringLiteral("15"));
    const QStringList shown{s.Value("totalWeight"), s.Value("leanWeight"), s.Value("fatWeight"),
                            s.Value("toLose"), s.Value("goalWeight")};
    QCOMPARE(shown, texts);
    QVERIFY(s.Enabled("deleteButton"));
    QVERIFY(!s.Enabled("saveButton"));

    const QString question = QStringLiteral(
        "Are you sure you want to delete 12/09/2026 body composition record from memory?");
    f.Prompter().Clear();
    f.Prompter().Answer(QMessageBox::No);
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Texts(), QStringList{question});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(s.Stored().size(), std::size_t(2));
    QVERIFY(s.Enabled("deleteButton"));

    f.Prompter().Clear();
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Texts(), QStringList{question});
    QVERIFY(!s.StoredAt(Today).active);
    QCOMPARE(s.Stored().size(), std::size_t(1));
    QCOMPARE(s.Entries(), QStringList{"11/01/2026"});
    QCOMPARE(s.list->currentIndex(), -1);
    for (const char* name :
         {"date", "bodyFat", "toLose", "totalWeight", "leanWeight", "fatWeight", "goalWeight"})
        QCOMPARE(s.Value(name), QString());
    QCOMPARE(s.desired->text(), QStringLiteral("0"));
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BodyFatResultsScreenTest::parrilloSitesKeptUnpacked() {
    MainWindowFixture f;
    ResultsScreen s(f);
    // chest, abdominal, thigh, biceps, triceps, subscapular, suprailiac, lower back, calf
    auto calc =
        std::make_unique<ParrilloCalc>(f.Frame().CurrentUser, 12, 20, 14, 5, 9, 11, 13, 15, 7);
    calc->Calculate();
    calc->record.date = Today;
    s.Hand(std::move(calc));
    QCOMPARE(s.screen->ReportMethod, QStringLiteral("Parrillo"));
    QCOMPARE(s.screen->ReportSites, (std::vector<int>{12, 20, 14, 5, 9, 11, 13, 15, 7}));

    // The stored record, chosen in delete mode, gives the same.
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    s.OpenDeleteMode();
    s.Choose("12/09/2026");
    QCOMPARE(s.screen->ReportSites, (std::vector<int>{12, 20, 14, 5, 9, 11, 13, 15, 7}));
}

void BodyFatResultsScreenTest::keyboardRecalculatesAndHelpOpensItsTopic() {
    MainWindowFixture f;
    ResultsScreen s(f);
    s.Calculate(25);
    s.desired->setFocus();
    QTRY_VERIFY(s.desired->hasFocus());
    s.TypeDesired("20");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), s.recalculate);
    QTest::keyClick(s.recalculate, Qt::Key_Space);
    QCOMPARE(s.Value("toLose"), QStringLiteral("12.50 lbs"));

    s.Click("helpButton");
    QList<HelpPageWindow*> pages;
    for (HelpPageWindow* page : f.Frame().findChildren<HelpPageWindow*>())
        if (page->isVisible())
            pages << page;
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first()->Topic(), 3);
    pages.first()->close();
}

void BodyFatResultsScreenTest::storedDesiredOf100ShowsNoGoalWeight() {
    MainWindowFixture f;
    ResultsScreen s(f);
    // A record from a file written elsewhere: the goal weight would divide by zero.
    UserRecord user = f.Frame().CurrentUser;
    user.desiredBodyFat = 100;
    StoreRecord(s.Data(), user, Today, 25);
    s.OpenDeleteMode();
    s.Choose("12/09/2026");
    QCOMPARE(s.Value("bodyFat"), QStringLiteral("25.00 %"));
    QCOMPARE(s.Value("goalWeight"), QString());
    QCOMPARE(s.Value("leanWeight"), QStringLiteral("150.00 lbs"));
}

QTEST_MAIN(BodyFatResultsScreenTest)
#include "BodyFatResultsScreenTest.moc"
