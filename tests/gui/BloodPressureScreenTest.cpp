// The blood pressure screen through its widgets: readings keyed by date and time of day, the
// chosen reading's key held by the time picker, the range edges, the notes that a record can
// hold, and the records as the core reads them back after every save, overwrite and delete.
#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "help/HelpPageWindow.h"
#include "help/HelpWindows.h"
#include "records/RecordFile.h"
#include "records/Users.h"
#include "screens/CBloodPressure.h"
#include "screens/FieldText.h"
#include "shell/Commands.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTest>
#include <QTimeEdit>

#include <QToolButton>
#include <algorithm>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString Saved = QStringLiteral("Blood pressure record has been successfully saved");
const QString OverwriteQuestion =
    QStringLiteral("A record for this date already exists.  Would you like to overwrite?");

// The blood pressure screen of a fixture whose user Ann is selected.
struct BpScreen {
    explicit BpScreen(MainWindowFixture& fixture) : f(fixture) {
        UserRecord user = MainWindowFixture::MakeUser("Ann");
        AddUser(f.services.services.DataPath(), user);
        FindUser(f.services.services.DataPath(), user);
        f.SelectUser(user);
        Open();
    }

    // Switches to the screen (again), as the navigation command does.
    void Open() {
        f.Frame().SwitchScreen(ScreenClass::CBloodPressure);
        screen = qobject_cast<CBloodPressure*>(f.Frame().CurrentScreen());
        QVERIFY(screen);
        list = Find<QComboBox>("dateList");
        datePicker = Find<QDateEdit>("datePicker");
        timePicker = Find<QTimeEdit>("timePicker");
        systolic = Find<QLineEdit>("systolicEdit");
        diastolic = Find<QLineEdit>("diastolicEdit");
        pulse = Find<QLineEdit>("pulseEdit");
        notes = Find<QPlainTextEdit>("notesEdit");
        save = Find<QToolButton>("saveButton");
        remove = Find<QToolButton>("deleteButton");
        help = Find<QToolButton>("helpButton");
        QCoreApplication::processEvents(); // lay the form out before clicking into it
    }
    template <class W> W* Find(const char* name) const {
        auto* widget = screen->findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no widget %s", name);
        return widget;
    }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void TypeNotes(const QString& text) {
        notes->clear();
        QTest::keyClicks(notes, text);
    }
    void Values(const QString& s, const QString& d, const QString& p) {
        Type(systolic, s);
        Type(diastolic, d);
        Type(pulse, p);
    }
    void When(QDate date, QTime time) {
        datePicker->setDate(date);
        timePicker->setTime(time);
    }
    void Click(QToolButton* button) {
        f.Frame().UpdateCommandStates();
        screen->UpdateActionStates();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // A new reading, saved and acknowledged.
    void SaveReading(QDate date, QTime time, const QString& s, const QString& d, const QString& p) {
        When(date, time);
        Values(s, d, p);
        f.Prompter().ExpectOk();
        Click(save);
        QCOMPARE(f.Prompter().Last().text, Saved);
    }
    void Choose(const QString& text) { ChooseEntry(*list, text); }
    QStringList Entries() const { return ItemTexts(*list); }
    bool Enabled(QToolButton* button) {
        screen->UpdateActionStates();
        return button->isEnabled();
    }
    bool Enabled(CommandId command) {
        f.Frame().UpdateCommandStates();
        return f.Frame().Action(command)->isEnabled();
    }

    // The live readings as the core lists them, newest first.
    RecordList<BloodPressureRecord> Live() const {
        RecordList<BloodPressureRecord> records;
        BloodPressureFile::LoadAll(f.services.services.DataPath(), "Ann", records);
        return records;
    }
    // Every record of the file in file order, tombstones included.
    QList<BloodPressureRecord> All() const {
        const QByteArray bytes = f.services.ReadFile(QStringLiteral("bpAnn.bin"));
        QList<BloodPressureRecord> records;
        for (qsizetype at = 4; at + qsizetype(BloodPressureKind::Size) <= bytes.size();
             at += BloodPressureKind::Size) {
            BloodPressureRecord record;
            BloodPressureKind::Decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()) + at,
                                      record);
            records << record;
        }
        return records;
    }

    MainWindowFixture& f;
    CBloodPressure* screen = nullptr;
    QComboBox* list = nullptr;
    QDateEdit* datePicker = nullptr;
    QTimeEdit* timePicker = nullptr;
    QLineEdit *systolic = nullptr, *diastolic = nullptr, *pulse = nullptr;
    QPlainTextEdit* notes = nullptr;
    QToolButton *save = nullptr, *remove = nullptr, *help = nullptr;
};

