#pragma once

#include <QRect>
#include <QSize>

namespace vitalog {

// Dialog layouts are measured in dialog units of the classic 8-point dialog font. At 96 dpi one
// horizontal unit is 1.5 pixels and one vertical unit 1.625 pixels; halves round up.
constexpr int DialogUnitsX(int units) {
    return (units * 3 + 1) / 2;
}
constexpr int DialogUnitsY(int units) {
    return (units * 13 + 4) / 8;
}

inline QSize DialogUnitsToPixels(int width, int height) {
    return {DialogUnitsX(width), DialogUnitsY(height)};
}

inline QRect DialogUnitsRect(int x, int y, int width, int height) {
    return {DialogUnitsX(x), DialogUnitsY(y), DialogUnitsX(width), DialogUnitsY(height)};
}

} // namespace vitalog
