#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/PrintService.h"
#include "platform/Prompter.h"
#include "platform/UrlOpener.h"
#include "screens/ScreenCatalog.h"
#include "shell/CMainFrame.h"
#include "shell/CVitalogApp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Before QApplication: --help, --version and usage errors need no display, and without one
    // QApplication would abort.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const vitalog::CommandLine commandLine =
        vitalog::CVitalogApp::ParseCommandLine(arguments, QProcessEnvironment::systemEnvironment());
    if (!commandLine.run) {
        std::fputs(commandLine.output.toLocal8Bit().constData(),
                   commandLine.exitCode == 0 ? stdout : stderr);
        return commandLine.exitCode;
    }

    QApplication app(argc, argv);

    vitalog::MessageBoxPrompter prompter;
    vitalog::QtFileDialogs fileDialogs;
    vitalog::QtPrintService printService;
    vitalog::SystemClock clock;
    vitalog::AppServices services;
    services.prompter = &prompter;
    services.fileDialogs = &fileDialogs;
    services.printService = &printService;
    services.urlOpener = &vitalog::UrlOpener::System();
    services.clock = &clock;

    vitalog::CVitalogApp vitalogApp(services, vitalog::ProgramScreens());
    if (!vitalogApp.InitInstance(QApplication::arguments(),
                                 qEnvironmentVariable("VITALOG_DATA_DIR")))
        return 1;
    return QApplication::exec();
}
