#pragma once

#include <QWidget>

namespace vitalog {

class CMainFrame;
struct AppServices;

// Base of every screen shown in the main window's client area. A screen lives only while it
// is shown; it reaches the shared state through its frame.
class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(CMainFrame& frame, AppServices& services, QWidget* parent = nullptr);

    // Runs once after creation: screens fill their fields and read records here.
    virtual void InitialUpdate() {}

    // Print, Export and Help belong to the shown screen; they stay disabled while it
    // answers false.
    virtual bool CanPrint() const { return false; }
    virtual void OnPrint() {}
    virtual bool CanExport() const { return false; }
    virtual void OnExport() {}
    virtual bool HasHelp() const { return false; }
    virtual void OnHelp() {}
    // The graph screen draws its chart on Options "Graph" instead of being rebuilt.
    virtual bool HandlesGraphMenu() const { return false; }
    // While the screen handles it, Options "Graph" is enabled by the screen's own rule.
    virtual bool GraphMenuEnabled() const { return true; }
    virtual void OnGraphMenu() {}

    CMainFrame& Frame() const { return m_frame; }
    AppServices& Services() const { return m_services; }

private:
    CMainFrame& m_frame;
    AppServices& m_services;
};

// The plain screen shown for a class that has no screen yet.
class EmptyScreen : public Screen {
    Q_OBJECT
public:
    using Screen::Screen;
};

} // namespace vitalog
