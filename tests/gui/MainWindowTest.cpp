#include "MainWindowFixture.h"
#include "calc/OtherCalc.h"
#include "screens/ScreenCatalog.h"
#include "shell/CVitalogApp.h"
#include "shell/CaptionBar.h"
#include "shell/CommandTable.h"
#include "shell/NavigationBar.h"
#include "shell/Screen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <memory>

using namespace vitalog;
using namespace vitalog::test;

namespace {

const QString UnsavedQuestion =
    QStringLiteral("Record has not been saved, would you like to continue without saving?");

// Every widget that triggers the command (toolbar buttons, navigation buttons).
QList<QWidget*> WidgetsFor(CMainFrame& frame, CommandId id) {
    QList<QWidget*> widgets;
    QAction* action = frame.Action(id);
    for (QToolButton* button : frame.findChildren<QToolButton*>())
        if (button->defaultAction() == action)
            widgets << button;
    return widgets;
}

QToolButton* NavButton(CMainFrame& frame, CommandId id) {
    for (QToolButton* button : frame.Navigation()->findChildren<QToolButton*>())
        if (button->defaultAction() == frame.Action(id))
            return button;
    return nullptr;
}

QString Describe(const QWidget* widget) {
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QLatin1String(widget->metaObject()->className()),
             QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget))
                 ->text(QAccessible::Name),
             widget->objectName());
}

QString DoubleSizeName(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// The scale a program runs at is fixed when it starts: a test that checks what 200 % shows runs
// its function again in a second run of this program at that scale, and passes when it passes.
// Nothing to do in that second run.
void AlsoAtTwiceTheScale() {
    if (qApp->devicePixelRatio() >= 2)
        return;
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        function += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY(run.waitForFinished(60000));
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
             run.readAll().constData());
}

// The picture a screen at the program's scale shows: the "@2x" file at 200 %.
QImage PictureAtScale(const QString& path) {
    return QImage(qApp->devicePixelRatio() >= 2 ? DoubleSizeName(path) : path);
}

// Whether the picture appears pixel for pixel somewhere in the image, where it is opaque (its
// soft edges blend with what is behind).
bool Shows(const QImage& image, const QImage& picture) {
    const QImage pic = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage img = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (pic.isNull() || pic.width() > img.width() || pic.height() > img.height())
        return false;
    for (int y = 0; y + pic.height() <= img.height(); ++y)
        for (int x = 0; x + pic.width() <= img.width(); ++x) {
            bool same = true;
            for (int j = 0; same && j < pic.height(); ++j) {
                const auto* a = reinterpret_cast<const QRgb*>(pic.constScanLine(j));
                const auto* b = reinterpret_cast<const QRgb*>(img.constScanLine(y + j)) + x;
                for (int i = 0; same && i < pic.width(); ++i)
                    same = qAlpha(a[i]) < 255 || a[i] == b[i];
            }
            if (same)
                return true;
        }
    return false;
}

// Presses Tab from the focused widget until the focus comes back round; every stop on the way,
// in order. At each stop `visit` runs with the stop focused (and leaves it focused).
QList<QWidget*> WalkTabChain(const std::function<void(QWidget*)>& visit = {}) {
    QList<QWidget*> stops;
    for (int i = 0; i < 200; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* stop = QApplication::focusWidget();
        if (!stop || (!stops.isEmpty() && stop == stops.first()))
            break;
        stops << stop;
        if (visit)
            visit(stop);
    }
    return stops;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithNoUserAndReadyFurniture();
    void menusHoldTheCommandsInOrder();
    void commandsNeedingUserFollowSelection();
    void unsavedEditsAskBeforeSwitching();
    void exitAndCloseAskAboutUnsavedEdits();
    void historyCommandRebuildsViewEachTime();
    void usersCommandDeselects();
    void navigationPagesFollowCommands();
    void promptsGoToStatusBarAndTooltips();
    void missingIconsReportedOnceWithFallbacks();
    void secondInstanceOnSameDataDirectoryIsRefused();
    void lockLeftByCrashedProgramDoesNotBlock();
    void navigationBarToggles();
    void everyTabStopShowsFocus_data();
    void everyTabStopShowsFocus();
    void narrowWindowKeepsToolbarWithinReach();
    void pageHeadersOpenPagesFromKeyboard();
    void menusShowPromptsWithoutTooltips();
    void barsContextMenuOffersOnlyTheNavigationBar();
    void navigationIconsFromDataFolder_data();
    void navigationIconsFromDataFolder();
    void toolbarAndMenuImagesSharpAtTwiceTheScale();
};

