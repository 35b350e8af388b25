#include "Screen.h"

namespace vitalog {

Screen::Screen(CMainFrame& frame, AppServices& services, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_services(services) {}

} // namespace vitalog
