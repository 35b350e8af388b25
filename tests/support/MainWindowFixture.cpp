#include "MainWindowFixture.h"

#include "screens/ScreenCatalog.h"
#include "shell/ScreenClass.h"

#include <QApplication>

namespace vitalog::test {

MainWindowFixture::MainWindowFixture(bool withDb) : services(withDb) {
    frame = std::make_unique<CMainFrame>(services.services, ProgramScreens());
    frame->SwitchScreen(ScreenClass::CUser);
    frame->show();
}

MainWindowFixture::~MainWindowFixture() {
    // Closing would ask about unsaved edits; a test's window simply goes away.
    frame->SavedFlag = true;
    frame.reset();
}

void MainWindowFixture::SelectUser(const UserRecord& user) {
    frame->CurrentUser = user;
    frame->SetCurrentUserText(QString::fromLatin1(user.name));
    frame->UpdateCommandStates();
}

UserRecord MainWindowFixture::MakeUser(const char* name) {
    UserRecord user;
    user.SetName(name);
    user.weight = 180;
    user.age = 30;
    user.units = 1;
    user.lengthUnits = 3;
    user.desiredBodyFat = 15;
    user.sex = 1;
    user.active = 1;
    return user;
}

} // namespace vitalog::test
