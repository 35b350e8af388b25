// Start-up: the time to the first paint of the main window showing the user screen, on a data
// folder of 20 users, beside a bare QMainWindow with the same menu bar (same menus and items),
// measured in the same run and alternated with it. Runs offscreen. Two measures:
//
// - per process: from the start of main, QApplication included, in a fresh process each time
//   (this program started again as a child); what a user waits for;
// - in one process: services, CVitalogApp and InitInstance up to the first paint, repeated in
//   this process once Qt is warm; the cost of building the window alone.
//
// Prints the medians and their ratios (goal: at most 1.3).
//
//     startup_bench [repetitions]

#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/PrintService.h"
#include "platform/Prompter.h"
#include "platform/UrlOpener.h"
#include "records/Users.h"
#include "screens/ScreenCatalog.h"
#include "shell/CMainFrame.h"
#include "shell/CVitalogApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace vitalog;

constexpr int UserCount = 20;

// A box would wait for a click: the figures would mean nothing.
class NoBoxPrompter : public Prompter {
public:
    QMessageBox::StandardButton Show(QWidget*, const QString& title, const QString& text,
                                     QMessageBox::Icon, QMessageBox::StandardButtons) override {
        std::fprintf(stderr, "startup_bench: unexpected box \"%s: %s\"\n", qPrintable(title),
                     qPrintable(text));
        std::exit(1);
    }
};

// Waits for the first paint of a window. The whole window is painted in one pass, so the pass
// is over when the event loop next looks at its timers.
class FirstPaint : public QObject {
public:
    FirstPaint() { qApp->installEventFilter(this); }
    ~FirstPaint() override { qApp->removeEventFilter(this); }

