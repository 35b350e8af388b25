#pragma once

#include "shell/ScreenRegistry.h"

namespace vitalog {

// Every screen the program has, by class. A class without an entry shows an empty screen.
ScreenRegistry ProgramScreens();

} // namespace vitalog
