#pragma once

#include "Commands.h"
#include "Screen.h"
#include "ScreenClass.h"
#include "ScreenRegistry.h"
#include "records/UserRecord.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>

class QAction;
class QLabel;

namespace vitalog {

class BodyFatCalculation;
class CaptionBar;
struct CommandInfo;
class NavigationBar;
struct AppServices;

// The main window: its bars, the one screen shown, and the navigation state all screens share.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum HistoryModes {
        HistoryBodyFat = 1,
        HistoryTape = 2,
        HistoryBloodPressure = 3,
        HistoryBmiBmr = 4,
        HistoryAllUsers = 5,
        HistoryClear = 6
    };
    enum ResultsModes { ResultsPending = 1, ResultsDelete = 2 };

    // screens: the factories of the screens this window can show.
    CMainFrame(AppServices& services, ScreenRegistry screens, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Shared navigation state; screens read and write these directly.
    UserRecord CurrentUser;
    int HistoryMode = 0;
    int ResultsMode = 0;
    std::unique_ptr<BodyFatCalculation> PendingCalculation;
    bool SavedFlag = true;

    bool IsUserSelected() const { return CurrentUser.active != 0; }

    // Destroys the shown screen and creates a new one of the class, every time.
    void SwitchScreen(ScreenClass screenClass);
    // The unsaved-edits question; false means the command is abandoned.
    bool ConfirmDiscard();
    // "Current User: " + name in the caption bar.
    void SetCurrentUserText(const QString& name);

    Screen* CurrentScreen() const { return m_screen; }
    // The class last switched to; building it again shows records written behind its back.
    ScreenClass CurrentScreenClass() const { return m_screenClass; }
    AppServices& Services() const { return m_services; }
    ScreenRegistry& Screens() { return m_registry; }
    NavigationBar* Navigation() const { return m_navigation; }
    CaptionBar* Caption() const { return m_caption; }
    QAction* Action(CommandId id) const;

    // Runs a command as if the user chose it.
    void Execute(CommandId id);
    // Brings every command's enabled state up to date (also done whenever the program idles).
    void UpdateCommandStates();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyTheme();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateNavigationBar();
    void CheckColourDepth();
    void CentreOnScreen();
    bool CommandEnabled(const CommandInfo& info) const;

    AppServices& m_services;
    ScreenRegistry m_registry;
    QPointer<Screen> m_screen;
    ScreenClass m_screenClass{};
    std::map<CommandId, QAction*> m_actions;
    NavigationBar* m_navigation = nullptr;
    CaptionBar* m_caption = nullptr;
    bool m_hoverImages = true;
};

} // namespace vitalog
