#pragma once

#include <QSize>

class QPaintDevice;
class QPainter;

namespace vitalog {

// Where the slideshow's pictures begin, in form coordinates (beside the side panel, below the
// toolbar), and the area a printed page offers them.
inline constexpr int PicturesLeft = 190;
inline constexpr int PicturesTop = 70;
inline constexpr QSize PrintingArea{990, 670};
inline constexpr int ZoomLimit = 50;

// The extent of what one drawing pass drew; the form scrolls over it.
struct ContentExtent {
    int width = 0;
    int height = 0;
};

// Draws the loaded picture slots side by side from (PicturesLeft, PicturesTop) at a zoom level
// (z >= 0: z + 1 times the natural size; z < 0: 1 / (1 - z) of it), measured on the painter's
// device. With no painter nothing is drawn but the extent is computed for device. The extent
// is never lower than formHeight, nor smaller than 1000 x 600 with no picture loaded.
ContentExtent DrawPictures(QPainter* painter, const QPaintDevice* device, int zoom, int formHeight);

// The largest zoom level not above zoom at which the loaded pictures fit area, n being the
// number of pictures of the shown date (0 for an opened or compared picture).
int FitToArea(int zoom, QSize area, int n, const QPaintDevice* device);

} // namespace vitalog
