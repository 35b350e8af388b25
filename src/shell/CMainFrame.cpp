#include "CMainFrame.h"

#include "CaptionBar.h"
#include "CommandTable.h"
#include "FileIconEngine.h"
#include "NavigationBar.h"
#include "Screen.h"
#include "calc/BodyFatCalculation.h"
#include "help/HelpWindows.h"
#include "platform/AppServices.h"
#include "platform/Prompter.h"
#include "platform/SharpImage.h"
#include "resources/Resources.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <optional>

namespace vitalog {

namespace {

constexpr QColor ThemeBaseColour(191, 219, 255);

// Splits "status prompt\ntooltip"; a prompt without a line break has no separate tooltip.
QPair<QString, QString> SplitPrompt(const char* prompt) {
    const QString text = QString::fromUtf8(prompt);
    const qsizetype cut = text.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        return {text, QString()};
    return {text.left(cut), text.mid(cut + 1)};
}

// Adds a data-folder icon, read now (an unreadable one is reported at start-up) and scaled to
// size, and, when one lies beside it, its "@2x" file of twice the resolution, so that the icon
// is sharp at 200 % scaling, also on a screen the window moves to later. A missing "@2x" file
// is no error. False if the image is unreadable.
bool AddImageFile(QIcon& icon, const QString& path, QSize size) {
    QImageReader reader(path);
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    icon.addPixmap(QPixmap::fromImage(image));

    QImageReader sharpReader(DoubleSizeFile(path));
    sharpReader.setScaledSize(size * 2);
    QImage sharp = sharpReader.read();
    if (!sharp.isNull()) {
        sharp.setDevicePixelRatio(2);
        icon.addPixmap(QPixmap::fromImage(sharp));
    }
    return true;
}

// A built-in image with its "@2x" file and, if wanted and present, its "_hot" hover image.
QIcon ResourceIcon(const char* image, bool withHot) {
    // Navigation icons are data-directory files, loaded with the navigation bar.
    if (!image || image[0] != ':')
        return {};
    auto engine = std::make_unique<FileIconEngine>();
    const QString normal = QString::fromUtf8(image);
    if (engine->AddFile(normal, QIcon::Normal) && withHot) {
        QString hot = normal;
        hot.replace(QStringLiteral(".png"), QStringLiteral("_hot.png"));
        engine->AddFile(hot, QIcon::Active);
    }
    return engine->isNull() ? QIcon() : QIcon(engine.release());
}

} // namespace

CMainFrame::CMainFrame(AppServices& services, ScreenRegistry screens, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_registry(std::move(screens)) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("Vitalog"));
    InitResources();

    ApplyTheme();
    CheckColourDepth();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateNavigationBar();

    auto* client = new QScrollArea(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setWidgetResizable(true);
    client->setFrameShape(QFrame::NoFrame);
    // Tab goes through the screen's fields, which the area scrolls into view; the area itself
    // would be a stop that shows nothing.
    client->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(client);

    resize(1024, 740);
    CentreOnScreen();

    // Screens write CurrentUser directly; the command states follow before the next event.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMainFrame::UpdateCommandStates);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::ApplyTheme() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ThemeBaseColour);
    pal.setColor(QPalette::Button, ThemeBaseColour.lighter(108));
    setPalette(pal);
}

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : AllCommands()) {
        if (info.id == CommandId::ToggleNavigationBar)
            continue; // the dock's own toggle action, made with the bar
        auto* action = new QAction(QString::fromUtf8(info.text), this);
        const auto [status, tip] = SplitPrompt(info.prompt);
        action->setStatusTip(status);
        if (!tip.isEmpty())
            action->setToolTip(tip);
        action->setIcon(ResourceIcon(info.image, m_hoverImages));
        const CommandId id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_actions[id] = action;
    }
    m_actions[CommandId::FilePrint]->setShortcut(QKeySequence::Print);
    m_actions[CommandId::ScreenHelp]->setShortcut(QKeySequence::HelpContents);
    addAction(m_actions[CommandId::ScreenHelp]);

    // The menu bar's menus are also reachable from the keyboard with F10.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(Qt::Key_F10);
    connect(menuKey, &QAction::triggered, this, [this] {
        if (!menuBar()->actions().isEmpty()) {
            menuBar()->setFocus(Qt::ShortcutFocusReason);
            menuBar()->setActiveAction(menuBar()->actions().first());
        }
    });
    addAction(menuKey);
}

