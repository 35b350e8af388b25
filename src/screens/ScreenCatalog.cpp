#include "ScreenCatalog.h"

#include "CUser.h"

namespace vitalog {

ScreenRegistry ProgramScreens() {
    ScreenRegistry registry;
    registry.Register(ScreenClass::CUser, [](CMainFrame& frame, AppServices& services) {
        return new CUser(frame, services);
    });
    return registry;
}

} // namespace vitalog
