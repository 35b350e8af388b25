// The tape measurement screen, driven through its widgets on the real main window; what it
// stores is read back through the record files' own readers.
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "help/HelpPageWindow.h"
#include "platform/AppServices.h"
#include "records/FileIo.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/CTapeMeasurement.h"
#include "shell/Commands.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <functional>

#include <unistd.h>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString NewEntry = RecordScreen::NewRecordEntry;
const QString Saved = QStringLiteral("Tape measurement record has been successfully saved");
const QString OverwriteQuestion =
    QStringLiteral("A record for this date already exists.  Would you like to overwrite?");

// Object names of the seven site fields, in record order.
const QStringList SiteEdits{"bicepEdit", "forearmOrHipEdit", "chestEdit", "waistEdit",
                            "neckEdit",  "calfEdit",         "thighEdit"};

UserRecord Woman(const char* name = "Ann") {
    UserRecord user = MainWindowFixture::MakeUser(name);
    user.sex = Female;
    return user;
}

// Profile weight in kilograms, as the user screen hands it to AddUser.
UserRecord MetricUser(double kilograms, const char* name = "Ann") {
    UserRecord user = MainWindowFixture::MakeUser(name);
    user.units = Metric;
    user.lengthUnits = Centimetres;
    user.weight = kilograms;
    return user;
}

// A prompter that runs a step while the overwrite question is open, then lets the scripted
// prompter answer.
class InterruptingPrompter : public Prompter {
public:
    InterruptingPrompter(ScriptedPrompter& inner, std::function<void()> whileAsked)
        : m_inner(inner), m_whileAsked(std::move(whileAsked)) {}
    QMessageBox::StandardButton Show(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::Icon icon,
                                     QMessageBox::StandardButtons buttons) override {
        if (text == OverwriteQuestion)
            m_whileAsked();
        return m_inner.Show(parent, title, text, icon, buttons);
    }

private:
    ScriptedPrompter& m_inner;
    std::function<void()> m_whileAsked;
};

// The tape screen of a fixture whose user (stored in user.bin) is selected.
struct TapeScreen {
    explicit TapeScreen(MainWindowFixture& fixture,
                        UserRecord user = MainWindowFixture::MakeUser("Ann"))
        : f(fixture) {
        AddUser(Data(), user);
        FindUser(Data(), user);
        f.SelectUser(user);
        f.Frame().activateWindow();
        Open();
    }

    std::filesystem::path Data() const { return f.services.services.DataPath(); }
    std::string Name() const { return f.Frame().CurrentUser.Name(); }

    // Through the Calculate menu, as the user gets there.
    void Open() {
        f.Frame().Execute(CommandId::CalcTape);
        screen = qobject_cast<CTapeMeasurement*>(f.Frame().CurrentScreen());
        QVERIFY(screen);
        list = screen->findChild<QComboBox*>(QStringLiteral("dateList"));
        picker = screen->findChild<QDateEdit*>(QStringLiteral("datePicker"));
        weight = Edit("weightEdit");
        sites.clear();
        for (const QString& name : SiteEdits)
            sites << Edit(name);
        QCoreApplication::processEvents(); // lay the form out before clicking into it
    }

    QLineEdit* Edit(const QString& name) const {
        auto* edit = screen->findChild<QLineEdit*>(name);
        if (!edit)
            qWarning("no field %s", qPrintable(name));
        return edit;
    }
    QLabel* Label(const QString& name) const { return screen->findChild<QLabel*>(name); }
    QToolButton* Button(const char* name) const {
        return screen->findChild<QToolButton*>(QString::fromLatin1(name));
    }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // Weight and the seven sites.
    void Fill(const QString& w, const QStringList& values) {
        Type(weight, w);
        for (int i = 0; i < sites.size(); ++i)
            Type(sites[i], values.value(i));
    }
    QStringList SiteTexts() const {
        QStringList texts;
        for (QLineEdit* edit : sites)
            texts << edit->text();
        return texts;
    }

    bool Enabled(const char* button) {
        screen->UpdateActionStates();
        return Button(button)->isEnabled();
    }
    void Click(const char* button) {
        QVERIFY(Enabled(button));
        QTest::mouseClick(Button(button), Qt::LeftButton);
    }
    // Saves and acknowledges the success box.
    void Save() {
        f.Prompter().ExpectOk();
        Click("saveButton");
    }

    // Picks the entry from the list's popup with the mouse.
    void Choose(const QString& text) { ClickEntry(*list, text); }
    QStringList Entries() const { return ItemTexts(*list); }