void MainWindowTest::startsWithNoUserAndReadyFurniture() {
    MainWindowFixture f;
    QCOMPARE(f.Frame().windowTitle(), QStringLiteral("Vitalog"));
    QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: No User Selected"));
    // Screen readers hear the caption's own text.
    QCOMPARE(QAccessible::queryAccessibleInterface(f.Frame().Caption())->text(QAccessible::Name),
             QStringLiteral("Current User: No User Selected"));
    QCOMPARE(f.Frame().Caption()->font().pixelSize(), 16);
    QVERIFY(f.Frame().Caption()->font().bold());
    QVERIFY(!f.Frame().IsUserSelected());
    QVERIFY(f.Frame().SavedFlag);
    QVERIFY(!f.Frame().PendingCalculation);
    QVERIFY(f.Frame().CurrentScreen());
    QCOMPARE(f.Frame().palette().color(QPalette::Window), QColor(191, 219, 255));

    auto* toolbar = f.Frame().findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QVERIFY(toolbar);
    QStringList labels;
    for (QAction* action : toolbar->actions())
        labels << action->iconText();
    QCOMPARE(labels, (QStringList{"User(s)", "Body Fat", "History", "Slideshow", "Graph", "Print",
                                  "Export", "Website", "Buy"}));
    QCOMPARE(toolbar->iconSize(), QSize(32, 32));
    QCOMPARE(toolbar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    auto* ready = f.Frame().statusBar()->findChild<QLabel*>(QStringLiteral("readyPane"));
    QVERIFY(ready);
    QCOMPARE(ready->text(), QStringLiteral("Ready"));
    for (const char* pane : {"capPane", "numPane", "scrlPane"})
        QVERIFY(f.Frame().statusBar()->findChild<QLabel*>(QString::fromLatin1(pane)));

    QToolBox* pages = f.Frame().Navigation()->Pages();
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->itemText(0), QStringLiteral("Calculators"));
    QCOMPARE(pages->itemText(1), QStringLiteral("History"));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void MainWindowTest::menusHoldTheCommandsInOrder() {
    MainWindowFixture f;
    QStringList menus;
    QList<QStringList> items;
    for (QAction* menuAction : f.Frame().menuBar()->actions()) {
        menus << menuAction->text();
        QStringList texts;
        for (QAction* item : menuAction->menu()->actions())
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        items << texts;
    }
    QCOMPARE(menus, (QStringList{"&File", "Calculate", "Options", "History", "&Help"}));
    QCOMPARE(items[0], (QStringList{"User(s)", "Print...", "Export", "Import from Scale App...",
                                    "-", "Exit"}));
    QCOMPARE(items[1], (QStringList{"Body Fat", "Tape", "BMI/BMR", "Blood Pressure", "-",
                                    "Delete Body Fat"}));
    QCOMPARE(items[2], (QStringList{"Slideshow", "Graph"}));
    QCOMPARE(items[3], (QStringList{"Body Fat", "Tape", "BMI/BMR", "Blood Pressure", "All Users",
                                    "-", "Clear View"}));
    QCOMPARE(items[4], (QStringList{"&About Vitalog...", "-", "User Profile", "Calculate Body Fat",
                                    "Body Fat Measurement Sites", "Body Composition Results",
                                    "Record Tape Measurements", "Calculate BMI/BMR", "History ",
                                    "Graphing", "Slideshow", "Blood Pressure"}));
    // Sixteen menu commands carry images.
    int withImages = 0;
    for (QAction* menuAction : f.Frame().menuBar()->actions())
        for (QAction* item : menuAction->menu()->actions())
            withImages += item->icon().isNull() ? 0 : 1;
    QCOMPARE(withImages, 16);
}

void MainWindowTest::commandsNeedingUserFollowSelection() {
    MainWindowFixture f;
    const QList<CommandId> alwaysOn = {CommandId::FileUsers,       CommandId::ToolbarUsers,
                                       CommandId::ToolbarBuy,      CommandId::FileExit,
                                       CommandId::HelpAbout,       CommandId::ToolbarWebsite,
                                       CommandId::HelpUserProfile, CommandId::HelpMeasurementSites,
                                       CommandId::HelpHistory};
    for (int selected = 0; selected < 2; ++selected) {
        if (selected)
            f.SelectUser(MainWindowFixture::MakeUser("Ann"));
        for (const CommandInfo& info : AllCommands()) {
            if (!info.needsUser)
                continue;
            QAction* action = f.Frame().Action(info.id);
            QCOMPARE(action->isEnabled(), bool(selected));
            for (QWidget* widget : WidgetsFor(f.Frame(), info.id))
                QCOMPARE(widget->isEnabled(), bool(selected));
        }
        for (CommandId id : alwaysOn)
            QVERIFY(f.Frame().Action(id)->isEnabled());
        // The empty first screen has no report to print or export.
        QVERIFY(!f.Frame().Action(CommandId::FilePrint)->isEnabled());
        QVERIFY(!f.Frame().Action(CommandId::ToolbarExport)->isEnabled());
    }
    // All nine navigation buttons exist and are enabled with a user.
    for (CommandId id : {CommandId::NavBodyFat, CommandId::NavTape, CommandId::NavBmiBmr,
                         CommandId::NavBloodPressure, CommandId::NavHistoryAllUsers,
                         CommandId::NavHistoryBloodPressure, CommandId::NavHistoryBmiBmr,
                         CommandId::NavHistoryTape, CommandId::NavHistoryBodyFat}) {
        QToolButton* button = NavButton(f.Frame(), id);
        QVERIFY(button);
        QVERIFY(button->isEnabled());
        QCOMPARE(button->accessibleName(), QString::fromUtf8(CommandInfoFor(id).text));
    }
    // Writing CurrentUser directly (as the screens do) is picked up when the program idles.
    f.Frame().CurrentUser.active = 0;
    QEventLoop idle;
    QTimer::singleShot(20, &idle, &QEventLoop::quit);
    idle.exec();
    QVERIFY(!f.Frame().Action(CommandId::CalcTape)->isEnabled());
}

void MainWindowTest::unsavedEditsAskBeforeSwitching() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    QPointer<Screen> before = f.Frame().CurrentScreen();
    f.Frame().SavedFlag = false;

    f.Prompter().Answer(QMessageBox::No);
    f.Frame().Action(CommandId::CalcTape)->trigger();
    QCOMPARE(f.Prompter().Boxes().size(), 1);
    const ShownBox box = f.Prompter().Last();
    QCOMPARE(box.title, QStringLiteral("Question"));
    QCOMPARE(box.text, UnsavedQuestion);
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(f.Frame().CurrentScreen(), before.data());
    QVERIFY(!f.Frame().SavedFlag);

    f.Prompter().Answer(QMessageBox::Yes);
    QTest::mouseClick(NavButton(f.Frame(), CommandId::NavTape), Qt::LeftButton);
    QCOMPARE(f.Prompter().Boxes().size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(before.isNull());
    QVERIFY(f.Frame().SavedFlag);

    f.Frame().Action(CommandId::HistoryClearView)->trigger();
    QCOMPARE(f.Prompter().Boxes().size(), 2);
    QVERIFY(f.Prompter().Unexpected().isEmpty());

    // "Buy" asks too; No opens nothing.
    f.Frame().SavedFlag = false;
    f.Prompter().Answer(QMessageBox::No);
    f.Frame().Action(CommandId::ToolbarBuy)->trigger();
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    QCOMPARE(f.Prompter().Last().text, UnsavedQuestion);
    QVERIFY(f.Frame().findChildren<QDialog*>().isEmpty());

    // Commands that do not switch screens never ask.
    f.Frame().SavedFlag = false;
    f.Frame().Action(CommandId::HelpUserProfile)->trigger();
    f.Frame().Action(CommandId::HelpGraphing)->trigger();
    f.Frame().Execute(CommandId::ToggleNavigationBar);
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    f.Frame().SavedFlag = true;
}

void MainWindowTest::exitAndCloseAskAboutUnsavedEdits() {
    MainWindowFixture f;
    f.Frame().SavedFlag = false;
    f.Prompter().Answer(QMessageBox::No);
    f.Frame().Action(CommandId::FileExit)->trigger();
    QCOMPARE(f.Prompter().Texts(), QStringList{UnsavedQuestion});
    QVERIFY(f.Frame().isVisible());

    f.Prompter().Answer(QMessageBox::No);
    f.Frame().close();
    QCOMPARE(f.Prompter().Boxes().size(), 2);
    QVERIFY(f.Frame().isVisible());

    f.Prompter().Answer(QMessageBox::Yes);
    f.Frame().Action(CommandId::FileExit)->trigger();
    QVERIFY(!f.Frame().isVisible());

    // Nothing unsaved: no question.
    f.Frame().show();
    f.Frame().Action(CommandId::FileExit)->trigger();
    QCOMPARE(f.Prompter().Boxes().size(), 3);
    QVERIFY(!f.Frame().isVisible());
}

void MainWindowTest::historyCommandRebuildsViewEachTime() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    struct Case {
        CommandId id;
        int mode;
    };
    const Case cases[] = {{CommandId::HistoryBodyFat, 1},       {CommandId::HistoryTape, 2},
                          {CommandId::HistoryBloodPressure, 3}, {CommandId::HistoryBmiBmr, 4},
                          {CommandId::HistoryAllUsers, 5},      {CommandId::HistoryClearView, 6},
                          {CommandId::ToolbarHistory, 1},       {CommandId::NavHistoryTape, 2},
                          {CommandId::NavHistoryAllUsers, 5}};
    for (const Case& c : cases) {
        QPointer<Screen> first;
        for (int round = 0; round < 2; ++round) {
            QPointer<Screen> previous = f.Frame().CurrentScreen();
            f.Frame().HistoryMode = 0;
            f.Frame().Action(c.id)->trigger();
            QVERIFY(previous != f.Frame().CurrentScreen());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(previous.isNull());
            QCOMPARE(f.Frame().HistoryMode, c.mode);
            QVERIFY(f.Frame().CurrentScreen());
        }
    }
    // Ann has no records: the tables say so, and nothing asks about unsaved edits.
    for (const ShownBox& box : f.Prompter().Boxes())
        QCOMPARE(box.title, QStringLiteral("Information"));
}

