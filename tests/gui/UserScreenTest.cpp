#include "ComboBoxes.h"
#include "MainWindowFixture.h"
#include "records/Users.h"
#include "screens/CUser.h"
#include "screens/FieldText.h"
#include "shell/CaptionBar.h"
#include "shell/Commands.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolButton>
#include <QtEndian>

#include <cstring>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// The user screen of a fixture, driven through its widgets.
struct UserScreen {
    explicit UserScreen(MainWindowFixture& fixture) : f(fixture) {
        screen = qobject_cast<CUser*>(f.Frame().CurrentScreen());
        list = screen->findChild<QComboBox*>(QStringLiteral("userList"));
        name = screen->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        weight = screen->findChild<QLineEdit*>(QStringLiteral("weightEdit"));
        desired = screen->findChild<QLineEdit*>(QStringLiteral("desiredBodyFatEdit"));
        age = screen->findChild<QLineEdit*>(QStringLiteral("ageEdit"));
        male = screen->findChild<QRadioButton*>(QStringLiteral("maleRadio"));
        female = screen->findChild<QRadioButton*>(QStringLiteral("femaleRadio"));
        imperial = screen->findChild<QRadioButton*>(QStringLiteral("imperialRadio"));
        metric = screen->findChild<QRadioButton*>(QStringLiteral("metricRadio"));
        save = screen->findChild<QToolButton*>(QStringLiteral("saveButton"));
        remove = screen->findChild<QToolButton*>(QStringLiteral("deleteButton"));
        help = screen->findChild<QToolButton*>(QStringLiteral("helpButton"));
        QCoreApplication::processEvents(); // lay the form out before clicking into it
    }

    // Clicks the indicator: a radio button only reacts on its indicator and label.
    static void Click(QRadioButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void Fill(const QString& userName, const QString& w, const QString& d, const QString& a,
              bool isMetric = false, bool isFemale = false) {
        name->setText(userName); // any characters, also those no key types
        Click(isFemale ? female : male);
        Click(isMetric ? metric : imperial);
        Type(weight, w);
        Type(desired, d);
        Type(age, a);
    }
    // Fills the form, saves and acknowledges the one box that follows.
    void Create(const QString& userName, const QString& w, const QString& d, const QString& a) {
        Fill(userName, w, d, a);
        f.Prompter().ExpectOk();
        Save();
    }
    void Save() {
        f.Frame().UpdateCommandStates();
        screen->UpdateActionStates();
        QTest::mouseClick(save, Qt::LeftButton);
    }
    void Choose(const QString& text) { ChooseEntry(*list, text); }
    QStringList Items() const { return ItemTexts(*list); }

    MainWindowFixture& f;
    CUser* screen;
    QComboBox* list;
    QLineEdit *name, *weight, *desired, *age;
    QRadioButton *male, *female, *imperial, *metric;
    QToolButton *save, *remove, *help;
};

// One stored user record as it lies in "user.bin".
struct StoredUser {
    QByteArray name;
    double weight;
    qint32 age, units, lengthUnits;
    float desired;
    qint32 sex, active;
};

QList<StoredUser> ReadUserFile(const TestServices& services) {
    const QByteArray bytes = services.ReadFile(QStringLiteral("user.bin"));
    QList<StoredUser> users;
    if (bytes.size() < 4 || qFromLittleEndian<qint32>(bytes.constData()) != 600)
        return users;
    for (qsizetype at = 4; at + 64 <= bytes.size(); at += 64) {
        const char* r = bytes.constData() + at;
        StoredUser u;
        u.name = QByteArray(r, 32);
        std::memcpy(&u.weight, r + 32, 8);
        u.age = qFromLittleEndian<qint32>(r + 40);
        u.units = qFromLittleEndian<qint32>(r + 44);
        u.lengthUnits = qFromLittleEndian<qint32>(r + 48);
        std::memcpy(&u.desired, r + 52, 4);
        u.sex = qFromLittleEndian<qint32>(r + 56);
        u.active = qFromLittleEndian<qint32>(r + 60);
        users << u;
    }
    return users;
}

QByteArray NameField(const char* name) {
    QByteArray field(32, '\0');
    std::memcpy(field.data(), name, std::strlen(name));
    return field;
}

const char* const UserFilePrefixes[] = {"tm", "bf", "bmi", "bmr", "bp", "pt"};

// Stores users straight into the data folder, as an earlier session would have left them.
void StoreUsers(const TestServices& services, const QStringList& names, int sex = 1,
                int units = 1) {
    for (const QString& name : names) {
        UserRecord user = MainWindowFixture::MakeUser(ToStoredText(name).value().c_str());
        user.sex = sex;
        user.units = units;
        user.lengthUnits = units == 1 ? 3 : 4;
        QCOMPARE(AddUser(services.services.DataPath(), user), StoreResult::Done);
    }
}

// The user screen opened anew, so that it reads the data folder.
void ReopenUserScreen(MainWindowFixture& f) {
    f.Frame().Action(CommandId::FileUsers)->trigger();
    QCoreApplication::processEvents();
}

} // namespace