    // What the core's readers find.
    RecordList<TapeRecord> Stored() const {
        RecordList<TapeRecord> records;
        TapeFile::LoadAll(Data(), Name(), records);
        return records;
    }
    TapeRecord StoredAt(DateKey key) const { return TapeFile::Find(Data(), Name(), key); }
    qsizetype FileSize() const {
        return f.services
            .ReadFile(QStringLiteral("tm") + QString::fromStdString(Name()) +
                      QStringLiteral(".bin"))
            .size();
    }
    UserRecord Profile() const {
        UserRecord user;
        user.SetName(Name());
        FindUser(Data(), user);
        return user;
    }

    bool ReportCommandsEnabled() {
        f.Frame().UpdateCommandStates();
        const bool print = f.Frame().Action(CommandId::FilePrint)->isEnabled();
        const bool exportEnabled = f.Frame().Action(CommandId::FileExport)->isEnabled();
        // The toolbar's duplicates follow the same rule.
        if (f.Frame().Action(CommandId::ToolbarPrint)->isEnabled() != print ||
            f.Frame().Action(CommandId::ToolbarExport)->isEnabled() != exportEnabled ||
            print != exportEnabled)
            qWarning("Print and Export disagree");
        return print && exportEnabled;
    }

    MainWindowFixture& f;
    CTapeMeasurement* screen = nullptr;
    QComboBox* list = nullptr;
    QDateEdit* picker = nullptr;
    QLineEdit* weight = nullptr;
    QList<QLineEdit*> sites;
};

std::array<double, 7> SitesOf(const TapeRecord& r) {
    return {r.biceps, r.forearmOrHip, r.chest, r.waist, r.neck, r.calf, r.thigh};
}

// A body composition record of the tape method; the tape block in inches.
void StoreBodyComposition(const std::filesystem::path& data, const UserRecord& user, DateKey date,
                          double waist, double hip, double neck) {
    BodyFatRecord record;
    record.user = user;
    record.SetMethod("Tape Measurement");
    record.tape[0] = waist;
    record.tape[1] = 70;
    record.tape[2] = hip;
    record.tape[3] = neck;
    record.bodyFat = 20;
    record.date = date;
    QCOMPARE(BodyFatFile::Append(data, record), StoreResult::Done);
}

} // namespace

class TapeScreenTest : public QObject {
    Q_OBJECT
private slots:
    void opensForTheUser_data();
    void opensForTheUser();
    void saveThenOverwriteSameDate();
    void olderDateGoesBelowNewEntryUntilReopened();
    void choosingAndDeletingARecord();
    void metricUserSeesAndStoresCentimetresAndKilograms();
    void weightWritesTheProfile();
    void rangeEdges_data();
    void rangeEdges();
    void prefillFromTodaysBodyComposition_data();
    void prefillFromTodaysBodyComposition();
    void printAndExportNeedAllSevenSites();
    void savedFlagFollowsTheUsersEdits();
    void failuresAreReported();
    void aFailingDiskIsNeverReportedAsSaved();
    void theDataFolderBrokenUnderTheProgram_data();
    void theDataFolderBrokenUnderTheProgram();
};

void TapeScreenTest::opensForTheUser_data() {
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("forearmCaption");
    QTest::newRow("man") << int(Male) << QStringLiteral("Forearm:");
    QTest::newRow("woman") << int(Female) << QStringLiteral("Hip:");
}

