#pragma once

#include <cstdint>

namespace vitalog {

// What an RtfWriter operation did. Callers compare with RtfSuccess; the other values say
// which piece was not written in full.
enum class RtfResult : std::int32_t {
    RtfSuccess = 4096,
    RtfOpenError = 1,
    RtfCloseError = 2,
    RtfHeaderError = 3,
    RtfDocumentFormatError = 4,
    RtfSectionFormatError = 5,
    RtfParagraphFormatError = 6,
    RtfPictureError = 7,
    RtfTableError = 8,
};

} // namespace vitalog