class UserScreenTest : public QObject {
    Q_OBJECT
private slots:
    void parseRules_data();
    void parseRules();
    void fieldsRefuseBadNumbers_data();
    void fieldsRefuseBadNumbers();
    void opensEmptyWithToolbar();
    void createsUserAndWritesProfile();
    void validationBoundaries_data();
    void validationBoundaries();
    void refusesNamesThatCannotBeFiles_data();
    void refusesNamesThatCannotBeFiles();
    void userListSortsWithoutRegardToCase_data();
    void userListSortsWithoutRegardToCase();
    void promptsSpeakOfUsers();
    void tabEntersAChoiceOnItsCheckedButton_data();
    void tabEntersAChoiceOnItsCheckedButton();
    void choosingAUserMovesNothing();
    void nameFieldsShowThirtyCharacters_data();
    void nameFieldsShowThirtyCharacters();
    void metricUserRoundTripsAndConvertsOnRealChange();
    void savingExistingNameUpdatesThatUser();
    void addNewUserDeselects();
    void deletingCurrentUserRemovesEverything();
    void savedFlagFollowsUsersOwnEdits();
    void chosenNameMissingFromFileIsReported();
    void keyboardReachesTheToolbar();
};

void UserScreenTest::parseRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wholeOk");
    QTest::addColumn<int>("whole");
    QTest::addColumn<bool>("realOk");
    QTest::addColumn<double>("real");
    QTest::newRow("plain") << "70" << true << 70 << true << 70.0;
    QTest::newRow("blanks and tabs") << " \t70 \t" << true << 70 << true << 70.0;
    QTest::newRow("unit after number") << "70 kg" << false << 0 << false << 0.0;
    QTest::newRow("empty") << "" << false << 0 << false << 0.0;
    QTest::newRow("blank only") << "   " << false << 0 << false << 0.0;
    QTest::newRow("zero") << "0" << true << 0 << true << 0.0;
    QTest::newRow("double zero") << "00" << true << 0 << true << 0.0;
    QTest::newRow("signed zero") << "-0" << false << 0 << false << 0.0;
    QTest::newRow("point zero") << ".0" << false << 0 << false << 0.0;
    QTest::newRow("negative") << "-3" << true << -3 << true << -3.0;
    QTest::newRow("exponent") << "1e3" << false << 0 << true << 1000.0;
    QTest::newRow("fraction") << "7.25" << false << 0 << true << 7.25;
    QTest::newRow("leading point") << ".5" << false << 0 << true << 0.5;
    QTest::newRow("letters") << "abc" << false << 0 << false << 0.0;
    QTest::newRow("comma decimal") << "7,5" << false << 0 << false << 0.0;
    QTest::newRow("too large for int") << "3000000000" << false << 0 << true << 3e9;
    QTest::newRow("infinity word") << "inf" << false << 0 << false << 0.0;
}

void UserScreenTest::parseRules() {
    QFETCH(QString, text);
    QFETCH(bool, wholeOk);
    QFETCH(int, whole);
    QFETCH(bool, realOk);
    QFETCH(double, real);
    int w = -99;
    QCOMPARE(ParseWholeNumber(text, w), wholeOk);
    if (wholeOk)
        QCOMPARE(w, whole);
    double r = -99;
    QCOMPARE(ParseRealNumber(text, r), realOk);
    if (realOk)
        QCOMPARE(r, real);
}

void UserScreenTest::fieldsRefuseBadNumbers_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString number = QStringLiteral("Please enter a number.");
    const QString integer = QStringLiteral("Please enter an integer.");
    // A number that reads makes the save go on to the name test, which fails on purpose.
    const QString readOn = QStringLiteral("User name must be between 1 and 30 characters");
    for (const char* text : {"70", " 70 ", "0", "00", "-3", "1e3"})
        QTest::addRow("weight %s", text) << "weightEdit" << text << readOn;
    for (const char* text : {"70 kg", "", "abc"})
        QTest::addRow("weight %s", text) << "weightEdit" << text << number;
    for (const char* text : {"70", " 70 ", "0", "00", "-3"})
        QTest::addRow("age %s", text) << "ageEdit" << text << readOn;
    for (const char* text : {"70 kg", "", "1e3", "abc", "7.5"})
        QTest::addRow("age %s", text) << "ageEdit" << text << integer;
}

