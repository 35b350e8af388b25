#pragma once

#include "DrawnPicture.h"

#include <QString>

class QWidget;

namespace vitalog {

struct AppServices;

// Prints a picture as one page under a title, with the vendor's address as footer: the
// caliper help window's picture and the slideshow's getting-started page. The picture is
// painted onto the page at the printer's resolution, at the size it has on the screen, or
// narrower where the page is narrower.
class PicturePagePrinter {
public:
    PicturePagePrinter(AppServices& services, QWidget* parent)
        : m_services(services), m_parent(parent) {}

    // Reports its own failures in message boxes.
    void Print(const QString& title, const DrawnPicture& picture);

private:
    AppServices& m_services;
    QWidget* m_parent;
};

} // namespace vitalog
