// The Windows-1252 conversions both ways: a text either converts and converts back to itself,
// or is refused; nothing is altered on the way.

#include "FuzzTarget.h"

#include "records/TextEncoding.h"

#include <string_view>

namespace vitalog::fuzz {

int TestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto cp1252 = Utf8ToCp1252(text)) {
        const auto back = Cp1252ToUtf8(*cp1252);
        if (!back || *back != text)
            Broken("UTF-8 text did not come back from Windows-1252");
        if (cp1252->size() > text.size())
            Broken("Windows-1252 form longer than the UTF-8 text");
    }
    if (const auto utf8 = Cp1252ToUtf8(text)) {
        const auto back = Utf8ToCp1252(*utf8);
        if (!back || *back != text)
            Broken("Windows-1252 text did not come back from UTF-8");
    }
    return 0;
}

} // namespace vitalog::fuzz