void UserScreenTest::fieldsRefuseBadNumbers() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    UserScreen s(f);
    s.Fill(QString(), QStringLiteral("80"), QStringLiteral("15"), QStringLiteral("30"));
    UserScreen::Type(s.screen->findChild<QLineEdit*>(field), text);
    f.Prompter().ExpectOk();
    s.Save();
    QCOMPARE(f.Prompter().Texts(), QStringList{message});
    const ShownBox box = f.Prompter().Last();
    if (message == QLatin1String("User name must be between 1 and 30 characters")) {
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QCOMPARE(QApplication::focusWidget(), s.name);
    } else {
        QCOMPARE(box.title, QStringLiteral("Vitalog"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(QApplication::focusWidget(), s.screen->findChild<QLineEdit*>(field));
    }
    QVERIFY(!QFile::exists(f.services.FilePath(QStringLiteral("user.bin"))) ||
            f.services.ReadFile(QStringLiteral("user.bin")).size() <= 4);
}

void UserScreenTest::opensEmptyWithToolbar() {
    MainWindowFixture f;
    UserScreen s(f);
    QCOMPARE(s.Items(), QStringList{CUser::AddNewUserEntry});
    QCOMPARE(s.list->currentIndex(), -1);
    QVERIFY(s.name->isVisible());
    QCOMPARE(s.weight->text(), QStringLiteral("0"));
    QCOMPARE(s.desired->text(), QStringLiteral("0"));
    QCOMPARE(s.age->text(), QStringLiteral("0"));
    QVERIFY(s.male->isChecked());
    QVERIFY(s.imperial->isChecked());
    QVERIFY(s.save->isEnabled());
    QVERIFY(!s.remove->isEnabled());
    QVERIFY(s.help->isEnabled());
    QCOMPARE(s.save->accessibleName(), QStringLiteral("Save"));
    QCOMPARE(s.remove->accessibleName(), QStringLiteral("Delete"));
    QCOMPARE(s.help->accessibleName(), QStringLiteral("Help"));
    QCOMPARE(s.weight->accessibleName(), QStringLiteral("Current Weight"));
    QCOMPARE(s.list->accessibleName(), QStringLiteral("Select an existing user name"));
    QVERIFY(f.Prompter().Boxes().isEmpty());
    QVERIFY(f.Frame().SavedFlag);
}

void UserScreenTest::createsUserAndWritesProfile() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Fill(QStringLiteral("  Ann  "), QStringLiteral("150.5"), QStringLiteral("18.5"),
           QStringLiteral("42"), false, true);
    QVERIFY(!f.Frame().SavedFlag);
    f.Prompter().ExpectOk();
    s.Save();
    QCOMPARE(f.Prompter().Texts(), QStringList{QStringLiteral("New User Ann has been created")});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Information);
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(f.Frame().IsUserSelected());
    QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: Ann"));
    QCOMPARE(s.Items(), (QStringList{CUser::AddNewUserEntry, QStringLiteral("Ann")}));
    f.Frame().UpdateCommandStates();
    QVERIFY(f.Frame().Action(CommandId::CalcBodyFat)->isEnabled());

    const QByteArray bytes = f.services.ReadFile(QStringLiteral("user.bin"));
    QCOMPARE(bytes.size(), 4 + 64);
    const QList<StoredUser> users = ReadUserFile(f.services);
    QCOMPARE(users.size(), 1);
    QCOMPARE(users[0].name, NameField("Ann")); // trimmed, zero-filled
    QCOMPARE(users[0].weight, 150.5);
    QCOMPARE(users[0].age, 42);
    QCOMPARE(users[0].units, 1);
    QCOMPARE(users[0].lengthUnits, 3);
    QCOMPARE(users[0].desired, 18.5f);
    QCOMPARE(users[0].sex, 2);
    QCOMPARE(users[0].active, 1);
}

