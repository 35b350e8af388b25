#pragma once

#include "Commands.h"
#include "ScreenClass.h"

#include <functional>
#include <map>

namespace vitalog {

class CMainFrame;
class Screen;
struct AppServices;

// Factories of the screens by class. SwitchScreen asks it for a new screen every time.
class ScreenRegistry {
public:
    using Factory = std::function<Screen*(CMainFrame&, AppServices&)>;

    void Register(ScreenClass screenClass, Factory factory);
    bool Has(ScreenClass screenClass) const;
    // A new screen of the class, or an EmptyScreen when none is registered.
    Screen* Create(ScreenClass screenClass, CMainFrame& frame, AppServices& services) const;

    // Commands whose work lives above the shell (the importer and its dialog); a command
    // without one stays disabled.
    using Command = std::function<void(CMainFrame&, AppServices&)>;
    void RegisterCommand(CommandId id, Command command);
    bool HasCommand(CommandId id) const;
    void RunCommand(CommandId id, CMainFrame& frame, AppServices& services) const;

private:
    std::map<ScreenClass, Factory> m_factories;
    std::map<CommandId, Command> m_commands;
};

} // namespace vitalog
