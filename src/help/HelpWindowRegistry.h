#pragma once

class QDialog;

namespace vitalog::HelpWindowRegistry {

// Program-wide references to the open help page windows (one per topic), the caliper help
// window and the purchase dialog. A reference is cleared when its window closes or goes away.
enum class Kind { HelpPage, CaliperHelp, Purchase };

// The open window, or null.
QDialog* Find(Kind kind, int topic = 0);
void Register(Kind kind, int topic, QDialog* window);
// Closes the window if it is open.
void Close(Kind kind, int topic = 0);

} // namespace vitalog::HelpWindowRegistry