    void Wait(QWidget* window) {
        m_window = window;
        m_loop.exec();
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (!m_painted && m_window && event->type() == QEvent::Paint && object->isWidgetType() &&
            static_cast<QWidget*>(object)->window() == m_window) {
            m_painted = true;
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QEventLoop m_loop;
    bool m_painted = false;
};

// The main window's menus as lines: a menu title, then its items indented by a tab ("-" for
// a separator). Passed to the child processes in a file.
QStringList MenusOf(QMainWindow& window) {
    QStringList lines;
    for (QAction* menuAction : window.menuBar()->actions()) {
        lines << menuAction->text();
        for (QAction* item : menuAction->menu()->actions())
            lines << QLatin1Char('\t') + (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    return lines;
}

// Milliseconds from timer to the main window's first paint.
double StartVitalog(const QElapsedTimer& timer, const QString& dataDir,
                    QStringList* menus = nullptr, QSize* size = nullptr) {
    FirstPaint paint;
    NoBoxPrompter prompter;
    QtFileDialogs fileDialogs;
    QtPrintService printService;
    SystemClock clock;
    AppServices services;
    services.prompter = &prompter;
    services.fileDialogs = &fileDialogs;
    services.printService = &printService;
    services.urlOpener = &UrlOpener::System();
    services.clock = &clock;
    CVitalogApp vitalogApp(services, ProgramScreens());
    if (!vitalogApp.InitInstance({QStringLiteral("vitalog"), QStringLiteral("--data-dir"), dataDir},
                                 QString())) {
        std::fprintf(stderr, "startup_bench: Vitalog did not start\n");
        std::exit(1);
    }
    paint.Wait(vitalogApp.MainFrame());
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (menus)
        *menus = MenusOf(*vitalogApp.MainFrame());
    if (size)
        *size = vitalogApp.MainFrame()->size();
    return ms;
}

double StartBare(const QElapsedTimer& timer, const QStringList& menus, QSize size) {
    FirstPaint paint;
    QMainWindow window;
    QMenu* menu = nullptr;
    for (const QString& line : menus) {
        if (!line.startsWith(QLatin1Char('\t')))
            menu = window.menuBar()->addMenu(line);
        else if (line == QStringLiteral("\t-"))
            menu->addSeparator();
        else
            menu->addAction(line.mid(1));
    }
    window.resize(size);
    window.show();
    paint.Wait(&window);
    return double(timer.nsecsElapsed()) / 1e6;
}

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void QuietOffscreen() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    // The offscreen platform warns about every window; only failures matter here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
}

// The child: startup_bench --child vitalog DIR | bare MENUFILE WIDTH HEIGHT. Prints the
// milliseconds from the start of main to the first paint.
int Child(int argc, char* argv[]) {
    QElapsedTimer timer;
    timer.start();
    QuietOffscreen();
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    double ms = 0;
    if (args.value(2) == QStringLiteral("vitalog")) {
        ms = StartVitalog(timer, args.value(3));
    } else {
        QFile file(args.value(3));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QStringList menus = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        ms = StartBare(timer, menus, QSize(args.value(4).toInt(), args.value(5).toInt()));
    }
    std::printf("%.3f\n", ms);
    return 0;
}

double RunChild(const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--child")} + arguments);
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        std::fprintf(stderr, "startup_bench: child %s failed\n", qPrintable(arguments.join(' ')));
        std::exit(1);
    }
    return child.readAllStandardOutput().trimmed().toDouble();
}

void Report(const char* title, double vitalog, double bare) {
    std::printf("%s\n", title);
    std::printf("  Vitalog main window, user screen  %8.2f ms\n", vitalog);
    std::printf("  bare QMainWindow, same menus      %8.2f ms\n", bare);
    std::printf("  ratio                             %8.2f     (goal: at most 1.3)\n",
                vitalog / bare);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return Child(argc, argv);

    QuietOffscreen();
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    QTemporaryDir dir;
    for (int i = 1; i <= UserCount; ++i) {
        UserRecord user;
        user.SetName(("User " + std::to_string(i)).c_str());
        user.weight = 150 + i;
        user.age = 20 + i;
        user.units = 1;
        user.lengthUnits = 3;
        user.desiredBodyFat = 15;
        user.sex = 1 + i % 2;
        if (AddUser(dir.path().toStdString(), user) != StoreResult::Done) {
            std::fprintf(stderr, "startup_bench: could not add user %d\n", i);
            return 1;
        }
    }

    // The first start installs db/ and warms Qt up; it is not counted.
    QStringList menus;
    QSize size;
    QElapsedTimer timer;
    timer.start();
    StartVitalog(timer, dir.path(), &menus, &size);
    Settle();
    timer.start();
    StartBare(timer, menus, size);
    Settle();

    std::vector<double> vitalog, bare;
    for (int i = 0; i < repetitions; ++i) {
        timer.start();
        bare.push_back(StartBare(timer, menus, size));
        Settle();
        timer.start();
        vitalog.push_back(StartVitalog(timer, dir.path()));
        Settle();
    }
    const double warmVitalog = Median(vitalog);
    const double warmBare = Median(bare);

    const QString menuFile = dir.filePath(QStringLiteral("menus.txt"));
    QFile file(menuFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(menus.join('\n').toUtf8()) < 0)
        return 1;
    file.close();
    const QStringList bareArgs{QStringLiteral("bare"), menuFile, QString::number(size.width()),
                               QString::number(size.height())};
    const QStringList vitalogArgs{QStringLiteral("vitalog"), dir.path()};
    vitalog.clear();
    bare.clear();
    RunChild(bareArgs); // the first process finds the disk cache cold
    for (int i = 0; i < repetitions; ++i) {
        bare.push_back(RunChild(bareArgs));
        vitalog.push_back(RunChild(vitalogArgs));
    }

    std::printf("Start-up to the first paint, %d users, offscreen, medians of %d runs\n", UserCount,
                repetitions);
    Report("From the start of main, one process per start:", Median(vitalog), Median(bare));
    Report("Building the window in a warm process (services, CVitalogApp, InitInstance):",
           warmVitalog, warmBare);
    return 0;
}