void TapeScreenTest::opensForTheUser() {
    QFETCH(int, sex);
    QFETCH(QString, forearmCaption);
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    user.sex = sex;
    TapeScreen s(f, user);

    QCOMPARE(s.Entries(), QStringList{NewEntry});
    QCOMPARE(s.picker->date(), QDate(2026, 12, 9)); // the fixed clock's today
    QVERIFY(s.picker->isVisible());
    QCOMPARE(s.weight->text(), QStringLiteral("180"));
    QCOMPARE(s.SiteTexts(), QStringList(7, QStringLiteral("0")));
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(s.Enabled("saveButton"));
    QVERIFY(!s.ReportCommandsEnabled());
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(f.Prompter().Boxes().isEmpty());

    // Captions, and each field named by its caption; no "Last" column without records.
    QStringList captions;
    for (const char* name : {"bicepCaption", "forearmOrHipCaption", "chestCaption", "waistCaption",
                             "neckCaption", "calfCaption", "thighCaption"})
        captions << s.Label(QString::fromLatin1(name))->text();
    QCOMPARE(captions, (QStringList{"Bicep:", forearmCaption,
                                    "Chest:", "Waist:", "Neck:", "Calf:", "Thigh:"}));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(s.sites[i]->accessibleName(), captions[i].chopped(1));
        QCOMPARE(s.Label(SiteEdits[i].chopped(4) + QStringLiteral("Caption"))->buddy(), s.sites[i]);
    }
    QCOMPARE(s.weight->accessibleName(), QStringLiteral("Body weight on date of measurement"));
    QCOMPARE(s.list->accessibleName(), QStringLiteral("Select an existing tape measurement date"));
    QCOMPARE(s.picker->accessibleName(), QStringLiteral("Or enter a new tape measurement date"));
    QStringList boxes;
    for (QGroupBox* box : s.screen->findChildren<QGroupBox*>())
        boxes << box->title();
    QCOMPARE(boxes, (QStringList{"Select Date", "Tape Measurements"}));
    const QList<QLabel*> labels = s.screen->findChildren<QLabel*>();
    for (QLabel* label : labels)
        if (label->text() == QStringLiteral("Last") || label->objectName().startsWith("last"))
            QVERIFY2(label->isHidden(), qPrintable(label->objectName()));
    const auto sitesCaption = std::find_if(labels.begin(), labels.end(), [](QLabel* label) {
        return label->text() == QStringLiteral("Tape Sites:");
    });
    QVERIFY(sitesCaption != labels.end());
    QVERIFY((*sitesCaption)->font().bold());

    // Keyboard: the form from top to bottom, the left column of sites before the right.
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    QList<QWidget*> chain{s.list, s.picker, s.weight};
    chain += QList<QWidget*>(s.sites.begin(), s.sites.end());
    const auto focusedIn = [](QWidget* widget) {
        QWidget* focused = QApplication::focusWidget();
        return focused == widget || widget->isAncestorOf(focused);
    };
    s.list->setFocus();
    for (int i = 1; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // Tab steps through the picker's month, day and year first.
        for (int section = 1; section < 3 && focusedIn(chain[i - 1]); ++section)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(focusedIn(chain[i]), qPrintable(chain[i]->objectName()));
    }

    // Help opens the tape measurement topic.
    s.Click("helpButton");
    QList<HelpPageWindow*> pages;
    for (HelpPageWindow* page : f.Frame().findChildren<HelpPageWindow*>())
        if (page->isVisible())
            pages << page;
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first()->Topic(), 8);
    pages.first()->close();
}

void TapeScreenTest::saveThenOverwriteSameDate() {
    MainWindowFixture f;
    TapeScreen s(f);
    s.Fill("181.5", {"14", "12", "40", "34", "15.5", "15", "22"});
    s.Save();
    QCOMPARE(f.Prompter().Texts(), QStringList{Saved});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Information);
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "12/09/2026"}));
    QCOMPARE(s.list->currentIndex(), 1);
    QVERIFY(!s.Enabled("deleteButton")); // still a new record
    QVERIFY(f.Frame().SavedFlag);
    RecordList<TapeRecord> stored = s.Stored();
    QCOMPARE(stored.size(), 1u);
    QCOMPARE(stored[0].date, 20261209);
    QCOMPARE(stored[0].active, 1);
    QCOMPARE(SitesOf(stored[0]), (std::array<double, 7>{14, 12, 40, 34, 15.5, 15, 22}));
    QCOMPARE(stored[0].user.weight, 181.5);
    QCOMPARE(stored[0].user.Name(), std::string("Ann"));

    // The same date again: No keeps the record.
    s.Type(s.sites[0], "14.75");
    f.Prompter().Answer(QMessageBox::No);
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text, OverwriteQuestion);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(f.Prompter().Last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(s.StoredAt(20261209).biceps, 14.0);
    QVERIFY(!f.Frame().SavedFlag);

    // Yes replaces it: one record, one list entry, no success message.
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "12/09/2026"}));
    QVERIFY(f.Frame().SavedFlag);
    stored = s.Stored();
    QCOMPARE(stored.size(), 1u);
    QCOMPARE(SitesOf(stored[0]), (std::array<double, 7>{14.75, 12, 40, 34, 15.5, 15, 22}));
    QCOMPARE(s.FileSize(), 4 + 128); // written over, not appended
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void TapeScreenTest::olderDateGoesBelowNewEntryUntilReopened() {
    MainWindowFixture f;
    TapeScreen s(f);
    s.Fill("180", {"14", "12", "40", "34", "15", "15", "22"});
    s.Save();
    s.picker->setDate(QDate(2004, 3, 7));
    s.Fill("175", {"13", "11", "39", "33", "14", "14", "21"});
    s.Save();
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "03/07/2004", "12/09/2026"}));
    QCOMPARE(s.list->currentIndex(), 1);
    const RecordList<TapeRecord> stored = s.Stored();
    QCOMPARE(stored.size(), 2u);
    QCOMPARE(stored[1].date, 20040307);
    QCOMPARE(stored[1].biceps, 13.0);
    QCOMPARE(stored[1].user.weight, 175.0);

    // Opened again, the list is in date order and "Last" shows the newest record.
    s.Open();
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "12/09/2026", "03/07/2004"}));
    QVERIFY(s.Label("lastDateLabel")->isVisible());
    QCOMPARE(s.Label("lastDateLabel")->text(), QStringLiteral("12/09/2026"));
    QCOMPARE(s.Label("lastWeightLabel")->text(), QStringLiteral("180.00"));
    QCOMPARE(s.Label("lastBicepLabel")->text(), QStringLiteral("14.00"));
    QCOMPARE(s.Label("lastThighLabel")->text(), QStringLiteral("22.00"));
    int lastCaptions = 0;
    for (QLabel* label : s.screen->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Last")) {
            QVERIFY(label->isVisible());
            ++lastCaptions;
        }
    QCOMPARE(lastCaptions, 4);
    // The profile now holds the last saved weight.
    QCOMPARE(s.weight->text(), QStringLiteral("175"));
}

