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

    vitalog::CVitalogApp vitalogApp(services, vitalog::ProgramScreens());
    if (!vitalogApp.InitInstance(QApplication::arguments(),
                                 qEnvironmentVariable("VITALOG_DATA_DIR")))
        return 1;
    return QApplication::exec();
}
