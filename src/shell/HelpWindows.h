#pragma once

namespace vitalog {

class CMainFrame;

// Help pages by screen.
enum HelpTopic : int {
    HelpUserProfileTopic = 1,
    HelpBmiBmrTopic = 2,
    HelpBodyCompositionResultsTopic = 3,
    HelpCalculateBodyFatTopic = 4,
    HelpGraphingTopic = 5,
    HelpHistoryTopic = 6,
    HelpSlideshowTopic = 7,
    HelpTapeMeasurementsTopic = 8,
    HelpBloodPressureTopic = 9,
};

// One modeless window per topic; a request while it is open does nothing.
void OpenHelpPage(CMainFrame& frame, int topic);
// The measurement-site help window, opened at a site index; ignored while it is open.
void OpenCaliperHelp(CMainFrame& frame, int siteIndex);
// The modal about box.
void ShowAboutBox(CMainFrame& frame);
// The modeless purchase dialog, at most one.
void OpenPurchaseDialog(CMainFrame& frame);

} // namespace vitalog
