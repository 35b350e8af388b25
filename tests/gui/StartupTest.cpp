#include "MainWindowFixture.h"
#include "TestServices.h"
#include "platform/DataDirectory.h"
#include "records/Users.h"
#include "screens/ScreenCatalog.h"
#include "shell/CVitalogApp.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QStringList DbFiles{"calculator2.ico",  "tape.ico",        "bmi.ico",
                          "bp.ico",           "history_bf.ico",  "history_tp.ico",
                          "history_bp.ico",   "history_bmi.ico", "history_usr.ico",
                          "bodyfatchart.bmp", "BMI.bmp",         "bloodpressure.bmp"};

const QString IconError = QStringLiteral("Error loading ICONS.  Please re-install Vitalog");

// Every file under a folder with its contents, to show that nothing changed.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files[QDir(folder).relativeFilePath(path)] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<folder>");
    }
    return files;
}

QStringList Args(const QString& line) {
    QStringList args{QStringLiteral("vitalog")};
    if (!line.isEmpty())
        args << line.split(QLatin1Char(' '));
    return args;
}

QProcessEnvironment Environment(const QString& assignments) {
    QProcessEnvironment environment;
    for (const QString& assignment : assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        environment.insert(assignment.left(eq), assignment.mid(eq + 1));
    }
    return environment;
}

const QString Version = QStringLiteral("Vitalog " VITALOG_VERSION "\n");

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void folderWithoutDbReceivesIt_data();
    void folderWithoutDbReceivesIt();
    void existingDbIsLeftAsItIs_data();
    void existingDbIsLeftAsItIs();
    void commandLineOutcomes_data();
    void commandLineOutcomes();
    void dataFolderChoice_data();
    void dataFolderChoice();
    void noDisplaySaysHowToStart_data();
    void noDisplaySaysHowToStart();
    void programAnswersOnItsStreams_data();
    void programAnswersOnItsStreams();
};

void StartupTest::folderWithoutDbReceivesIt_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("withRecords");
    QTest::newRow("new folder") << false << false;
    QTest::newRow("empty folder made by hand") << true << false;
    QTest::newRow("folder holding copied record files") << true << true;
}

