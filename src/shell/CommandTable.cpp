#include "CommandTable.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vitalog {

namespace {

using C = CommandId;
using E = Effect;

// Captions, prompts and rules of every command; the prompts are the program's own texts.
constexpr std::array<CommandInfo, 49> Commands{{
    {C::FileUsers, "User(s)", "Create or switch user\nUser", true, false, E::Users, 0, 0,
     ":/images/menu_users.png"},
    {C::FilePrint, "Print...", "Print\nPrint", false, false, E::Print, 0, 0,
     ":/images/menu_print.png"},
    {C::FileExport, "Export", "Export data to file\nExport data to file", false, false, E::Export,
     0, 0, ":/images/menu_export.png"},
    // Asks first: the shown screen is built again to show the new records.
    {C::FileImportScale, "Import from Scale App...",
     "Import measurements from a scale app's CSV export\nImport from Scale App", true, true,
     E::ImportScale, 0, 0, nullptr},
    {C::FileExit, "Exit", "Quit Vitalog\nExit", false, false, E::Exit, 0, 0, nullptr},

    {C::CalcBodyFat, "Body Fat", "Calculate body fat", true, true, E::ShowCalculator, 0, 1,
     ":/images/menu_bodyfat.png"},
    {C::CalcTape, "Tape", "Record tape measurements", true, true, E::ShowTape, 0, 1,
     ":/images/menu_tape.png"},
    {C::CalcBmiBmr, "BMI/BMR", "Calculate BMI/BMR", true, true, E::ShowBmiBmr, 0, 1,
     ":/images/menu_bmi.png"},
    {C::CalcBloodPressure, "Blood Pressure", "Record blood pressure", true, true,
     E::ShowBloodPressure, 0, 1, ":/images/menu_bp.png"},
    {C::CalcDeleteBodyFat, "Delete Body Fat", "Delete a body fat record\n", true, true,
     E::DeleteBodyFat, 0, 0, ":/images/menu_delete_bf.png"},

    {C::OptionsSlideshow, "Slideshow", "View slideshow\nSlideshow", true, true, E::ShowSlideshow, 0,
     0, ":/images/menu_slideshow.png"},
    {C::OptionsGraph, "Graph", "Graph\nUpdate Graph", true, true, E::ShowGraph, 0, 0,
     ":/images/menu_graph.png"},

    {C::HistoryBodyFat, "Body Fat", "Display all body composition records for user", true, true,
     E::ShowHistory, 1, 2, ":/images/menu_history_bf.png"},
    {C::HistoryTape, "Tape", "Display all tape measurement records for user", true, true,
     E::ShowHistory, 2, 2, ":/images/menu_history_tape.png"},
    {C::HistoryBmiBmr, "BMI/BMR", "Display all BMI/BMR records for user", true, true,
     E::ShowHistory, 4, 2, ":/images/menu_history_bmi.png"},
    {C::HistoryBloodPressure, "Blood Pressure", "Display all blood pressure records for user", true,
     true, E::ShowHistory, 3, 2, ":/images/menu_history_bp.png"},
    {C::HistoryAllUsers, "All Users", "Display all user profiles", true, true, E::ShowHistory, 5, 2,
     ":/images/menu_history_users.png"},
    {C::HistoryClearView, "Clear View", "Clear screen", true, true, E::ShowHistory, 6, 2, nullptr},

    {C::HelpAbout, "&About Vitalog...",
     "Display program information, version number and "
     "copyright\nAbout",
     false, false, E::About, 0, 0, ":/images/menu_about.png"},
    {C::HelpUserProfile, "User Profile", "Help screen for user profile", false, false, E::HelpPage,
     1, 0, nullptr},
    {C::HelpCalculateBodyFat, "Calculate Body Fat", "Help for calculating body fat percentage",
     false, false, E::HelpPage, 4, 0, nullptr},
    {C::HelpMeasurementSites, "Body Fat Measurement Sites", "How to take your body fat", false,
     false, E::CaliperHelp, 0, 0, nullptr},
    {C::HelpBodyCompositionResults, "Body Composition Results",
     "Body composition results screen help", false, false, E::HelpPage, 3, 0, nullptr},
    {C::HelpTapeMeasurements, "Record Tape Measurements", "Help for recording tape measurements",
     false, false, E::HelpPage, 8, 0, nullptr},
    {C::HelpBmiBmr, "Calculate BMI/BMR", "Help for calculating BMI and BMR", false, false,
     E::HelpPage, 2, 0, nullptr},
    {C::HelpHistory, "History ", "Help screen on history", false, false, E::HelpPage, 6, 0,
     nullptr},
    {C::HelpGraphing, "Graphing", "Graphing help", false, false, E::HelpPage, 5, 0, nullptr},
    {C::HelpSlideshow, "Slideshow", "Help screen on viewing a slideshow", false, false, E::HelpPage,
     7, 0, nullptr},
    {C::HelpBloodPressure, "Blood Pressure", "Help for recording blood pressure", false, false,
     E::HelpPage, 9, 0, nullptr},

    {C::ToolbarUsers, "User(s)", "Create or Switch User\nCreate, update, or switch user", true,
     false, E::Users, 0, 0, ":/images/toolbar_users.png"},
    {C::ToolbarBodyFat, "Body Fat",
     "Calculate your body fat percentage\nCalculate your body fat percent", true, true,
     E::ShowCalculator, 0, 1, ":/images/toolbar_bodyfat.png"},
    {C::ToolbarHistory, "History",
     "Display all body fat records for user\nView your body fat history", true, true,
     E::ShowHistory, 1, 2, ":/images/toolbar_history.png"},
    {C::ToolbarSlideshow, "Slideshow",
     "View Slideshow\nView pictures of yourself as you lose body fat", true, true, E::ShowSlideshow,
     0, 0, ":/images/toolbar_slideshow.png"},
    {C::ToolbarGraph, "Graph", "Graph body composition or tape measurements\nGraph your results",
     true, true, E::ShowGraph, 0, 0, ":/images/toolbar_graph.png"},
    {C::ToolbarPrint, "Print", "Print\nPrint", false, false, E::Print, 0, 0,
     ":/images/toolbar_print.png"},
    {C::ToolbarExport, "Export", "Export data to file\nExport data to file", false, false,
     E::Export, 0, 0, ":/images/toolbar_export.png"},
    {C::ToolbarWebsite, "Website",
     "Display program information, version number and copyright\nAbout", false, false, E::About, 0,
     0, ":/images/toolbar_website.png"},
    {C::ToolbarBuy, "Buy", "Purchase a caliper\nPurchase a caliper", true, false, E::Buy, 0, 0,
     ":/images/toolbar_buy.png"},

    {C::NavBodyFat, "Body Fat", "Calculate body fat\nCalculate body fat", true, true,
     E::ShowCalculator, 0, 1, "calculator2.ico"},
    {C::NavTape, "Tape", "Record tape measurements\nRecord tape measurements", true, true,
     E::ShowTape, 0, 1, "tape.ico"},
    {C::NavBmiBmr, "BMI/BMR", "Calculate BMI/BMR\nCalculate BMI/BMR", true, true, E::ShowBmiBmr, 0,
     1, "bmi.ico"},
    {C::NavBloodPressure, "Blood Pressure", "Record blood pressure\nRecord blood pressure", true,
     true, E::ShowBloodPressure, 0, 1, "bp.ico"},
    {C::NavHistoryAllUsers, "All Users", "All users history\nAll users history", true, true,
     E::ShowHistory, 5, 2, "history_usr.ico"},
    {C::NavHistoryBloodPressure, "Blood Pressure", "Blood pressure history\nBlood pressure history",
     true, true, E::ShowHistory, 3, 2, "history_bp.ico"},
    {C::NavHistoryBmiBmr, "BMI/BMR", "BMI history\nBMI history", true, true, E::ShowHistory, 4, 2,
     "history_bmi.ico"},
    {C::NavHistoryTape, "Tape", "Tape measurement history\nTape measurement history", true, true,
     E::ShowHistory, 2, 2, "history_tp.ico"},
    {C::NavHistoryBodyFat, "Body Fat", "Body fat history\nBody fat history", true, true,
     E::ShowHistory, 1, 2, "history_bf.ico"},

    {C::ScreenHelp, "Help", "Help for this screen\nHelp", false, false, E::ScreenHelp, 0, 0,
     nullptr},
    {C::ToggleNavigationBar, "Navigation Bar", "Show or hide the toolbar\nToggle toolBar", false,
     false, E::ToggleNavigationBar, 0, 0, nullptr},
}};

} // namespace

std::span<const CommandInfo> AllCommands() {
    return Commands;
}

const CommandInfo& CommandInfoFor(CommandId id) {
    auto it = std::find_if(Commands.begin(), Commands.end(),
                           [id](const CommandInfo& c) { return c.id == id; });
    if (it == Commands.end())
        throw std::logic_error("command without entry");
    return *it;
}

} // namespace vitalog