DateTimeKey Key(int y, int mo, int d, int h, int mi, int s) {
    return MakeDateTimeKey(y, mo, d, h, mi, s);
}

const QDate March5(2007, 3, 5);

} // namespace

class BloodPressureScreenTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithoutRecordsInNewState();
    void twoReadingsOnOneDay();
    void bothEntryFormsChooseTheSameReading();
    void sameDateAndTimeAsksToOverwrite();
    void changedTimeOfChosenReadingIsANewReading();
    void deletingAChosenReading();
    void rangeEdges_data();
    void rangeEdges();
    void notesTheRecordCanHold_data();
    void notesTheRecordCanHold();
    void printAndExportNeedAllThreeValues();
    void savedFlagFollowsTheUsersEdits();
    void failuresNameBloodPressure();
};

void BloodPressureScreenTest::opensWithoutRecordsInNewState() {
    MainWindowFixture f;
    BpScreen s(f);
    QCOMPARE(s.Entries(), QStringList{RecordScreen::NewRecordEntry});
    QCOMPARE(s.datePicker->date(), QDate(2026, 12, 9));
    QCOMPARE(s.timePicker->time(), QTime(10, 30, 0)); // the moment the screen was made
    QCOMPARE(s.systolic->text(), QStringLiteral("0"));
    QCOMPARE(s.notes->toPlainText(), QString());
    for (const char* name : {"lastDateLabel", "lastTimeLabel", "lastSystolicLabel",
                             "lastDiastolicLabel", "lastPulseLabel"})
        QVERIFY(s.Find<QLabel>(name)->isHidden());
    QVERIFY(!s.Enabled(s.remove));
    QVERIFY(s.Enabled(s.save));
    QVERIFY(f.Frame().SavedFlag); // the screen's own filling is no edit

    // Every field has its caption label as buddy; lists and pickers are announced by it.
    const QList<std::pair<QWidget*, QString>> captions{
        {s.list, "Select an existing blood pressure date:"},
        {s.datePicker, "Or enter a new blood pressure date:"},
        {s.timePicker, "Time:"},
        {s.systolic, "Systolic:"},
        {s.diastolic, "Diastolic:"},
        {s.pulse, "Pulse:"},
        {s.notes, "Notes:"},
    };
    const QList<QLabel*> labels = s.screen->findChildren<QLabel*>();
    for (const auto& [field, caption] : captions) {
        const auto label = std::find_if(labels.begin(), labels.end(),
                                        [&](QLabel* l) { return l->buddy() == field; });
        QVERIFY2(label != labels.end(), qPrintable(caption));
        QCOMPARE((*label)->text(), caption);
        QCOMPARE(field->accessibleName(), caption.chopped(1));
    }
    // Edits, buttons, boxes and the chart as assistive technology reads them.
    const auto spoken = [](QWidget* widget) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    };
    const QList<std::pair<QWidget*, QString>> names{
        {s.systolic, "Systolic"},
        {s.notes, "Notes"},
        {s.save, "Save"},
        {s.remove, "Delete"},
        {s.help, "Help"},
        {s.Find<QWidget>("selectDateBox"), "Select Date"},
        {s.Find<QWidget>("recordBloodPressureBox"), "Record your blood pressure"},
        {s.Find<QWidget>("classificationBox"), "Blood Pressure Classification"},
        {s.Find<QWidget>("classificationChart"), "Blood pressure classification chart"},
    };
    for (const auto& [widget, name] : names)
        QCOMPARE(spoken(widget), name);

    // The chart comes from the data folder's db/, beside its footnotes.
    const QImage chart(f.services.FilePath(QStringLiteral("db/bloodpressure.bmp")));
    QVERIFY(!chart.isNull());
    QCOMPARE(s.Find<QWidget>("classificationChart")->sizeHint(), chart.size());
    // The chart's height follows its width without stretching the form past the client
    // area: at the window's own size nothing scrolls.
    auto* client = f.Frame().findChild<QScrollArea*>(QStringLiteral("clientArea"));
    QTest::qWait(50); // the client area settles the form's size once its layout has run
    QVERIFY(s.screen->minimumSizeHint().height() < client->viewport()->height());
    QCOMPARE(s.screen->height(), client->viewport()->height());
    QCOMPARE(s.Find<QLabel>("footnote1")->text(),
             QStringLiteral("Treatment determined by highest BP category."));
    QCOMPARE(s.Find<QLabel>("footnote2")->text(),
             QStringLiteral("SBP, systolic blood pressure; DBP, diastolic blood pressure"));
    QCOMPARE(s.Find<QLabel>("sourceNote")->text(),
             QStringLiteral("Source: National Heart, Lung, and Blood Institute"));
    QVERIFY(s.Find<QLabel>("footnote1")->font().italic());

    // Tab walks the form top to bottom, and out of the notes again.
    const QList<QWidget*> expected{s.list,      s.datePicker, s.timePicker, s.systolic,
                                   s.diastolic, s.pulse,      s.notes};
    QList<QWidget*> order;
    QWidget* at = s.list;
    do {
        if (expected.contains(at) && !order.contains(at))
            order << at;
        at = at->nextInFocusChain();
    } while (at != s.list);
    QCOMPARE(order, expected);
    QVERIFY(s.notes->tabChangesFocus());

    s.Click(s.help);
    bool helpShown = false;
    for (HelpPageWindow* page : f.Frame().findChildren<HelpPageWindow*>())
        helpShown = helpShown || (page->Topic() == HelpBloodPressureTopic && page->isVisible());
    QVERIFY(helpShown);
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void BloodPressureScreenTest::twoReadingsOnOneDay() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(8, 0, 0), "120", "80", "70");
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));
    QVERIFY(f.Frame().SavedFlag);
    s.SaveReading(March5, QTime(20, 0, 0), "131", "85", "72");
    // A save inserts its entry right below the first, with two-digit month and day.
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/05/2007 8:00:00 PM",
                                       "03/05/2007 8:00:00 AM"}));
    QCOMPARE(s.list->currentIndex(), 1);
    QVERIFY(!s.Enabled(s.remove)); // still a new reading

    const auto live = s.Live();
    QCOMPARE(live.size(), size_t(2));
    QCOMPARE(live[0].when, Key(2007, 3, 5, 20, 0, 0));
    QCOMPARE(live[1].when, Key(2007, 3, 5, 8, 0, 0));
    QCOMPARE(live[0].systolic, 131);
    QCOMPARE(live[0].diastolic, 85);
    QCOMPARE(live[0].pulse, 72);
    QCOMPARE(live[1].systolic, 120);
    QCOMPARE(live[0].user.Name(), std::string("Ann"));
    QCOMPARE(live[0].user.weight, 180.0);
    QCOMPARE(s.All().size(), 2);

    // Opened again: the list is read from the file, newest first, and "Last" shows the evening.
    s.Open();
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "3/5/2007 8:00:00 PM",
                                       "3/5/2007 8:00:00 AM"}));
    const QList<std::pair<const char*, QString>> last{
        {"lastDateLabel", "03/05/2007"}, {"lastTimeLabel", "8:00:00 PM"},
        {"lastSystolicLabel", "131"},    {"lastDiastolicLabel", "85"},
        {"lastPulseLabel", "72"},
    };
    for (const auto& [name, text] : last) {
        QLabel* label = s.Find<QLabel>(name);
        QCOMPARE(label->text(), text);
        QVERIFY(!label->isHidden());
    }
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BloodPressureScreenTest::bothEntryFormsChooseTheSameReading() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(14, 5, 9), "118", "76", "64");
    s.TypeNotes(QStringLiteral("after the walk"));
    QCOMPARE(s.Entries().value(1), QStringLiteral("03/05/2007 2:05:09 PM"));

    // The entry that the save inserted.
    s.Choose(QStringLiteral("03/05/2007 2:05:09 PM"));
    QCOMPARE(s.screen->SelectedEntry, QStringLiteral("03/05/2007 2:05:09 PM"));
    QCOMPARE(s.timePicker->time(), QTime(14, 5, 9));
    QCOMPARE(s.systolic->text(), QStringLiteral("118"));
    QCOMPARE(s.notes->toPlainText(), QString());
    QVERIFY(s.datePicker->isHidden());
    QVERIFY(s.Enabled(s.remove));

    // The entry read from the file at opening.
    s.Open();
    s.Choose(QStringLiteral("3/5/2007 2:05:09 PM"));
    QCOMPARE(s.timePicker->time(), QTime(14, 5, 9));
    QCOMPARE(s.pulse->text(), QStringLiteral("64"));
    QVERIFY(s.Enabled(s.remove));

    // "< Add New Record >" returns to a new reading at the present moment.
    f.services.clock.now = QDateTime(QDate(2026, 12, 9), QTime(11, 15, 30));
    s.Choose(RecordScreen::NewRecordEntry);
    QVERIFY(!s.datePicker->isHidden());
    QVERIFY(!s.Enabled(s.remove));
    QCOMPARE(s.timePicker->time(), QTime(11, 15, 30));
    QCOMPARE(s.systolic->text(), QStringLiteral("0"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BloodPressureScreenTest::sameDateAndTimeAsksToOverwrite() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(8, 0, 0), "120", "80", "70");
    const QByteArray before = f.services.ReadFile(QStringLiteral("bpAnn.bin"));

    // No: nothing written.
    s.Values("125", "82", "71");
    f.Prompter().Answer(QMessageBox::No);
    s.Click(s.save);
    QCOMPARE(f.Prompter().Last().text, OverwriteQuestion);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QCOMPARE(f.Prompter().Last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(f.services.ReadFile(QStringLiteral("bpAnn.bin")), before);
    QVERIFY(!f.Frame().SavedFlag);

    // Yes: the reading is replaced in place, the list keeps one entry, no success message.
    s.TypeNotes(QStringLiteral("second cuff"));
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click(s.save);
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    const auto all = s.All();
    QCOMPARE(all.size(), 1);
    QCOMPARE(all[0].active, 1);
    QCOMPARE(all[0].when, Key(2007, 3, 5, 8, 0, 0));
    QCOMPARE(all[0].systolic, 125);
    QCOMPARE(all[0].diastolic, 82);
    QCOMPARE(all[0].pulse, 71);
    QCOMPARE(all[0].Notes(), std::string("second cuff"));
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/05/2007 8:00:00 AM"}));
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BloodPressureScreenTest::changedTimeOfChosenReadingIsANewReading() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(8, 0, 0), "120", "80", "70");
    s.SaveReading(March5, QTime(20, 0, 0), "130", "84", "75");
    s.Open();
    s.Choose(QStringLiteral("3/5/2007 8:00:00 AM"));

    // One hour later, by the keyboard: the picker no longer names the chosen reading.
    s.timePicker->setFocus();
    s.timePicker->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClick(s.timePicker, Qt::Key_Up);
    QCOMPARE(s.timePicker->time(), QTime(9, 0, 0));
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click(s.remove);
    QCOMPARE(f.Prompter().Texts().mid(2),
             (QStringList{"Are you sure you want to remove record 3/5/2007 8:00:00 AM",
                          "Date does not exist"}));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QCOMPARE(s.Live().size(), size_t(2));
    QCOMPARE(s.Entries().size(), 3);

    // Saving stores a new reading at 9:00 of the chosen reading's day; the old one stays.
    s.Type(s.systolic, QStringLiteral("122"));
    f.Prompter().ExpectOk();
    s.Click(s.save);
    QCOMPARE(f.Prompter().Last().text, Saved);
    auto live = s.Live();
    QCOMPARE(live.size(), size_t(3));
    QCOMPARE(live[1].when, Key(2007, 3, 5, 9, 0, 0));
    QCOMPARE(live[1].systolic, 122);
    QCOMPARE(live[2].when, Key(2007, 3, 5, 8, 0, 0));
    QCOMPARE(live[2].systolic, 120);
    QCOMPARE(s.Entries().value(1), QStringLiteral("03/05/2007 9:00:00 AM"));
    // The save leaves the chosen reading: Delete is off, the date picker stays hidden.
    QVERIFY(s.screen->SelectedEntry.isEmpty());
    QVERIFY(!s.Enabled(s.remove));
    QVERIFY(s.datePicker->isHidden());

    // A further save takes the hidden date picker's date (today) with the picker's time.
    s.Type(s.systolic, QStringLiteral("124"));
    f.Prompter().ExpectOk();
    s.Click(s.save);
    live = s.Live();
    QCOMPARE(live.size(), size_t(4));
    QCOMPARE(live[0].when, Key(2026, 12, 9, 9, 0, 0));
    QCOMPARE(live[0].systolic, 124);

    // Moved onto the time of another reading, the save asks to overwrite that one.
    s.Open();
    s.Choose(QStringLiteral("3/5/2007 9:00:00 AM"));
    s.timePicker->setTime(QTime(20, 0, 0));
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click(s.save);
    QCOMPARE(f.Prompter().Last().text, OverwriteQuestion);
    live = s.Live();
    QCOMPARE(live.size(), size_t(4));
    QCOMPARE(live[1].when, Key(2007, 3, 5, 20, 0, 0));
    QCOMPARE(live[1].systolic, 122);
    QCOMPARE(s.All().size(), 4);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BloodPressureScreenTest::deletingAChosenReading() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(8, 0, 0), "120", "80", "70");
    s.SaveReading(March5, QTime(20, 0, 0), "130", "84", "75");
    s.Choose(QStringLiteral("03/05/2007 8:00:00 PM"));

    f.Prompter().Answer(QMessageBox::No);
    s.Click(s.remove);
    QCOMPARE(f.Prompter().Last().text,
             QStringLiteral("Are you sure you want to remove record 03/05/2007 8:00:00 PM"));
    QCOMPARE(s.Live().size(), size_t(2));

    f.Frame().SavedFlag = false;
    f.services.clock.now = QDateTime(QDate(2026, 12, 9), QTime(12, 0, 1));
    f.Prompter().Answer(QMessageBox::Yes);
    s.Click(s.remove);
    // A tombstone: the record stays in the file, no longer live.
    const auto all = s.All();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[0].active, 1);
    QCOMPARE(all[1].active, 0);
    QCOMPARE(all[1].when, Key(2007, 3, 5, 20, 0, 0));
    QCOMPARE(s.Live().size(), size_t(1));
    QCOMPARE(s.Entries(), (QStringList{RecordScreen::NewRecordEntry, "03/05/2007 8:00:00 AM"}));
    QVERIFY(s.screen->SelectedEntry.isEmpty());
    QVERIFY(!s.datePicker->isHidden());
    QVERIFY(!s.Enabled(s.remove));
    QCOMPARE(s.systolic->text(), QStringLiteral("0"));
    QCOMPARE(s.pulse->text(), QStringLiteral("0"));
    QCOMPARE(s.timePicker->time(), QTime(12, 0, 1));
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void BloodPressureScreenTest::rangeEdges_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: stored
    const QString systolic =
        QStringLiteral("You must select a number between 0 and 300 for Systolic");
    const QString diastolic =
        QStringLiteral("You must select a number between 0 and 200 for Diastolic");
    const QString pulse = QStringLiteral("You must select a number between 0 and 150 for Pulse");
    QTest::newRow("systolic 300") << "systolicEdit"
                                  << "300" << systolic;
    QTest::newRow("systolic 299") << "systolicEdit"
                                  << "299" << QString();
    QTest::newRow("systolic 0") << "systolicEdit"
                                << "0" << QString();
    QTest::newRow("systolic -1") << "systolicEdit"
                                 << "-1" << systolic;
    QTest::newRow("diastolic 200") << "diastolicEdit"
                                   << "200" << diastolic;
    QTest::newRow("diastolic 199") << "diastolicEdit"
                                   << "199" << QString();
    QTest::newRow("diastolic 0") << "diastolicEdit"
                                 << "0" << QString();
    QTest::newRow("diastolic -1") << "diastolicEdit"
                                  << "-1" << diastolic;
    QTest::newRow("pulse 150") << "pulseEdit"
                               << "150" << pulse;
    QTest::newRow("pulse 149") << "pulseEdit"
                               << "149" << QString();
    QTest::newRow("pulse 0") << "pulseEdit"
                             << "0" << QString();
    QTest::newRow("pulse -1") << "pulseEdit"
                              << "-1" << pulse;
    QTest::newRow("systolic 120 mmHg") << "systolicEdit"
                                       << "120 mmHg" << QStringLiteral("Please enter an integer.");
    QTest::newRow("pulse empty") << "pulseEdit"
                                 << "" << QStringLiteral("Please enter an integer.");
    QTest::newRow("pulse with blanks") << "pulseEdit"
                                       << " 72\t" << QString();
}

