// The shared record-screen protocol, driven through a small tape-record screen that uses
// nothing but the shared building blocks.
#include "screens/RecordScreen.h"
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "calc/NumberText.h"
#include "platform/AppServices.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"
#include "screens/FieldText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtEndian>

#include <cstring>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// Weight (profile write-back) and biceps (stored) on the tape record kind.
class ProbeScreen : public RecordScreen {
public:
    ProbeScreen(CMainFrame& frame, AppServices& services) : RecordScreen(frame, services) {
        auto* box = new QWidget(this);
        auto* layout = new QVBoxLayout(box);
        list = CreateDateList(box);
        picker = new QDateEdit(box);
        picker->setObjectName(QStringLiteral("datePicker"));
        weightEdit = new QLineEdit(box);
        weightEdit->setObjectName(QStringLiteral("weightEdit"));
        bicepsEdit = new QLineEdit(box);
        bicepsEdit->setObjectName(QStringLiteral("bicepsEdit"));
        lastCaption = new QLabel(QStringLiteral("Last"), box);
        lastBiceps = new QLabel(box);
        AddLastWidget(lastCaption);
        AddLastWidget(lastBiceps);
        for (QWidget* w : std::initializer_list<QWidget*>{list, picker, weightEdit, bicepsEdit,
                                                          lastCaption, lastBiceps})
            layout->addWidget(w);
        ContentLayout()->addWidget(box);
        ConnectFieldChanged(weightEdit);
        ConnectFieldChanged(bicepsEdit);
    }

    void InitialUpdate() override {
        picker->setDate(Services().clock->Today());
        const UserRecord& user = Frame().CurrentUser;
        weight = RoundTo2(user.units == Metric ? user.weight * LbToKg : user.weight);
        OpenRecords(false);
    }

    QComboBox* list;
    QDateEdit* picker;
    QLineEdit* weightEdit;
    QLineEdit* bicepsEdit;
    QLabel* lastCaption;
    QLabel* lastBiceps;
    double weight = 0;
    double biceps = 0;
    TapeRecord pending;

protected:
    bool PullFields() override {
        return PullReal(weightEdit, weight) && PullReal(bicepsEdit, biceps);
    }
    void PushFields() override {
        PushReal(weightEdit, weight);
        PushReal(bicepsEdit, biceps);
    }
    bool ValidateFields() override {
        if (biceps < 0 || biceps > 1000) {
            WarnField(bicepsEdit,
                      QStringLiteral("You must select a number between 0 and 1000 for Bicep"));
            return false;
        }
        return true;
    }
    void WriteProfile() override { UpdateProfileFromScreen(weight, std::nullopt, std::nullopt); }
    QStringList DateEntries() override {
        RecordList<TapeRecord> records;
        TapeFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records);
        QStringList entries;
        for (const TapeRecord& r : records)
            entries << QString::fromStdString(FormatDateKey(r.date, 1));
        return entries;
    }
    bool LoadStoredEntry(const QString&) override {
        const TapeRecord r =
            TapeFile::Find(Services().DataPath(), Frame().CurrentUser.Name(), SelectedKey);
        if (!r.active)
            return false;
        biceps = r.biceps;
        return true;
    }
    void ResetEntry() override { biceps = 0; }
    StoreResult AppendRecord(QString& entryText) override {
        pending = TapeRecord{};
        pending.user = Frame().CurrentUser;
        pending.biceps = biceps;
        const QDate d = picker->date();
        pending.date = SelectedKey ? SelectedKey : MakeDateKey(d.year(), d.month(), d.day());
        entryText = QString::fromStdString(FormatDateKey(pending.date, 1));
        return TapeFile::Append(Services().DataPath(), pending);
    }
    StoreResult OverwriteRecord() override {
        return TapeFile::Overwrite(Services().DataPath(), pending, pending.date);
    }
    StoreResult RemoveRecord() override {
        return TapeFile::Remove(Services().DataPath(), Frame().CurrentUser.Name(), SelectedKey);
    }
    bool ShowLastValues() override {
        RecordList<TapeRecord> records;
        if (!TapeFile::LoadAll(Services().DataPath(), Frame().CurrentUser.Name(), records))
            return false;
        lastBiceps->setText(FormatRealNumber(records.front().biceps));
        return true;
    }
    void ShowDatePicker(bool shown) override { picker->setVisible(shown); }
    QString SavedMessage() const override {
        return QStringLiteral("Tape measurement record has been successfully saved");
    }
    QString SaveFailedMessage() const override {
        return QStringLiteral("Saving Tape Measurement failed");
    }
    QString DeleteFailedMessage() const override {
        return QStringLiteral("Deleting tape measurement failed");
    }
};

