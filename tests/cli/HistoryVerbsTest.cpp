// export-history and print-history against the window program's history Export and Print on
// the same data folder: the same bytes and the same text.
#include "MainWindowFixture.h"
#include "cli/CliCommand.h"
#include "cli/DemoData.h"
#include "history/CVitalogView.h"
#include "records/Users.h"
#include "shell/Commands.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <sstream>

using namespace vitalog;
using namespace vitalog::test;

namespace {

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun RunCli(const QString& dataDir, std::vector<std::string> arguments) {
    cli::Invocation invocation;
    invocation.arguments = {"--data-dir", dataDir.toStdString()};
    invocation.arguments.insert(invocation.arguments.end(), arguments.begin(), arguments.end());
    std::ostringstream out, err;
    CliRun run;
    run.status = cli::Run(invocation, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace

class HistoryVerbsTest : public QObject {
    Q_OBJECT
private slots:
    void sameDocumentAndTextAsTheWindow_data();
    void sameDocumentAndTextAsTheWindow();
    void aUserWithoutRecordsIsRefused();
};

void HistoryVerbsTest::sameDocumentAndTextAsTheWindow_data() {
    QTest::addColumn<CommandId>("command");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("user");
    for (const char* user : {"Alex", "Maria"}) { // imperial and metric
        QTest::addRow("body composition, %s", user)
            << CommandId::HistoryBodyFat << "bodyfat" << user;
        QTest::addRow("tape, %s", user) << CommandId::HistoryTape << "tape" << user;
        QTest::addRow("bmi/bmr, %s", user) << CommandId::HistoryBmiBmr << "bmi" << user;
        QTest::addRow("blood pressure, %s", user)
            << CommandId::HistoryBloodPressure << "bp" << user;
    }
    QTest::addRow("all users") << CommandId::HistoryAllUsers << "users"
                               << "Maria";
}

void HistoryVerbsTest::sameDocumentAndTextAsTheWindow() {
    QFETCH(CommandId, command);
    QFETCH(QString, kind);
    QFETCH(QString, user);
    MainWindowFixture f;
    const QString dir = f.services.DataDir();
    std::string error;
    QVERIFY(cli::MakeDemoData(dir.toStdString(), 20261210, error));
    UserRecord current{};
    current.SetName(user.toStdString());
    QVERIFY(FindUser(dir.toStdString(), current));
    f.SelectUser(current);

    f.Frame().Action(command)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* view = qobject_cast<CVitalogView*>(f.Frame().CurrentScreen());
    QVERIFY(view);
    f.services.fileDialogs.NextFileName(f.services.FilePath(QStringLiteral("window.rtf")));
    f.Prompter().ExpectOk();
    f.Frame().UpdateCommandStates();
    f.Frame().Action(CommandId::FileExport)->trigger();
    QCOMPARE(f.Prompter().Texts(), QStringList{QStringLiteral("Export successful")});

    std::vector<std::string> arguments{
        "export-history", kind.toStdString(), "--output",
        f.services.FilePath(QStringLiteral("cli.rtf")).toStdString()};
    if (kind != QLatin1String("users"))
        arguments.insert(arguments.end(), {"--user", user.toStdString()});
    const CliRun exported = RunCli(dir, arguments);
    QCOMPARE(exported.status, 0);
    const QByteArray window = f.services.ReadFile(QStringLiteral("window.rtf"));
    QVERIFY(window.size() > 1000);
    QVERIFY(f.services.ReadFile(QStringLiteral("cli.rtf")) == window);

    arguments[0] = "print-history";
    arguments.erase(arguments.begin() + 2, arguments.begin() + 4); // no --output
    const CliRun printed = RunCli(dir, arguments);
    QCOMPARE(printed.status, 0);
    QCOMPARE(QString::fromStdString(printed.out),
             view->PrintTextOfShownTable().value_or(QString()));
    QVERIFY(f.Prompter().Unexpected().isEmpty());
}

void HistoryVerbsTest::aUserWithoutRecordsIsRefused() {
    MainWindowFixture f;
    const QString dir = f.services.DataDir();
    UserRecord user = MainWindowFixture::MakeUser("Ann");
    QCOMPARE(AddUser(dir.toStdString(), user), StoreResult::Done);
    const std::string out = f.services.FilePath(QStringLiteral("out.rtf")).toStdString();
    const CliRun exported =
        RunCli(dir, {"export-history", "tape", "--user", "Ann", "--output", out});
    QCOMPARE(exported.status, 1);
    QCOMPARE(QString::fromStdString(exported.err),
             QStringLiteral("vitalog-cli: No tape measurement records exist for user Ann\n"));
    QVERIFY(!QFile::exists(QString::fromStdString(out)));
    const CliRun printed = RunCli(dir, {"print-history", "bp", "--user", "Ann"});
    QCOMPARE(printed.status, 1);
    QCOMPARE(printed.out, std::string());
}

QTEST_MAIN(HistoryVerbsTest)
#include "HistoryVerbsTest.moc"
