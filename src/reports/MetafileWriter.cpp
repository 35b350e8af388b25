#include "MetafileWriter.h"

#include <array>
#include <cstddef>
#include <limits>

namespace vitalog {
namespace {

constexpr std::int32_t MaxCoordinate = std::numeric_limits<std::int16_t>::max();

constexpr std::uint16_t MemoryMetafile = 1;
constexpr std::uint16_t HeaderWords = 9;
constexpr std::uint16_t MetafileVersion = 0x0300;
constexpr std::uint16_t SetMapMode = 0x0103;
constexpr std::uint16_t SetWindowOrg = 0x020B;
constexpr std::uint16_t SetWindowExt = 0x020C;
constexpr std::uint16_t DibStretchBlt = 0x0B41;
constexpr std::uint16_t AnisotropicMapping = 8;
constexpr std::uint32_t SourceCopy = 0x00CC0020;
constexpr std::uint32_t BitmapInfoHeaderSize = 40;

// Record sizes in words, each with its 6-byte record header.
constexpr std::uint32_t SetMapModeWords = 4;
constexpr std::uint32_t WindowWords = 5;
constexpr std::uint32_t StretchBltWords = 13; // without the DIB
constexpr std::uint32_t EndWords = 3;

// Little-endian writing into a fixed buffer.
class LittleEndian {
public:
    explicit LittleEndian(std::uint8_t* at) : at_(at) {}
    void U16(std::uint16_t v) {
        *at_++ = static_cast<std::uint8_t>(v);
        *at_++ = static_cast<std::uint8_t>(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I16(std::int32_t v) { U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void Record(std::uint32_t words, std::uint16_t function) {
        U32(words);
        U16(function);
    }
    std::uint8_t* At() const { return at_; }

private:
    std::uint8_t* at_;
};

} // namespace

bool MetafileWriter::CanDraw(const RtfPicture& picture, std::int32_t width, std::int32_t height) {
    return !picture.IsNull() && picture.width <= MaxCoordinate && picture.height <= MaxCoordinate &&
           width >= 0 && width <= MaxCoordinate && height >= 0 && height <= MaxCoordinate;
}

bool MetafileWriter::Write(const RtfPicture& picture, std::int32_t width, std::int32_t height,
                           const Sink& sink) {
    if (!CanDraw(picture, width, height))
        return false;
    // At most 32767 x 32767 pixels: the sizes below stay within 32 bits.
    const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(picture.height);
    const std::uint32_t blitWords = StretchBltWords + (BitmapInfoHeaderSize + pixelBytes) / 2;
    const std::uint32_t totalWords =
        HeaderWords + SetMapModeWords + 2 * WindowWords + blitWords + EndWords;

    std::array<std::uint8_t,
               2 * (HeaderWords + SetMapModeWords + 2 * WindowWords + StretchBltWords) +
                   BitmapInfoHeaderSize>
        head{};
    LittleEndian out(head.data());
    out.U16(MemoryMetafile);
    out.U16(HeaderWords);
    out.U16(MetafileVersion);
    out.U32(totalWords);
    out.U16(0); // objects
    out.U32(blitWords);
    out.U16(0); // members, unused

    out.Record(SetMapModeWords, SetMapMode);
    out.U16(AnisotropicMapping);
    out.Record(WindowWords, SetWindowOrg);
    out.I16(0); // y first
    out.I16(0);
    out.Record(WindowWords, SetWindowExt);
    out.I16(height);
    out.I16(width);

    out.Record(blitWords, DibStretchBlt);
    out.U32(SourceCopy);
    out.I16(picture.height);
    out.I16(picture.width);
    out.I16(0); // source y, x
    out.I16(0);
    out.I16(height);
    out.I16(width);
    out.I16(0); // destination y, x
    out.I16(0);

    out.U32(BitmapInfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(picture.width));
    out.U32(static_cast<std::uint32_t>(picture.height)); // positive: bottom row first
    out.U16(1);                                          // planes
    out.U16(24);                                         // bits per pixel
    out.U32(0);                                          // uncompressed
    out.U32(pixelBytes);
    // Resolution and colour counts stay 0.
    if (!sink(head))
        return false;

    std::vector<std::uint8_t> row(stride, 0);
    for (std::int32_t y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* from = picture.Row(y);
        std::uint8_t* to = row.data();
        for (std::int32_t x = 0; x < picture.width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
        if (!sink(row))
            return false;
    }

    std::array<std::uint8_t, 2 * EndWords> end{};
    LittleEndian(end.data()).Record(EndWords, 0);
    return sink(end);
}

std::vector<std::uint8_t> MetafileWriter::Bytes(const RtfPicture& picture, std::int32_t width,
                                                std::int32_t height) {
    std::vector<std::uint8_t> bytes;
    const bool written = Write(picture, width, height, [&](std::span<const std::uint8_t> piece) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    });
    if (!written)
        bytes.clear();
    return bytes;
}

} // namespace vitalog
