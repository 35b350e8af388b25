#pragma once

namespace vitalog {

// Every command of the main window. Menu, toolbar and navigation-bar duplicates are distinct
// commands (each has its own prompt) that share one effect.
enum class CommandId {
    // File
    FileUsers,
    FilePrint,
    FileExport,
    FileImportScale,
    FileExit,
    // Calculate
    CalcBodyFat,
    CalcTape,
    CalcBmiBmr,
    CalcBloodPressure,
    CalcDeleteBodyFat,
    // Options
    OptionsSlideshow,
    OptionsGraph,
    // History
    HistoryBodyFat,
    HistoryTape,
    HistoryBmiBmr,
    HistoryBloodPressure,
    HistoryAllUsers,
    HistoryClearView,
    // Help menu
    HelpAbout,
    HelpUserProfile,
    HelpCalculateBodyFat,
    HelpMeasurementSites,
    HelpBodyCompositionResults,
    HelpTapeMeasurements,
    HelpBmiBmr,
    HelpHistory,
    HelpGraphing,
    HelpSlideshow,
    HelpBloodPressure,
    // Main toolbar
    ToolbarUsers,
    ToolbarBodyFat,
    ToolbarHistory,
    ToolbarSlideshow,
    ToolbarGraph,
    ToolbarPrint,
    ToolbarExport,
    ToolbarWebsite,
    ToolbarBuy,
    // Navigation bar
    NavBodyFat,
    NavTape,
    NavBmiBmr,
    NavBloodPressure,
    NavHistoryAllUsers,
    NavHistoryBloodPressure,
    NavHistoryBmiBmr,
    NavHistoryTape,
    NavHistoryBodyFat,
    // Context help of the shown screen (F1)
    ScreenHelp,
    ToggleNavigationBar,
};

} // namespace vitalog
