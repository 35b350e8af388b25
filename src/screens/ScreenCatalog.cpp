#include "ScreenCatalog.h"

#include "CUser.h"
#include "history/CVitalogView.h"

namespace vitalog {

ScreenRegistry ProgramScreens() {
    ScreenRegistry registry;
    registry.Register(ScreenClass::CUser, [](CMainFrame& frame, AppServices& services) {
        return new CUser(frame, services);
    });
    registry.Register(ScreenClass::CVitalogView, [](CMainFrame& frame, AppServices& services) {
        return new CVitalogView(frame, services);
    });
    return registry;
}

} // namespace vitalog
