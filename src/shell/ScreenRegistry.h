#pragma once

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

private:
    std::map<ScreenClass, Factory> m_factories;
};

} // namespace vitalog