void UserScreenTest::validationBoundaries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("desired");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("focus");
    const char* nameMsg = "User name must be between 1 and 30 characters";
    const char* weightMsg = "You must select a number between 1 and 1200 for Weight";
    const char* desiredMsg = "You must select a number between 1 and 99 for Desired Body Fat";
    const char* ageMsg = "You must select a number between 1 and 120 for Age";
    const QString n30(30, QLatin1Char('n'));
    struct Row {
        const char* tag;
        QString name;
        const char *weight, *desired, *age, *message, *focus;
    };
    const Row rows[] = {
        {"31 characters", QString(31, QLatin1Char('n')), "80", "15", "30", nameMsg, "nameEdit"},
        {"30 characters", n30, "80", "15", "30", "", ""},
        {"30 characters and blanks", n30 + "  ", "80", "15", "30", nameMsg, "nameEdit"},
        {"empty name", "", "80", "15", "30", nameMsg, "nameEdit"},
        {"blanks only", "   ", "80", "15", "30", nameMsg, "nameEdit"},
        {"weight 1", "Bo", "1", "15", "30", weightMsg, "weightEdit"},
        {"weight 1.01", "Bo", "1.01", "15", "30", "", ""},
        {"weight 1200", "Bo", "1200", "15", "30", weightMsg, "weightEdit"},
        {"weight 1199.99", "Bo", "1199.99", "15", "30", "", ""},
        {"desired 1", "Bo", "80", "1", "30", desiredMsg, "desiredBodyFatEdit"},
        {"desired 99", "Bo", "80", "99", "30", desiredMsg, "desiredBodyFatEdit"},
        {"desired 98.9", "Bo", "80", "98.9", "30", "", ""},
        {"age 1", "Bo", "80", "15", "1", ageMsg, "ageEdit"},
        {"age 2", "Bo", "80", "15", "2", "", ""},
        {"age 119", "Bo", "80", "15", "119", "", ""},
        {"age 120", "Bo", "80", "15", "120", ageMsg, "ageEdit"},
        {"first failure only", "", "1", "99", "1", nameMsg, "nameEdit"},
    };
    for (const Row& r : rows)
        QTest::newRow(r.tag) << r.name << QString(r.weight) << QString(r.desired) << QString(r.age)
                             << QString(r.message) << QString(r.focus);
}

void UserScreenTest::validationBoundaries() {
    QFETCH(QString, name);
    QFETCH(QString, weight);
    QFETCH(QString, desired);
    QFETCH(QString, age);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    UserScreen s(f);
    s.Fill(name, weight, desired, age);
    f.Prompter().ExpectOk();
    s.Save();
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    if (message.isEmpty()) {
        QVERIFY(f.Prompter().Last().text.startsWith(QStringLiteral("New User ")));
        QCOMPARE(ReadUserFile(f.services).size(), 1);
        return;
    }
    QCOMPARE(f.Prompter().Last().text, message);
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(ReadUserFile(f.services).isEmpty());
    QVERIFY(!f.Frame().IsUserSelected());
}

void UserScreenTest::refusesNamesThatCannotBeFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString unstorable =
        QStringLiteral("User name may not contain the character %1: it cannot be stored in "
                       "Vitalog's files.");
    QTest::newRow("slash") << "../Ann"
                           << "User name may not contain the character \"/\"";
    QTest::newRow("chinese letter") << QStringLiteral("Li 字") << unstorable.arg("\"字\"");
    QTest::newRow("mark") << QStringLiteral("Ann \u2713") << unstorable.arg("\"\u2713\"");
    // Outside the Basic Multilingual Plane: both halves of the pair, never one alone.
    QTest::newRow("emoji") << QStringLiteral("Ann 😀") << unstorable.arg("\"😀\"");
    QTest::newRow("first of several") << QStringLiteral("Zoë 😀 字") << unstorable.arg("\"😀\"");
    QTest::newRow("invisible") << QStringLiteral("Ann\u200BLee") << unstorable.arg("U+200B");
    QTest::newRow("accented letter") << QStringLiteral("Émile") << QString();
    QTest::newRow("no-break space") << QStringLiteral("Ann\u00A0Lee") << QString();
}

void UserScreenTest::refusesNamesThatCannotBeFiles() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    UserScreen s(f);
    s.Fill(name, QStringLiteral("80"), QStringLiteral("15"), QStringLiteral("30"));
    f.Prompter().ExpectOk();
    s.Save();
    if (message.isEmpty()) {
        QCOMPARE(f.Prompter().Texts(),
                 QStringList{QStringLiteral("New User %1 has been created").arg(name)});
        QCOMPARE(ReadUserFile(f.services).size(), 1);
        return;
    }
    QCOMPARE(f.Prompter().Texts(), QStringList{message});
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Warning"));
    QCOMPARE(f.Prompter().Last().icon, QMessageBox::Warning);
    QCOMPARE(QApplication::focusWidget(), s.name);
    QVERIFY(f.services.ReadFile(QStringLiteral("user.bin")).isEmpty());
    QCOMPARE(QDir(f.services.DataDir()).entryList(QDir::Files),
             (QStringList{QStringLiteral("user.bin")}));
    QVERIFY(!f.Frame().IsUserSelected());

    // A Windows-1252 name outside ASCII is fine and its files carry the UTF-8 name.
    f.Prompter().ExpectOk();
    s.Fill(QStringLiteral("Zoë €"), QStringLiteral("80"), QStringLiteral("15"),
           QStringLiteral("30"));
    s.Save();
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("New User Zoë € has been created"));
    QCOMPARE(ReadUserFile(f.services)[0].name, NameField("Zo\xEB \x80"));
}