void MainWindowTest::usersCommandDeselects() {
    for (CommandId id : {CommandId::FileUsers, CommandId::ToolbarUsers}) {
        MainWindowFixture f;
        f.SelectUser(MainWindowFixture::MakeUser("Ann"));
        QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: Ann"));
        f.Frame().Action(id)->trigger();
        QVERIFY(!f.Frame().IsUserSelected());
        QCOMPARE(f.Frame().HistoryMode, int(CMainFrame::HistoryClear));
        QCOMPARE(f.Frame().Caption()->text(), QStringLiteral("Current User: No User Selected"));
        QVERIFY(!f.Frame().Action(CommandId::CalcBodyFat)->isEnabled());
        QVERIFY(!NavButton(f.Frame(), CommandId::NavHistoryBodyFat)->isEnabled());
    }
}

void MainWindowTest::navigationPagesFollowCommands() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    NavigationBar* nav = f.Frame().Navigation();
    f.Frame().Action(CommandId::HistoryBodyFat)->trigger();
    QCOMPARE(nav->ActivePage(), 2);
    f.Frame().Action(CommandId::OptionsGraph)->trigger();
    QCOMPARE(nav->ActivePage(), 2); // no page of its own
    f.Frame().Action(CommandId::CalcBmiBmr)->trigger();
    QCOMPARE(nav->ActivePage(), 1);
    // A pending calculation stays with the main window when the delete mode opens.
    f.Frame().PendingCalculation =
        std::make_unique<OtherCalc>(MainWindowFixture::MakeUser("Ann"), 20.0);
    BodyFatCalculation* pending = f.Frame().PendingCalculation.get();
    f.Frame().Action(CommandId::CalcDeleteBodyFat)->trigger();
    QCOMPARE(f.Frame().ResultsMode, int(CMainFrame::ResultsDelete));
    QCOMPARE(f.Frame().PendingCalculation.get(), pending);
    QCOMPARE(nav->ActivePage(), 1);
}

