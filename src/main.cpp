#include "shell/AppServices.h"
#include "shell/CMainFrame.h"
#include "shell/CVitalogApp.h"
#include "shell/Clock.h"
#include "shell/FileDialogs.h"
#include "shell/PrintService.h"
#include "shell/Prompter.h"
#include "shell/UrlOpener.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/vitalog.png")));

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

    vitalog::CVitalogApp vitalogApp(services);
    if (!vitalogApp.InitInstance(QApplication::arguments(),
                                 qEnvironmentVariable("VITALOG_DATA_DIR")))
        return 1;
    return QApplication::exec();
}
