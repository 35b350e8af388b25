#include "Records.h"

#include "TextField.h"

namespace vitalog {

std::string BodyFatRecord::Method() const {
    return detail::ReadTextField(method, MethodFieldSize);
}

bool BodyFatRecord::SetMethod(std::string_view text) {
    return detail::WriteTextField(method, MethodFieldSize, text);
}

std::string BloodPressureRecord::Notes() const {
    return detail::ReadTextField(notes, NotesFieldSize);
}

bool BloodPressureRecord::SetNotes(std::string_view cp1252Text) {
    return detail::WriteTextField(notes, NotesFieldSize, cp1252Text);
}

std::string PictureRecord::Path() const {
    return detail::ReadTextField(path, PathFieldSize);
}

bool PictureRecord::SetPath(std::string_view bytes) {
    return detail::WriteTextField(path, PathFieldSize, bytes);
}

} // namespace vitalog