void UserScreenTest::userListSortsWithoutRegardToCase_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("expected");
    // Names that differ only in case put capitals first. Letters with accents sort by the
    // language's rules; the C locale has none and puts them after the ASCII letters.
    QTest::newRow("C") << "C"
                       << QStringList{"Ann", "ann", "Bob", "bob", "Carl", "carla", "Eve", "Émile"};
    QTest::newRow("English") << "en_US" << QStringList{"Ann",  "ann",   "Bob",   "bob",
                                                       "Carl", "carla", "Émile", "Eve"};
}

void UserScreenTest::userListSortsWithoutRegardToCase() {
    QFETCH(QString, locale);
    QFETCH(QStringList, expected);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(previous); });
    MainWindowFixture f;
    StoreUsers(f.services, {"bob", "Eve", "Carl", "ann", "Émile", "Bob", "Ann"});
    ReopenUserScreen(f);
    UserScreen s(f);
    QStringList stored = expected;
    stored.removeOne(QStringLiteral("carla"));
    QCOMPARE(s.Items(), QStringList{CUser::AddNewUserEntry} + stored);

    // A user saved on the screen takes its place among them.
    s.Create(QStringLiteral("carla"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    QCOMPARE(s.Items(), QStringList{CUser::AddNewUserEntry} + expected);
}

void UserScreenTest::promptsSpeakOfUsers() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Create(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    s.screen->UpdateActionStates();
    QVERIFY(s.remove->isEnabled());
    const struct {
        QToolButton* button;
        QString prompt;
    } cases[] = {
        {s.save, QStringLiteral("Save the user profile")},
        {s.remove, QStringLiteral("Delete the chosen user and all of their records")},
        {s.help, QStringLiteral("Help for this screen")},
    };
    for (const auto& c : cases) {
        // The prompt the status bar shows while the mouse rests on the button.
        QTest::mouseMove(s.screen);
        QTest::mouseMove(c.button);
        QTRY_COMPARE(f.Frame().statusBar()->currentMessage(), c.prompt);
    }
}

void UserScreenTest::tabEntersAChoiceOnItsCheckedButton_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QString>("landsOn");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<QString>("movesTo");
    // "stored": a female metric user chosen in the list (the name row is hidden then);
    // "clicked": Female and Metric clicked, then the form cleared by "< Add New User >".
    QTest::newRow("new form, sex")
        << "new"
        << "nameEdit" << false << "maleRadio" << int(Qt::Key_Down) << "femaleRadio";
    QTest::newRow("new form, units backwards")
        << "new"
        << "weightEdit" << true << "imperialRadio" << int(Qt::Key_Down) << "metricRadio";
    QTest::newRow("stored user, sex")
        << "stored"
        << "userList" << false << "femaleRadio" << int(Qt::Key_Up) << "maleRadio";
    QTest::newRow("stored user, units")
        << "stored"
        << "femaleRadio" << false << "metricRadio" << int(Qt::Key_Up) << "imperialRadio";
    QTest::newRow("cleared form, sex")
        << "clicked"
        << "nameEdit" << false << "maleRadio" << int(Qt::Key_Down) << "femaleRadio";
    QTest::newRow("cleared form, units backwards")
        << "clicked"
        << "weightEdit" << true << "imperialRadio" << int(Qt::Key_Down) << "metricRadio";
}

