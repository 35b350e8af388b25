#pragma once

#include "help/DrawnPicture.h"

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vitalog {

// The slideshow's own drawings: the getting-started picture shown until the first picture, the
// marker of dates with pictures, and the toolbar images that the shared set lacks.
inline constexpr QSize GettingStartedSize{776, 572};
inline constexpr QSize DateMarkerSize{20, 15};

DrawnPicture GettingStartedPicture();
QPixmap DateMarker(qreal devicePixelRatio = 1);

QIcon OpenPictureIcon();
QIcon ZoomIcon(bool in);
QIcon StepIcon(bool next);
QIcon CompareIcon();

} // namespace vitalog
