#include "PictureDrawing.h"

#include "CPicture.h"

#include <QPainter>
#include <QPoint>
#include <QRect>

#include <cstdlib>

namespace vitalog {

namespace {

void MeasureSlots(const QPaintDevice* device) {
    for (int k = 0; k < LoadedSlotCount(); ++k)
        PictureSlots()[std::size_t(k)].MeasureOnDevice(device);
}

} // namespace

ContentExtent DrawPictures(QPainter* painter, const QPaintDevice* device, int zoom,
                           int formHeight) {
    MeasureSlots(device);
    auto& table = PictureSlots();
    const int loaded = LoadedSlotCount();
    ContentExtent extent;
    if (loaded > 0 && zoom >= 0) {
        const int scale = zoom + 1;
        const CPicture& first = table[0];
        first.DrawMagnified(painter, QPoint(PicturesLeft, PicturesTop),
                            QSize(first.WidthPixels(), first.HeightPixels()), zoom, zoom);
        extent.width = scale * first.WidthPixels() + PicturesLeft - 2;
        extent.height = scale * first.HeightPixels() + PicturesTop - 2;
        // The gap widens by 10 pixels with each further picture: 8, 18, 28, ...
        for (int k = 1; k < loaded; ++k) {
            const CPicture& picture = table[std::size_t(k)];
            const int gap = 10 * k;
            picture.DrawMagnified(painter, QPoint(gap + extent.width, PicturesTop),
                                  QSize(picture.WidthPixels(), picture.HeightPixels()), zoom, zoom);
            extent.width += gap + scale * picture.WidthPixels() - 2;
            extent.height = qMax(extent.height, scale * picture.HeightPixels() - 2);
        }
    } else if (loaded > 0) {
        const int d = 1 - zoom;
        const CPicture& first = table[0];
        first.DrawInRect(painter, QRect(QPoint(PicturesLeft, PicturesTop),
                                        QPoint(PicturesLeft + first.WidthPixels() / d,
                                               PicturesTop + first.HeightPixels() / d)));
        extent.width = first.WidthPixels() / d + PicturesLeft;
        extent.height = first.HeightPixels() / d + PicturesTop;
        for (int k = 1; k < loaded; ++k) {
            const CPicture& picture = table[std::size_t(k)];
            const int left = 10 * k + extent.width;
            picture.DrawInRect(painter, QRect(QPoint(left, PicturesTop),
                                              QPoint(left + picture.WidthPixels() / d,
                                                     PicturesTop + picture.HeightPixels() / d)));
            extent.width += picture.WidthPixels() / d;
            extent.height = qMax(extent.height, picture.HeightPixels() / d + PicturesTop);
        }
        extent.width += 10 * loaded;
    }
    extent.height = qMax(extent.height, formHeight);
    if (loaded == 0) {
        extent.height = qMax(extent.height, 600);
        extent.width = qMax(extent.width, 1000);
    }
    return extent;
}

int FitToArea(int zoom, QSize area, int n, const QPaintDevice* device) {
    MeasureSlots(device);
    int widthSum = 0;
    int heightValue = 0;
    for (int k = 0; k < LoadedSlotCount(); ++k) {
        const CPicture& picture = PictureSlots()[std::size_t(k)];
        widthSum += picture.WidthPixels();
        if (picture.HeightPixels() > heightValue)
            heightValue = picture.HeightPixels() + PicturesTop;
    }
    const int widthLimit = area.width() + 10 * n - PicturesLeft;
    int widthTest = widthSum;
    int heightTest = heightValue;
    for (int step = 0;
         step < ZoomLimit && (widthTest >= widthLimit || heightTest >= area.height() - PicturesTop);
         ++step) {
        --zoom;
        const int d = std::abs(zoom - 1);
        widthTest = widthSum / d + 10 * n + PicturesLeft;
        heightTest = heightValue / d + PicturesTop;
    }
    return zoom;
}

} // namespace vitalog