QAction* CMainFrame::Action(CommandId id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateMenus() {
    using C = CommandId;
    constexpr std::optional<C> rule; // a separator in the lists below
    auto add = [this](QMenu* menu, std::initializer_list<std::optional<C>> items) {
        for (const std::optional<C>& item : items) {
            if (item)
                menu->addAction(m_actions.at(*item));
            else
                menu->addSeparator();
        }
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    add(bar->addMenu(QStringLiteral("&File")),
        {C::FileUsers, C::FilePrint, C::FileExport, C::FileImportScale, rule, C::FileExit});
    add(bar->addMenu(QStringLiteral("Calculate")),
        {C::CalcBodyFat, C::CalcTape, C::CalcBmiBmr, C::CalcBloodPressure, rule,
         C::CalcDeleteBodyFat});
    add(bar->addMenu(QStringLiteral("Options")), {C::OptionsSlideshow, C::OptionsGraph});
    add(bar->addMenu(QStringLiteral("History")),
        {C::HistoryBodyFat, C::HistoryTape, C::HistoryBmiBmr, C::HistoryBloodPressure,
         C::HistoryAllUsers, rule, C::HistoryClearView});
    add(bar->addMenu(QStringLiteral("&Help")),
        {C::HelpAbout, rule, C::HelpUserProfile, C::HelpCalculateBodyFat, C::HelpMeasurementSites,
         C::HelpBodyCompositionResults, C::HelpTapeMeasurements, C::HelpBmiBmr, C::HelpHistory,
         C::HelpGraphing, C::HelpSlideshow, C::HelpBloodPressure});
    // Menus show no tooltips: a tooltip would cover the next item, and the status bar already
    // shows the item's prompt.
}

void CMainFrame::CreateToolBar() {
    // The title is what screen readers call the bar.
    auto* toolbar = addToolBar(QStringLiteral("Toolbar"));
    toolbar->setObjectName(QStringLiteral("mainToolBar"));
    // Not offered for hiding in the bars' context menu: some of its commands ("Buy") are
    // nowhere else, and no menu command would bring it back.
    toolbar->toggleViewAction()->setVisible(false);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setAllowedAreas(Qt::TopToolBarArea | Qt::RightToolBarArea | Qt::BottomToolBarArea);
    using C = CommandId;
    for (C id :
         {C::ToolbarUsers, C::ToolbarBodyFat, C::ToolbarHistory, C::ToolbarSlideshow,
          C::ToolbarGraph, C::ToolbarPrint, C::ToolbarExport, C::ToolbarWebsite, C::ToolbarBuy}) {
        QAction* action = m_actions.at(id);
        toolbar->addAction(action);
        if (QWidget* button = toolbar->widgetForAction(action)) {
            button->setAccessibleName(action->iconText());
            // Some commands ("Buy") live only here: the keyboard must reach them too.
            button->setFocusPolicy(Qt::TabFocus);
        }
    }
    // In a window too narrow for the toolbar its last buttons move behind the extension
    // button, which opens the bar wide; the keyboard reaches it too.
    if (auto* more = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"),
                                                      Qt::FindDirectChildrenOnly)) {
        more->setFocusPolicy(Qt::TabFocus);
        more->setAccessibleName(QStringLiteral("More Toolbar Buttons"));
    }

    // The caption bar spans the window under the toolbar.
    addToolBarBreak();
    auto* captionHolder = addToolBar(QStringLiteral("Caption"));
    captionHolder->setObjectName(QStringLiteral("captionToolBar"));
    captionHolder->setMovable(false);
    captionHolder->setFloatable(false);
    captionHolder->toggleViewAction()->setVisible(false);
    m_caption = new CaptionBar(captionHolder);
    captionHolder->addWidget(m_caption);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    auto* ready = new QLabel(QStringLiteral("Ready"), bar);
    ready->setObjectName(QStringLiteral("readyPane"));
    bar->addWidget(ready, 1);
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(indicator), bar);
        pane->setObjectName(QString::fromLatin1(indicator).toLower() + QStringLiteral("Pane"));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        // Lock-key states are not reported by the window system to us; the panes stay grey.
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
}

