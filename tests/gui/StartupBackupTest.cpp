// The backup at start: once a day with a fixed clock, none for a folder without users, and a
// failed one said in one box while the program starts all the same.

#include "MainWindowFixture.h"
#include "TestServices.h"
#include "backup/BackupArchive.h"
#include "records/Users.h"
#include "screens/ScreenCatalog.h"
#include "shell/CVitalogApp.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// Starts the program on the services' data folder at `when`; true when the main window is up.
bool StartAt(TestServices& services, const QDateTime& when) {
    services.clock.now = when;
    CVitalogApp app(services.services, ProgramScreens());
    return app.InitInstance(
               {QStringLiteral("vitalog"), QStringLiteral("--data-dir"), services.DataDir()},
               QString()) &&
           app.MainFrame() && app.MainFrame()->isVisible();
}

QStringList Backups(const TestServices& services) {
    return QDir(services.FilePath(QStringLiteral("backups"))).entryList(QDir::Files | QDir::Hidden);
}

void AddAnn(const TestServices& services) {
    UserRecord ann = MainWindowFixture::MakeUser("Ann");
    QCOMPARE(AddUser(services.services.DataPath(), ann), StoreResult::Done);
}

} // namespace

class StartupBackupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void oneBackupADay();
    void noBackupWithoutUsers();
    void failedBackupIsSaidOnceAndTheProgramStarts_data();
    void failedBackupIsSaidOnceAndTheProgramStarts();
};

void StartupBackupTest::oneBackupADay() {
    TestServices services;
    AddAnn(services);
    const QDate day(2026, 12, 9);

    QVERIFY(StartAt(services, QDateTime(day, QTime(10, 30, 0))));
    const QString first = QStringLiteral("vitalog-20261209-103000.tar.gz");
    QCOMPARE(Backups(services), QStringList{first});
    // It holds the user file as it is.
    QTemporaryDir read;
    std::vector<std::string> names;
    std::string error;
    QVERIFY2(BackupArchive::Extract(services.services.DataPath() / "backups" / first.toStdString(),
                                    read.path().toStdString(), names, error),
             error.c_str());
    QCOMPARE(names, std::vector<std::string>{"user.bin"});
    QFile user(read.filePath(QStringLiteral("user.bin")));
    QVERIFY(user.open(QIODevice::ReadOnly));
    QCOMPARE(user.readAll(), services.ReadFile(QStringLiteral("user.bin")));

    QVERIFY(StartAt(services, QDateTime(day, QTime(23, 59, 59))));
    QCOMPARE(Backups(services), QStringList{first});

    QVERIFY(StartAt(services, QDateTime(day.addDays(1), QTime(0, 0, 1))));
    QCOMPARE(Backups(services),
             (QStringList{first, QStringLiteral("vitalog-20261210-000001.tar.gz")}));
    QCOMPARE(services.prompter.Boxes().size(), 0);
}

// A new folder, or one with other files but no users: nothing recorded, nothing to keep.
void StartupBackupTest::noBackupWithoutUsers() {
    TestServices services;
    QFile other(services.FilePath(QStringLiteral("tmAnn.bin")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    QVERIFY(StartAt(services, QDateTime(QDate(2026, 12, 9), QTime(10, 30, 0))));
    QVERIFY(!QFileInfo::exists(services.FilePath(QStringLiteral("backups"))));
    QCOMPARE(services.prompter.Boxes().size(), 0);
}

void StartupBackupTest::failedBackupIsSaidOnceAndTheProgramStarts_data() {
    QTest::addColumn<bool>("asFile");
    QTest::newRow("a file named backups") << true;
    QTest::newRow("a read-only backups folder") << false;
}

void StartupBackupTest::failedBackupIsSaidOnceAndTheProgramStarts() {
    QFETCH(bool, asFile);
    if (!asFile && ::geteuid() == 0)
        QSKIP("root writes into a read-only folder");
    TestServices services;
    AddAnn(services);
    const QString backups = services.FilePath(QStringLiteral("backups"));
    if (asFile) {
        QFile file(backups);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mine");
    } else {
        QVERIFY(QDir().mkdir(backups));
        QVERIFY(QFile::setPermissions(backups, QFile::ReadOwner | QFile::ExeOwner));
    }

    services.prompter.ExpectOk();
    QVERIFY(StartAt(services, QDateTime(QDate(2026, 12, 9), QTime(10, 30, 0))));
    QCOMPARE(services.prompter.Boxes().size(), 1);
    const ShownBox& box = services.prompter.Last();
    QCOMPARE(box.title, QStringLiteral("Vitalog"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    // The folder, and the reason naming the place that failed.
    QVERIFY2(box.text.startsWith(QStringLiteral("The daily backup of the data folder ") +
                                 services.DataDir() + QStringLiteral(" failed:\n") + backups),
             qPrintable(box.text));
    QVERIFY(box.text.endsWith(
        QStringLiteral("Your records are unchanged and Vitalog goes on without the backup.")));
    if (asFile)
        QCOMPARE(services.ReadFile(QStringLiteral("backups")), QByteArray("mine"));
    else
        QCOMPARE(QDir(backups).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
}

QTEST_MAIN(StartupBackupTest)
#include "StartupBackupTest.moc"
