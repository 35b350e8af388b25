#include "ScreenRegistry.h"

#include "Screen.h"

namespace vitalog {

void ScreenRegistry::Register(ScreenClass screenClass, Factory factory) {
    m_factories[screenClass] = std::move(factory);
}

bool ScreenRegistry::Has(ScreenClass screenClass) const {
    return m_factories.count(screenClass) != 0;
}

Screen* ScreenRegistry::Create(ScreenClass screenClass, CMainFrame& frame,
                               AppServices& services) const {
    auto it = m_factories.find(screenClass);
    if (it == m_factories.end())
        return new EmptyScreen(frame, services);
    return it->second(frame, services);
}

void ScreenRegistry::RegisterCommand(CommandId id, Command command) {
    m_commands[id] = std::move(command);
}

bool ScreenRegistry::HasCommand(CommandId id) const {
    return m_commands.count(id) != 0;
}

void ScreenRegistry::RunCommand(CommandId id, CMainFrame& frame, AppServices& services) const {
    const auto it = m_commands.find(id);
    if (it != m_commands.end())
        it->second(frame, services);
}

} // namespace vitalog