void MainWindowTest::promptsGoToStatusBarAndTooltips() {
    MainWindowFixture f;
    struct Case {
        CommandId id;
        const char* status;
        const char* tip;
    };
    const Case cases[] = {
        {CommandId::FileUsers, "Create or switch user", "User"},
        {CommandId::ToolbarUsers, "Create or Switch User", "Create, update, or switch user"},
        {CommandId::ToolbarBodyFat, "Calculate your body fat percentage",
         "Calculate your body fat percent"},
        {CommandId::ToolbarBuy, "Purchase a caliper", "Purchase a caliper"},
        {CommandId::NavHistoryBmiBmr, "BMI history", "BMI history"},
        {CommandId::OptionsGraph, "Graph", "Update Graph"},
        {CommandId::HistoryAllUsers, "Display all user profiles", "All Users"},
        {CommandId::FileExit, "Quit Vitalog", "Exit"},
    };
    for (const Case& c : cases) {
        QAction* action = f.Frame().Action(c.id);
        QCOMPARE(action->statusTip(), QString::fromUtf8(c.status));
        QCOMPARE(action->toolTip(), QString::fromUtf8(c.tip));
    }
}

void MainWindowTest::missingIconsReportedOnceWithFallbacks() {
    TestServices bare(/*withDb=*/false);
    bare.prompter.ExpectOk();
    CMainFrame frame(bare.services, ProgramScreens());
    QCOMPARE(bare.prompter.Boxes().size(), 1);
    const ShownBox box = bare.prompter.Last();
    QCOMPARE(box.title, QStringLiteral("Error"));
    QCOMPARE(box.text, QStringLiteral("Error loading ICONS.  Please re-install Vitalog"));
    QCOMPARE(box.icon, QMessageBox::Critical);

    // The bar still has every button, with icons, and its commands work.
    frame.CurrentUser = MainWindowFixture::MakeUser("Ann");
    frame.UpdateCommandStates();
    QToolButton* tape = NavButton(frame, CommandId::NavTape);
    QVERIFY(tape);
    QVERIFY(!tape->icon().isNull());
    QCOMPARE(frame.Navigation()->findChildren<QToolButton*>().size(), 9);
    frame.show();
    bare.prompter.ExpectOk(); // Ann has no tape records
    QTest::mouseClick(NavButton(frame, CommandId::NavHistoryTape), Qt::LeftButton);
    QCOMPARE(frame.HistoryMode, 2);
    // No second icon error: only the table's own message follows.
    QCOMPARE(bare.prompter.Texts().mid(1),
             QStringList{QStringLiteral("No tape measurement records exist for user Ann")});
}

