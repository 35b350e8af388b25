#pragma once

#include "Commands.h"

#include <span>

namespace vitalog {

// What a command does once it runs; duplicates of one command share their effect.
enum class Effect {
    Users,
    ShowCalculator,
    ShowTape,
    ShowBmiBmr,
    ShowBloodPressure,
    DeleteBodyFat,
    ShowSlideshow,
    ShowGraph,
    ShowHistory, // with the command's history mode
    Buy,
    Print,      // the shown screen's
    Export,     // the shown screen's
    ScreenHelp, // the shown screen's
    Exit,
    About,
    HelpPage, // with the command's topic
    CaliperHelp,
    ToggleNavigationBar,
    ImportScale, // run by the command the registry holds for it
};

struct CommandInfo {
    CommandId id;
    const char* text;   // caption in its menu, toolbar or navigation bar
    const char* prompt; // status-bar prompt, then "\n" and the tooltip
    bool asks;          // asks the unsaved-edits question first
    bool needsUser;     // disabled while no user is selected
    Effect effect;
    int argument;      // history mode or help topic
    int page;          // navigation page made active afterwards: 1, 2 or 0 for none
    const char* image; // resource image, or nullptr
};

std::span<const CommandInfo> AllCommands();
const CommandInfo& CommandInfoFor(CommandId id);

} // namespace vitalog
