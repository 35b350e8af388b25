// The program's icons: navigation icons, menu and toolbar images, the screen
// action toolbar, the built-in fallback icons and the program icon.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace art {

struct Artwork {
    QString path;      // relative to the repository root
    QByteArray format; // "png", "ico", "bmp"
    QImage image;
};

std::vector<Artwork> iconArtwork();

} // namespace art