void MainWindowTest::secondInstanceOnSameDataDirectoryIsRefused() {
    TestServices first(false);
    TestServices second(false);
    const QString dir = first.DataDir() + QStringLiteral("/shared");
    const QStringList args{QStringLiteral("vitalog"), QStringLiteral("--data-dir"), dir};

    CVitalogApp app1(first.services, ProgramScreens());
    QVERIFY(app1.InitInstance(args, QString()));
    // A new folder receives the shipped db/ files, so no icon error.
    QVERIFY(first.prompter.Boxes().isEmpty());
    for (const char* name : {"calculator2.ico", "tape.ico", "bmi.ico", "bp.ico", "history_bf.ico",
                             "history_tp.ico", "history_bp.ico", "history_bmi.ico",
                             "history_usr.ico", "bodyfatchart.bmp", "BMI.bmp", "bloodpressure.bmp"})
        QVERIFY2(QFile::exists(dir + QStringLiteral("/db/") + QLatin1String(name)), name);
    QCOMPARE(first.services.dataDirectory, dir);
    QVERIFY(QFileInfo(dir).isDir());
    QCOMPARE(QFileInfo(dir).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
             QFileDevice::Permissions());

    second.prompter.ExpectOk();
    CVitalogApp app2(second.services, ProgramScreens());
    QVERIFY(!app2.InitInstance(args, QString()));
    QCOMPARE(second.prompter.Boxes().size(), 1);
    QVERIFY(second.prompter.Last().text.startsWith(QStringLiteral("Vitalog is already running")));
    QVERIFY(!app2.MainFrame());

    // The environment variable names the folder when no option does.
    TestServices third(false);
    third.prompter.ExpectOk();
    CVitalogApp app3(third.services, ProgramScreens());
    QVERIFY(!app3.InitInstance({QStringLiteral("vitalog")}, dir));
}

