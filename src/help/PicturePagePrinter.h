#pragma once

#include "DrawnPicture.h"

#include <QString>

class QWidget;

namespace vitalog {

struct AppServices;

// Prints a picture as one page under a title, with the vendor's address as footer: the
// caliper help window's picture and the slideshow's getting-started page. The picture is
// painted onto the page at the printer's resolution, at the size it has on the screen.
class PicturePagePrinter {
public:
    PicturePagePrinter(AppServices& services, QWidget* parent)
        : m_services(services), m_parent(parent) {}

    // Reports its own failures in message boxes.
    void Print(const QString& title, const DrawnPicture& picture);

    // Pages a picture of pictureWidth screen pixels takes across the printable width.
    static int PageCount(int printerDpiX, double printableWidthMm, int pictureWidth,
                         int screenDpiX);

private:
    AppServices& m_services;
    QWidget* m_parent;
};

} // namespace vitalog