void CMainFrame::CreateNavigationBar() {
    m_navigation = new NavigationBar(this);
    const int calculators = m_navigation->AddPage(QStringLiteral("Calculators"));

    using C = CommandId;
    const C calculatorButtons[] = {C::NavBodyFat, C::NavTape, C::NavBmiBmr, C::NavBloodPressure};
    const C historyButtons[] = {C::NavHistoryBodyFat, C::NavHistoryTape, C::NavHistoryBmiBmr,
                                C::NavHistoryBloodPressure, C::NavHistoryAllUsers};

    // The nine icons are files of the data directory; all or none are used.
    std::map<C, QIcon> icons;
    bool allLoaded = true;
    for (const auto& group :
         {std::span<const C>(calculatorButtons), std::span<const C>(historyButtons)}) {
        for (C id : group) {
            const QString file = m_services.DbFile(QString::fromUtf8(CommandInfoFor(id).image));
            if (!AddImageFile(icons[id], file, QSize(32, 32))) {
                allLoaded = false;
                break;
            }
        }
    }
    if (!allLoaded) {
        m_services.prompter->Error(
            this, QStringLiteral("Error loading ICONS.  Please re-install Vitalog"));
        QIcon calcIcon = ResourceIcon(":/images/fallback_calculators.png", false);
        QIcon historyIcon = ResourceIcon(":/images/fallback_history.png", false);
        if (calcIcon.isNull())
            calcIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
        if (historyIcon.isNull())
            historyIcon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
        for (C id : calculatorButtons)
            icons[id] = calcIcon;
        for (C id : historyButtons)
            icons[id] = historyIcon;
    }

    for (C id : calculatorButtons) {
        m_actions.at(id)->setIcon(icons[id]);
        m_navigation->AddButton(calculators, m_actions.at(id));
    }
    const int history = m_navigation->AddPage(QStringLiteral("History"));
    for (C id : historyButtons) {
        m_actions.at(id)->setIcon(icons[id]);
        m_navigation->AddButton(history, m_actions.at(id));
    }
    m_navigation->ActivatePage(calculators);
    addDockWidget(Qt::LeftDockWidgetArea, m_navigation);

    QAction* toggle = m_navigation->toggleViewAction();
    const auto [status, tip] = SplitPrompt(CommandInfoFor(C::ToggleNavigationBar).prompt);
    toggle->setText(QString::fromUtf8(CommandInfoFor(C::ToggleNavigationBar).text));
    toggle->setStatusTip(status);
    toggle->setToolTip(tip);
    // Also from the keyboard, so a closed bar can always come back.
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    addAction(toggle);
    m_actions[C::ToggleNavigationBar] = toggle;
}

void CMainFrame::CheckColourDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->depth() < 16) {
        m_services.prompter->Notice(
            this,
            QStringLiteral(
                "You need to set the color quality to 16 or 32 bit to see this demo properly"),
            QMessageBox::NoIcon);
        m_hoverImages = false;
    }
}

void CMainFrame::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}

void CMainFrame::SwitchScreen(ScreenClass screenClass) {
    auto* client = static_cast<QScrollArea*>(centralWidget());
    // The old screen may be the one whose handler asked for the switch: it goes once that
    // handler has returned.
    if (QWidget* old = client->takeWidget()) {
        old->hide();
        old->deleteLater();
    }
    Screen* screen = m_registry.Create(screenClass, *this, m_services);
    m_screen = screen;
    m_screenClass = screenClass;
    client->setWidget(screen);
    screen->InitialUpdate();
    screen->show();
    screen->setFocus();
    UpdateCommandStates();
}

bool CMainFrame::ConfirmDiscard() {
    if (SavedFlag)
        return true;
    if (!m_services.prompter->AskYesNo(
            this, QStringLiteral(
                      "Record has not been saved, would you like to continue without saving?")))
        return false;
    SavedFlag = true;
    return true;
}