void MainWindowTest::lockLeftByCrashedProgramDoesNotBlock() {
    TestServices services(false);
    const QString dir = services.DataDir();
    // The lock of a program that ended without unlocking: a process id that is gone.
    QProcess gone;
    gone.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QFile lock(dir + QStringLiteral("/vitalog.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nvitalog\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();

    CVitalogApp app(services.services, ProgramScreens());
    QVERIFY(app.InitInstance({QStringLiteral("vitalog"), QStringLiteral("--data-dir"), dir},
                             QString()));
    QVERIFY(app.MainFrame());
}

void MainWindowTest::navigationBarToggles() {
    MainWindowFixture f;
    QAction* toggle = f.Frame().Action(CommandId::ToggleNavigationBar);
    QVERIFY(toggle);
    QVERIFY(toggle->isCheckable());
    QVERIFY(toggle->isChecked());
    QCOMPARE(toggle->statusTip(), QStringLiteral("Show or hide the toolbar"));
    f.Frame().Execute(CommandId::ToggleNavigationBar);
    QVERIFY(f.Frame().Navigation()->isHidden());
    QVERIFY(!toggle->isChecked());
    f.Frame().Execute(CommandId::ToggleNavigationBar);
    QVERIFY(!f.Frame().Navigation()->isHidden());
    QVERIFY(toggle->isChecked());
    // The keyboard brings back a bar closed with its close box.
    f.Frame().Navigation()->close();
    QVERIFY(!toggle->isChecked());
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    QTest::keyClick(&f.Frame(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!f.Frame().Navigation()->isHidden());
}

void MainWindowTest::everyTabStopShowsFocus_data() {
    QTest::addColumn<bool>("userSelected");
    QTest::addColumn<int>("width");
    QTest::newRow("no user") << false << 1024;
    QTest::newRow("user selected") << true << 1024; // the navigation buttons are stops too
    QTest::newRow("window narrower than the toolbar") << true << 500;
}

void MainWindowTest::everyTabStopShowsFocus() {
    QFETCH(bool, userSelected);
    QFETCH(int, width);
    MainWindowFixture f;
    if (userSelected)
        f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    f.Frame().resize(width, f.Frame().height());
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));

    QStringList invisible;
    const QList<QWidget*> stops = WalkTabChain([&invisible](QWidget* stop) {
        // A stop shows that it has the focus: it looks different with and without it.
        const QImage focused = stop->grab().toImage();
        stop->clearFocus();
        const QImage unfocused = stop->grab().toImage();
        stop->setFocus(Qt::TabFocusReason);
        if (focused == unfocused)
            invisible << Describe(stop);
    });
    QVERIFY2(invisible.isEmpty(), qPrintable(invisible.join(QStringLiteral(", "))));

    // The chain reaches the screen's fields, the toolbar, the navigation bar and its closed page.
    NavigationBar* nav = f.Frame().Navigation();
    QVERIFY(stops.contains(nav->PageHeader(NavigationBar::CalculatorsPage)));
    QVERIFY(stops.contains(nav->PageHeader(NavigationBar::HistoryPage)));
    QWidget* buy = WidgetsFor(f.Frame(), CommandId::ToolbarBuy).value(0);
    QCOMPARE(stops.contains(buy), buy->isVisible());
    QVERIFY(stops.contains(f.Frame().CurrentScreen()->findChild<QLineEdit*>()));
    QCOMPARE(stops.contains(NavButton(f.Frame(), CommandId::NavTape)), userSelected);
    // Hidden pages keep their buttons out of the chain.
    QVERIFY(!stops.contains(NavButton(f.Frame(), CommandId::NavHistoryTape)));
    for (QWidget* stop : stops)
        QVERIFY2(stops.count(stop) == 1, qPrintable(Describe(stop)));
}

void MainWindowTest::narrowWindowKeepsToolbarWithinReach() {
    MainWindowFixture f;
    f.Frame().resize(500, f.Frame().height());
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    QWidget* buy = WidgetsFor(f.Frame(), CommandId::ToolbarBuy).value(0);
    QVERIFY(!buy->isVisible());
    auto* more = f.Frame()
                     .findChild<QToolBar*>(QStringLiteral("mainToolBar"))
                     ->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    QVERIFY(more && more->isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(more)->text(QAccessible::Name),
             QStringLiteral("More Toolbar Buttons"));
    // Space on the extension button opens the bar wide; "Buy", found nowhere else, is then a stop.
    QVERIFY(WalkTabChain([](QWidget* stop) {
                if (stop->objectName() == QLatin1String("qt_toolbar_ext_button"))
                    QTest::keyClick(stop, Qt::Key_Space);
            }).contains(more));
    QTRY_VERIFY(buy->isVisible());
    QVERIFY(WalkTabChain().contains(buy));
}

void MainWindowTest::pageHeadersOpenPagesFromKeyboard() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    NavigationBar* nav = f.Frame().Navigation();
    QAbstractButton* history = nav->PageHeader(NavigationBar::HistoryPage);
    QAbstractButton* calculators = nav->PageHeader(NavigationBar::CalculatorsPage);
    QVERIFY(history && calculators);
    // Screen readers hear the page's name.
    QCOMPARE(QAccessible::queryAccessibleInterface(history)->text(QAccessible::Name),
             QStringLiteral("History"));

    struct Case {
        QAbstractButton* header;
        Qt::Key key;
        int page;
    };
    const Case cases[] = {{history, Qt::Key_Space, 2},
                          {calculators, Qt::Key_Return, 1},
                          {history, Qt::Key_Enter, 2},
                          {calculators, Qt::Key_Space, 1}};
    for (const Case& c : cases) {
        WalkTabChain([&c](QWidget* stop) {
            if (stop == c.header)
                QTest::keyClick(stop, c.key);
        });
        QCOMPARE(nav->ActivePage(), c.page);
    }
    // The open page's buttons follow its header in the chain.
    QList<QWidget*> stops = WalkTabChain();
    const qsizetype header = stops.indexOf(calculators);
    QVERIFY(header >= 0);
    QCOMPARE(stops.value(header + 1), NavButton(f.Frame(), CommandId::NavBodyFat));
    QVERIFY(f.Prompter().Boxes().isEmpty());
}