void StartupTest::folderWithoutDbReceivesIt() {
    QFETCH(bool, exists);
    QFETCH(bool, withRecords);
    TestServices services(/*withDb=*/false);
    const QString dir = services.DataDir() + QStringLiteral("/data");
    QFile::Permissions permissions;
    QByteArray users;
    if (exists) {
        QVERIFY(QDir().mkpath(dir));
        // Readable by others, as a folder made by hand may be: ours to use, not to change.
        permissions = QFileInfo(dir).permissions();
        if (withRecords) {
            UserRecord ann = MainWindowFixture::MakeUser("Ann");
            QCOMPARE(AddUser(dir.toStdString(), ann), StoreResult::Done);
            users = services.ReadFile(QStringLiteral("data/user.bin"));
            QVERIFY(!users.isEmpty());
        }
    }

    CVitalogApp app(services.services, ProgramScreens());
    QVERIFY(app.InitInstance(Args(QStringLiteral("--data-dir ") + dir), QString()));
    QCOMPARE(services.prompter.Boxes().size(), 0);
    QVERIFY(app.MainFrame());
    for (const QString& name : DbFiles)
        QVERIFY2(QFileInfo(dir + QStringLiteral("/db/") + name).size() > 0, qPrintable(name));

    if (exists)
        QCOMPARE(QFileInfo(dir).permissions(), permissions);
    else
        QCOMPARE(QFileInfo(dir).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
    if (withRecords) {
        QCOMPARE(services.services.dataDirectory, dir);
        QCOMPARE(services.ReadFile(QStringLiteral("user.bin")), users);
        auto* list = app.MainFrame()->findChild<QComboBox*>(QStringLiteral("userList"));
        QVERIFY(list);
        QCOMPARE(list->findText(QStringLiteral("Ann")), 1);
    }
}

void StartupTest::existingDbIsLeftAsItIs_data() {
    QTest::addColumn<QStringList>("removed");
    QTest::newRow("one icon missing") << QStringList{QStringLiteral("tape.ico")};
    QTest::newRow("empty db folder") << DbFiles;
}

void StartupTest::existingDbIsLeftAsItIs() {
    QFETCH(QStringList, removed);
    TestServices services(/*withDb=*/true);
    const QString dir = services.DataDir();
    for (const QString& name : removed)
        QVERIFY(QFile::remove(dir + QStringLiteral("/db/") + name));
    const QMap<QString, QByteArray> before = Snapshot(dir + QStringLiteral("/db"));

    services.prompter.ExpectOk();
    CVitalogApp app(services.services, ProgramScreens());
    QVERIFY(app.InitInstance(Args(QStringLiteral("--data-dir=") + dir), QString()));
    QCOMPARE(services.prompter.Texts(), QStringList{IconError});
    QCOMPARE(services.prompter.Last().title, QStringLiteral("Error"));
    QVERIFY(app.MainFrame());
    QCOMPARE(Snapshot(dir + QStringLiteral("/db")), before);
}

void StartupTest::commandLineOutcomes_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<bool>("run");
    QTest::addColumn<int>("exitCode");
    // Exact text, or its start when it ends in "...".
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("dataDir");

    const QString unknown = QStringLiteral(
        "vitalog: Unknown option 'bogus'.\nTry 'vitalog --help' for more information.\n");
    const QString missing = QStringLiteral("vitalog: Missing value after '--data-dir'.\n"
                                           "Try 'vitalog --help' for more information.\n");
    QTest::newRow("nothing") << "" << true << 0 << ""
                             << "";
    QTest::newRow("--data-dir DIR") << "--data-dir /d" << true << 0 << ""
                                    << "/d";
    QTest::newRow("--data-dir=DIR") << "--data-dir=rel/d" << true << 0 << ""
                                    << "rel/d";
    QTest::newRow("last --data-dir counts") << "--data-dir /a --data-dir=/b" << true << 0 << ""
                                            << "/b";
    QTest::newRow("Qt's own options pass")
        << "-platform offscreen -style Fusion -reverse --data-dir /d -session 1a2b" << true << 0
        << ""
        << "/d";
    QTest::newRow("--help") << "--help" << false << 0 << "Usage: vitalog [options]\n..."
                            << "";
    QTest::newRow("-h") << "-h --data-dir /d" << false << 0 << "Usage: vitalog [options]\n..."
                        << "";
    QTest::newRow("--version") << "--version" << false << 0 << Version << "";
    QTest::newRow("-v") << "-v" << false << 0 << Version << "";
    QTest::newRow("unknown option") << "--bogus" << false << 2 << unknown << "";
    QTest::newRow("unknown option beside --help")
        << "--help --bogus" << false << 2 << unknown << "";
    QTest::newRow("--data-dir without folder") << "--data-dir" << false << 2 << missing << "";
    QTest::newRow("--data-dir= without folder") << "--data-dir=" << false << 2 << missing << "";
    QTest::newRow("stray argument")
        << "user.bin" << false << 2
        << "vitalog: Unexpected argument 'user.bin'.\nTry 'vitalog --help' for more information.\n"
        << "";
}

void StartupTest::commandLineOutcomes() {
    QFETCH(QString, arguments);
    QFETCH(bool, run);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, dataDir);
    const CommandLine result =
        CVitalogApp::ParseCommandLine(Args(arguments), Environment(QStringLiteral("DISPLAY=:0")));
    QCOMPARE(result.run, run);
    QCOMPARE(result.exitCode, exitCode);
    if (output.endsWith(QStringLiteral("...")))
        QVERIFY2(result.output.startsWith(output.chopped(3)), qPrintable(result.output));
    else
        QCOMPARE(result.output, output);
    QCOMPARE(result.dataDir, dataDir);
    if (arguments == QStringLiteral("--help")) {
        // Our options are explained, Qt's stay out of the way.
        for (const char* text :
             {"--data-dir <folder>", "-h, --help", "-v, --version", "VITALOG_DATA_DIR"})
            QVERIFY2(result.output.contains(QLatin1String(text)), text);
        QVERIFY(!result.output.contains(QStringLiteral("platform")));
    }
}