void UserScreenTest::tabEntersAChoiceOnItsCheckedButton() {
    QFETCH(QString, setup);
    QFETCH(QString, from);
    QFETCH(bool, backwards);
    QFETCH(QString, landsOn);
    QFETCH(int, arrow);
    QFETCH(QString, movesTo);
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    if (setup == QLatin1String("stored")) {
        StoreUsers(f.services, {QStringLiteral("Eve")}, /*sex=*/2, /*units=*/2);
        ReopenUserScreen(f);
    }
    UserScreen s(f);
    if (setup == QLatin1String("stored"))
        s.Choose(QStringLiteral("Eve"));
    if (setup == QLatin1String("clicked")) {
        UserScreen::Click(s.female);
        UserScreen::Click(s.metric);
        s.Choose(CUser::AddNewUserEntry);
    }
    f.Frame().SavedFlag = true;

    auto* start = s.screen->findChild<QWidget*>(from);
    start->setFocus(Qt::OtherFocusReason);
    QCOMPARE(QApplication::focusWidget(), start);
    QTest::keyClick(start, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    auto* landed = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    QVERIFY2(landed, qPrintable(QApplication::focusWidget()->objectName()));
    QCOMPARE(landed->objectName(), landsOn);
    QVERIFY(landed->isChecked());

    // The arrow moves the choice and the focus with it; that is the user's own edit.
    const QString weight = s.weight->text();
    QTest::keyClick(landed, Qt::Key(arrow));
    auto* moved = s.screen->findChild<QRadioButton*>(movesTo);
    QVERIFY(moved->isChecked());
    QVERIFY(!landed->isChecked());
    QCOMPARE(QApplication::focusWidget(), moved);
    QVERIFY(!f.Frame().SavedFlag);
    // A new choice of units converts the weight.
    if (landed->group() == s.imperial->group() && weight != QLatin1String("0"))
        QVERIFY(s.weight->text() != weight);
    else
        QCOMPARE(s.weight->text(), weight);
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void UserScreenTest::choosingAUserMovesNothing() {
    MainWindowFixture f;
    StoreUsers(f.services, {QStringLiteral("Ann")});
    ReopenUserScreen(f);
    UserScreen s(f);
    auto* selectBox = s.screen->findChild<QGroupBox*>(QStringLiteral("selectUserBox"));
    auto* profileBox = s.screen->findChild<QGroupBox*>(QStringLiteral("userProfileBox"));
    const QRect select = selectBox->geometry();
    const QRect profile = profileBox->geometry();
    const QRect list = s.list->geometry();
    QVERIFY(s.name->isVisible());

    s.Choose(QStringLiteral("Ann"));
    QCoreApplication::processEvents(); // the layout settles
    QVERIFY(!s.name->isVisible());
    QCOMPARE(selectBox->geometry(), select);
    QCOMPARE(profileBox->geometry(), profile);
    QCOMPARE(s.list->geometry(), list);

    s.Choose(CUser::AddNewUserEntry);
    QCoreApplication::processEvents();
    QVERIFY(s.name->isVisible());
    QCOMPARE(profileBox->geometry(), profile);
}

void UserScreenTest::nameFieldsShowThirtyCharacters_data() {
    QTest::addColumn<int>("pointSize"); // 0: the application's font
    QTest::newRow("application font") << 0;
    QTest::newRow("large font") << 20;
}

void UserScreenTest::nameFieldsShowThirtyCharacters() {
    QFETCH(int, pointSize);
    const QFont previous = QApplication::font();
    const auto restore = qScopeGuard([&] { QApplication::setFont(previous); });
    if (pointSize) {
        QFont large = previous;
        large.setPointSize(pointSize);
        QApplication::setFont(large);
    }
    // Names of the longest length; the last is the widest of them.
    const QStringList names{QStringLiteral("Maria Fernanda Oliveira Santos"),
                            QStringLiteral("Alexandra Montgomery-Whitfield"),
                            QStringLiteral("Wolfgang Maximilian Schumacher")};
    MainWindowFixture f;
    UserScreen s(f);

    // The text area of the name field lies inside its frame and its two-pixel margins.
    QStyleOptionFrame frame;
    frame.initFrom(s.name);
    frame.lineWidth = s.name->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, s.name);
    const int editText =
        s.name->style()->subElementRect(QStyle::SE_LineEditContents, &frame, s.name).width() - 4;
    for (const QString& name : names) {
        QCOMPARE(name.size(), int(UserRecord::MaxNameLength));
        const int width = s.name->fontMetrics().horizontalAdvance(name);
        QVERIFY2(width <= editText,
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(name).arg(width).arg(editText)));
    }

    // Saved and chosen, the widest is the list's current entry; its label area leaves a pixel
    // each side.
    s.Create(names.last(), QStringLiteral("150"), QStringLiteral("20"), QStringLiteral("40"));
    s.Choose(names.last());
    QCoreApplication::processEvents();
    QCOMPARE(s.list->currentText(), names.last());
    QStyleOptionComboBox combo;
    combo.initFrom(s.list);
    combo.frame = s.list->hasFrame();
    const int listText =
        s.list->style()
            ->subControlRect(QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxEditField, s.list)
            .width() -
        2;
    const int width = s.list->fontMetrics().horizontalAdvance(names.last());
    QVERIFY2(width <= listText, qPrintable(QStringLiteral("%1 > %2").arg(width).arg(listText)));
}

