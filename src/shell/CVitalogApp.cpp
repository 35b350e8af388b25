#include "CVitalogApp.h"

#include "CMainFrame.h"
#include "Screen.h"
#include "ScreenClass.h"
#include "backup/Backups.h"
#include "platform/Clock.h"
#include "platform/DataDirectory.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPalette>
#include <QRegularExpression>
#include <QSettings>
#include <QStyleFactory>

namespace vitalog {

namespace {

// Qt's own options, which QApplication takes off the command line (a session manager restarts
// the program with -session, for one).
constexpr const char* QtValueOptions[] = {"platform",
                                          "platformpluginpath",
                                          "platformtheme",
                                          "plugin",
                                          "qwindowgeometry",
                                          "geometry",
                                          "qwindowicon",
                                          "qwindowtitle",
                                          "session",
                                          "display",
                                          "name",
                                          "style",
                                          "stylesheet"};
constexpr const char* QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb"};

// A word the user can paste into a shell as it is.
QString ShellQuoted(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

CommandLine EndWith(int exitCode, const QString& output) {
    CommandLine result;
    result.run = false;
    result.exitCode = exitCode;
    result.output = output;
    return result;
}

// The command line alone; windowSystemNamed: whether it names the window system to use.
CommandLine Parse(const QStringList& arguments, bool* windowSystemNamed = nullptr) {
    const QString program = arguments.value(0, QStringLiteral("vitalog"));
    QCommandLineParser parser;
    // Qt's options are words after a single dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Vitalog, a body-composition diary for the users of one computer.\n\n"
                       "The records are kept in the folder given with --data-dir, else in the\n"
                       "folder named by the environment variable VITALOG_DATA_DIR, else in the\n"
                       "per-user data folder."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep the records in <folder>."),
                                     QStringLiteral("folder"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({dataDir, help, version});
    for (const char* name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const auto usageError = [&](const QString& error) {
        return EndWith(
            2,
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, error));
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        // Qt names the program only when an application object exists: name it ourselves.
        const QString text = parser.helpText();
        return EndWith(0, QStringLiteral("Usage: %1 [options]").arg(program) +
                              text.mid(text.indexOf(QLatin1Char('\n'))));
    }
    if (parser.isSet(version))
        return EndWith(0, QStringLiteral("Vitalog %1\n").arg(QStringLiteral(VITALOG_VERSION)));
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty())
        return usageError(QStringLiteral("Missing value after '--data-dir'."));

    if (windowSystemNamed)
        *windowSystemNamed =
            parser.isSet(QStringLiteral("platform")) || parser.isSet(QStringLiteral("display"));
    CommandLine result;
    result.dataDir = parser.value(dataDir);
    return result;
}

} // namespace

CVitalogApp::CVitalogApp(AppServices& services, ScreenRegistry screens)
    : m_services(services), m_screens(std::move(screens)) {}

CVitalogApp::~CVitalogApp() {
    delete m_mainFrame;
}

CommandLine CVitalogApp::ParseCommandLine(const QStringList& arguments,
                                          const QProcessEnvironment& environment) {
    bool windowSystemNamed = false;
    CommandLine result = Parse(arguments, &windowSystemNamed);
    if (!result.run || windowSystemNamed)
        return result;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(QString::fromLatin1(variable)).isEmpty())
            return result;
    }
    // Qt would abort with a core dump; say how to start without a desktop instead.
    QStringList command;
    for (const QString& argument : arguments)
        command << ShellQuoted(argument);
    const QString line = command.join(QLatin1Char(' '));
    return EndWith(1, QStringLiteral("No display found. Start Vitalog in a virtual X server with:\n"
                                     "    xvfb-run -a %1\n"
                                     "or without any window system with:\n"
                                     "    QT_QPA_PLATFORM=offscreen %1\n")
                          .arg(line));
}

bool CVitalogApp::InitInstance(const QStringList& arguments, const QString& dataDirEnvironment) {
    const CommandLine commandLine = Parse(arguments);
    if (!commandLine.run)
        return false;

    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Vitalog"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VITALOG_VERSION));
    QSettings settings; // the program's profile under "Kestrel Software" / "Vitalog"
    Q_UNUSED(settings);

    const QString directory = DataDirectory::Resolve(commandLine.dataDir, dataDirEnvironment);
    QString error;
    if (!DataDirectory::Prepare(directory, &error)) {
        m_services.prompter->Error(nullptr, error);
        return false;
    }
    m_lock = DataDirectory::Lock(directory);
    if (!m_lock) {
        m_services.prompter->Notice(
            nullptr,
            QStringLiteral("Vitalog is already running with the data folder %1.\n"
                           "Only one Vitalog can use a data folder at a time.")
                .arg(directory),
            QMessageBox::Warning);
        return false;
    }
    m_services.dataDirectory = directory;

    // Once a day, before any window can write a record. A failure is said once, after the
    // window is up: the records are as they were and the program goes on.
    const QDateTime now = m_services.clock->Now();
    const auto backup = MakeDailyBackup(m_services.DataPath(),
                                        MakeDateTimeKey(now.date().year(), now.date().month(),
                                                        now.date().day(), now.time().hour(),
                                                        now.time().minute(), now.time().second()));

    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        // Title and task bars show a small picture; desktops take the large one from the
        // installed .desktop entry. Decoding the 256 px picture took 7% of start-up.
        QGuiApplication::setDesktopFileName(QStringLiteral("vitalog"));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/vitalog-48.png")));
        // Dialogs: light grey with black text.
        QPalette dialogs = QApplication::palette();
        dialogs.setColor(QPalette::Window, QColor(223, 223, 223));
        dialogs.setColor(QPalette::WindowText, Qt::black);
        QApplication::setPalette(dialogs);
    }

    m_mainFrame = new CMainFrame(m_services, m_screens);
    m_mainFrame->SwitchScreen(ScreenClass::CUser);
    m_mainFrame->show();
    if (backup && !backup->ok)
        m_services.prompter->Notice(
            m_mainFrame,
            QStringLiteral("The daily backup of the data folder %1 failed:\n%2\n\n"
                           "Your records are unchanged and Vitalog goes on without the backup.")
                .arg(directory, QString::fromStdString(backup->error)),
            QMessageBox::Warning);
    return true;
}

} // namespace vitalog