void BloodPressureScreenTest::rangeEdges() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    BpScreen s(f);
    s.When(March5, QTime(7, 30, 0));
    s.Values("120", "80", "70"); // each accepted on its own
    auto* edit = s.Find<QLineEdit>(qPrintable(field));
    BpScreen::Type(edit, text);
    f.Prompter().ExpectOk();
    s.Click(s.save);
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    if (message.isEmpty()) {
        QCOMPARE(f.Prompter().Last().text, Saved);
        const auto live = s.Live();
        QCOMPARE(live.size(), size_t(1));
        const int stored = field == "systolicEdit"    ? live[0].systolic
                           : field == "diastolicEdit" ? live[0].diastolic
                                                      : live[0].pulse;
        QCOMPARE(stored, text.trimmed().toInt());
        return;
    }
    QCOMPARE(f.Prompter().Last().text, message);
    const bool range = message.startsWith(QStringLiteral("You must"));
    QCOMPARE(f.Prompter().Last().title,
             range ? QStringLiteral("Warning") : QStringLiteral("Vitalog"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(s.Live().empty());
    QVERIFY(!QFile::exists(f.services.FilePath(QStringLiteral("bpAnn.bin"))) || s.All().isEmpty());
}

void BloodPressureScreenTest::notesTheRecordCanHold_data() {
    // Typed key by key; "\n" is the Enter key.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored"); // empty: refused
    QTest::addColumn<QString>("message");
    const QString tooLong = QStringLiteral(
        "Notes may hold at most 254 characters, a line break counting as two; these notes have "
        "%1.");
    const QString unstorable = QStringLiteral(
        "Notes may not contain the character %1: it cannot be stored in Vitalog's files.");
    QTest::newRow("254 characters") << QString(254, 'a') << QByteArray(254, 'a') << QString();
    QTest::newRow("255 characters") << QString(255, 'a') << QByteArray() << tooLong.arg(255);
    QTest::newRow("252 and a line break")
        << QString(126, 'b') + "\n" + QString(126, 'c')
        << QByteArray(126, 'b') + "\r\n" + QByteArray(126, 'c') << QString();
    QTest::newRow("253 and a line break")
        << QString(126, 'b') + "\n" + QString(127, 'c') << QByteArray() << tooLong.arg(255);
    QTest::newRow("Windows-1252 letters")
        << QStringLiteral("Café, 5 € – ok") << QByteArray("Caf\xE9, 5 \x80 \x96 ok") << QString();
    QTest::newRow("check mark") << QStringLiteral("fine \u2713 today") << QByteArray()
                                << unstorable.arg(QStringLiteral("\"\u2713\""));
    QTest::newRow("emoji") << QStringLiteral("tired 😴") << QByteArray()
                           << unstorable.arg(QStringLiteral("\"😴\""));
}

void BloodPressureScreenTest::notesTheRecordCanHold() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, message);
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    BpScreen s(f);
    s.When(March5, QTime(7, 30, 0));
    s.Values("120", "80", "70");
    s.notes->setFocus();
    const QStringList lines = typed.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(s.notes, Qt::Key_Return);
        // Keys type ASCII; the rest arrives as an input method would send it.
        bool ascii = true;
        for (QChar c : lines[i])
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(s.notes, lines[i]);
        else
            s.notes->insertPlainText(lines[i]);
    }
    QCOMPARE(s.notes->toPlainText(), typed);
    f.Prompter().ExpectOk();
    s.Click(s.save);
    if (message.isEmpty()) {
        QCOMPARE(f.Prompter().Last().text, Saved);
        const auto live = s.Live();
        QCOMPARE(live.size(), size_t(1));
        QCOMPARE(QByteArray::fromStdString(live[0].Notes()), stored);
        // Read back as the user typed it.
        s.Open();
        s.Choose(QStringLiteral("3/5/2007 7:30:00 AM"));
        QCOMPARE(s.notes->toPlainText(), typed);
        return;
    }
    QCOMPARE(f.Prompter().Last().text, message);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(QApplication::focusWidget(), s.notes);
    QCOMPARE(s.notes->toPlainText(), typed); // nothing cut
    QVERIFY(s.Live().empty());
}