void UserScreenTest::metricUserRoundTripsAndConvertsOnRealChange() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Fill(QStringLiteral("Kim"), QStringLiteral("80"), QStringLiteral("20"), QStringLiteral("35"),
           /*isMetric=*/true);
    f.Prompter().ExpectOk();
    s.Save();
    const QList<StoredUser> users = ReadUserFile(f.services);
    QCOMPARE(users.size(), 1);
    QCOMPARE(users[0].weight, 80 * 2.20462);
    QCOMPARE(users[0].units, 2);
    QCOMPARE(users[0].lengthUnits, 4);

    // Chosen again: 176.3696 lb back to 80.00 kg, written with up to 15 significant digits.
    f.Frame().Action(CommandId::FileUsers)->trigger();
    UserScreen again(f);
    QCOMPARE(again.Items(), (QStringList{CUser::AddNewUserEntry, QStringLiteral("Kim")}));
    again.Choose(QStringLiteral("Kim"));
    QCOMPARE(again.weight->text(), QStringLiteral("80"));
    QVERIFY(again.metric->isChecked());
    QVERIFY(!again.name->isVisible());
    QCOMPARE(again.name->text(), QStringLiteral("Kim"));
    QCOMPARE(again.desired->text(), QStringLiteral("20"));
    QCOMPARE(again.age->text(), QStringLiteral("35"));
    QVERIFY(f.Frame().SavedFlag); // filling the form is not an edit

    UserScreen::Click(again.imperial);
    QCOMPARE(again.weight->text(), QStringLiteral("176.37"));
    QVERIFY(!f.Frame().SavedFlag);
    // Clicking the choice already made converts nothing.
    UserScreen::Click(again.imperial);
    QCOMPARE(again.weight->text(), QStringLiteral("176.37"));
    UserScreen::Click(again.metric);
    QCOMPARE(again.weight->text(), QStringLiteral("80"));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void UserScreenTest::savingExistingNameUpdatesThatUser() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Create(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    s.Create(QStringLiteral("Bob"), QStringLiteral("200"), QStringLiteral("15"),
             QStringLiteral("50"));

    // Typed after "< Add New User >": the same name updates Ann in place.
    s.Choose(CUser::AddNewUserEntry);
    s.Fill(QStringLiteral("Ann"), QStringLiteral("70"), QStringLiteral("22"), QStringLiteral("41"),
           /*isMetric=*/true, /*isFemale=*/true);
    f.Prompter().ExpectOk();
    s.Save();
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Current User Ann has been updated"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Information"));
    QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: Ann"));
    QCOMPARE(s.Items(),
             (QStringList{CUser::AddNewUserEntry, QStringLiteral("Ann"), QStringLiteral("Bob")}));

    const QList<StoredUser> users = ReadUserFile(f.services);
    QCOMPARE(users.size(), 2); // updated in place, nothing appended
    QCOMPARE(users[0].name, NameField("Ann"));
    QCOMPARE(users[0].weight, 70 * 2.20462);
    QCOMPARE(users[0].units, 2);
    QCOMPARE(users[0].age, 41);
    QCOMPARE(users[0].sex, 2);
    QCOMPARE(users[1].name, NameField("Bob"));
    QCOMPARE(users[1].weight, 200.0);
    // ann is someone else.
    s.Create(QStringLiteral("ann"), QStringLiteral("100"), QStringLiteral("20"),
             QStringLiteral("30"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("New User ann has been created"));
    QCOMPARE(ReadUserFile(f.services).size(), 3);
}

void UserScreenTest::addNewUserDeselects() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Create(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    s.Choose(QStringLiteral("Ann"));
    QVERIFY(f.Frame().IsUserSelected());
    f.Frame().UpdateCommandStates();
    s.screen->UpdateActionStates();
    QVERIFY(s.remove->isEnabled());

    s.Choose(CUser::AddNewUserEntry);
    QVERIFY(!f.Frame().IsUserSelected());
    QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: No User Selected"));
    f.Frame().UpdateCommandStates();
    s.screen->UpdateActionStates();
    QVERIFY(!f.Frame().Action(CommandId::CalcBodyFat)->isEnabled());
    QVERIFY(!f.Frame().Action(CommandId::HistoryBodyFat)->isEnabled());
    QVERIFY(!s.remove->isEnabled());
    QVERIFY(s.name->isVisible());
    QVERIFY(s.name->text().isEmpty());
    QCOMPARE(s.weight->text(), QStringLiteral("0"));
    QVERIFY(s.male->isChecked());
    QVERIFY(s.imperial->isChecked());
}

