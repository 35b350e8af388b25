#pragma once

#include <QIcon>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <functional>

class QPainter;

namespace vitalog {

// The program's own artwork for the about box, the purchase dialog and the caliper help
// window's buttons, drawn when needed at the device pixel ratio it is shown at (the sizes below
// are logical).
inline constexpr QSize LogoSize{333, 172};
inline constexpr QSize AccessoriesSize{465, 394};

QImage LogoPicture(qreal devicePixelRatio = 1);
// Where the name and version, and the first of the links, go over the logo.
QPoint LogoTextPlace();
QPoint LogoLinksPlace();
// One row per accessory of VendorConfig's list: a drawing, and its description in grey; the
// link with the product's name goes on top of the picture at AccessoryLinkPlace.
QImage AccessoriesPicture(QStringList* overflow = nullptr, qreal devicePixelRatio = 1);
// Top-left corner of accessory i's link, in picture coordinates.
QPoint AccessoryLinkPlace(int index);

// 24 x 24 button images, with sharp pixmaps for screens scaled up to 200 %.
QIcon PrintIcon();
// A 24 x 24 button image drawn by code (antialiased), sharp at 100 % and 200 %.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw);
QIcon HelpIcon();

} // namespace vitalog
