#include "HelpWindows.h"

// The help, about and purchase windows arrive with their own change; until then the
// commands that open them do nothing.
namespace vitalog {

void OpenHelpPage(CMainFrame&, int) {}
void OpenCaliperHelp(CMainFrame&, int) {}
void ShowAboutBox(CMainFrame&) {}
void OpenPurchaseDialog(CMainFrame&) {}

} // namespace vitalog