void UserScreenTest::deletingCurrentUserRemovesEverything() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Create(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    s.Create(QStringLiteral("Bob"), QStringLiteral("200"), QStringLiteral("15"),
             QStringLiteral("50"));
    s.Choose(QStringLiteral("Ann"));
    for (const char* prefix : UserFilePrefixes) {
        QFile file(f.services.FilePath(QString::fromLatin1(prefix) + QStringLiteral("Ann.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFile bobs(f.services.FilePath(QStringLiteral("bfBob.bin")));
    QVERIFY(bobs.open(QIODevice::WriteOnly));
    bobs.close();

    // No keeps everything.
    f.Prompter().Answer(QMessageBox::No);
    s.screen->UpdateActionStates();
    QTest::mouseClick(s.remove, Qt::LeftButton);
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Are you sure you want to remove user Ann"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Question"));
    QVERIFY(f.Frame().IsUserSelected());
    QCOMPARE(ReadUserFile(f.services)[0].active, 1);

    f.Prompter().Answer(QMessageBox::Yes);
    QTest::mouseClick(s.remove, Qt::LeftButton);
    QCOMPARE(f.Prompter().Boxes().size(), 4); // two saves, two questions: no success box
    QVERIFY(!f.Frame().IsUserSelected());
    QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: No User Selected"));
    QCOMPARE(s.Items(), (QStringList{CUser::AddNewUserEntry, QStringLiteral("Bob")}));
    QVERIFY(s.name->isVisible());
    QVERIFY(s.name->text().isEmpty());
    QCOMPARE(s.weight->text(), QStringLiteral("0"));
    for (const char* prefix : UserFilePrefixes)
        QVERIFY(!QFile::exists(
            f.services.FilePath(QString::fromLatin1(prefix) + QStringLiteral("Ann.bin"))));
    QVERIFY(QFile::exists(f.services.FilePath(QStringLiteral("bfBob.bin"))));
    const QList<StoredUser> users = ReadUserFile(f.services);
    QCOMPARE(users.size(), 2);
    QCOMPARE(users[0].name, NameField("Ann"));
    QCOMPARE(users[0].active, 0); // the tombstone stays
    QCOMPARE(users[1].active, 1);
    s.screen->UpdateActionStates();
    QVERIFY(!s.remove->isEnabled());
    QVERIFY(f.Frame().SavedFlag);
}

void UserScreenTest::savedFlagFollowsUsersOwnEdits() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Create(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    QVERIFY(f.Frame().SavedFlag);
    s.Choose(QStringLiteral("Ann"));
    QVERIFY(f.Frame().SavedFlag);
    QTest::keyClicks(s.age, QStringLiteral("1"));
    QVERIFY(!f.Frame().SavedFlag);
    f.Frame().SavedFlag = true;
    UserScreen::Click(s.female);
    QVERIFY(!f.Frame().SavedFlag);
    // The unsaved edit is then guarded by the discard question.
    f.Prompter().Answer(QMessageBox::No);
    f.Frame().UpdateCommandStates();
    f.Frame().Action(CommandId::CalcTape)->trigger();
    QCOMPARE(
        f.Prompter().Last().text,
        QStringLiteral("Record has not been saved, would you like to continue without saving?"));
    QCOMPARE(f.Frame().CurrentScreen(), s.screen);
}

void UserScreenTest::chosenNameMissingFromFileIsReported() {
    MainWindowFixture f;
    UserScreen s(f);
    s.Create(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
             QStringLiteral("40"));
    QFile::remove(f.services.FilePath(QStringLiteral("user.bin")));
    f.Frame().CurrentUser.active = 0;
    f.Prompter().ExpectOk();
    s.Choose(QStringLiteral("Ann"));
    QCOMPARE(f.Prompter().Last().text, QStringLiteral("Could not find match for user Ann"));
    QCOMPARE(f.Prompter().Last().title, QStringLiteral("Vitalog"));
    QVERIFY(!f.Frame().IsUserSelected());
}

void UserScreenTest::keyboardReachesTheToolbar() {
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    UserScreen s(f);
    s.Fill(QStringLiteral("Ann"), QStringLiteral("150"), QStringLiteral("20"),
           QStringLiteral("40"));
    s.age->setFocus();
    QTest::keyClick(s.age, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), s.save);
    // Space on the focused button saves.
    f.Prompter().ExpectOk();
    QTest::keyClick(s.save, Qt::Key_Space);
    QCOMPARE(f.Prompter().Texts(), QStringList{QStringLiteral("New User Ann has been created")});
}

QTEST_MAIN(UserScreenTest)
#include "UserScreenTest.moc"