struct Probe {
    explicit Probe(MainWindowFixture& f, UserRecord user = MainWindowFixture::MakeUser("Ann"))
        : f(f) {
        AddUser(f.services.services.DataPath(), user);
        FindUser(f.services.services.DataPath(), user);
        f.SelectUser(user);
        Open();
    }
    void Open() {
        f.Frame().Screens().Register(ScreenClass::CTapeMeasurement,
                                     [](CMainFrame& frame, AppServices& services) {
                                         return new ProbeScreen(frame, services);
                                     });
        f.Frame().SwitchScreen(ScreenClass::CTapeMeasurement);
        screen = static_cast<ProbeScreen*>(f.Frame().CurrentScreen());
        screen->UpdateActionStates();
    }
    void SetDate(int y, int m, int d) { screen->picker->setDate(QDate(y, m, d)); }
    void TypeBiceps(const QString& text) {
        screen->bicepsEdit->clear();
        QTest::keyClicks(screen->bicepsEdit, text);
    }
    void Click(const char* button) {
        screen->UpdateActionStates();
        QTest::mouseClick(screen->findChild<QToolButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    void Choose(const QString& text) { ChooseEntry(*screen->list, text); }
    QStringList Entries() const { return ItemTexts(*screen->list); }
    bool DeleteEnabled() {
        screen->UpdateActionStates();
        return screen->findChild<QToolButton*>(QStringLiteral("deleteButton"))->isEnabled();
    }
    QByteArray TapeFileBytes() const { return f.services.ReadFile(QStringLiteral("tmAnn.bin")); }

    MainWindowFixture& f;
    ProbeScreen* screen = nullptr;
};

double BicepsAt(const QByteArray& bytes, int record) {
    double value = 0;
    std::memcpy(&value, bytes.constData() + 4 + 128 * record + 64, 8);
    return value;
}

qint32 IntAt(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace

class RecordScreenTest : public QObject {
    Q_OBJECT
private slots:
    void userWithoutRecordsOpensInNewState();
    void saveThenOverwriteSameDate();
    void olderDateGoesBelowNewEntryUntilReopened();
    void choosingAndDeletingARecord();
    void missingRecordAndFailures();
    void metricWeightWriteBack();
};

void RecordScreenTest::userWithoutRecordsOpensInNewState() {
    MainWindowFixture f;
    Probe p(f);
    QCOMPARE(p.Entries(), QStringList{RecordScreen::NewRecordEntry});
    QVERIFY(p.screen->lastCaption->isHidden());
    QVERIFY(p.screen->lastBiceps->isHidden());
    QVERIFY(!p.DeleteEnabled());
    QVERIFY(f.Frame().SavedFlag); // the screen's own filling is not an edit
    QVERIFY(f.Prompter().Boxes().isEmpty());
    auto* toolbar = p.screen->ActionToolbar();
    QCOMPARE(toolbar->iconSize(), QSize(24, 24));
    QStringList names;
    QStringList prompts;
    for (QAction* a : toolbar->actions()) {
        names << a->text();
        prompts << a->statusTip();
    }
    QCOMPARE(names, (QStringList{"Save", "Delete", "Help"}));
    // The user screen words its own prompts; a record screen keeps these.
    QCOMPARE(prompts,
             (QStringList{"Save the record", "Delete the chosen record", "Help for this screen"}));
}

void RecordScreenTest::saveThenOverwriteSameDate() {
    MainWindowFixture f;
    Probe p(f);
    p.SetDate(2004, 3, 7);
    p.TypeBiceps(QStringLiteral("14.5"));
    QVERIFY(!f.Frame().SavedFlag);
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    QCOMPARE(f.Prompter().Texts(),
             QStringList{QStringLiteral("Tape measurement record has been successfully saved")});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));
    QCOMPARE(p.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/07/2004"}));
    QCOMPARE(p.screen->list->currentIndex(), 1);
    QVERIFY(!p.DeleteEnabled()); // still the new-record state
    QVERIFY(f.Frame().SavedFlag);

    // Same date again: No changes nothing.
    p.TypeBiceps(QStringLiteral("15"));
    f.Prompter().Answer(QMessageBox::No);
    p.Click("saveButton");
    QCOMPARE(
        f.Prompter().Last().text,
        QStringLiteral("A record for this date already exists.  Would you like to overwrite?"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(BicepsAt(p.TapeFileBytes(), 0), 14.5);
    QVERIFY(!f.Frame().SavedFlag);

    // Yes replaces it in place: one record, one entry, no success message.
    f.Prompter().Answer(QMessageBox::Yes);
    p.Click("saveButton");
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    const QByteArray bytes = p.TapeFileBytes();
    QCOMPARE(bytes.size(), 4 + 128);
    QCOMPARE(BicepsAt(bytes, 0), 15.0);
    QCOMPARE(p.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/07/2004"}));
    QVERIFY(f.Frame().SavedFlag);
}

void RecordScreenTest::olderDateGoesBelowNewEntryUntilReopened() {
    MainWindowFixture f;
    Probe p(f);
    for (const auto& [y, m, d] : {std::tuple{2005, 1, 1}, std::tuple{2004, 6, 1}}) {
        p.SetDate(y, m, d);
        p.TypeBiceps(QStringLiteral("14"));
        f.Prompter().ExpectOk();
        p.Click("saveButton");
    }
    QCOMPARE(p.Entries(), (QStringList{RecordScreen::NewRecordEntry, "06/01/2004", "01/01/2005"}));
    p.Open();
    QCOMPARE(p.Entries(), (QStringList{RecordScreen::NewRecordEntry, "01/01/2005", "06/01/2004"}));
    QVERIFY(!p.screen->lastCaption->isHidden());
    QCOMPARE(p.screen->lastBiceps->text(), QStringLiteral("14"));
}

void RecordScreenTest::choosingAndDeletingARecord() {
    MainWindowFixture f;
    Probe p(f);
    p.SetDate(2004, 3, 7);
    p.TypeBiceps(QStringLiteral("14.25"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    p.Open();

    p.Choose(QStringLiteral("03/07/2004"));
    QCOMPARE(p.screen->SelectedEntry, QStringLiteral("03/07/2004"));
    QCOMPARE(p.screen->SelectedKey, 20040307);
    QVERIFY(p.screen->picker->isHidden());
    QCOMPARE(p.screen->bicepsEdit->text(), QStringLiteral("14.25"));
    QVERIFY(p.DeleteEnabled());

    f.Prompter().Answer(QMessageBox::No);
    p.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text,
             QStringLiteral("Are you sure you want to remove record 03/07/2004"));
    QCOMPARE(IntAt(p.TapeFileBytes(), 4 + 124), 1);

    f.Frame().SavedFlag = false;
    f.Prompter().Answer(QMessageBox::Yes);
    p.Click("deleteButton");
    QCOMPARE(IntAt(p.TapeFileBytes(), 4 + 124), 0); // tombstone
    QCOMPARE(p.Entries(), QStringList{RecordScreen::NewRecordEntry});
    QVERIFY(!p.screen->picker->isHidden());
    QCOMPARE(p.screen->bicepsEdit->text(), QStringLiteral("0"));
    QVERIFY(p.screen->SelectedEntry.isEmpty());
    QCOMPARE(p.screen->SelectedKey, 0);
    QVERIFY(!p.DeleteEnabled());
    QVERIFY(f.Frame().SavedFlag);

    // The next save takes the picker's date.
    p.SetDate(2010, 12, 25);
    p.TypeBiceps(QStringLiteral("13"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    QCOMPARE(IntAt(p.TapeFileBytes(), 4 + 128 + 120), 20101225);

    // "< Add New Record >" returns to the new-record state.
    p.Choose(QStringLiteral("12/25/2010"));
    QVERIFY(p.DeleteEnabled());
    p.Choose(RecordScreen::NewRecordEntry);
    QVERIFY(!p.DeleteEnabled());
    QVERIFY(!p.screen->picker->isHidden());
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void RecordScreenTest::missingRecordAndFailures() {
    MainWindowFixture f;
    Probe p(f);
    p.SetDate(2004, 3, 7);
    p.TypeBiceps(QStringLiteral("14"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    p.Open();

    // Removed behind the screen's back.
    TapeFile::Remove(f.services.services.DataPath(), "Ann", 20040307);
    f.Prompter().ExpectOk();
    p.Choose(QStringLiteral("03/07/2004"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Could not find Date: 03/07/2004"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    p.Click("deleteButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Date does not exist"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(p.Entries().size(), 2);

    // A bad number stops the save with the parse message; a range failure with the warning.
    p.Choose(RecordScreen::NewRecordEntry);
    p.TypeBiceps(QStringLiteral("14 cm"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Please enter a number."));
    p.TypeBiceps(QStringLiteral("1001"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text,
             QStringLiteral("You must select a number between 0 and 1000 for Bicep"));

    // A file from a later version is never written: the save fails and says so.
    QFile file(f.services.FilePath(QStringLiteral("tmAnn.bin")));
    QVERIFY(file.open(QIODevice::ReadWrite));
    const char later[4] = {0x59, 0x02, 0, 0}; // 601
    file.write(later, 4);
    file.close();
    const QByteArray before = p.TapeFileBytes();
    p.SetDate(2011, 1, 1);
    p.TypeBiceps(QStringLiteral("12"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Saving Tape Measurement failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(p.TapeFileBytes(), before);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void RecordScreenTest::metricWeightWriteBack() {
    MainWindowFixture f;
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    user.units = Metric;
    user.lengthUnits = Centimetres;
    user.weight = 154.32 * LbToKg; // AddUser converts to 154.32 lb
    Probe p(f, user);
    QVERIFY(qAbs(f.Frame().CurrentUser.weight - 154.32) < 1e-9);
    QCOMPARE(p.screen->weightEdit->text(), QStringLiteral("70"));

    // Unchanged 70 still differs from 69.998...: the profile is written with 70 kg.
    p.SetDate(2004, 3, 7);
    p.TypeBiceps(QStringLiteral("30"));
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    UserRecord stored;
    stored.SetName("Ann");
    QVERIFY(FindUser(f.services.services.DataPath(), stored));
    QCOMPARE(stored.weight, 70 * 2.20462);
    QCOMPARE(f.Frame().CurrentUser.weight, 70 * 2.20462);

    // The profile's user gone from the file: the save still goes on after the message.
    QFile::remove(f.services.FilePath(QStringLiteral("user.bin")));
    p.SetDate(2004, 3, 8);
    p.screen->weightEdit->clear();
    QTest::keyClicks(p.screen->weightEdit, QStringLiteral("71"));
    f.Prompter().ExpectOk();
    f.Prompter().ExpectOk();
    p.Click("saveButton");
    QCOMPARE(f.Prompter().Texts().mid(1),
             (QStringList{QStringLiteral("User Ann does not exist!"),
                          QStringLiteral("Tape measurement record has been successfully saved")}));
}

QTEST_MAIN(RecordScreenTest)
#include "RecordScreenTest.moc"
