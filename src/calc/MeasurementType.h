#pragma once

#include <string_view>

namespace vitalog::MeasurementType {

// The method text stored in a body composition record; the text is the only identification.
inline constexpr std::string_view JacksonPollock7 = "Jackson/Pollock 7";
inline constexpr std::string_view JacksonPollock4 = "Jackson/Pollock 4";
inline constexpr std::string_view Durnin = "Durnin";
inline constexpr std::string_view Parrillo = "Parrillo";
inline constexpr std::string_view JacksonPollock3 = "Jackson/Pollock 3";
inline constexpr std::string_view TapeMeasurement = "Tape Measurement";
inline constexpr std::string_view Other = "Other";

} // namespace vitalog::MeasurementType