void CMainFrame::SetCurrentUserText(const QString& name) {
    m_caption->clear();
    m_caption->setText(QStringLiteral("Current User: ") + name);
    m_caption->update();
}

bool CMainFrame::CommandEnabled(const CommandInfo& info) const {
    switch (info.effect) {
    case Effect::Print:
        return m_screen && m_screen->CanPrint();
    case Effect::Export:
        return m_screen && m_screen->CanExport();
    case Effect::ScreenHelp:
        return m_screen && m_screen->HasHelp();
    case Effect::ImportScale:
        return IsUserSelected() && m_registry.HasCommand(info.id);
    default:
        if (info.id == CommandId::OptionsGraph && m_screen && m_screen->HandlesGraphMenu())
            return IsUserSelected() && m_screen->GraphMenuEnabled();
        return !info.needsUser || IsUserSelected();
    }
}

void CMainFrame::UpdateCommandStates() {
    // Runs whenever the program idles: one pass over the table, no lookups by id.
    for (const CommandInfo& info : AllCommands()) {
        if (info.id != CommandId::ToggleNavigationBar)
            m_actions.at(info.id)->setEnabled(CommandEnabled(info));
    }
}

void CMainFrame::Execute(CommandId id) {
    const CommandInfo& info = CommandInfoFor(id);
    if (!CommandEnabled(info))
        return;
    // Commands reach the shown screen first.
    if (m_screen) {
        switch (info.effect) {
        case Effect::Print:
            m_screen->OnPrint();
            return;
        case Effect::Export:
            m_screen->OnExport();
            return;
        case Effect::ScreenHelp:
            m_screen->OnHelp();
            return;
        default:
            break;
        }
        if (id == CommandId::OptionsGraph && m_screen->HandlesGraphMenu()) {
            m_screen->OnGraphMenu();
            return;
        }
    }
    if (info.asks && !ConfirmDiscard())
        return;

    switch (info.effect) {
    case Effect::Users:
        SetCurrentUserText(QStringLiteral("No User Selected"));
        CurrentUser.active = 0;
        HistoryMode = HistoryClear;
        SwitchScreen(ScreenClass::CUser);
        break;
    case Effect::ShowCalculator:
        SwitchScreen(ScreenClass::CCalcBF);
        break;
    case Effect::ShowTape:
        SwitchScreen(ScreenClass::CTapeMeasurement);
        break;
    case Effect::ShowBmiBmr:
        SwitchScreen(ScreenClass::CBMI_BMR);
        break;
    case Effect::ShowBloodPressure:
        SwitchScreen(ScreenClass::CBloodPressure);
        break;
    case Effect::DeleteBodyFat:
        ResultsMode = ResultsDelete;
        SwitchScreen(ScreenClass::CBodyFatResults);
        break;
    case Effect::ShowSlideshow:
        SwitchScreen(ScreenClass::CFormPTView);
        break;
    case Effect::ShowGraph:
        SwitchScreen(ScreenClass::CGraphing);
        break;
    case Effect::ShowHistory:
        HistoryMode = info.argument;
        SwitchScreen(ScreenClass::CVitalogView);
        break;
    case Effect::Buy:
        OpenPurchaseDialog(this, m_services);
        break;
    case Effect::Exit:
        close();
        break;
    case Effect::About:
        ShowAboutBox(this, m_services);
        break;
    case Effect::HelpPage:
        OpenHelpPage(this, info.argument);
        break;
    case Effect::CaliperHelp:
        OpenCaliperHelp(this, m_services, CurrentUser.sex, 0);
        break;
    case Effect::ToggleNavigationBar:
        m_navigation->toggleViewAction()->trigger();
        break;
    case Effect::ImportScale:
        m_registry.RunCommand(id, *this, m_services);
        break;
    case Effect::Print:
    case Effect::Export:
    case Effect::ScreenHelp:
        break; // the shown screen's, handled above
    }
    if (info.page != 0)
        m_navigation->ActivatePage(info.page);
    UpdateCommandStates();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Unsaved edits are not dropped silently on the way out.
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace vitalog