void MainWindowTest::menusShowPromptsWithoutTooltips() {
    MainWindowFixture f;
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    QMenu* file = f.Frame().menuBar()->actions().first()->menu();
    QAction* users = f.Frame().Action(CommandId::FileUsers);
    QVERIFY(!users->toolTip().isEmpty()); // it has one ("User") for its toolbar use

    file->popup(f.Frame().mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    file->setActiveAction(users);
    // The item's prompt goes to the status bar ...
    QCOMPARE(f.Frame().statusBar()->currentMessage(), QStringLiteral("Create or switch user"));
    // ... and resting the mouse on it shows no tooltip over the next item.
    const QPoint at = file->actionGeometry(users).center();
    QHelpEvent help(QEvent::ToolTip, at, file->mapToGlobal(at));
    QCoreApplication::sendEvent(file, &help);
    QVERIFY(!QToolTip::isVisible());
    for (QAction* menuAction : f.Frame().menuBar()->actions())
        QVERIFY2(!menuAction->menu()->toolTipsVisible(), qPrintable(menuAction->text()));
    file->hide();
}

void MainWindowTest::barsContextMenuOffersOnlyTheNavigationBar() {
    MainWindowFixture f;
    std::unique_ptr<QMenu> menu(f.Frame().createPopupMenu());
    QVERIFY(menu);
    QStringList offered;
    for (QAction* action : menu->actions())
        if (action->isVisible() && !action->isSeparator())
            offered << action->text();
    QCOMPARE(offered, QStringList{QStringLiteral("Navigation Bar")});
    // Screen readers name the toolbar by its title.
    auto* toolbar = f.Frame().findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QCOMPARE(QAccessible::queryAccessibleInterface(toolbar)->text(QAccessible::Name),
             QStringLiteral("Toolbar"));
}

void MainWindowTest::navigationIconsFromDataFolder_data() {
    QTest::addColumn<QString>("removed"); // from the data folder's db/
    QTest::addColumn<bool>("error");      // the icon error box
    QTest::addColumn<QString>("tapeShows");
    QTest::newRow("all files") << QString() << false << "db/tape.ico";
    QTest::newRow("no @2x file: the 1x one, no error") << "tape@2x.ico" << false << "db/tape.ico";
    QTest::newRow("no 1x file: error and fallbacks, even with its @2x file")
        << "tape.ico" << true << ":/images/fallback_calculators.png";
}

// At 100 % and at 200 %: the navigation bar shows the data folder's pictures, the @2x ones at
// 200 %, and falls back to the 1x file where one is missing.
void MainWindowTest::navigationIconsFromDataFolder() {
    QFETCH(QString, removed);
    QFETCH(bool, error);
    QFETCH(QString, tapeShows);
    TestServices services;
    const QString db = services.DataDir() + QStringLiteral("/db/");
    if (!removed.isEmpty())
        QVERIFY(QFile::remove(db + removed));
    if (error)
        services.prompter.ExpectOk();
    CMainFrame frame(services.services, ProgramScreens());
    QCOMPARE(services.prompter.Texts(),
             error ? QStringList{QStringLiteral("Error loading ICONS.  Please re-install Vitalog")}
                   : QStringList());
    frame.CurrentUser = MainWindowFixture::MakeUser("Ann");
    frame.UpdateCommandStates();
    frame.show();

    if (tapeShows.startsWith(QLatin1String("db/")))
        tapeShows = services.DataDir() + QLatin1Char('/') + tapeShows;
    const QImage tape = NavButton(frame, CommandId::NavTape)->grab().toImage();
    if (QFile::exists(DoubleSizeName(tapeShows)))
        QVERIFY(Shows(tape, PictureAtScale(tapeShows)));
    else // the 1x picture, enlarged at 200 %
        QCOMPARE(Shows(tape, QImage(tapeShows)), qApp->devicePixelRatio() < 2);
    // The other buttons show their own pictures.
    if (!error) {
        for (CommandId id :
             {CommandId::NavBodyFat, CommandId::NavHistoryAllUsers, CommandId::NavHistoryBodyFat}) {
            const QString name = db + QString::fromUtf8(CommandInfoFor(id).image);
            QVERIFY2(Shows(NavButton(frame, id)->grab().toImage(), PictureAtScale(name)),
                     qPrintable(name));
        }
    }
    AlsoAtTwiceTheScale();
}

// At 100 % and at 200 %: toolbar and menus show their own pictures, the @2x ones at 200 %.
void MainWindowTest::toolbarAndMenuImagesSharpAtTwiceTheScale() {
    MainWindowFixture f;
    f.SelectUser(MainWindowFixture::MakeUser("Ann"));
    for (CommandId id :
         {CommandId::ToolbarUsers, CommandId::ToolbarBodyFat, CommandId::ToolbarHistory,
          CommandId::ToolbarWebsite, CommandId::ToolbarBuy}) {
        const QString image = QString::fromUtf8(CommandInfoFor(id).image);
        QWidget* button = WidgetsFor(f.Frame(), id).value(0);
        QVERIFY(button);
        QVERIFY2(Shows(button->grab().toImage(), PictureAtScale(image)), qPrintable(image));
        // The hover image is there at both sizes whatever the scale the program started at, as
        // for a screen the window moves to.
        QString hot = image;
        hot.replace(QStringLiteral(".png"), QStringLiteral("_hot.png"));
        QCOMPARE(f.Frame().Action(id)->icon().pixmap(QSize(32, 32), 2.0, QIcon::Active).toImage(),
                 QImage(DoubleSizeName(hot)).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    int images = 0;
    for (QAction* menuAction : f.Frame().menuBar()->actions()) {
        QMenu* menu = menuAction->menu();
        menu->popup(f.Frame().mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QImage shown = menu->grab().toImage();
        for (QAction* item : menu->actions()) {
            const auto it =
                std::find_if(AllCommands().begin(), AllCommands().end(),
                             [&](const CommandInfo& c) { return f.Frame().Action(c.id) == item; });
            // Disabled items show a greyed picture.
            if (it == AllCommands().end() || !it->image || !item->isEnabled())
                continue;
            ++images;
            const QString image = QString::fromUtf8(it->image);
            QVERIFY2(Shows(shown, PictureAtScale(image)), qPrintable(image));
        }
        menu->hide();
    }
    QCOMPARE(images, 14); // all but Print and Export: the user screen has nothing to print
    AlsoAtTwiceTheScale();
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