void StartupTest::dataFolderChoice_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("folder");
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QTest::newRow("option before environment") << "--data-dir /opt/a/"
                                               << "/env"
                                               << "/opt/a";
    QTest::newRow("joined option before environment") << "--data-dir=/opt/b"
                                                      << "/env"
                                                      << "/opt/b";
    QTest::newRow("relative option") << "--data-dir=x/../y"
                                     << "" << QDir::currentPath() + "/y";
    QTest::newRow("environment") << ""
                                 << "/env/c"
                                 << "/env/c";
    QTest::newRow("per-user folder") << ""
                                     << "" << perUser;
}

void StartupTest::dataFolderChoice() {
    QFETCH(QString, arguments);
    QFETCH(QString, environment);
    QFETCH(QString, folder);
    const CommandLine commandLine =
        CVitalogApp::ParseCommandLine(Args(arguments), Environment(QStringLiteral("DISPLAY=:0")));
    QVERIFY(commandLine.run);
    QCOMPARE(DataDirectory::Resolve(commandLine.dataDir, environment), folder);
}

void StartupTest::noDisplaySaysHowToStart_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<int>("exitCode"); // -1: the program starts
    // With exit status 1: the command the message offers to paste.
    QTest::addColumn<QString>("command");
    QTest::newRow("nothing set") << Args("") << "" << 1 << "vitalog";
    QTest::newRow("empty variables count as unset")
        << Args("") << "DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=" << 1 << "vitalog";
    QTest::newRow("arguments repeated, quoted for the shell")
        << QStringList{"build/vitalog", "--data-dir", "/home/ann/Ann's data"} << "" << 1
        << "build/vitalog --data-dir '/home/ann/Ann'\\''s data'";
    QTest::newRow("X display") << Args("") << "DISPLAY=:0" << -1 << "";
    QTest::newRow("Wayland display") << Args("") << "WAYLAND_DISPLAY=wayland-0" << -1 << "";
    QTest::newRow("platform chosen") << Args("") << "QT_QPA_PLATFORM=offscreen" << -1 << "";
    QTest::newRow("-platform option") << Args("-platform offscreen") << "" << -1 << "";
    QTest::newRow("-display option") << Args("-display :1") << "" << -1 << "";
    QTest::newRow("--help needs no display") << Args("--help") << "" << 0 << "";
    QTest::newRow("--version needs no display") << Args("--version") << "" << 0 << "";
    QTest::newRow("usage error first") << Args("--bogus") << "" << 2 << "";
}

void StartupTest::noDisplaySaysHowToStart() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, command);
    const CommandLine result = CVitalogApp::ParseCommandLine(arguments, Environment(environment));
    QCOMPARE(result.run, exitCode < 0);
    if (exitCode >= 0)
        QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 1)
        QCOMPARE(result.output,
                 QStringLiteral("No display found. Start Vitalog in a virtual X server with:\n"
                                "    xvfb-run -a %1\n"
                                "or without any window system with:\n"
                                "    QT_QPA_PLATFORM=offscreen %1\n")
                     .arg(command));
}

void StartupTest::programAnswersOnItsStreams_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // starts with
    QTest::addColumn<QString>("err"); // contains
    QTest::newRow("--help") << "--help" << 0 << "Usage: " VITALOG_BINARY " [options]\n"
                            << "";
    QTest::newRow("--version") << "--version" << 0 << Version << "";
    QTest::newRow("unknown option") << "--bogus" << 2 << ""
                                    << "Unknown option 'bogus'.";
    QTest::newRow("--data-dir without folder") << "--data-dir" << 2 << ""
                                               << "Missing value after '--data-dir'.";
    QTest::newRow("no display") << "--data-dir <folder>" << 1 << ""
                                << "No display found. Start Vitalog in a virtual X server with:\n"
                                   "    xvfb-run -a ";
}

void StartupTest::programAnswersOnItsStreams() {
    QFETCH(QString, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir home;
    // A folder the program must not create when it ends early.
    const QString folder = home.path() + QStringLiteral("/data");
    QStringList args = Args(arguments).mid(1);
    args.replaceInStrings(QStringLiteral("<folder>"), folder);

    QProcess program;
    // No display, no platform: only what a login without a desktop has.
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VITALOG_BINARY), args);
    QVERIFY(program.waitForFinished(30000));
    const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no abort, no core dump
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), qPrintable(stdErr));
    QVERIFY(!QFileInfo::exists(folder));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