void BloodPressureScreenTest::printAndExportNeedAllThreeValues() {
    MainWindowFixture f;
    BpScreen s(f);
    const auto enabled = [&] {
        const bool print = s.Enabled(CommandId::FilePrint);
        const bool exported = s.Enabled(CommandId::FileExport);
        return print && exported && s.Enabled(CommandId::ToolbarPrint) &&
               s.Enabled(CommandId::ToolbarExport);
    };
    QVERIFY(!enabled());
    s.Values("120", "80", "70");
    QVERIFY(enabled()); // as typed, before any save
    for (QLineEdit* field : {s.systolic, s.diastolic, s.pulse}) {
        const QString kept = field->text();
        for (const char* text : {"0", "", "x"}) {
            BpScreen::Type(field, QString::fromLatin1(text));
            QVERIFY2(!enabled(), qPrintable(field->objectName() + ": " + text));
        }
        BpScreen::Type(field, kept);
        QVERIFY(enabled());
    }
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void BloodPressureScreenTest::savedFlagFollowsTheUsersEdits() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(8, 0, 0), "120", "80", "70");
    s.Open();
    QVERIFY(f.Frame().SavedFlag);
    s.Choose(QStringLiteral("3/5/2007 8:00:00 AM")); // the screen's writing is no edit
    QVERIFY(f.Frame().SavedFlag);
    s.timePicker->setTime(QTime(8, 0, 1)); // nor is the time
    QVERIFY(f.Frame().SavedFlag);

    for (QWidget* field :
         std::initializer_list<QWidget*>{s.systolic, s.diastolic, s.pulse, s.notes}) {
        f.Frame().SavedFlag = true;
        QTest::keyClicks(field, QStringLiteral("1"));
        QVERIFY2(!f.Frame().SavedFlag, qPrintable(field->objectName()));
    }
    // Enter in the notes starts a new line and is an edit as well.
    f.Frame().SavedFlag = true;
    QTest::keyClick(s.notes, Qt::Key_Return);
    QVERIFY(!f.Frame().SavedFlag);
    QCOMPARE(s.notes->toPlainText(), QStringLiteral("1\n"));
    QVERIFY(f.Prompter().Boxes().size() == 1);
}

