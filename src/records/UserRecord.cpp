#include "UserRecord.h"

#include "TextField.h"

namespace vitalog {

std::string UserRecord::Name() const {
    return detail::ReadTextField(name, NameFieldSize);
}

bool UserRecord::SetName(std::string_view cp1252Name) {
    return detail::WriteTextField(name, NameFieldSize, cp1252Name);
}

} // namespace vitalog