void TapeScreenTest::choosingAndDeletingARecord() {
    MainWindowFixture f;
    TapeScreen s(f);
    s.picker->setDate(QDate(2004, 3, 7));
    s.Fill("175.25", {"14.25", "12", "40", "34", "15", "15", "22"});
    s.Save();
    s.Open();
    s.Type(s.weight, "190");

    s.Choose("03/07/2004");
    QCOMPARE(s.screen->SelectedEntry, QStringLiteral("03/07/2004"));
    QCOMPARE(s.screen->SelectedKey, 20040307);
    QVERIFY(s.picker->isHidden());
    QCOMPARE(s.weight->text(), QStringLiteral("175.25"));
    QCOMPARE(s.SiteTexts(), (QStringList{"14.25", "12", "40", "34", "15", "15", "22"}));
    QVERIFY(s.Enabled("deleteButton"));

    // "< Add New Record >": the sites are cleared, the weight stays the record's.
    s.Choose(NewEntry);
    QVERIFY(s.picker->isVisible());
    QVERIFY(!s.Enabled("deleteButton"));
    QCOMPARE(s.weight->text(), QStringLiteral("175.25"));
    QCOMPARE(s.SiteTexts(), QStringList(7, QStringLiteral("0")));

    s.Choose("03/07/2004");
    f.Prompter().Answer(QMessageBox::No);
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text,
             QStringLiteral("Are you sure you want to remove record 03/07/2004"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(s.Stored().size(), 1u);

    f.Frame().SavedFlag = false;
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("deleteButton");
    QVERIFY(s.Stored().empty());
    QCOMPARE(s.StoredAt(20040307).active, 0);
    QCOMPARE(s.FileSize(), 4 + 128); // a tombstone stays
    QCOMPARE(s.Entries(), QStringList{NewEntry});
    QVERIFY(s.picker->isVisible());
    QCOMPARE(s.SiteTexts(), QStringList(7, QStringLiteral("0")));
    QCOMPARE(s.weight->text(), QStringLiteral("175.25"));
    QVERIFY(s.screen->SelectedEntry.isEmpty());
    QCOMPARE(s.screen->SelectedKey, 0);
    QVERIFY(!s.Enabled("deleteButton"));
    QVERIFY(f.Frame().SavedFlag);

    // The next save takes the picker's date.
    s.picker->setDate(QDate(2010, 12, 25));
    s.Fill("175", {"13", "12", "40", "34", "15", "15", "22"});
    s.Save();
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "12/25/2010"}));
    const RecordList<TapeRecord> stored = s.Stored();
    QCOMPARE(stored.size(), 1u);
    QCOMPARE(stored[0].date, 20101225);
    QCOMPARE(stored[0].biceps, 13.0);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void TapeScreenTest::metricUserSeesAndStoresCentimetresAndKilograms() {
    MainWindowFixture f;
    TapeScreen s(f, MetricUser(154.32 * LbToKg)); // stored as 154.32 lb
    QVERIFY(qAbs(f.Frame().CurrentUser.weight - 154.32) < 1e-9);
    // 69.998... kg, shown rounded.
    QCOMPARE(s.weight->text(), QStringLiteral("70"));

    s.picker->setDate(QDate(2005, 3, 7));
    s.Fill("70", {"35", "30", "100", "80", "38", "37", "55"});
    s.Save();
    // The unchanged 70 still differs from 69.998...: the profile becomes 70 kg.
    QCOMPARE(s.Profile().weight, 70 * KgToLb);
    QVERIFY(qAbs(s.Profile().weight - 154.3234) < 1e-9);
    QCOMPARE(f.Frame().CurrentUser.weight, 70 * KgToLb);
    const TapeRecord stored = s.StoredAt(20050307);
    QCOMPARE(stored.waist, 80 * CmToIn);
    QVERIFY(qAbs(stored.waist - 31.496062992) < 1e-8);
    QCOMPARE(stored.biceps, 35 * CmToIn);
    QCOMPARE(stored.user.weight, 70 * KgToLb);
    QCOMPARE(stored.user.units, int(Metric));

    // Overwriting converts once, not twice.
    s.Type(s.sites[3], "81.28");
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("saveButton");
    QCOMPARE(s.StoredAt(20050307).waist, 81.28 * CmToIn);
    QVERIFY(qAbs(s.StoredAt(20050307).waist - 32) < 1e-9);
    s.Type(s.sites[3], "80");
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click("saveButton");

    // A record kept from the days the user measured in inches and pounds.
    TapeRecord earlier;
    earlier.user = MainWindowFixture::MakeUser("Ann");
    earlier.user.weight = 154.32;
    earlier.waist = 31.123;
    earlier.date = 20040307;
    QCOMPARE(TapeFile::Append(s.Data(), earlier), StoreResult::Done);

    // Chosen again, the centimetres and kilograms come back as entered.
    s.Open();
    QCOMPARE(s.Label("lastWeightLabel")->text(), QStringLiteral("70.00"));
    QCOMPARE(s.Label("lastWaistLabel")->text(), QStringLiteral("80.00"));
    s.Type(s.weight, "1");
    s.Choose("03/07/2005");
    QCOMPARE(s.weight->text(), QStringLiteral("70"));
    QCOMPARE(s.SiteTexts(), (QStringList{"35", "30", "100", "80", "38", "37", "55"}));
    // Shown values are rounded to two decimals: 69.998... kg, 79.05242 cm.
    s.Choose("03/07/2004");
    QCOMPARE(s.weight->text(), QStringLiteral("70"));
    QCOMPARE(s.SiteTexts()[3], QStringLiteral("79.05"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void TapeScreenTest::weightWritesTheProfile() {
    MainWindowFixture f;
    TapeScreen s(f);

    // Unchanged: user.bin is not written.
    const QByteArray before = f.services.ReadFile(QStringLiteral("user.bin"));
    s.Save();
    QCOMPARE(f.services.ReadFile(QStringLiteral("user.bin")), before);

    s.picker->setDate(QDate(2026, 12, 10));
    s.Type(s.weight, "175.5");
    s.Save();
    QCOMPARE(s.Profile().weight, 175.5);
    QCOMPARE(f.Frame().CurrentUser.weight, 175.5);
    QCOMPARE(s.StoredAt(20261210).user.weight, 175.5);

    // 0 is a weight too.
    s.picker->setDate(QDate(2026, 12, 11));
    s.Type(s.weight, "0");
    s.Save();
    QCOMPARE(s.Profile().weight, 0.0);
    QCOMPARE(s.StoredAt(20261211).user.weight, 0.0);

    // A profile that has gone: the save still goes on after the message.
    QFile::remove(f.services.FilePath(QStringLiteral("user.bin")));
    s.picker->setDate(QDate(2026, 12, 12));
    s.Type(s.weight, "176");
    f.Prompter().Clear();
    f.Prompter().ExpectOk();
    s.Save();
    QCOMPARE(f.Prompter().Texts(), (QStringList{"User Ann does not exist!", Saved}));
    QCOMPARE(f.Prompter().Boxes().first().title, QStringLiteral("Error"));
    QCOMPARE(s.StoredAt(20261212).user.weight, 176.0);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void TapeScreenTest::rangeEdges_data() {
    QTest::addColumn<bool>("female");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("stored");   // the stored value when accepted (inches or pounds)
    QTest::addColumn<QString>("message"); // empty when accepted

    const auto accepted = [](const char* row, bool female, const char* field, const char* text,
                             double stored) {
        QTest::newRow(row) << female << QString::fromLatin1(field) << QString::fromLatin1(text)
                           << stored << QString();
    };
    const auto refused = [](const char* row, bool female, const char* field, const char* text,
                            const char* message) {
        QTest::newRow(row) << female << QString::fromLatin1(field) << QString::fromLatin1(text)
                           << 0.0 << QString::fromLatin1(message);
    };
    const char* weightMessage = "You must select a number between 0 and 1200 for Weight";
    accepted("weight 0", false, "weightEdit", "0", 0);
    accepted("weight 1199.99", false, "weightEdit", "1199.99", 1199.99);
    refused("weight 1200", false, "weightEdit", "1200", weightMessage);
    refused("weight -0.01", false, "weightEdit", "-0.01", weightMessage);
    refused("weight 1e9", false, "weightEdit", "1e9", weightMessage);
    accepted("bicep 0", false, "bicepEdit", "0", 0);
    accepted("bicep 999.99", false, "bicepEdit", "999.99", 999.99);
    accepted("bicep with blanks", false, "bicepEdit", "  14.5\t", 14.5);
    refused("bicep 1000", false, "bicepEdit", "1000",
            "You must select a number between 0 and 1000 for Bicep");
    refused("bicep -1", false, "bicepEdit", "-1",
            "You must select a number between 0 and 1000 for Bicep");
    refused("forearm 1000", false, "forearmOrHipEdit", "1000",
            "You must select a number between 0 and 1000 for Forearm");
    refused("hip 1000", true, "forearmOrHipEdit", "1000",
            "You must select a number between 0 and 1000 for Hip");
    accepted("hip 999.99", true, "forearmOrHipEdit", "999.99", 999.99);
    refused("chest 1000", false, "chestEdit", "1000",
            "You must select a number between 0 and 1000 for Chest");
    refused("waist 1000", false, "waistEdit", "1000",
            "You must select a number between 0 and 1000 for Waist");
    refused("neck 1000", false, "neckEdit", "1000",
            "You must select a number between 0 and 1000 for Neck");
    refused("calf -0.5", false, "calfEdit", "-0.5",
            "You must select a number between 0 and 1000 for Calf");
    refused("thigh 1000", false, "thighEdit", "1000",
            "You must select a number between 0 and 1000 for Thigh");
    accepted("thigh 999.99", false, "thighEdit", "999.99", 999.99);
    // Texts that are no number stop the save before any range is checked.
    refused("weight with unit", false, "weightEdit", "70 kg", "Please enter a number.");
    refused("empty weight", false, "weightEdit", "", "Please enter a number.");
    refused("thigh 1,5", false, "thighEdit", "1,5", "Please enter a number.");
}

void TapeScreenTest::rangeEdges() {
    QFETCH(bool, female);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(double, stored);
    QFETCH(QString, message);
    MainWindowFixture f;
    TapeScreen s(f, female ? Woman() : MainWindowFixture::MakeUser("Ann"));
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    s.Fill("180", {"14", "12", "40", "34", "15", "15", "22"});
    // A later field out of range too: only the first failure is reported.
    if (!message.isEmpty() && field != QStringLiteral("thighEdit"))
        s.Type(s.sites[6], "1000");
    QLineEdit* edit = s.Edit(field);
    s.Type(edit, text);

    f.Prompter().ExpectOk();
    s.Click("saveButton");
    if (message.isEmpty()) {
        QCOMPARE(f.Prompter().Texts(), QStringList{Saved});
        const TapeRecord record = s.StoredAt(20261209);
        const qsizetype site = SiteEdits.indexOf(field);
        QCOMPARE(site < 0 ? record.user.weight : SitesOf(record)[site], stored);
        return;
    }
    QCOMPARE(f.Prompter().Texts(), QStringList{message});
    const bool parse = message.startsWith(QStringLiteral("Please"));
    QCOMPARE(f.Prompter().Last().title,
             parse ? Prompter::ProgramTitle() : QStringLiteral("Warning"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(s.Stored().empty());
    QCOMPARE(s.Profile().weight, 180.0); // nothing written
    QCOMPARE(s.Entries(), QStringList{NewEntry});
}

void TapeScreenTest::prefillFromTodaysBodyComposition_data() {
    QTest::addColumn<bool>("female");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QStringList>("sites");
    // Stored: waist 34, hip 38, neck 15 inches.
    QTest::newRow("man, inches") << false << false
                                 << QStringList{"0", "0", "0", "34", "15", "0", "0"};
    QTest::newRow("woman, inches")
        << true << false << QStringList{"0", "38", "0", "34", "15", "0", "0"};
    QTest::newRow("woman, centimetres")
        << true << true << QStringList{"0", "96.52", "0", "86.36", "38.1", "0", "0"};
}

void TapeScreenTest::prefillFromTodaysBodyComposition() {
    QFETCH(bool, female);
    QFETCH(bool, metric);
    QFETCH(QStringList, sites);
    MainWindowFixture f;
    UserRecord user = metric ? MetricUser(80) : MainWindowFixture::MakeUser("Ann");
    user.sex = female ? Female : Male;
    AddUser(f.services.services.DataPath(), user);
    FindUser(f.services.services.DataPath(), user);
    // Yesterday's record comes first in the file but is not today's.
    StoreBodyComposition(f.services.services.DataPath(), user, 20261208, 40, 44, 17);
    StoreBodyComposition(f.services.services.DataPath(), user, 20261209, 34, 38, 15);

    TapeScreen s(f, user);
    QCOMPARE(s.SiteTexts(), sites);
    QVERIFY(f.Frame().SavedFlag);
}

void TapeScreenTest::printAndExportNeedAllSevenSites() {
    MainWindowFixture f;
    TapeScreen s(f);
    QVERIFY(!s.ReportCommandsEnabled());

    // All sites 0 is a record like any other.
    s.Save();
    QCOMPARE(s.Stored().size(), 1u);
    QVERIFY(!s.ReportCommandsEnabled());

    const QStringList values{"14", "12", "40", "34", "15", "15", "22"};
    for (int i = 0; i < 7; ++i) {
        QVERIFY2(!s.ReportCommandsEnabled(), qPrintable(SiteEdits[i]));
        s.Type(s.sites[i], values[i]);
    }
    QVERIFY(s.ReportCommandsEnabled());
    s.Type(s.weight, "0"); // the weight may be 0
    QVERIFY(s.ReportCommandsEnabled());
    s.Type(s.sites[4], "abc"); // not a number counts as no value
    QVERIFY(!s.ReportCommandsEnabled());
    s.Type(s.sites[4], "0.0");
    QVERIFY(!s.ReportCommandsEnabled());
    s.Type(s.sites[4], "15");
    QVERIFY(s.ReportCommandsEnabled());

    // "< Add New Record >" clears the sites.
    s.Choose(NewEntry);
    QVERIFY(!s.ReportCommandsEnabled());
}

void TapeScreenTest::savedFlagFollowsTheUsersEdits() {
    MainWindowFixture f;
    TapeScreen s(f);
    s.Save();
    s.Open();
    QVERIFY(f.Frame().SavedFlag); // the screen's own filling is no edit
    s.Choose("12/09/2026");
    s.Choose(NewEntry);
    QVERIFY(f.Frame().SavedFlag);
    for (QLineEdit* edit : QList<QLineEdit*>{s.weight} + s.sites) {
        f.Frame().SavedFlag = true;
        QTest::keyClicks(edit, "1");
        QVERIFY2(!f.Frame().SavedFlag, qPrintable(edit->objectName()));
    }

    // A new date re-reads the fields: a bad number is reported then.
    s.Type(s.sites[2], "x");
    f.Prompter().ExpectOk();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    s.picker->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // a month back
    QCOMPARE(s.picker->date(), QDate(2026, 11, 9));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Please enter a number."));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void TapeScreenTest::failuresAreReported() {
    MainWindowFixture f;
    TapeScreen s(f);
    s.Save();
    s.Open();

    // The file gone behind the screen's back.
    s.Choose("12/09/2026");
    const QString file = f.services.FilePath(QStringLiteral("tmAnn.bin"));
    QVERIFY(QFile::rename(file, file + QStringLiteral(".away")));
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Deleting tape measurement failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "12/09/2026"}));
    QFile::remove(file);
    QVERIFY(QFile::rename(file + QStringLiteral(".away"), file));

    // The record removed while the overwrite question is open.
    InterruptingPrompter interrupting(f.Prompter(),
                                      [&] { TapeFile::Remove(s.Data(), "Ann", 20261209); });
    f.services.services.prompter = &interrupting;
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    f.services.services.prompter = &f.Prompter();
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Overwrite unsuccessful"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QVERIFY(s.Stored().empty());

    // A file from a later version is never written.
    QFile later(file);
    QVERIFY(later.open(QIODevice::ReadWrite));
    later.write(QByteArray("\x59\x02\0\0", 4)); // 601
    later.close();
    const QByteArray before = f.services.ReadFile(QStringLiteral("tmAnn.bin"));
    s.Choose(NewEntry);
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Saving Tape Measurement failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.services.ReadFile(QStringLiteral("tmAnn.bin")), before);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

// Every system call a save makes fails in turn: the screen then says the save failed and
// stores nothing, or, when the call failed after the record was whole on disk, says it was
// saved; never the success message without the record.
void TapeScreenTest::aFailingDiskIsNeverReportedAsSaved() {
    namespace faults = detail::faults;
    const QStringList sites{"14", "12", "40", "34", "15.5", "15", "22"};
    std::uint64_t calls = 0;
    {
        MainWindowFixture f;
        TapeScreen s(f);
        s.Fill("180", sites); // the profile's weight: the profile is not written
        faults::Arm(0);
        s.Save();
        calls = faults::Calls();
        faults::Disarm();
        QCOMPARE(f.Prompter().Texts(), QStringList{Saved});
    }
    QVERIFY(calls > 5);
    int failed = 0;
    for (std::uint64_t failing = 1; failing <= calls; ++failing) {
        MainWindowFixture f;
        TapeScreen s(f);
        s.Fill("180", sites);
        f.Prompter().ExpectOk();
        faults::Arm(failing);
        s.Click("saveButton");
        faults::Disarm();
        const QString what = QStringLiteral("call %1 of %2").arg(failing).arg(calls);
        if (f.Prompter().Texts() == QStringList{Saved}) {
            QVERIFY2(s.Stored().size() == 1, qPrintable(what));
        } else {
            QVERIFY2(f.Prompter().Texts() == QStringList{"Saving Tape Measurement failed"},
                     qPrintable(what + ": " + f.Prompter().Texts().join(" | ")));
            QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
            QVERIFY2(s.Stored().empty(), qPrintable(what));
            ++failed;
        }
    }
    QVERIFY(failed > 0);
}

void TapeScreenTest::theDataFolderBrokenUnderTheProgram_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("record file replaced by a folder") << "folder";
    QTest::newRow("data folder removed") << "removed";
    QTest::newRow("data folder read-only") << "read-only";
}

// The data folder changes under the running program: Save and Delete say they failed, the
// history says what it cannot show, what is stored stays as it is, and the program goes on.
void TapeScreenTest::theDataFolderBrokenUnderTheProgram() {
    QFETCH(QString, how);
    if (how == "read-only" && ::geteuid() == 0)
        QSKIP("root writes into a read-only folder: run the tests as a user to see this case");
    MainWindowFixture f;
    TapeScreen s(f);
    s.Fill("180", {"14", "12", "40", "34", "15.5", "15", "22"});
    s.Save();
    s.Open();
    QCOMPARE(s.Entries(), (QStringList{NewEntry, "12/09/2026"}));
    f.Prompter().Clear();

    const QString data = f.services.DataDir();
    const QString file = f.services.FilePath(QStringLiteral("tmAnn.bin"));
    const QByteArray stored = f.services.ReadFile(QStringLiteral("tmAnn.bin"));
    if (how == "folder") {
        QVERIFY(QFile::rename(file, file + QStringLiteral(".kept")));
        QVERIFY(QDir(data).mkdir(QStringLiteral("tmAnn.bin")));
    } else if (how == "removed") {
        QVERIFY(QDir(data).removeRecursively());
    } else {
        QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
    }

    // A new date.
    s.picker->setDate(QDate(2026, 12, 1));
    s.Fill("180", {"14", "12", "40", "34", "15.5", "15", "22"});
    f.Prompter().ExpectOk();
    s.Click("saveButton");
    QCOMPARE(f.Prompter().Texts(), QStringList{"Saving Tape Measurement failed"});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));

    // The stored date can no longer be read (a read-only file still reads); deleting it fails
    // and says so.
    f.Prompter().Clear();
    const bool readable = how == "read-only";
    if (!readable)
        f.Prompter().ExpectOk();
    s.Choose("12/09/2026");
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click("deleteButton");
    QStringList said{"Are you sure you want to remove record 12/09/2026",
                     "Deleting tape measurement failed"};
    if (!readable)
        said.prepend("Could not find Date: 12/09/2026");
    QCOMPARE(f.Prompter().Texts(), said);

    // The history has nothing it can show, and says so; a read-only file it still shows.
    f.Prompter().Clear();
    f.Prompter().Answer(QMessageBox::Yes); // leave the unsaved entry
    if (!readable)
        f.Prompter().ExpectOk();
    f.Frame().Execute(CommandId::HistoryTape);
    QCOMPARE(f.Prompter().Last().text,
             readable ? QStringLiteral(
                            "Record has not been saved, would you like to continue without saving?")
                      : QStringLiteral("No tape measurement records exist for user Ann"));

    // Nothing stored was changed: the file that was moved aside or kept read-only is whole.
    if (how == "folder")
        QCOMPARE(f.services.ReadFile(QStringLiteral("tmAnn.bin.kept")), stored);
    if (how == "read-only") {
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(f.services.ReadFile(QStringLiteral("tmAnn.bin")), stored);
    }
    // And the program goes on: the tape screen opens again.
    f.Frame().Execute(CommandId::CalcTape);
    QVERIFY(qobject_cast<CTapeMeasurement*>(f.Frame().CurrentScreen()));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

QTEST_MAIN(TapeScreenTest)
#include "TapeScreenTest.moc"