void BloodPressureScreenTest::failuresNameBloodPressure() {
    MainWindowFixture f;
    BpScreen s(f);
    s.SaveReading(March5, QTime(8, 0, 0), "120", "80", "70");
    s.Open();

    // Removed behind the screen's back.
    BloodPressureFile::Remove(f.services.services.DataPath(), "Ann", Key(2007, 3, 5, 8, 0, 0));
    f.Prompter().ExpectOk();
    s.Choose(QStringLiteral("3/5/2007 8:00:00 AM"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Could not find Date: 3/5/2007 8:00:00 AM"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));

    // A file of a later version is read but never written.
    s.SaveReading(March5, QTime(9, 0, 0), "121", "81", "71");
    s.Open();
    QFile file(f.services.FilePath(QStringLiteral("bpAnn.bin")));
    QVERIFY(file.open(QIODevice::ReadWrite));
    const char later[4] = {0x59, 0x02, 0, 0}; // 601
    file.write(later, 4);
    file.close();
    const QByteArray before = f.services.ReadFile(QStringLiteral("bpAnn.bin"));
    s.Choose(QStringLiteral("3/5/2007 9:00:00 AM"));
    f.Prompter().Answer(QMessageBox::Yes);
    f.Prompter().ExpectOk();
    s.Click(s.remove);
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Deleting blood pressure failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    s.Choose(RecordScreen::NewRecordEntry);
    s.When(March5, QTime(10, 0, 0));
    s.Values("122", "82", "72");
    f.Prompter().ExpectOk();
    s.Click(s.save);
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Saving Blood Pressure failed"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Error"));
    QCOMPARE(f.services.ReadFile(QStringLiteral("bpAnn.bin")), before);
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

QTEST_MAIN(BloodPressureScreenTest)
#include "BloodPressureScreenTest.moc"
