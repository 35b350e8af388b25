#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vitalog {

// A decoded picture as the writer takes it: rows top first, three bytes per pixel (red,
// green, blue), no padding between rows. Decoding image files is the caller's business.
struct RtfPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;

    // No picture: no pixels, or fewer bytes than the size says.
    bool IsNull() const {
        return width <= 0 || height <= 0 ||
               rgb.size() / 3 / static_cast<std::size_t>(width) < static_cast<std::size_t>(height);
    }
    const std::uint8_t* Row(std::int32_t y) const {
        return rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    }
};

// The picture loader reports a picture's size in hundredths of a millimetre from its pixels
// at 96 dpi; display pixels come back from that size at the display's density. Both round to
// the nearest unit, so at 96 dpi a picture keeps its pixel size exactly.
inline constexpr std::int32_t LoaderPixelsPerInch = 96;

inline std::int64_t PixelsToHimetric(std::int64_t pixels,
                                     std::int64_t pixelsPerInch = LoaderPixelsPerInch) {
    return (pixels * 2540 + pixelsPerInch / 2) / pixelsPerInch;
}

inline std::int64_t HimetricToPixels(std::int64_t himetric, std::int64_t pixelsPerInch) {
    return (himetric * pixelsPerInch + 1270) / 2540;
}

} // namespace vitalog
