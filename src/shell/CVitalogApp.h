#pragma once

#include "ScreenRegistry.h"
#include "platform/AppServices.h"

#include <QLockFile>
#include <QPointer>
#include <QStringList>

#include <memory>

namespace vitalog {

class CMainFrame;

// Starts the program: settings, data directory, the single-instance lock, the main window and
// its first screen.
class CVitalogApp {
public:
    // The services are the caller's (main() passes the real ones, tests fakes);
    // services.dataDirectory is filled in by InitInstance.
    // screens: what the main window can show.
    CVitalogApp(AppServices& services, ScreenRegistry screens);
    ~CVitalogApp();

    // False when the program must end (folder unusable, another instance running).
    bool InitInstance(const QStringList& arguments, const QString& dataDirEnvironment);

    CMainFrame* MainFrame() const { return m_mainFrame; }

private:
    AppServices& m_services;
    ScreenRegistry m_screens;
    std::unique_ptr<QLockFile> m_lock;
    QPointer<CMainFrame> m_mainFrame;
};

} // namespace vitalog
