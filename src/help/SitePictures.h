#pragma once

#include "DrawnPicture.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace vitalog {

// The pictures of the measurement-site help: the "Which Formula?" advice table, a body diagram
// with every site, and one how-to picture per site, for men (sex 1) and women (sex 2). They are
// drawn by the program; all their texts live in SitePictures.cpp.
inline constexpr QSize SitePictureSize{745, 485};

// The site list items that have a picture for the sex, in list order.
QStringList SitePictureItems(int sex);

// The drawing for a site list item, of SitePictureSize; a null drawing for the headings and for
// any other text.
DrawnPicture SiteDrawing(int sex, const QString& item);
// The drawing rendered at the device pixel ratio. Texts that did not fit their place are noted
// in overflow, when given.
QImage SitePicture(int sex, const QString& item, QStringList* overflow = nullptr,
                   qreal devicePixelRatio = 1);

} // namespace vitalog
