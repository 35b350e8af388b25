#include "CUser.h"
#include "shell/ScreenRegistry.h"

namespace vitalog {

// Every screen the program has, by class. A class without an entry shows an empty screen.
void RegisterScreens(ScreenRegistry& registry) {
    registry.Register(ScreenClass::CUser, [](CMainFrame& frame, AppServices& services) {
        return new CUser(frame, services);
    });
}

} // namespace vitalog
