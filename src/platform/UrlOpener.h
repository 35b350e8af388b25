#pragma once

#include <QString>

namespace vitalog {

// Opens web and mailto: addresses in the user's own programs. Tests record the address.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool Open(const QString& address) = 0;

    // The production opener (QDesktopServices); lives for the whole program.
    static UrlOpener& System();
};

} // namespace vitalog
