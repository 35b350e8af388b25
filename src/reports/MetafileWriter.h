#pragma once

#include "RtfPicture.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace vitalog {

// Writes a standard (non-placeable) Windows metafile that draws one picture once, as a 24-bit
// DIB stretched into (0, 0)-(width, height): header, map mode, window origin and extent,
// DIBSTRETCHBLT, end of file. Sizes in the metafile are 16-bit words and signed 16-bit
// coordinates; rows go bottom first, each pixel blue, green, red, each row padded to 4 bytes.
class MetafileWriter {
public:
    // Receives the bytes in order, a piece at a time; false stops the writing.
    using Sink = std::function<bool(std::span<const std::uint8_t>)>;

    // Whether the picture and the destination size fit the metafile's 16-bit fields.
    static bool CanDraw(const RtfPicture& picture, std::int32_t width, std::int32_t height);

    // Hands the metafile to the sink row by row, so a large picture is never held twice.
    // False when the picture cannot be drawn or the sink stopped.
    static bool Write(const RtfPicture& picture, std::int32_t width, std::int32_t height,
                      const Sink& sink);

    // The whole metafile in memory, for small pictures; empty when it cannot be drawn.
    static std::vector<std::uint8_t> Bytes(const RtfPicture& picture, std::int32_t width,
                                           std::int32_t height);
};

} // namespace vitalog
