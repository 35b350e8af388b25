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
    // The same drawing at twice the resolution, written beside it as "name@2x.ext" for 200 %
    // scaling; null for pictures that are only shown at their own size.
    QImage image2x;
};

// "dir/name@2x.ext" for "dir/name.ext".
QString doubleSizePath(const QString& path);

std::vector<Artwork> iconArtwork();

} // namespace art
