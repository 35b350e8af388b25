#pragma once

#include "ScreenRegistry.h"
#include "platform/AppServices.h"

#include <QLockFile>
#include <QPointer>
#include <QProcessEnvironment>
#include <QStringList>

#include <memory>

namespace vitalog {

class CMainFrame;

// What the command line asks for, decided before any window exists: start the program, or
// print a text and end.
struct CommandLine {
    bool run = true;
    // When not run: the exit status, and the text to print: on standard output for status 0
    // (help, version), else on standard error.
    int exitCode = 0;
    QString output;
    // The value of --data-dir; empty when it was not given.
    QString dataDir;
};

// Starts the program: settings, data directory, the single-instance lock, the main window and
// its first screen.
class CVitalogApp {
public:
    // The services are the caller's (main() passes the real ones, tests fakes);
    // services.dataDirectory is filled in by InitInstance.
    // screens: what the main window can show.
    CVitalogApp(AppServices& services, ScreenRegistry screens);
    ~CVitalogApp();

    // arguments: the program's, first the program itself. --help and --version, usage
    // errors, and a start with no window system to show on (environment) end the program
    // before it starts; Qt's own options (-platform, -style, ...) are let through.
    static CommandLine ParseCommandLine(const QStringList& arguments,
                                        const QProcessEnvironment& environment);

    // False when the program must end (folder unusable, another instance running, or a command
    // line that ParseCommandLine does not run).
    bool InitInstance(const QStringList& arguments, const QString& dataDirEnvironment);

    CMainFrame* MainFrame() const { return m_mainFrame; }

private:
    AppServices& m_services;
    ScreenRegistry m_screens;
    std::unique_ptr<QLockFile> m_lock;
    QPointer<CMainFrame> m_mainFrame;
};

} // namespace vitalog
