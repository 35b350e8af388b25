#pragma once

class QWidget;

namespace vitalog {

struct AppServices;

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
void OpenHelpPage(QWidget* parent, int topic);
// The measurement-site help window for a user's sex (1 man, 2 woman), opened at a site index;
// ignored while it is open.
void OpenCaliperHelp(QWidget* parent, AppServices& services, int userSex, int siteIndex);
// The modal about box.
void ShowAboutBox(QWidget* parent, AppServices& services);
// The modeless purchase dialog, at most one.
void OpenPurchaseDialog(QWidget* parent, AppServices& services);

} // namespace vitalog
