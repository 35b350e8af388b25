#pragma once

#include "TestServices.h"
#include "shell/CMainFrame.h"

#include <memory>

namespace vitalog::test {

// The real main window on a temporary data directory with scripted fakes.
class MainWindowFixture {
public:
    explicit MainWindowFixture(bool withDb = true);
    ~MainWindowFixture();

    CMainFrame& Frame() { return *frame; }
    ScriptedPrompter& Prompter() { return services.prompter; }

    // Selects a user as the user screen would (CurrentUser plus caption).
    void SelectUser(const UserRecord& user);
    // Makes a live user record with the given name (imperial, male, 180 lb, 30 years).
    static UserRecord MakeUser(const char* name);

    TestServices services;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace vitalog::test
